#include "Measurement.h"

#include <QStringList>
#include <sys/resource.h>

namespace dalvira::bench {

namespace {

constexpr double kPeakMemoryTargetMb = 300;

QString targetText(const Target &target)
{
    QStringList parts;
    if (target.maxMs > 0)
        parts << QStringLiteral("under %1 ms").arg(target.maxMs, 0, 'f', 0);
    if (target.maxRatio > 0)
        parts << QStringLiteral("within %1x baseline").arg(target.maxRatio, 0, 'g');
    return parts.join(QStringLiteral(", "));
}

} // namespace

bool Measurement::met() const
{
    if (target.maxMs > 0 && !(ms < target.maxMs))
        return false;
    if (target.maxRatio > 0 && !(ratio() <= target.maxRatio))
        return false;
    return true;
}

QString Measurement::line() const
{
    return QStringLiteral("%1 ms=%2 baseline_ms=%3 ratio=%4 rows=%5 baseline_rows=%6 answer=%7 "
                          "target=%8 (%9)")
        .arg(name, formatMs(ms), formatMs(baselineMs), QString::number(ratio(), 'f', 2))
        .arg(rows)
        .arg(baselineRows)
        .arg(sameAnswer ? QStringLiteral("same") : QStringLiteral("DIFFERENT"),
             met() ? QStringLiteral("ok") : QStringLiteral("MISSED"), targetText(target));
}

QString formatMs(double ms)
{
    return QString::number(ms, 'f', 1);
}

QString peakMemoryLine()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double mb = double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
    return QStringLiteral("peak_memory_mb=%1 target=%2 (under %3 MB)")
        .arg(QString::number(mb, 'f', 1),
             mb < kPeakMemoryTargetMb ? QStringLiteral("ok") : QStringLiteral("MISSED"))
        .arg(kPeakMemoryTargetMb, 0, 'f', 0);
}

} // namespace dalvira::bench

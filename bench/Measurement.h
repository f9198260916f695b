#pragma once

#include <QString>
#include <algorithm>
#include <limits>

namespace dalvira::bench {

// What an operation should achieve; a bound of 0 is not checked.
struct Target
{
    double maxMs = 0;
    double maxRatio = 0; // engine time over baseline time
};

// The best engine time and the best baseline time of one operation over the runs, with what
// each answered, so the line shows that both sides did the same work.
struct Measurement
{
    QString name;
    Target target;
    double ms = std::numeric_limits<double>::infinity();
    double baselineMs = std::numeric_limits<double>::infinity();
    qint64 rows = 0;         // rows the engine returned or wrote
    qint64 baselineRows = 0; // rows the baseline stepped through or wrote
    bool sameAnswer = true;  // sums (or counts) of both sides agree on every run

    void engineRun(double runMs) { ms = std::min(ms, runMs); }
    void baselineRun(double runMs) { baselineMs = std::min(baselineMs, runMs); }
    double ratio() const { return baselineMs > 0 ? ms / baselineMs : 0; }
    bool met() const;
    // "name ms=… baseline_ms=… ratio=… rows=… baseline_rows=… answer=same target=ok (…)"
    QString line() const;
};

QString formatMs(double ms);

// "peak_memory_mb=… target=ok (under 300 MB)", from getrusage(RUSAGE_SELF).ru_maxrss.
QString peakMemoryLine();

} // namespace dalvira::bench

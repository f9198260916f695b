#include "CliCommand.h"
#include "demo/DemoGenerator.h"
#include "storage/Storage.h"

#include <QElapsedTimer>
#include <QLocale>
#include <optional>

namespace dalvira::cli {

namespace {

// A whole number in lo..hi typed as plain digits; nullopt otherwise.
std::optional<qint64> wholeNumber(const QString &text, qint64 lo, qint64 hi)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < lo || value > hi)
        return std::nullopt;
    return value;
}

// An example site with its flats, dues and payments, for trying the program out and for
// measuring it on a large site.
int runDemo(const QStringList &args)
{
    if (args.isEmpty() || args.first().startsWith(QStringLiteral("--"))) {
        printMessage(QStringLiteral("Oluşturulacak sitenin kodu eksik."));
        return kExitUsage;
    }
    const QString code = args.first();
    const Options options(args.mid(1), {QStringLiteral("--flats"), QStringLiteral("--years"),
                                        QStringLiteral("--seed")});
    if (!options.ok()) {
        printMessage(options.error());
        return kExitUsage;
    }

    DemoOptions demo;
    if (options.has(QStringLiteral("--flats"))) {
        const auto flats = wholeNumber(options.value(QStringLiteral("--flats")), 1, kDemoMaxFlats);
        if (!flats) {
            printMessage(demoFlatsRangeMessage());
            return kExitUsage;
        }
        demo.flats = int(*flats);
    }
    if (options.has(QStringLiteral("--years"))) {
        const auto years = wholeNumber(options.value(QStringLiteral("--years")), 1, kDemoMaxYears);
        if (!years) {
            printMessage(demoYearsRangeMessage());
            return kExitUsage;
        }
        demo.years = int(*years);
    }
    if (options.has(QStringLiteral("--seed"))) {
        const auto seed = wholeNumber(options.value(QStringLiteral("--seed")), 0, 0xFFFFFFFFLL);
        if (!seed) {
            printMessage(QStringLiteral("Tohum değeri 0 ile 4294967295 arasında bir tam sayı "
                                        "olmalıdır."));
            return kExitUsage;
        }
        demo.seed = quint32(*seed);
    }

    Storage storage;
    if (Result r = storage.open(); !r) {
        printMessage(r.message());
        return kExitFailed;
    }
    QElapsedTimer timer;
    timer.start();
    DemoOutcome outcome;
    if (Result r = generateDemoSite(storage, code, demo, nullptr, &outcome); !r) {
        printMessage(r.message());
        return kExitFailed;
    }
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    out() << QStringLiteral("\"%1\" kodlu örnek site oluşturuldu: %2 daire, %3 aidat aktarımı, "
                            "%4 hareket (%5 ödeme), %6 sn.")
                 .arg(code, turkish.toString(outcome.flats),
                      turkish.toString(outcome.accrualBatches), turkish.toString(outcome.movements),
                      turkish.toString(outcome.payments),
                      turkish.toString(timer.elapsed() / 1000.0, 'f', 1))
          << Qt::endl;
    return kExitOk;
}

} // namespace

Command demoCommand()
{
    return {QStringLiteral("demo"), QStringLiteral("KOD [--flats N] [--years Y] [--seed S]"),
            QStringLiteral("Daireleri, aidatları ve ödemeleriyle örnek bir site oluşturur "
                           "(varsayılan 120 daire, 2 yıl, tohum 1)."),
            runDemo};
}

} // namespace dalvira::cli

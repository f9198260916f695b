// dalvira-bench: times the ledger's heavy operations on a generated site of 3,000 flats and ten
// years of movements, each beside raw SQLite doing the least work that gives the same answer on
// the same file, and prints one line per operation and the peak memory.
//   dalvira-bench [--folder KLASÖR] [--regenerate] [--runs N]
// Exit code 0 when every operation ran; a missed target is reported on its line, not by the
// exit code.

#include "BenchSite.h"
#include "Measurement.h"
#include "Operations.h"
#include "RawSqlite.h"
#include "storage/Storage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <stdexcept>

using namespace dalvira;
using namespace dalvira::bench;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Options
{
    QString folder = QStringLiteral(DALVIRA_BENCH_DATA_DIR);
    bool regenerate = false;
    int runs = 3;
};

void printUsage(QTextStream &err)
{
    err << "Kullanım: dalvira-bench [--folder KLASÖR] [--regenerate] [--runs N]\n"
        << "  --folder KLASÖR  sitenin tutulduğu program klasörü (varsayılan "
        << QDir::toNativeSeparators(QStringLiteral(DALVIRA_BENCH_DATA_DIR)) << ")\n"
        << "  --regenerate     BENCH sitesini silip yeniden üretir\n"
        << "  --runs N         her işlem N kez ölçülür, en iyisi yazılır (varsayılan 3)\n";
    err.flush();
}

// 0 when the options were read; otherwise the exit code.
int readOptions(const QStringList &args, Options &options, QTextStream &err)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--regenerate")) {
            options.regenerate = true;
        } else if (arg == QLatin1String("--folder") && i + 1 < args.size()) {
            options.folder = args[++i];
        } else if (arg == QLatin1String("--runs") && i + 1 < args.size()) {
            bool ok = false;
            options.runs = args[++i].toInt(&ok);
            if (!ok || options.runs < 1) {
                err << "--runs en az 1 olmalı.\n";
                return kExitUsage;
            }
        } else {
            printUsage(err);
            return arg == QLatin1String("--help") || arg == QLatin1String("-h") ? -1 : kExitUsage;
        }
    }
    return kExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    Options options;
    if (const int code = readOptions(app.arguments().mid(1), options, err); code != kExitOk)
        return code < 0 ? kExitOk : code;

    if (Result r = prepareFolder(options.folder); !r) {
        err << r.message() << '\n';
        return kExitFailed;
    }
    Storage storage;
    if (Result r = storage.open(); !r) {
        err << r.message() << '\n';
        return kExitFailed;
    }
    SitePreparation site;
    if (Result r = prepareSite(storage, options.regenerate, site); !r) {
        err << r.message() << '\n';
        return kExitFailed;
    }

    try {
        RawDatabase raw(
            QFile::encodeName(Storage::siteDataPath(QString::fromLatin1(kSiteCode))).toStdString());
        const SiteFacts facts = readSiteFacts(raw);
        out << "# site " << kSiteCode << ": " << facts.flats << " flats, " << facts.movements
            << " movements, in " << QDir::toNativeSeparators(options.folder) << "; every ms is the"
            << " best of " << options.runs << " runs\n";
        if (site.generated)
            out << "generate ms=" << formatMs(site.generationMs) << " flats=" << site.flats
                << " movements=" << site.movements << " payments=" << site.payments
                << " accrual_batches=" << site.accrualBatches << '\n';
        out.flush();

        Benchmark bench(storage.ana(), raw, options.runs);
        const auto print = [&](const Measurement &m) {
            out << m.line() << '\n';
            out.flush();
        };
        const AccrualMeasurements accrual = bench.measureAccrual();
        print(accrual.transfer);
        print(accrual.undo);
        for (const BalanceListKind kind : kAllBalanceListKinds)
            print(bench.measureBalanceList(kind));
        print(bench.measureStatement(facts));
        out << peakMemoryLine() << '\n';
    } catch (const std::exception &e) {
        out.flush();
        err << "dalvira-bench: " << QString::fromUtf8(e.what()) << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

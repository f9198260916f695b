#include "BenchSite.h"

#include "common/BatchProgress.h"
#include "demo/DemoGenerator.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace dalvira::bench {

namespace {

// Generation takes a while; a line on stderr every tenth of the way shows it is moving.
class ConsoleProgress : public BatchProgress
{
public:
    void start(const QString &statusText, const QString &, int total, bool) override
    {
        m_total = total;
        m_shown = -1;
        m_err << "  " << statusText << " (" << total << ")\n";
        m_err.flush();
    }
    void step(int position, int, int) override
    {
        if (m_total <= 0)
            return;
        const int tenth = int(qint64(position) * 10 / m_total);
        if (tenth != m_shown) {
            m_shown = tenth;
            m_err << "  " << tenth * 10 << "%\n";
            m_err.flush();
        }
    }
    bool cancelRequested() const override { return false; }
    void finish(const QString &endText) override
    {
        if (!endText.isEmpty())
            m_err << "  " << endText << '\n';
        m_err.flush();
    }

private:
    QTextStream m_err{stderr};
    int m_total = 0;
    int m_shown = -1;
};

Result removeSite(Storage &storage, const QString &code)
{
    SiteDirectory directory(storage);
    if (const auto site = directory.findByCode(code)) {
        if (Result r = directory.deleteSite(site->key, true); !r)
            return r;
    }
    // Files left without a list row would make the generator refuse the code.
    for (const QString &path : {Storage::siteDataPath(code), Storage::siteCashPath(code)}) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return Result::failure(QStringLiteral("%1 silinemedi.").arg(path));
    }
    return Result::success();
}

} // namespace

Result prepareFolder(const QString &folder)
{
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    if (!QDir().mkpath(absolute))
        return Result::failure(QStringLiteral("%1 klasörü oluşturulamadı.").arg(absolute));
    if (Result r = layOutProgramFolder(absolute, QStringLiteral(DALVIRA_PROGRAM_DIR)); !r)
        return r;
    setProgramFolder(absolute);
    return Result::success();
}

Result prepareSite(Storage &storage, bool regenerate, SitePreparation &preparation)
{
    const QString code = QString::fromLatin1(kSiteCode);
    preparation = {};
    if (regenerate) {
        if (Result r = removeSite(storage, code); !r)
            return r;
    }
    if (!QFileInfo::exists(Storage::siteDataPath(code))) {
        // A site listed without its data file would be refused by the generator.
        if (Result r = removeSite(storage, code); !r)
            return r;
        DemoOptions options;
        options.flats = kSiteFlats;
        options.years = kSiteYears;
        options.seed = 1;
        DemoOutcome outcome;
        ConsoleProgress progress;
        QElapsedTimer timer;
        timer.start();
        if (Result r = generateDemoSite(storage, code, options, &progress, &outcome); !r)
            return r;
        preparation.generationMs = double(timer.nsecsElapsed()) / 1e6;
        preparation.generated = true;
        preparation.flats = outcome.flats;
        preparation.movements = outcome.movements;
        preparation.payments = outcome.payments;
        preparation.accrualBatches = outcome.accrualBatches;
    }
    if (storage.siteCode() == code)
        return Result::success();
    return storage.selectSite(code);
}

} // namespace dalvira::bench

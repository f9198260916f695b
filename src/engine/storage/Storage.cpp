#include "storage/Storage.h"

#include "storage/Compaction.h"
#include "storage/DatabaseFile.h"
#include "storage/FileCopy.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QFile>
#include <QFileInfo>

namespace dalvira {

namespace {

// A code names two files in Data/; anything that would leave that folder is not a code.
bool isUsableCode(const QString &code)
{
    return !code.isEmpty() && !code.contains(QLatin1Char('/')) &&
           !code.contains(QLatin1Char('\\')) && !code.contains(QChar(0)) &&
           code != QLatin1String(".") && code != QLatin1String("..");
}

QString startupPath(const char *relative)
{
    return GetPathPath() + QLatin1String(relative);
}

} // namespace

Storage::Storage(const QString &connectionSuffix) : m_suffix(connectionSuffix)
{
    for (int slot = 0; slot < SlotCount; ++slot)
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name(Slot(slot)));
}

Storage::~Storage()
{
    close();
    for (int slot = 0; slot < SlotCount; ++slot)
        QSqlDatabase::removeDatabase(name(Slot(slot)));
}

QString Storage::name(Slot slot) const
{
    static const char *const names[SlotCount] = {"anaConnection", "genelConnection",
                                                 "kasaConnection", "digerfirmaConnection"};
    return QLatin1String(names[slot]) + m_suffix;
}

QSqlDatabase Storage::database(Slot slot) const
{
    // Never QSqlDatabase::database(name, true): that would open it without our settings.
    return QSqlDatabase::database(name(slot), false);
}

QSqlDatabase Storage::ana() const
{
    return database(Ana);
}
QSqlDatabase Storage::genel() const
{
    return database(Genel);
}
QSqlDatabase Storage::kasa() const
{
    return database(Kasa);
}
QSqlDatabase Storage::digerfirma() const
{
    return database(Diger);
}

QString Storage::siteDataPath(const QString &code)
{
    return GetPathPath() + QStringLiteral("Data/") + code + QStringLiteral(".mdb");
}

QString Storage::siteCashPath(const QString &code)
{
    return GetPathPath() + QStringLiteral("Data/") + code + QStringLiteral("TUMK.mdb");
}

QString Storage::cashTemplatePath()
{
    return GetPathPath() + QStringLiteral("Kasa.mdb");
}

QString Storage::siteTemplatePath()
{
    return GetPathPath() + QStringLiteral("SiteAna.mdb");
}

QString Storage::siteMissingMessage()
{
    return QStringLiteral("Site koduna ait veritabanı bulunamadı. Site kodunu kontrol edin!");
}

QString Storage::cashTemplateMissingMessage()
{
    return QStringLiteral("Kasa oluşturulması için gerekli dosya bulunamadı!");
}

void Storage::closeSlot(Slot slot)
{
    QSqlDatabase db = database(slot);
    if (db.isOpen())
        db.close();
    m_paths[slot].clear();
}

Result Storage::openSlot(Slot slot, const QString &path, bool checked)
{
    closeSlot(slot);
    const Result r =
        checked ? openCheckedDatabase(name(slot), path) : openDatabase(name(slot), path);
    if (r)
        m_paths[slot] = path;
    return r;
}

Result Storage::openSiteFiles(const SitePaths &paths, bool checked)
{
    if (!checked) {
        for (const QString &path : {paths.data, paths.cash}) {
            if (Result r = checkDatabaseFile(path); !r)
                return r;
        }
    }
    if (Result r = openSlot(Ana, paths.data, true); !r)
        return r;
    try {
        exec(ana(), QStringLiteral("ATTACH DATABASE ? AS kasa"), {databaseUri(paths.cash)});
    } catch (const OperationError &error) {
        closeSlot(Ana);
        return Result::failure(error.message());
    }
    if (Result r = openSlot(Kasa, paths.cash, true); !r) {
        closeSlot(Ana);
        return r;
    }
    return Result::success();
}

void Storage::closeSiteFiles()
{
    closeSlot(Kasa);
    closeSlot(Ana);
}

Result Storage::open()
{
    close();
    const SitePaths startup{startupPath("AnaData/SiteAna.mdb"), startupPath("AnaData/Kasa.mdb")};
    Result r = openSlot(Genel, startupPath("AnaData/Genel.mdb"), false);
    if (r)
        r = openSiteFiles(startup, false);
    if (r)
        r = openSlot(Diger, startup.data, true);
    if (!r)
        close();
    return r;
}

void Storage::close()
{
    closeSlot(Kasa);
    closeSlot(Ana);
    closeSlot(Genel);
    closeSlot(Diger);
    m_siteCode.clear();
}

bool Storage::isOpen() const
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (!database(Slot(slot)).isOpen())
            return false;
    }
    return true;
}

Result Storage::selectSite(const QString &code)
{
    if (!isUsableCode(code))
        return Result::failure(siteMissingMessage());
    const SitePaths site{siteDataPath(code), siteCashPath(code)};
    if (!QFileInfo::exists(site.data))
        return Result::failure(siteMissingMessage());

    bool madeCash = false;
    if (!QFileInfo::exists(site.cash)) {
        if (!QFileInfo::exists(cashTemplatePath()))
            return Result::failure(cashTemplateMissingMessage());
        if (Result r = copyFileIfMissing(cashTemplatePath(), site.cash, &madeCash); !r)
            return r;
    }
    auto undo = [&](const Result &failure) {
        if (madeCash)
            QFile::remove(site.cash);
        return failure;
    };

    // Both files are checked while the old ones are still open, so a bad file changes nothing.
    for (const QString &path : {site.data, site.cash}) {
        if (Result r = checkDatabaseFile(path); !r)
            return undo(r);
    }

    const SitePaths previous{m_paths[Ana], m_paths[Kasa]};
    const QString previousCode = m_siteCode;
    closeSiteFiles();
    if (Result r = openSiteFiles(site, true); !r) {
        const bool restored = !previous.data.isEmpty() && !previous.cash.isEmpty() &&
                              openSiteFiles(previous, true).ok();
        m_siteCode = restored ? previousCode : QString();
        return undo(r);
    }
    m_siteCode = code;
    return Result::success();
}

Result Storage::leaveSite()
{
    const QString siteData = m_paths[Ana];
    const SitePaths startup{startupPath("AnaData/SiteAna.mdb"), startupPath("AnaData/Kasa.mdb")};
    closeSiteFiles();
    m_siteCode.clear();
    Result r = openSiteFiles(startup, false);
    if (!siteData.isEmpty() && m_paths[Diger] == siteData) {
        const Result other = openSlot(Diger, startup.data, false);
        if (r)
            r = other;
    }
    return r;
}

Result Storage::openOtherSite(const QString &code)
{
    if (!isUsableCode(code))
        return Result::failure(siteMissingMessage());
    const QString path = siteDataPath(code);
    if (!QFileInfo::exists(path))
        return Result::failure(siteMissingMessage());
    if (Result r = checkDatabaseFile(path); !r)
        return r;
    const QString previous = m_paths[Diger];
    if (Result r = openSlot(Diger, path, true); !r) {
        if (!previous.isEmpty())
            openSlot(Diger, previous, true);
        return r;
    }
    return Result::success();
}

Result Storage::compactSiteFiles(const QString &code)
{
    if (!isUsableCode(code))
        return Result::failure(siteMissingMessage());
    const QString dataPath = siteDataPath(code);
    const QString cashPath = siteCashPath(code);
    auto isSiteFile = [&](const QString &path) {
        if (path.isEmpty())
            return false;
        const QString canonical = QFileInfo(path).canonicalFilePath();
        return canonical == QFileInfo(dataPath).canonicalFilePath() ||
               canonical == QFileInfo(cashPath).canonicalFilePath();
    };

    // Every connection on one of the two files (the main one also through its attached cash
    // file) is closed around the compaction and reopened on the same files afterwards.
    const SitePaths siteFiles{m_paths[Ana], m_paths[Kasa]};
    const bool reopenSite = isSiteFile(siteFiles.data) || isSiteFile(siteFiles.cash);
    const QString otherPath = m_paths[Diger];
    const bool reopenOther = isSiteFile(otherPath);
    if (reopenSite)
        closeSiteFiles();
    if (reopenOther)
        closeSlot(Diger);

    Result result = compactDatabase(dataPath);
    if (QFileInfo::exists(cashPath)) {
        const Result cash = compactDatabase(cashPath);
        if (result)
            result = cash;
    }

    if (reopenSite) {
        if (Result r = openSiteFiles(siteFiles, false); !r) {
            m_siteCode.clear();
            return r;
        }
    }
    if (reopenOther) {
        if (Result r = openSlot(Diger, otherPath, false); !r)
            return r;
    }
    return result;
}

} // namespace dalvira

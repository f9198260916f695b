#include "session/SiteDirectory.h"

#include "storage/Compaction.h"
#include "storage/FileCopy.h"
#include "storage/ScopedConnection.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>

namespace dalvira {

namespace {

const QString kTable = QStringLiteral("firmabilgi");
const QString kKey = QStringLiteral("firma_ind");

SiteRecord readRecord(const QSqlQuery &q)
{
    SiteRecord r;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        if (rec.fieldName(i) == kKey)
            r.key = q.value(i).toLongLong();
        else
            r.values.insert(rec.fieldName(i), q.value(i));
    }
    return r;
}

QList<SiteRecord> readAll(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QList<SiteRecord> rows;
    QSqlQuery q = exec(db, sql, params);
    while (q.next())
        rows.append(readRecord(q));
    return rows;
}

QStringList tableColumns(const QSqlDatabase &db)
{
    QStringList names;
    QSqlQuery q = exec(db, QStringLiteral("PRAGMA table_info(firmabilgi)"));
    while (q.next())
        names.append(q.value(1).toString());
    return names;
}

// Every column but the key, limited to the columns the target file has.
ColumnValues copyValues(const SiteRecord &record, const QStringList &targetColumns)
{
    ColumnValues values;
    for (const QString &column : targetColumns) {
        if (column != kKey)
            values.append({column, record.values.value(column)});
    }
    return values;
}

// The site's own row: the first one is edited, or one is appended when the file has none.
void writeOwnRecord(const QSqlDatabase &siteDb, const SiteRecord &record)
{
    const ColumnValues values = copyValues(record, tableColumns(siteDb));
    const QVariant first = scalar(siteDb, QStringLiteral("SELECT MIN(firma_ind) FROM firmabilgi"));
    if (first.isNull() || !first.isValid())
        insert(siteDb, kTable, values);
    else
        update(siteDb, kTable, values, QStringLiteral("firma_ind = ?"), {first});
}

template <typename Fn> Result guarded(Fn &&fn)
{
    try {
        return fn();
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
}

} // namespace

SiteDirectory::SiteDirectory(Storage &storage) : m_storage(storage) {}

QString SiteDirectory::duplicateSiteMessage()
{
    return QStringLiteral("Bu isimde kayıtlı site mevcut!\n\rBu isimde site oluşturmak için önce "
                          "kayıtlı\n\rsiteyi silin");
}

QString SiteDirectory::cannotDeleteMessage()
{
    return QStringLiteral("Site Silinemiyor!!!");
}

QStringList SiteDirectory::columns() const
{
    return tableColumns(m_storage.genel());
}

QList<SiteRecord> SiteDirectory::list(Order order) const
{
    const QString sql = order == Order::ByName
                            ? QStringLiteral("SELECT * FROM firmabilgi ORDER BY firma_unvani_1 "
                                             "COLLATE TURKISH ASC, firma_kodu")
                            : QStringLiteral("SELECT * FROM firmabilgi ORDER BY firma_kodu "
                                             "COLLATE TURKISH ASC");
    return readAll(m_storage.genel(), sql, {});
}

std::optional<SiteRecord> SiteDirectory::findByCode(const QString &code) const
{
    const auto rows = readAll(m_storage.genel(),
                              QStringLiteral("SELECT * FROM firmabilgi WHERE firma_kodu = ? "
                                             "ORDER BY firma_ind LIMIT 1"),
                              {code});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

std::optional<SiteRecord> SiteDirectory::findByKey(qint64 key) const
{
    const auto rows = readAll(m_storage.genel(),
                              QStringLiteral("SELECT * FROM firmabilgi WHERE firma_ind = ?"), {key});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

std::optional<SiteRecord> SiteDirectory::ownRecord(const QSqlDatabase &siteDb)
{
    const auto rows = readAll(siteDb,
                              QStringLiteral("SELECT * FROM firmabilgi ORDER BY firma_ind LIMIT 1"),
                              {});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

Result SiteDirectory::createSite(const SiteRecord &record)
{
    const QString code = record.code().trimmed();
    if (code.isEmpty())
        return Result::failure(QStringLiteral("Site kodunu boş geçemezsiniz."));
    if (record.name().trimmed().isEmpty())
        return Result::failure(QStringLiteral("Site adını boş geçemezsiniz."));
    if (!isValidSiteCode(code))
        return Result::failure(QStringLiteral("Site kodu en çok 10 karakter olabilir ve yalnızca "
                                              "rakam ile İngilizce harflerden (0-9, A-Z, a-z) "
                                              "oluşabilir."));
    if (!QFileInfo::exists(Storage::siteTemplatePath()))
        return Result::failure(QStringLiteral("Site oluşturulması için gerekli dosya bulunamadı!"));
    const QString dataPath = Storage::siteDataPath(code);
    if (QFileInfo::exists(dataPath))
        return Result::failure(duplicateSiteMessage());

    bool copied = false;
    if (Result r = copyFileIfMissing(Storage::siteTemplatePath(), dataPath, &copied); !r)
        return r;
    if (!copied) // another copy of the program made it meanwhile
        return Result::failure(duplicateSiteMessage());

    SiteRecord stored = record;
    stored.set("firma_kodu", code);
    Result result;
    {
        ScopedConnection site;
        result = site.open(dataPath);
        if (result) {
            result = runInTransaction(site.database(),
                                      [&] { writeOwnRecord(site.database(), stored); });
        }
    }
    if (result) {
        result = runInTransaction(m_storage.genel(), [&] {
            const QSqlDatabase genel = m_storage.genel();
            const QVariant listed = scalar(
                genel, QStringLiteral("SELECT firma_ind FROM firmabilgi WHERE firma_kodu = ? "
                                      "ORDER BY firma_ind LIMIT 1"),
                {code});
            const ColumnValues values = copyValues(stored, tableColumns(genel));
            if (listed.isValid())
                update(genel, kTable, values, QStringLiteral("firma_ind = ?"), {listed});
            else
                insert(genel, kTable, values);
        });
    }
    if (!result)
        QFile::remove(dataPath);
    return result;
}

Result SiteDirectory::saveSite(const SiteRecord &record)
{
    if (record.key <= 0)
        return createSite(record);
    return guarded([&]() -> Result {
        const std::optional<SiteRecord> listed = findByKey(record.key);
        if (!listed)
            return Result::failure(QStringLiteral("Site kaydı bulunamadı."));
        // The code names the files; it never changes once stored.
        SiteRecord stored = record;
        stored.set("firma_kodu", listed->code());
        const QString code = listed->code();
        const QString dataPath = Storage::siteDataPath(code);

        const QSqlDatabase genel = m_storage.genel();
        return runInTransaction(genel, [&] {
            update(genel, kTable, copyValues(stored, tableColumns(genel)),
                   QStringLiteral("firma_ind = ?"), {record.key});
            if (!code.isEmpty() && m_storage.siteCode() == code) {
                const QSqlDatabase ana = m_storage.ana();
                if (Result r = runInTransaction(ana, [&] { writeOwnRecord(ana, stored); }); !r)
                    throw OperationError(r.message());
            } else if (!code.isEmpty() && QFileInfo::exists(dataPath)) {
                ScopedConnection site;
                if (Result r = site.open(dataPath); !r)
                    throw OperationError(r.message());
                if (Result r = runInTransaction(site.database(),
                                                [&] { writeOwnRecord(site.database(), stored); });
                    !r)
                    throw OperationError(r.message());
            }
        });
    });
}

SiteDirectory::DeletionPlan SiteDirectory::planDeletion(qint64 key) const
{
    DeletionPlan plan;
    const std::optional<SiteRecord> row = findByKey(key);
    if (!row)
        return plan;
    plan.found = true;
    plan.code = row->code();
    plan.listRowOnly = plan.code.isEmpty() || plan.code != plan.code.trimmed();
    if (!plan.listRowOnly) {
        plan.dataFileExists = QFileInfo::exists(Storage::siteDataPath(plan.code));
        plan.cashFileExists = QFileInfo::exists(Storage::siteCashPath(plan.code));
        plan.isOpenSite = m_storage.siteCode() == plan.code;
    }
    return plan;
}

Result SiteDirectory::deleteSite(qint64 key, bool alsoCashFile)
{
    return guarded([&]() -> Result {
        const DeletionPlan plan = planDeletion(key);
        if (!plan.found)
            return Result::failure(QStringLiteral("Site kaydı bulunamadı."));
        const auto removeRow = [&] {
            return runInTransaction(m_storage.genel(), [&] {
                exec(m_storage.genel(), QStringLiteral("DELETE FROM firmabilgi WHERE firma_ind = ?"),
                     {key});
            });
        };
        if (plan.listRowOnly || !plan.dataFileExists)
            return removeRow();

        const QString dataPath = Storage::siteDataPath(plan.code);
        const QString cashPath = Storage::siteCashPath(plan.code);
        // Unlinking a file another program is writing would lose its work silently.
        if (!processesHoldingFile(dataPath).isEmpty())
            return Result::failure(cannotDeleteMessage());
        if (plan.isOpenSite)
            m_storage.leaveSite();
        if (!QFile::remove(dataPath))
            return Result::failure(cannotDeleteMessage());
        if (alsoCashFile && plan.cashFileExists && processesHoldingFile(cashPath).isEmpty())
            QFile::remove(cashPath);
        return removeRow();
    });
}

} // namespace dalvira

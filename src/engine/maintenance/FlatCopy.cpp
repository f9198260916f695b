#include "maintenance/FlatCopy.h"

#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlRecord>

namespace dalvira::flatcopy {

namespace {

QStringList columnsOf(const QSqlDatabase &db)
{
    QStringList names;
    QSqlQuery q = exec(db, QStringLiteral("PRAGMA table_info(siciltablo)"));
    while (q.next())
        names.append(q.value(1).toString());
    return names;
}

} // namespace

Result copyFlats(Storage &storage, const QString &targetCode, Outcome *outcome)
{
    *outcome = {};
    if (targetCode.isEmpty())
        return Result::failure(emptyTargetMessage());
    if (targetCode == storage.siteCode())
        return Result::failure(sameSiteMessage());
    if (!QFileInfo(Storage::siteDataPath(targetCode)).isFile())
        return Result::failure(missingTargetMessage(targetCode));
    if (Result r = storage.openOtherSite(targetCode); !r)
        return r;

    try {
        // The open site's flats are read whole first, so no read is open while the target is
        // written.
        QList<QSqlRecord> flats;
        {
            QSqlQuery q =
                exec(storage.ana(), QStringLiteral("SELECT * FROM siciltablo ORDER BY hid"));
            while (q.next())
                flats.append(q.record());
        }
        const QSqlDatabase target = storage.digerfirma();
        const QStringList targetColumns = columnsOf(target);
        Outcome result;
        const Result r = runInTransaction(target, [&] {
            QSet<qint64> present;
            {
                QSqlQuery q = exec(
                    target, QStringLiteral(
                                "SELECT sicil_kodu FROM siciltablo WHERE sicil_kodu IS NOT NULL"));
                while (q.next())
                    present.insert(q.value(0).toLongLong());
            }
            for (const QSqlRecord &flat : flats) {
                const QVariant number = flat.value(QStringLiteral("sicil_kodu"));
                const bool numbered = !number.isNull() && number.isValid();
                if (numbered && present.contains(number.toLongLong())) {
                    result.skipped.append(number);
                    continue;
                }
                ColumnValues values;
                for (const QString &column : targetColumns) {
                    if (column != QLatin1String("hid") && flat.indexOf(column) >= 0)
                        values.append({column, flat.value(column)});
                }
                insert(target, QStringLiteral("siciltablo"), values);
                if (numbered)
                    present.insert(number.toLongLong());
                ++result.copied;
            }
        });
        if (r)
            *outcome = result;
        return r;
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
}

QString firstQuestion()
{
    return QStringLiteral("Bütün üye kayıtları çıkacak ekranda seçeceğiniz firmaya "
                          "aktarılacaktır.\n\rBu aktarımın geri dönüşü olmayacaktır. Devam "
                          "edilsinmi?");
}

QString targetQuestion(const QString &openCode, const QString &targetCode)
{
    return QStringLiteral("\"") + openCode +
           QStringLiteral("\" kodlu Site/Apartmandaki bütün üye kayıtları \"") + targetCode +
           QStringLiteral("\" kodlu Site/Apartmana aktarılacaktır.") + QStringLiteral("\n\r") +
           QStringLiteral("Bu aktarımın geri dönüşü olmayacaktır. Devam edilsinmi?");
}

QString duplicateMessage(const QVariant &number)
{
    return QStringLiteral("\"") + number.toString() +
           QStringLiteral("\" kodu ile kayıtlı üye mevcut. Bu kayıt aktarılmayacak!!!");
}

QString doneMessage()
{
    return QStringLiteral("Aktarma işlemi tamamlandı.");
}

QString emptyTargetMessage()
{
    return QStringLiteral("Firma adını girmelisiniz!");
}

QString missingTargetMessage(const QString &code)
{
    return QStringLiteral("\"") + code + QStringLiteral("\" Kodlu Site/Apartman mevcut değil?");
}

QString sameSiteMessage()
{
    return QStringLiteral("Üyeler açık olan sitenin kendisine aktarılamaz. Başka bir site seçin.");
}

} // namespace dalvira::flatcopy

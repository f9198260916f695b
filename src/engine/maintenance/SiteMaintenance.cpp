#include "maintenance/SiteMaintenance.h"

#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

namespace dalvira::maintenance {

Result compactSite(Storage &storage, const QString &code)
{
    return storage.compactSiteFiles(code);
}

QString compactedMessage()
{
    return QStringLiteral("Site veritabanı bakım işlemi yapıldı!");
}

QStringList deletionTables(DeletionMode mode)
{
    QStringList tables;
    if (mode == DeletionMode::All)
        tables << QStringLiteral("main.siciltablo");
    tables << QStringLiteral("main.aiadataktar") << QStringLiteral("main.bulunmayan")
           << QStringLiteral("main.bankaaktar") << QStringLiteral("main.borcalacak")
           << QStringLiteral("main.firma") << QStringLiteral("main.sicilcarihar")
           << QStringLiteral("kasa.carihareket") << QStringLiteral("main.isletgelir")
           << QStringLiteral("main.isletgider") << QStringLiteral("kasa.nakit")
           << QStringLiteral("kasa.resimnakit");
    return tables;
}

Result deleteRecords(Storage &storage, DeletionMode mode)
{
    if (storage.siteCode().isEmpty())
        return Result::failure(QStringLiteral("Açık bir site yok."));
    // The cash file is attached to the main connection, so both files commit together.
    return runInTransaction(storage.ana(), [&] {
        for (const QString &table : deletionTables(mode))
            exec(storage.ana(), QStringLiteral("DELETE FROM ") + table);
    });
}

QString deletionQuestion(DeletionMode mode)
{
    return mode == DeletionMode::All
               ? QStringLiteral("Bütün üye kayıtları silinecek. Bu işlem sonrası kayıtlara "
                                "\n\rtekrar ulaşmanız mümkün olmayacaktır. Devam edilsinmi?")
               : QStringLiteral("Üye kayıtları hariç tüm hareketler silinecek. Bu işlem sonrası "
                                "kayıtlara \n\rtekrar ulaşmanız mümkün olmayacaktır. Devam "
                                "edilsinmi?");
}

QString finalWarning()
{
    return QStringLiteral("DİKKAT!!! SON UYARI!!! \n\r\n\rTÜM KAYITLARI SİLMEK ÜZERESİNİZ!\n\r\n\r"
                          "İŞLEMİ KESMEK İSTERMİSİNİZ?");
}

QString deletedMessage()
{
    return QStringLiteral("Silme işlemi yapıldı!");
}

} // namespace dalvira::maintenance

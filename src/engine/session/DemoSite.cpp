#include "session/DemoSite.h"

#include "session/SiteDirectory.h"
#include "storage/Storage.h"

#include <QFileInfo>

namespace dalvira {

Result createDemoSite(Storage &storage, const QString &code)
{
    SiteDirectory directory(storage);
    if (directory.findByCode(code) || QFileInfo::exists(Storage::siteDataPath(code)))
        return Result::failure(QStringLiteral("\"%1\" kodlu site zaten kayıtlı.").arg(code));
    SiteRecord site;
    site.set("firma_kodu", code);
    site.set("firma_unvani_1", QStringLiteral("Yeşilvadi Sitesi Yönetimi"));
    site.set("firma_adresi_1", QStringLiteral("Atatürk Mah. Çınaraltı Sok. No: 12"));
    site.set("adres_semt", QStringLiteral("Ataşehir"));
    site.set("adres_sehir", QStringLiteral("İstanbul"));
    site.set("telefon1_no", QStringLiteral("(216) 455 12 34"));
    site.set("telefon2_no", QStringLiteral("(532) 614 27 90"));
    site.set("fax_no", QStringLiteral("(216) 455 12 35"));
    site.set("vergi_dairesi", QStringLiteral("Kozyatağı"));
    site.set("vergi_no", QStringLiteral("9470318265"));
    site.set("yetkili1", QStringLiteral("Ayşe Gündoğdu"));
    site.set("yetkili1unvan", QStringLiteral("Site Yöneticisi"));
    site.set("bos1", QStringLiteral("Ziraat Bankası Ataşehir Şubesi"));
    site.set("bos2", QStringLiteral("Yeşilvadi Sitesi Yönetimi"));
    site.set("bos3", QStringLiteral("TR33 0001 0017 4512 3456 7850 01"));
    site.set("bos4", QStringLiteral("Yönetim Ofisi, A Blok Zemin Kat (hafta içi 09:00-17:00)"));
    site.set("bos5", QStringLiteral("Atatürk Mah. Çınaraltı Sok. No: 12 Ataşehir/İstanbul"));
    site.set("faiz_aylik", 5.0);
    site.set("faiz_yillik", 60.0);
    return directory.createSite(site);
}

} // namespace dalvira

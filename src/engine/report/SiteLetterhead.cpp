#include "report/SiteLetterhead.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace dalvira {

namespace {

// The phone fields keep their entry mask: "(___) ___ __ __" is an empty number.
bool hasDigits(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.isDigit())
            return true;
    }
    return false;
}

QString joinNonEmpty(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &part : parts) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            kept << trimmed;
    }
    return kept.join(separator);
}

} // namespace

QString SiteLetterhead::addressLine() const
{
    return joinNonEmpty({address, district, city}, QStringLiteral(" "));
}

QString SiteLetterhead::phoneLine() const
{
    QStringList parts;
    if (hasDigits(phone))
        parts << QStringLiteral("Tel: ") + phone.trimmed();
    if (hasDigits(fax))
        parts << QStringLiteral("Fax: ") + fax.trimmed();
    return parts.join(QLatin1Char(' '));
}

QStringList SiteLetterhead::lines() const
{
    QStringList result;
    for (const QString &line : {name, name2, addressLine(), phoneLine()}) {
        if (!line.trimmed().isEmpty())
            result << line.trimmed();
    }
    return result;
}

SiteLetterhead readSiteLetterhead(const QSqlDatabase &db, const QString &siteCode)
{
    SiteLetterhead head;
    QSqlQuery query(db);
    const QString columns = QStringLiteral(
        "firma_kodu, firma_unvani_1, firma_unvani_2, firma_adresi_1, firma_adresi_2, "
        "adres_semt, adres_sehir, telefon1_no, telefon2_no, fax_no, vergi_dairesi, vergi_no, "
        "yetkili1, yetkili1unvan, bos1, bos2, bos3, bos4, bos5");
    if (siteCode.isEmpty()) {
        query.prepare(
            QStringLiteral("SELECT %1 FROM firmabilgi ORDER BY firma_ind LIMIT 1").arg(columns));
    } else {
        query.prepare(
            QStringLiteral("SELECT %1 FROM firmabilgi WHERE firma_kodu = ? ORDER BY firma_ind "
                           "LIMIT 1")
                .arg(columns));
        query.addBindValue(siteCode);
    }
    if (!query.exec()) {
        head.error = query.lastError().text();
        return head;
    }
    if (!query.next())
        return head;
    const auto text = [&query](int i) { return query.value(i).toString(); };
    head.found = true;
    head.siteCode = text(0);
    head.name = text(1);
    head.name2 = text(2);
    head.address = text(3);
    head.address2 = text(4);
    head.district = text(5);
    head.city = text(6);
    head.phone = text(7);
    head.phone2 = text(8);
    head.fax = text(9);
    head.taxOffice = text(10);
    head.taxNumber = text(11);
    head.officer = text(12);
    head.officerTitle = text(13);
    head.bankName = text(14);
    head.bankAccountHolder = text(15);
    head.iban = text(16);
    head.cashPaymentAddress = text(17);
    head.memberAddress = text(18);
    return head;
}

} // namespace dalvira

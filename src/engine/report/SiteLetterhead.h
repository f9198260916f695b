#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace dalvira {

// The site's heading data for printed reports, from one row of `firmabilgi`.
struct SiteLetterhead
{
    bool found = false;
    QString error; // the database's message when the row could not be read

    QString siteCode;           // firma_kodu
    QString name;               // firma_unvani_1
    QString name2;              // firma_unvani_2
    QString address;            // firma_adresi_1
    QString address2;           // firma_adresi_2
    QString district;           // adres_semt
    QString city;               // adres_sehir
    QString phone;              // telefon1_no
    QString phone2;             // telefon2_no
    QString fax;                // fax_no
    QString taxOffice;          // vergi_dairesi
    QString taxNumber;          // vergi_no
    QString officer;            // yetkili1
    QString officerTitle;       // yetkili1unvan
    QString bankName;           // bos1
    QString bankAccountHolder;  // bos2
    QString iban;               // bos3
    QString cashPaymentAddress; // bos4
    QString memberAddress;      // bos5

    // Address, district and city separated by blanks, the empty ones left out.
    QString addressLine() const;
    // "Tel: " + phone, with " Fax: " + fax when there is a fax; empty without either.
    QString phoneLine() const;
    // The usual heading: name, second name line when set, address line, phone line; empty
    // lines are left out.
    QStringList lines() const;
};

// Reads the letterhead of the site with this code; with an empty code, the only row of a
// site's own copy of the table. Not found (or a database error) gives found == false.
SiteLetterhead readSiteLetterhead(const QSqlDatabase &db, const QString &siteCode = {});

} // namespace dalvira

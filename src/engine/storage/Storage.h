#pragma once

#include "common/Result.h"

#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// The four connections of the program, by their names:
//   anaConnection        the open site's data file (AnaData/SiteAna.mdb before a site is
//                        entered), with the site's cash file attached as schema "kasa", so one
//                        transaction on it writes both files atomically ("INSERT INTO kasa.nakit")
//   genelConnection      AnaData/Genel.mdb: the site list and the passwords
//   kasaConnection       the open site's cash file (AnaData/Kasa.mdb before a site is entered)
//   digerfirmaConnection a second site's data file, for copying flats to it
//                        (AnaData/SiteAna.mdb until openOtherSite)
// Files are opened only when they exist and are sound database files of this program; a
// missing, old-format or damaged file gives a failure with the message, never a new file.
//
// Writes that touch the cash file together with the data file go through anaConnection (its
// "kasa" schema); kasaConnection is for reading the cash file and for writes of the cash file
// alone. Finish open queries of one connection before another one writes the same file.
class Storage
{
public:
    // suffix makes the connection names unique when a test needs two programs' storage at once.
    explicit Storage(const QString &connectionSuffix = {});
    ~Storage(); // closes the connections and removes them
    Storage(const Storage &) = delete;
    Storage &operator=(const Storage &) = delete;

    // Opens the four connections on their start-up files in the program folder. On failure
    // none is left open.
    Result open();
    // Closes them in the order cash, main, general, other-site.
    void close();
    bool isOpen() const;

    QSqlDatabase ana() const;
    QSqlDatabase genel() const;
    QSqlDatabase kasa() const;
    QSqlDatabase digerfirma() const;

    // Switches the main and cash connections to the site's files Data/<code>.mdb and
    // Data/<code>TUMK.mdb. A missing cash file is first made as a copy of the template Kasa.mdb.
    // Failures: "Site koduna ait veritabanı bulunamadı. Site kodunu kontrol edin!" (no data
    // file), "Kasa oluşturulması için gerekli dosya bulunamadı!" (no template), or the message
    // about an unreadable file. On failure nothing changes: the previous files stay open and a
    // cash file made by this call is removed again.
    Result selectSite(const QString &code);
    // The code of the site whose files are open; empty before a site is entered.
    QString siteCode() const { return m_siteCode; }

    // Leaves the open site: the main and cash connections go back to their start-up files
    // (and the other-site connection too when it was on the site's data file), so the site's
    // files can be deleted or replaced. siteCode() is empty afterwards.
    Result leaveSite();

    // Switches digerfirmaConnection to Data/<code>.mdb; on failure it stays where it was.
    Result openOtherSite(const QString &code);

    // Compacts the site's data and cash file (maintenance): the connections on those files are
    // closed around it and reopened on the same files afterwards. A file that cannot be
    // compacted (another program has it open) stays as it was; the first failure is returned.
    Result compactSiteFiles(const QString &code);

    // Paths in the current program folder.
    static QString siteDataPath(const QString &code); // Data/<code>.mdb
    static QString siteCashPath(const QString &code); // Data/<code>TUMK.mdb
    static QString cashTemplatePath();                // Kasa.mdb
    static QString siteTemplatePath();                // SiteAna.mdb

    // The exact messages of the site switch.
    static QString siteMissingMessage();
    static QString cashTemplateMissingMessage();

private:
    enum Slot { Ana, Genel, Kasa, Diger, SlotCount };
    struct SitePaths
    {
        QString data;
        QString cash;
    };

    QString name(Slot slot) const;
    QSqlDatabase database(Slot slot) const;
    void closeSlot(Slot slot);
    Result openSlot(Slot slot, const QString &path, bool checked);
    // Opens ana on data with cash attached, and kasa on cash.
    Result openSiteFiles(const SitePaths &paths, bool checked);
    void closeSiteFiles();

    QString m_suffix;
    QString m_paths[SlotCount];
    QString m_siteCode;
};

} // namespace dalvira

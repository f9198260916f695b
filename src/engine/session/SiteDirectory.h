#pragma once

#include "common/Result.h"
#include "session/SiteRecord.h"

#include <QList>
#include <QSqlDatabase>
#include <QStringList>

#include <optional>

namespace dalvira {

class Storage;

// The site list (firmabilgi in the general file) and the sites' own copies of their row:
// creating a site from the template, saving its information into both places, deleting it.
class SiteDirectory
{
public:
    explicit SiteDirectory(Storage &storage);

    enum class Order { ByName, ByCode };
    QList<SiteRecord> list(Order order = Order::ByName) const;
    std::optional<SiteRecord> findByCode(const QString &code) const;
    std::optional<SiteRecord> findByKey(qint64 key) const;
    // The first firmabilgi row of a site file (its own copy), if any.
    static std::optional<SiteRecord> ownRecord(const QSqlDatabase &siteDb);
    // Columns of firmabilgi in column order, firma_ind first.
    QStringList columns() const;

    // A new site: checks the code and name, makes Data/<code>.mdb from the template SiteAna.mdb,
    // stores its own copy of the row in it and adds the row to the list. Nothing is left behind
    // on failure (no file, no list row). A code that is listed but has lost its data file gets
    // a new file and keeps its single list row.
    // Messages: "Site kodunu boş geçemezsiniz.", "Site adını boş geçemezsiniz.",
    // "Site oluşturulması için gerekli dosya bulunamadı!", "Bu isimde kayıtlı site mevcut!..."
    Result createSite(const SiteRecord &record);

    // An existing list row (record.key): stores it and copies it into the site's own file,
    // appending the row there when the file has none. Both files or neither.
    // The open site's file is written through the main connection; any other site's file
    // through a connection of its own, so the open session stays on the open site.
    Result saveSite(const SiteRecord &record);

    // What deleting a list row involves, for the screen's questions.
    struct DeletionPlan
    {
        bool found = false;
        bool listRowOnly = false; // empty code, or one with blanks around it: no file is touched
        bool dataFileExists = false;
        bool cashFileExists = false;
        bool isOpenSite = false;
        QString code;
    };
    DeletionPlan planDeletion(qint64 key) const;

    // Deletes the list row and the site's data file (and its cash file when asked). The open
    // site is left first (its connections go back to the start-up files). A data file that
    // another program holds open is not deleted: "Site Silinemiyor!!!", the list row stays.
    // A row whose data file is gone is simply removed from the list (nothing else to lose).
    Result deleteSite(qint64 key, bool alsoCashFile);

    static QString duplicateSiteMessage();
    static QString cannotDeleteMessage();

private:
    Storage &m_storage;
};

} // namespace dalvira

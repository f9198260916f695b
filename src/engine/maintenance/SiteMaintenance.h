#pragma once

#include "common/Result.h"

#include <QString>
#include <QStringList>

namespace dalvira {

class Storage;

// Maintenance of the open site's two files, and the two bulk deletions.
namespace maintenance {

// "Veritabanı'na Bakım Yap": compacts Data/<code>.mdb and Data/<code>TUMK.mdb. The connections
// on them are closed around it and reopened after. A file another program holds open is left
// as it was, and the failure names it (it is not reported as done).
Result compactSite(Storage &storage, const QString &code);
QString compactedMessage(); // "Site veritabanı bakım işlemi yapıldı!"

enum class DeletionMode {
    All,       // "H": "Tüm Kayıtları Sil", flats included
    KeepFlats, // "E": "Üyeler Dışındaki Har. Sil"
};

// The tables emptied, in order, qualified by file ("main." data file, "kasa." cash file).
// The site's own firmabilgi row and the type tables gelirtur, gidertur, stoktur are kept.
QStringList deletionTables(DeletionMode mode);

// Empties the tables of the open site in one transaction over both files: all or nothing.
Result deleteRecords(Storage &storage, DeletionMode mode);

QString deletionQuestion(DeletionMode mode);
QString finalWarning();   // Yes stops, only No goes on
QString deletedMessage(); // "Silme işlemi yapıldı!"

} // namespace maintenance
} // namespace dalvira

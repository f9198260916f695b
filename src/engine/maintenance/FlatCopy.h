#pragma once

#include "common/Result.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace dalvira {

class Storage;

// "Başka Siteye Üyeleri Aktar": every flat of the open site into another site's data file,
// through the other-site connection.
namespace flatcopy {

struct Outcome
{
    int copied = 0;
    // Flat numbers (sicil_kodu) the target already had, in the open site's order; not copied.
    QList<QVariant> skipped;
};

// Opens the target on digerfirma() (it stays there until the next copy) and appends every flat
// of the open site whose number the target does not hold yet, every column but the key hid
// (photos included), matched by name. One transaction: all the new flats or none.
// Failures: emptyTargetMessage(), missingTargetMessage(code), sameSiteMessage(), or the
// database's message.
Result copyFlats(Storage &storage, const QString &targetCode, Outcome *outcome);

QString firstQuestion();
QString targetQuestion(const QString &openCode, const QString &targetCode);
QString duplicateMessage(const QVariant &number);
QString doneMessage(); // "Aktarma işlemi tamamlandı."
QString emptyTargetMessage();
QString missingTargetMessage(const QString &code);
QString sameSiteMessage();

} // namespace flatcopy
} // namespace dalvira

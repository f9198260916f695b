#pragma once

#include "session/SiteRecord.h"

#include <QList>
#include <QString>

namespace dalvira {

class Storage;

// The rows of the site list screen: every site of the list in the general file.
namespace sitelist {

enum class Column { Code, Name }; // firma_kodu, firma_unvani_1
enum class Direction { Ascending, Descending };

// "SELECT * FROM firmabilgi ORDER BY <column> <direction>", Turkish order. Throws
// OperationError with the database's message.
QList<SiteRecord> load(Storage &storage, Column column = Column::Name,
                       Direction direction = Direction::Ascending);

// "Ara": the first row after current (from the first when current is the last or none) whose
// name contains the text, both Turkish lower-cased; wraps round once. -1 when none does.
int findNext(const QList<SiteRecord> &rows, int current, const QString &text);

} // namespace sitelist
} // namespace dalvira

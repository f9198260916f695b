#pragma once

#include "flats/FlatListRow.h"
#include "report/Report.h"
#include "report/SiteLetterhead.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

namespace dalvira {

// The three printed lists of the flat list ("Yazdırma Seçenekleri").
enum class FlatPrintout { GeneralList, OwnersAttendance, ResidentsAttendance };

// "Genel Liste", "Kat Malikleri Hazirun", "Oturanlar Hazirun", in this order.
QStringList flatPrintoutChoices();

// The chosen printout over the rows as the list shows them (its filter and order): the site's
// heading, the title, the print date and time, one numbered line per flat.
Report buildFlatListReport(FlatPrintout kind, const QList<FlatListRow> &rows,
                           const SiteLetterhead &site, const QDateTime &printedAt);

} // namespace dalvira

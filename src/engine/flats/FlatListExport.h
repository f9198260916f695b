#pragma once

#include "common/Result.h"
#include "flats/FlatListRow.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dalvira {

// The flat list's spreadsheet ("Kayıtlı Daire Raporu"): the site's name in row 1 and the title
// in row 2 (bold, size 14), the eighteen column headings in bold in row 3, one flat per row
// from row 4 in the order given.
namespace FlatListExport {
inline constexpr int kTitleRow = 2;
inline constexpr int kHeadingRow = 3;
inline constexpr int kFirstDataRow = 4;
QString title();        // "Kayıtlı Daire Raporu"
QStringList headings(); // the eighteen column headings, in sheet order
} // namespace FlatListExport

// siteTitle is firma_unvani_1 + " " + firma_unvani_2 of the open site.
Result writeFlatListExport(const QString &path, const QList<FlatListRow> &rows,
                           const QString &siteTitle);

} // namespace dalvira

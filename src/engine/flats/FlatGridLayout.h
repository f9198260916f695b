#pragma once

#include "common/Result.h"

#include <QList>
#include <QString>

namespace dalvira {

// The column layout of the flat record screen's list grid, kept in "OzlukAyar.ini", section
// "OzlukTablo": per column, keyed by its field name followed by one letter, "a" the field
// name, "i" its position (0 = first), "w" its width in pixels, "v" "True" when visible.
struct GridColumnLayout
{
    QString field;
    int position = 0;
    int width = 0;
    bool visible = true;
};

inline constexpr const char *kFlatGridLayoutFile = "OzlukAyar.ini";
inline constexpr const char *kFlatGridLayoutSection = "OzlukTablo";

// "OzlukAyar.ini" in the program folder.
QString flatGridLayoutPath();

// The layout stored in path, for the columns of defaults (in their default order). A column
// or key the file lacks, or a value that is not a number, keeps its default, so a file
// written before a column existed still loads. Returned in display order (by position, ties
// in default order), positions renumbered 0..n-1. A missing file gives the defaults.
QList<GridColumnLayout> readFlatGridLayout(const QString &path,
                                           const QList<GridColumnLayout> &defaults);

// Writes the columns, in the order given, as the layout (positions 0..n-1 in that order).
// Other sections and keys of the file stay.
Result writeFlatGridLayout(const QString &path, const QList<GridColumnLayout> &columns);

} // namespace dalvira

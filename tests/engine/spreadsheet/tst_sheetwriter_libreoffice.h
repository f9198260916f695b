#pragma once

#include <QHash>
#include <QString>

// LibreOffice as an independent judge of written workbooks: it converts them with a fresh
// profile that recalculates every formula on load and shows numbers in the Turkish locale.
namespace sheettest {

QString sofficeProgram();

// Converts file into outDir with the given --convert-to filter; false with the reason on
// failure.
bool convertWithLibreOffice(const QString &file, const QString &filter, const QString &outDir,
                            QString *error);

// How LibreOffice shows one cell of the first sheet of a flat .fods document.
struct ShownCell
{
    bool bold = false;
    double fontSize = 0; // points; 0 when the default
    int decimals = -1;   // of the number format; -1 when none
    bool grouping = false;
};

struct FlatSheet
{
    QHash<QString, ShownCell> cells;   // by address, "A1"
    QHash<int, double> columnWidthsCm; // 1-based column
};

bool readFlatSheet(const QString &fodsPath, FlatSheet &sheet, QString *error);

} // namespace sheettest

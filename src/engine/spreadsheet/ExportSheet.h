#pragma once

#include "common/Money.h"
#include "common/Result.h"

#include <QDate>
#include <QList>
#include <QString>
#include <variant>

namespace dalvira {

class SheetWriter;

// The frame every list export shares: the site's name, address and telephone in rows 1-3
// (rows 1-2 bold, size 14), the title, the column headings in bold, the data rows numbered
// from 1, and a bold total row of sum formulas below the data. Each screen gives its own
// columns and row positions.
enum class ExportKind { Text, Integer, Number, Amount, Date };

struct ExportColumn
{
    QString caption;
    ExportKind kind = ExportKind::Text;
    // Minimum width in characters; the column is fitted to its data beyond that.
    double width = 0;
    // Summed in the total row (Integer, Number and Amount columns).
    bool total = false;
};

// A cell value. Amount columns take Money or double (rounded to the kuruş), Integer
// columns qint64, Number columns double, Date columns QDate; a text is written as text in
// any column, and monostate leaves the cell empty.
using ExportValue = std::variant<std::monostate, QString, qint64, double, Money, QDate>;

struct ExportLayout
{
    int titleRow = 4;
    int headingRow = 5;
    // 0: the row after the headings.
    int firstDataRow = 0;
    // A first column numbering the rows from 1.
    bool numbered = true;
    QString numberCaption = QStringLiteral("S.No");
    // The total row sits this many rows below the last data row.
    int totalRowOffset = 2;
    QString totalCaption = QStringLiteral("TOPLAM TUTARLAR");
    // Sheet column of the total caption; 0: the column left of the first total column.
    int totalCaptionColumn = 0;
    bool titleBold = true;
    double siteFontSize = 14;
};

struct ExportSheet
{
    QString siteName;
    QString siteAddress;
    QString sitePhone;
    QString title;
    QList<ExportColumn> columns;
    QList<QList<ExportValue>> rows;
    ExportLayout layout;
};

// Where the frame put things, for callers that add rows of their own below it.
struct ExportPlacement
{
    int firstDataRow = 0;
    int lastDataRow = 0; // firstDataRow - 1 when there are no rows
    int totalRow = 0;    // 0 when no column is totalled
    // Sheet column of each of the sheet's columns (after the numbering column, if any).
    QList<int> columnOf;
};

// Writes the frame into the writer's sheet (which the caller then closes).
ExportPlacement writeExportSheet(SheetWriter &writer, const ExportSheet &sheet);
// Writes the frame into a new .xlsx at path.
Result writeExportFile(const QString &path, const ExportSheet &sheet);

} // namespace dalvira

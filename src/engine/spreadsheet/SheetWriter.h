#pragma once

#include "common/Result.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <map>
#include <optional>
#include <variant>

namespace dalvira {

// Character formatting of cells; unset parts leave what a wider format (rows, columns) gave.
struct CellStyle
{
    std::optional<bool> bold;
    std::optional<double> fontSize;
    // In the file format's own syntax ("#,##0.00", "dd.mm.yyyy"); a Turkish-locale
    // spreadsheet shows "#,##0.00" as 1.234,56.
    QString numberFormat;

    static CellStyle makeBold(double fontSize = 0);
    static CellStyle withFormat(const QString &numberFormat, bool bold = false);
    // Parts set in over win.
    CellStyle mergedWith(const CellStyle &over) const;
    bool operator==(const CellStyle &) const = default;
};

// Writes one worksheet into a new .xlsx. Cells and formats are collected in any order and
// written when the sheet is closed, so a range may be formatted before or after its data, as
// with a spreadsheet program. Rows and columns are 1-based, as the spreadsheet numbers them.
// Nothing reaches the disk before close(); a writer dropped without it leaves no file.
class SheetWriter
{
public:
    static constexpr int kMaxRow = 1048576;
    static constexpr int kMaxColumn = 16384;
    static constexpr const char *kDateFormat = "dd.mm.yyyy";

    explicit SheetWriter(QString path, QString sheetName = QStringLiteral("Sayfa1"));
    ~SheetWriter() = default;
    SheetWriter(const SheetWriter &) = delete;
    SheetWriter &operator=(const SheetWriter &) = delete;

    const QString &path() const { return m_path; }

    void writeText(int row, int column, const QString &text, const CellStyle &style = {});
    void writeInteger(int row, int column, qint64 value, const CellStyle &style = {});
    // A value that is not a number (NaN, infinity) leaves the cell empty.
    void writeNumber(int row, int column, double value, const CellStyle &style = {});
    // A real date cell, shown dd.mm.yyyy unless the style gives another format; an invalid
    // date leaves the cell empty.
    void writeDate(int row, int column, const QDate &date, const CellStyle &style = {});
    // formula as "=SUM(E6:E20)" (English function names, "," between arguments); value is its
    // result, stored with it so that every viewer shows it without recalculating.
    void writeFormula(int row, int column, const QString &formula, double value,
                      const CellStyle &style = {});

    // Formats, later calls over earlier ones; a cell's own style wins over all of them.
    void formatRange(int firstRow, int firstColumn, int lastRow, int lastColumn,
                     const CellStyle &style);
    // Whole rows ("A1:IV2"), also the cells the user fills in later.
    void formatRows(int firstRow, int lastRow, const CellStyle &style);
    // Whole columns ("E:E").
    void formatColumns(int firstColumn, int lastColumn, const CellStyle &style);

    // Width in characters of the default font. A fixed width is kept as it is; a minimum
    // width is a floor for fitting.
    void setColumnWidth(int column, double width);
    void setMinimumColumnWidth(int column, double width);
    // Fits every column to the longest text written into the rows given (all rows by
    // default), so headings above a list may run across empty neighbours instead of
    // widening the first column.
    void fitColumnWidths(int firstRow = 1, int lastRow = kMaxRow);

    // The text of a cell address: (6, 5) -> "E6"; column(5) -> "E".
    static QString columnName(int column);
    static QString cellName(int row, int column);

    // Writes the file; replaces an existing one only when the new one is complete.
    // Closing twice returns the first outcome.
    Result close();

private:
    struct Formula
    {
        QString text;
        double value = 0;
    };
    using Value = std::variant<std::monostate, QString, double, QDate, Formula>;
    struct Cell
    {
        Value value;
        CellStyle style;
    };
    struct RangeFormat
    {
        int firstRow, firstColumn, lastRow, lastColumn;
        CellStyle style;
    };

    bool checkAddress(int row, int column);
    void put(int row, int column, Value value, const CellStyle &style);
    CellStyle styleAt(int row, int column, const CellStyle &own) const;
    double fittedWidth(int column) const;

    QString m_path;
    QString m_sheetName;
    std::map<std::pair<int, int>, Cell> m_cells;
    QList<RangeFormat> m_formats;
    QHash<int, double> m_fixedWidths;
    QHash<int, double> m_minimumWidths;
    bool m_fit = false;
    int m_fitFirstRow = 1;
    int m_fitLastRow = kMaxRow;
    QString m_addressError;
    std::optional<Result> m_closed;
};

} // namespace dalvira

#pragma once

#include "common/Result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dalvira {

// The cell texts of a sheet's first worksheet, from A1 to one row and one column beyond the
// last used cell, so the last row and the last column are empty (unless the row cap cut the
// sheet). Rows and columns are 1-based, as the spreadsheet numbers them.
class SheetGrid
{
public:
    SheetGrid() = default;
    SheetGrid(int rowCount, int columnCount);

    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return m_columnCount; }
    // Empty outside the grid.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    const QStringList &row(int row) const { return m_rows.at(row - 1); }
    // True when the sheet went on beyond the row cap and was cut there.
    bool truncated() const { return m_truncated; }
    void setTruncated(bool truncated) { m_truncated = truncated; }

private:
    QList<QStringList> m_rows;
    int m_columnCount = 0;
    bool m_truncated = false;
};

// Reads the first worksheet of an .xlsx, .ods, .xls or .csv file into cell texts: numbers as
// the Turkish locale writes them without grouping (1234,5), dates as dd.MM.yyyy, texts as they
// are. The kind of file is told by its content; only .csv and .txt files are read as text.
class SheetReader
{
public:
    static constexpr int kMaxRows = 6500;
    // Column IV, the widest sheet older spreadsheets allow; further columns are left out.
    static constexpr int kMaxColumns = 256;

    // On failure the grid is left empty and the result carries the message to show.
    static Result read(const QString &path, SheetGrid &grid, int maxRows = kMaxRows);
};

} // namespace dalvira

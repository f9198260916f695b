#pragma once

// Internal to the sheet reader: the grid being filled and one reader per file kind.

#include "common/Result.h"
#include "spreadsheet/SheetReader.h"
#include "spreadsheet/ZipPackage.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dalvira::sheetio {

// Collects the non-empty cells of a sheet within the row and column caps and remembers the
// last used cell, from which the grid's size follows.
class GridBuilder
{
public:
    GridBuilder(int maxRows, int maxColumns) : m_maxRows(maxRows), m_maxColumns(maxColumns) {}

    int maxRows() const { return m_maxRows; }
    int maxColumns() const { return m_maxColumns; }
    // Empty texts are no content; cells beyond the caps are dropped (rows beyond the cap mark
    // the grid as cut).
    void set(int row, int column, const QString &text);
    // The reader saw content beyond the row cap without storing it.
    void markTruncated() { m_truncated = true; }
    SheetGrid finish() const;

private:
    int m_maxRows;
    int m_maxColumns;
    int m_lastRow = 0;
    int m_lastColumn = 0;
    bool m_truncated = false;
    QList<QStringList> m_rows;
};

// The messages of a failed import, with the file's path in them.
struct ReadMessages
{
    static QString notFound(const QString &path);
    static QString unreadable(const QString &path, const QString &reason);
    static QString notSpreadsheet(const QString &path);
    static QString damaged(const QString &path);
    static QString encrypted(const QString &path);
};

class XlsxSheetSource
{
public:
    static Result read(ZipPackage &zip, const QString &path, GridBuilder &grid);
};

class OdsSheetSource
{
public:
    static Result read(ZipPackage &zip, const QString &path, GridBuilder &grid);
};

class XlsSheetSource
{
public:
    static Result read(const QString &path, GridBuilder &grid);
};

class CsvSheetSource
{
public:
    static Result read(const QString &path, GridBuilder &grid);
    // Parsing on its own, for data already in memory; the encoding is found as for files.
    static void parse(const QByteArray &data, GridBuilder &grid);
};

} // namespace dalvira::sheetio

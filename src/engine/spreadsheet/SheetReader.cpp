#include "SheetReader.h"

#include "SheetSources.h"
#include "ZipPackage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dalvira {

using namespace sheetio;

SheetGrid::SheetGrid(int rowCount, int columnCount) : m_columnCount(columnCount)
{
    QStringList emptyRow;
    emptyRow.resize(columnCount);
    m_rows = QList<QStringList>(rowCount, emptyRow);
}

QString SheetGrid::cell(int row, int column) const
{
    if (row < 1 || row > rowCount() || column < 1 || column > m_columnCount)
        return {};
    return m_rows.at(row - 1).at(column - 1);
}

void SheetGrid::setCell(int row, int column, const QString &text)
{
    if (row < 1 || row > rowCount() || column < 1 || column > m_columnCount)
        return;
    m_rows[row - 1][column - 1] = text;
}

namespace sheetio {

void GridBuilder::set(int row, int column, const QString &text)
{
    if (text.isEmpty() || row < 1 || column < 1)
        return;
    if (row > m_maxRows) {
        m_truncated = true;
        return;
    }
    if (column > m_maxColumns)
        return;
    if (m_rows.size() < row)
        m_rows.resize(row);
    QStringList &cells = m_rows[row - 1];
    if (cells.size() < column)
        cells.resize(column);
    cells[column - 1] = text;
    m_lastRow = qMax(m_lastRow, row);
    m_lastColumn = qMax(m_lastColumn, column);
}

SheetGrid GridBuilder::finish() const
{
    // An empty sheet's last used cell is A1, as spreadsheets report it.
    const int rows = qMin(qMax(m_lastRow, 1) + 1, m_maxRows);
    const int columns = qMin(qMax(m_lastColumn, 1) + 1, m_maxColumns);
    SheetGrid grid(rows, columns);
    for (int r = 0; r < qMin(int(m_rows.size()), rows); ++r) {
        const QStringList &cells = m_rows.at(r);
        for (int c = 0; c < qMin(int(cells.size()), columns); ++c)
            grid.setCell(r + 1, c + 1, cells.at(c));
    }
    grid.setTruncated(m_truncated);
    return grid;
}

static QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString ReadMessages::notFound(const QString &path)
{
    return QStringLiteral("\"%1\" dosyası bulunamadı.").arg(shown(path));
}

QString ReadMessages::unreadable(const QString &path, const QString &reason)
{
    return QStringLiteral("\"%1\" dosyası açılamadı. Sistem Mesajı: %2").arg(shown(path), reason);
}

QString ReadMessages::notSpreadsheet(const QString &path)
{
    return QStringLiteral("\"%1\" okunabilen bir tablo dosyası değil. Excel (xlsx, xls), "
                          "Calc (ods) ya da CSV dosyası seçin.")
        .arg(shown(path));
}

QString ReadMessages::damaged(const QString &path)
{
    return QStringLiteral("\"%1\" dosyası bozuk, okunamadı.").arg(shown(path));
}

QString ReadMessages::encrypted(const QString &path)
{
    return QStringLiteral("\"%1\" dosyası parola ile korunuyor. Dosyayı parolasız kaydedip "
                          "yeniden deneyin.")
        .arg(shown(path));
}

} // namespace sheetio

namespace {

enum class FileKind { Zip, Compound, Text, Unknown };

FileKind kindOf(const QString &path, const QByteArray &head)
{
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06"))
        return FileKind::Zip;
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return FileKind::Compound;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        return FileKind::Text;
    return FileKind::Unknown;
}

// Only zip packages that say what they are: a workbook's content types, or an OpenDocument
// spreadsheet's mimetype (or its content.xml when the mimetype entry is missing).
Result readZip(const QString &path, GridBuilder &grid)
{
    ZipPackage zip(path);
    if (!zip.isOpen())
        return Result::failure(ReadMessages::damaged(path));
    if (zip.contains(QStringLiteral("[Content_Types].xml")))
        return XlsxSheetSource::read(zip, path, grid);
    QByteArray mimetype;
    if (zip.readSmall(QStringLiteral("mimetype"), mimetype, 256) == ZipPackage::PartStatus::Ok) {
        if (!mimetype.trimmed().startsWith("application/vnd.oasis.opendocument.spreadsheet"))
            return Result::failure(ReadMessages::notSpreadsheet(path));
        return OdsSheetSource::read(zip, path, grid);
    }
    if (zip.contains(QStringLiteral("content.xml")))
        return OdsSheetSource::read(zip, path, grid);
    return Result::failure(ReadMessages::notSpreadsheet(path));
}

// A password-protected .xlsx is a compound file holding the encrypted package.
bool isEncryptedPackage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray marker =
        QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    // The directory sits near the start of small files and is found within a few megabytes
    // for any workbook worth importing.
    const QByteArray data = file.read(8 << 20);
    return data.contains(marker);
}

} // namespace

Result SheetReader::read(const QString &path, SheetGrid &grid, int maxRows)
{
    grid = SheetGrid();
    const QFileInfo info(path);
    if (!info.exists())
        return Result::failure(ReadMessages::notFound(path));
    if (!info.isFile())
        return Result::failure(ReadMessages::notSpreadsheet(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(ReadMessages::unreadable(path, file.errorString()));
    const QByteArray head = file.read(8);
    file.close();

    GridBuilder builder(qMax(1, maxRows), kMaxColumns);
    Result result;
    switch (kindOf(path, head)) {
    case FileKind::Zip:
        result = readZip(path, builder);
        break;
    case FileKind::Compound:
        result = isEncryptedPackage(path) ? Result::failure(ReadMessages::encrypted(path))
                                          : XlsSheetSource::read(path, builder);
        break;
    case FileKind::Text:
        result = CsvSheetSource::read(path, builder);
        break;
    case FileKind::Unknown:
        result = Result::failure(ReadMessages::notSpreadsheet(path));
        break;
    }
    if (result)
        grid = builder.finish();
    return result;
}

} // namespace dalvira

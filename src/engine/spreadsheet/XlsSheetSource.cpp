#include "SheetSources.h"
#include "SheetValueText.h"

#include <QFile>
#include <freexl.h>

namespace dalvira::sheetio {

namespace {

// Closes the workbook on every path; FreeXL wants it closed even after a failed open.
class FreeXlHandle
{
public:
    ~FreeXlHandle()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    const void **out() { return &m_handle; }
    const void *get() const { return m_handle; }

private:
    const void *m_handle = nullptr;
};

QString cellText(const FreeXL_CellValue &value)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        return QString::number(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return numberCellText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return value.value.text_value ? QString::fromUtf8(value.value.text_value) : QString();
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        return value.value.text_value ? isoDateCellText(QString::fromUtf8(value.value.text_value))
                                      : QString();
    case FREEXL_CELL_TIME:
        return value.value.text_value ? QString::fromUtf8(value.value.text_value) : QString();
    default:
        return {};
    }
}

// A workbook saved with a password starts its stream with the workbook's BOF record followed
// by FILEPASS (0x002F); FreeXL then only sees scrambled records.
bool hasFilePass(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.read(4 << 20);
    static const QByteArray bof("\x09\x08\x10\x00\x00\x06\x05\x00", 8);
    static const QByteArray filePass("\x2F\x00", 2);
    for (qsizetype at = data.indexOf(bof); at >= 0; at = data.indexOf(bof, at + 1)) {
        if (data.mid(at + 20, 2) == filePass)
            return true;
    }
    return false;
}

} // namespace

Result XlsSheetSource::read(const QString &path, GridBuilder &grid)
{
    if (hasFilePass(path))
        return Result::failure(ReadMessages::encrypted(path));
    FreeXlHandle handle;
    const int opened = freexl_open(QFile::encodeName(path).constData(), handle.out());
    if (opened == FREEXL_FILE_NOT_FOUND)
        return Result::failure(ReadMessages::notFound(path));
    if (opened == FREEXL_BIFF_WORKBOOK_NOT_FOUND)
        return Result::failure(ReadMessages::notSpreadsheet(path));
    if (opened != FREEXL_OK)
        return Result::failure(ReadMessages::damaged(path));

    unsigned int protection = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK &&
        protection == FREEXL_BIFF_OBFUSCATED)
        return Result::failure(ReadMessages::encrypted(path));

    unsigned int sheets = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        return Result::failure(ReadMessages::damaged(path));
    if (freexl_select_active_worksheet(handle.get(), 0) != FREEXL_OK)
        return Result::failure(ReadMessages::damaged(path));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(handle.get(), &rows, &columns) != FREEXL_OK)
        return Result::failure(ReadMessages::damaged(path));

    const unsigned int lastColumn = qMin<unsigned int>(columns, unsigned(grid.maxColumns()));
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned int c = 0; c < lastColumn; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle.get(), r, (unsigned short)c, &value) != FREEXL_OK)
                return Result::failure(ReadMessages::damaged(path));
            const QString text = cellText(value);
            grid.set(int(r) + 1, int(c) + 1, text);
            if (int(r) + 1 > grid.maxRows() && !text.isEmpty())
                return Result::success();
        }
    }
    return Result::success();
}

} // namespace dalvira::sheetio

#include "SheetWriter.h"

#include "SheetValueText.h"
#include "XlsxLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace dalvira {

namespace {

// The default font of a new workbook; widths are counted in its characters.
constexpr double kDefaultFontSize = 11.0;
constexpr double kMaxFittedWidth = 100.0;
// Cells hold at most this many characters.
constexpr qsizetype kMaxTextLength = 32767;

QString saveFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("\"%1\" dosyası kaydedilemedi. Sistem Mesajı: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString reasonOf(const sheetio::XlsxLibrary &lxw, lxw_error error)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("Bellek yetersiz.");
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("Dosya oluşturulamadı.");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("Geçici dosya oluşturulamadı ya da okunamadı.");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("Dosya sıkıştırılırken hata oluştu (disk dolu olabilir).");
    default:
        return QString::fromUtf8(lxw.strerror(error));
    }
}

// Sheet names may not hold []:*?/\ and are at most 31 characters long.
QString validSheetName(const QString &name)
{
    QString valid;
    for (const QChar c : name) {
        if (!QStringLiteral("[]:*?/\\").contains(c))
            valid += c;
    }
    valid = valid.left(31).trimmed();
    while (valid.startsWith(QLatin1Char('\'')))
        valid.remove(0, 1);
    while (valid.endsWith(QLatin1Char('\'')))
        valid.chop(1);
    return valid.isEmpty() ? QStringLiteral("Sayfa1") : valid;
}

// Characters the number occupies when shown with the format: decimals and grouping as the
// format asks ("#,##0.00" -> 1.234,56), the shortest form otherwise.
qsizetype shownNumberLength(double value, const QString &format)
{
    const QString section = format.section(QLatin1Char(';'), 0, 0);
    if (section.isEmpty() || !section.contains(QLatin1Char('0')))
        return numberCellText(value).size();
    const qsizetype point = section.indexOf(QLatin1Char('.'));
    int decimals = 0;
    if (point >= 0) {
        for (qsizetype i = point + 1; i < section.size() && (section.at(i) == QLatin1Char('0') ||
                                                             section.at(i) == QLatin1Char('#'));
             ++i)
            ++decimals;
    }
    const QString digits = QString::number(std::fabs(value), 'f', decimals);
    const qsizetype integerDigits = decimals > 0 ? digits.indexOf(QLatin1Char('.')) : digits.size();
    const bool grouped =
        section.left(point >= 0 ? point : section.size()).contains(QLatin1Char(','));
    return digits.size() + (grouped ? (integerDigits - 1) / 3 : 0) + (value < 0 ? 1 : 0);
}

std::string utf8(const QString &text)
{
    return text.toStdString();
}

// Workbook strings write characters XML cannot hold as _xHHHH_; a text that holds such a
// sequence itself keeps it by escaping its underscore (_x005F_), or viewers would decode it.
std::string cellTextUtf8(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return utf8(text);
    static const QRegularExpression literal(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
    QString escaped = text;
    escaped.replace(literal, QStringLiteral("_x005F_"));
    return utf8(escaped);
}

} // namespace

CellStyle CellStyle::makeBold(double fontSize)
{
    CellStyle style;
    style.bold = true;
    if (fontSize > 0)
        style.fontSize = fontSize;
    return style;
}

CellStyle CellStyle::withFormat(const QString &numberFormat, bool bold)
{
    CellStyle style;
    style.numberFormat = numberFormat;
    if (bold)
        style.bold = true;
    return style;
}

CellStyle CellStyle::mergedWith(const CellStyle &over) const
{
    CellStyle merged = *this;
    if (over.bold)
        merged.bold = over.bold;
    if (over.fontSize)
        merged.fontSize = over.fontSize;
    if (!over.numberFormat.isEmpty())
        merged.numberFormat = over.numberFormat;
    return merged;
}

SheetWriter::SheetWriter(QString path, QString sheetName)
    : m_path(std::move(path)), m_sheetName(validSheetName(sheetName))
{
}

bool SheetWriter::checkAddress(int row, int column)
{
    if (row >= 1 && row <= kMaxRow && column >= 1 && column <= kMaxColumn)
        return true;
    if (m_addressError.isEmpty())
        m_addressError =
            QStringLiteral("Geçersiz hücre adresi: satır %1, sütun %2.").arg(row).arg(column);
    return false;
}

void SheetWriter::put(int row, int column, Value value, const CellStyle &style)
{
    if (!checkAddress(row, column))
        return;
    m_cells[{row, column}] = Cell{std::move(value), style};
}

void SheetWriter::writeText(int row, int column, const QString &text, const CellStyle &style)
{
    put(row, column, text.left(kMaxTextLength), style);
}

void SheetWriter::writeInteger(int row, int column, qint64 value, const CellStyle &style)
{
    put(row, column, double(value), style);
}

void SheetWriter::writeNumber(int row, int column, double value, const CellStyle &style)
{
    if (std::isfinite(value))
        put(row, column, value, style);
    else
        put(row, column, std::monostate{}, style);
}

void SheetWriter::writeDate(int row, int column, const QDate &date, const CellStyle &style)
{
    if (!date.isValid()) {
        put(row, column, std::monostate{}, style);
        return;
    }
    // Spreadsheets have no dates before 1900; such a date stays readable as text.
    if (date.year() < 1900 || date.year() > 9999) {
        put(row, column, date.toString(QStringLiteral("dd.MM.yyyy")), style);
        return;
    }
    put(row, column, date, style);
}

void SheetWriter::writeFormula(int row, int column, const QString &formula, double value,
                               const CellStyle &style)
{
    put(row, column, Formula{formula, std::isfinite(value) ? value : 0.0}, style);
}

void SheetWriter::formatRange(int firstRow, int firstColumn, int lastRow, int lastColumn,
                              const CellStyle &style)
{
    // A range outside the sheet is cut to it; formatting never stops an export.
    firstRow = qBound(1, firstRow, kMaxRow);
    lastRow = qBound(1, lastRow, kMaxRow);
    firstColumn = qBound(1, firstColumn, kMaxColumn);
    lastColumn = qBound(1, lastColumn, kMaxColumn);
    if (firstRow > lastRow || firstColumn > lastColumn)
        return;
    m_formats.append({firstRow, firstColumn, lastRow, lastColumn, style});
}

void SheetWriter::formatRows(int firstRow, int lastRow, const CellStyle &style)
{
    formatRange(firstRow, 1, lastRow, kMaxColumn, style);
}

void SheetWriter::formatColumns(int firstColumn, int lastColumn, const CellStyle &style)
{
    formatRange(1, firstColumn, kMaxRow, lastColumn, style);
}

void SheetWriter::setColumnWidth(int column, double width)
{
    if (column >= 1 && column <= kMaxColumn && width > 0)
        m_fixedWidths.insert(column, width);
}

void SheetWriter::setMinimumColumnWidth(int column, double width)
{
    if (column >= 1 && column <= kMaxColumn && width > 0)
        m_minimumWidths.insert(column, width);
}

void SheetWriter::fitColumnWidths(int firstRow, int lastRow)
{
    m_fit = true;
    m_fitFirstRow = firstRow;
    m_fitLastRow = lastRow;
}

QString SheetWriter::columnName(int column)
{
    QString name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

QString SheetWriter::cellName(int row, int column)
{
    return columnName(column) + QString::number(row);
}

CellStyle SheetWriter::styleAt(int row, int column, const CellStyle &own) const
{
    CellStyle style;
    for (const RangeFormat &f : m_formats) {
        if (row >= f.firstRow && row <= f.lastRow && column >= f.firstColumn &&
            column <= f.lastColumn)
            style = style.mergedWith(f.style);
    }
    return style.mergedWith(own);
}

double SheetWriter::fittedWidth(int column) const
{
    double widest = 0;
    for (const auto &[address, cell] : m_cells) {
        const auto [row, cellColumn] = address;
        if (cellColumn != column || row < m_fitFirstRow || row > m_fitLastRow)
            continue;
        const CellStyle style = styleAt(row, column, cell.style);
        qsizetype length = 0;
        if (const auto *text = std::get_if<QString>(&cell.value)) {
            for (const QString &line : text->split(QLatin1Char('\n')))
                length = qMax(length, line.size());
        } else if (const auto *number = std::get_if<double>(&cell.value)) {
            length = shownNumberLength(*number, style.numberFormat);
        } else if (const auto *formula = std::get_if<Formula>(&cell.value)) {
            length = shownNumberLength(formula->value, style.numberFormat);
        } else if (std::holds_alternative<QDate>(cell.value)) {
            length = 10;
        }
        if (length == 0)
            continue;
        const double scale = style.fontSize.value_or(kDefaultFontSize) / kDefaultFontSize *
                             (style.bold.value_or(false) ? 1.1 : 1.0);
        widest = qMax(widest, double(length) * scale + 2.0);
    }
    return qMin(widest, kMaxFittedWidth);
}

Result SheetWriter::close()
{
    if (m_closed)
        return *m_closed;
    const auto finish = [this](Result result) {
        m_closed = result;
        m_cells.clear();
        return result;
    };
    if (!m_addressError.isEmpty())
        return finish(Result::failure(saveFailed(m_path, m_addressError)));

    const QFileInfo target(m_path);
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.open()) {
        return finish(Result::failure(
            saveFailed(m_path, QStringLiteral("Klasöre yazılamıyor: %1")
                                   .arg(QDir::toNativeSeparators(target.absolutePath())))));
    }
    const QString temporaryPath = temporary.fileName();
    temporary.close();

    QString loadError;
    const sheetio::XlsxLibrary *library = sheetio::XlsxLibrary::instance(&loadError);
    if (!library) {
        QFile::remove(temporaryPath);
        return finish(Result::failure(saveFailed(
            m_path, QStringLiteral("Excel yazma kitaplığı yüklenemedi: %1").arg(loadError))));
    }
    const sheetio::XlsxLibrary &lxw = *library;
    lxw_workbook *workbook = lxw.workbookNew(QFile::encodeName(temporaryPath).constData());
    lxw_worksheet *sheet =
        workbook ? lxw.addWorksheet(workbook, utf8(m_sheetName).c_str()) : nullptr;
    if (!sheet) {
        if (workbook)
            lxw.workbookClose(workbook);
        QFile::remove(temporaryPath);
        return finish(
            Result::failure(saveFailed(m_path, reasonOf(lxw, LXW_ERROR_MEMORY_MALLOC_FAILED))));
    }

    QHash<QString, lxw_format *> formats;
    const auto formatFor = [&](const CellStyle &style, bool isDate) -> lxw_format * {
        QString numberFormat = style.numberFormat;
        if (numberFormat.isEmpty() && isDate)
            numberFormat = QString::fromLatin1(kDateFormat);
        const bool bold = style.bold.value_or(false);
        const double size = style.fontSize.value_or(0);
        if (!bold && size <= 0 && numberFormat.isEmpty())
            return nullptr;
        const QString key = QStringLiteral("%1|%2|%3").arg(bold).arg(size).arg(numberFormat);
        lxw_format *&format = formats[key];
        if (!format) {
            format = lxw.addFormat(workbook);
            if (bold)
                lxw.setBold(format);
            if (size > 0)
                lxw.setFontSize(format, size);
            if (!numberFormat.isEmpty())
                lxw.setNumFormat(format, utf8(numberFormat).c_str());
        }
        return format;
    };

    // Whole rows and columns carry their format for cells filled in later. Errors while
    // formatting are ignored: the data matter, the looks do not stop an export.
    for (const RangeFormat &f : std::as_const(m_formats)) {
        if (f.firstColumn == 1 && f.lastColumn == kMaxColumn && f.lastRow - f.firstRow < 1000) {
            for (int row = f.firstRow; row <= f.lastRow; ++row)
                lxw.setRow(sheet, lxw_row_t(row - 1), LXW_DEF_ROW_HEIGHT,
                           formatFor(styleAt(row, kMaxColumn, {}), false));
        }
    }
    QList<int> columns;
    for (const auto &[address, cell] : m_cells) {
        if (!columns.contains(address.second))
            columns.append(address.second);
    }
    for (const RangeFormat &f : std::as_const(m_formats)) {
        if (f.firstRow == 1 && f.lastRow == kMaxRow && f.lastColumn - f.firstColumn < 1000) {
            for (int column = f.firstColumn; column <= f.lastColumn; ++column) {
                if (!columns.contains(column))
                    columns.append(column);
            }
        }
    }
    for (auto it = m_fixedWidths.cbegin(); it != m_fixedWidths.cend(); ++it) {
        if (!columns.contains(it.key()))
            columns.append(it.key());
    }
    for (const int column : std::as_const(columns)) {
        double width = m_fixedWidths.value(column, 0);
        if (width <= 0 && m_fit)
            width = qMax(fittedWidth(column), m_minimumWidths.value(column, 0));
        if (width <= 0)
            width = qMax(LXW_DEF_COL_WIDTH, m_minimumWidths.value(column, 0));
        bool wholeColumn = false;
        for (const RangeFormat &f : std::as_const(m_formats))
            wholeColumn = wholeColumn || (f.firstRow == 1 && f.lastRow == kMaxRow &&
                                          column >= f.firstColumn && column <= f.lastColumn);
        lxw_format *format = wholeColumn ? formatFor(styleAt(kMaxRow, column, {}), false) : nullptr;
        lxw.setColumn(sheet, lxw_col_t(column - 1), lxw_col_t(column - 1), width, format);
    }

    for (const auto &[address, cell] : m_cells) {
        const lxw_row_t row = lxw_row_t(address.first - 1);
        const lxw_col_t column = lxw_col_t(address.second - 1);
        const CellStyle style = styleAt(address.first, address.second, cell.style);
        if (const auto *text = std::get_if<QString>(&cell.value)) {
            lxw.writeString(sheet, row, column, cellTextUtf8(*text).c_str(),
                            formatFor(style, false));
        } else if (const auto *number = std::get_if<double>(&cell.value)) {
            lxw.writeNumber(sheet, row, column, *number, formatFor(style, false));
        } else if (const auto *date = std::get_if<QDate>(&cell.value)) {
            lxw_datetime value = {date->year(), date->month(), date->day(), 0, 0, 0.0};
            lxw.writeDatetime(sheet, row, column, &value, formatFor(style, true));
        } else if (const auto *formula = std::get_if<Formula>(&cell.value)) {
            lxw.writeFormulaNum(sheet, row, column, utf8(formula->text).c_str(),
                                formatFor(style, false), formula->value);
        } else if (lxw_format *format = formatFor(style, false)) {
            lxw.writeBlank(sheet, row, column, format);
        }
    }

    const lxw_error error = lxw.workbookClose(workbook);
    if (error != LXW_NO_ERROR) {
        QFile::remove(temporaryPath);
        return finish(Result::failure(saveFailed(m_path, reasonOf(lxw, error))));
    }
    // Read for everyone like any other document (temporary files are private), or as the
    // file it replaces was.
    QFile::setPermissions(temporaryPath, target.exists() ? QFile::permissions(m_path)
                                                         : QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadGroup | QFile::ReadOther);
    std::error_code renameError;
    std::filesystem::rename(QFile::encodeName(temporaryPath).toStdString(),
                            QFile::encodeName(target.absoluteFilePath()).toStdString(),
                            renameError);
    if (renameError) {
        QFile::remove(temporaryPath);
        return finish(Result::failure(
            saveFailed(m_path, QStringLiteral("Dosyanın yerine yazılamadı: %1")
                                   .arg(QString::fromLocal8Bit(renameError.message().c_str())))));
    }
    return finish(Result::success());
}

} // namespace dalvira

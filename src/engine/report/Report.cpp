#include "report/Report.h"

#include <utility>

namespace dalvira {

QString ReportValue::text(const char *amountFormat) const
{
    switch (m_type) {
    case Type::Empty:
        return {};
    case Type::Text:
        return m_text;
    case Type::Amount:
        return formatAmount(m_amount.toDouble(), amountFormat);
    case Type::Date:
        return formatDate(m_date);
    case Type::Integer:
        return QString::number(m_integer);
    }
    return {};
}

Qt::Alignment ReportColumn::effectiveAlignment() const
{
    if (alignment != Qt::Alignment())
        return alignment;
    switch (kind) {
    case ColumnKind::Amount:
    case ColumnKind::Integer:
    case ColumnKind::LineNumber:
        return Qt::AlignRight;
    case ColumnKind::Date:
        return Qt::AlignHCenter;
    case ColumnKind::Text:
        break;
    }
    return Qt::AlignLeft;
}

QSizeF Report::paperSizeMm() const
{
    const QSizeF size = QPageSize(pageSize).size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        return size.transposed();
    return size;
}

TextElement &Report::addTitleText(const QString &name, const QString &text, double pointSize,
                                  bool bold, Qt::Alignment alignment)
{
    TextElement e;
    e.name = name;
    e.text = text;
    e.pointSize = pointSize;
    e.bold = bold;
    e.alignment = alignment;
    title.append(e);
    return title.last();
}

TextElement &Report::addPageHeaderText(const QString &name, const QString &text, double pointSize,
                                       bool bold, Qt::Alignment alignment)
{
    TextElement e;
    e.name = name;
    e.text = text;
    e.pointSize = pointSize;
    e.bold = bold;
    e.alignment = alignment;
    pageHeader.append(e);
    return pageHeader.last();
}

TextElement &Report::addTitlePicture(const QString &name, const QImage &image, QSizeF sizeMm,
                                     Qt::Alignment alignment)
{
    TextElement e;
    e.name = name;
    e.image = image;
    e.imageSizeMm = sizeMm;
    e.alignment = alignment;
    title.append(e);
    return title.last();
}

bool Report::setText(const QString &name, const QString &value)
{
    bool found = false;
    for (QList<TextElement> *band : {&title, &pageHeader}) {
        for (TextElement &e : *band) {
            if (e.name == name) {
                e.text = value;
                found = true;
            }
        }
    }
    return found;
}

QString Report::text(const QString &name) const
{
    for (const QList<TextElement> *band : {&title, &pageHeader}) {
        for (const TextElement &e : *band) {
            if (e.name == name)
                return e.text;
        }
    }
    return {};
}

ReportColumn &Report::addColumn(const QString &caption, double width, ColumnKind kind, bool summed)
{
    ReportColumn c;
    c.caption = caption;
    c.width = width;
    c.kind = kind;
    c.summed = summed;
    columns.append(c);
    return columns.last();
}

ReportRow &Report::addRow(QList<ReportValue> values, bool bold)
{
    ReportRow r;
    r.values = std::move(values);
    r.bold = bold;
    rows.append(std::move(r));
    return rows.last();
}

ReportRow &Report::addTotalRow(QList<ReportValue> values)
{
    ReportRow &r = addRow(std::move(values), true);
    r.total = true;
    return r;
}

QString Report::cellText(int row, int column, int lineNumber) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= columns.size())
        return {};
    const ReportRow &r = rows.at(row);
    const ReportColumn &c = columns.at(column);
    const ReportValue value = column < r.values.size() ? r.values.at(column) : ReportValue();
    if (c.kind == ColumnKind::LineNumber && value.isEmpty() && !r.total && lineNumber > 0)
        return QString::number(lineNumber);
    return value.text(c.amountFormat);
}

Money Report::cellAmount(int row, int column) const
{
    if (row < 0 || row >= rows.size() || column < 0 || column >= columns.size())
        return {};
    const ReportRow &r = rows.at(row);
    if (r.total || column >= r.values.size())
        return {};
    return r.values.at(column).amount();
}

QString Report::groupKey(int row) const
{
    if (group.keyColumn < 0)
        return {};
    return cellText(row, group.keyColumn);
}

} // namespace dalvira

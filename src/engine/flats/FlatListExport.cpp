#include "flats/FlatListExport.h"

#include "spreadsheet/SheetWriter.h"

namespace dalvira {

QString FlatListExport::title()
{
    return QStringLiteral("Kayıtlı Daire Raporu");
}

QStringList FlatListExport::headings()
{
    return {
        QStringLiteral("Kayıt No"),
        QStringLiteral("Blok"),
        QStringLiteral("Dairesi"),
        QStringLiteral("Kısım"),
        QStringLiteral("Dış Kapı No"),
        QStringLiteral("Araç Plaka"),
        QStringLiteral("Oturan Kişi"),
        QStringLiteral("Oturan Çocuk"),
        QStringLiteral("Ev Sahibi Adı Soyadı"),
        QStringLiteral("Ev Sahibi Telefon"),
        QStringLiteral("Ev Sahibi  Cep Tel"),
        QStringLiteral("Oturan Adı ve Soyadı"),
        QStringLiteral("Oturan Tel."),
        QStringLiteral("Oturan Cep Tel."),
        QStringLiteral("Önceki Sahibi Adı Soyadı"),
        QStringLiteral("Önceki sahibi Telefon"),
        QStringLiteral("Önceki Oturan Adı Soyadı"),
        QStringLiteral("Önceki Oturan Tel."),
    };
}

Result writeFlatListExport(const QString &path, const QList<FlatListRow> &rows,
                           const QString &siteTitle)
{
    using namespace FlatListExport;
    SheetWriter writer(path);
    writer.writeText(1, 1, siteTitle, CellStyle::makeBold());
    writer.writeText(kTitleRow, 1, title(), CellStyle::makeBold());
    writer.formatRows(1, kTitleRow, CellStyle::makeBold(14));

    const QStringList captions = headings();
    for (int c = 0; c < captions.size(); ++c)
        writer.writeText(kHeadingRow, c + 1, captions.at(c), CellStyle::makeBold());

    int row = kFirstDataRow;
    for (const FlatListRow &r : rows) {
        int column = 1;
        auto number = [&](const QVariant &v) {
            if (!v.isNull())
                writer.writeInteger(row, column, v.toLongLong());
            ++column;
        };
        auto text = [&](const QString &s) {
            if (!s.isEmpty())
                writer.writeText(row, column, s);
            ++column;
        };
        number(r.flatNumber);
        text(r.block);
        text(r.flat);
        text(r.section);
        text(r.door);
        text(r.plate);
        number(r.residents);
        number(r.children);
        text(shownName(r.ownerName()));
        text(r.ownerPhone);
        text(r.ownerMobile);
        text(shownName(r.residentName()));
        text(r.residentPhone);
        text(r.residentMobile);
        text(shownName(r.formerOwnerName()));
        text(r.formerOwnerPhone);
        text(shownName(r.formerResidentName()));
        text(r.formerResidentPhone);
        ++row;
    }
    // The site and title rows run across the empty cells beside them; the list decides widths.
    writer.fitColumnWidths(kHeadingRow, qMax(kHeadingRow, row - 1));
    return writer.close();
}

} // namespace dalvira

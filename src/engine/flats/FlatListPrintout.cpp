#include "flats/FlatListPrintout.h"

namespace dalvira {

namespace {

struct PrintoutTexts
{
    const char16_t *previewTitle;
    const char16_t *title;
};

PrintoutTexts textsOf(FlatPrintout kind)
{
    switch (kind) {
    case FlatPrintout::OwnersAttendance:
        return {u"Tolvek Rapor Önizleme - Kat Malikleri Hazirun Raporu",
                u"KAT MALİKLERİ HAZİRUN CETVELİ"};
    case FlatPrintout::ResidentsAttendance:
        return {u"Tolvek Rapor Önizleme - Dairede Oturanlar Hazirun Raporu",
                u"DAİREDE OTURANLAR HAZİRUN CETVELİ"};
    case FlatPrintout::GeneralList:
        break;
    }
    return {u"Tolvek Rapor Önizleme - Daire Kayıtları Raporu", u"DAİRE KAYITLARI RAPORU"};
}

ReportValue flatNumberValue(const FlatListRow &row)
{
    if (row.flatNumber.isNull())
        return {};
    return ReportValue(row.flatNumber.toLongLong());
}

} // namespace

QStringList flatPrintoutChoices()
{
    return {QStringLiteral("Genel Liste"), QStringLiteral("Kat Malikleri Hazirun"),
            QStringLiteral("Oturanlar Hazirun")};
}

Report buildFlatListReport(FlatPrintout kind, const QList<FlatListRow> &rows,
                           const SiteLetterhead &site, const QDateTime &printedAt)
{
    const PrintoutTexts texts = textsOf(kind);
    Report report;
    report.previewTitle = QString::fromUtf16(texts.previewTitle);
    report.alternateShading = true;
    report.summary.totalsCaption.clear();

    report.addTitleText(QStringLiteral("SiteName"), site.name, 12, true);
    report.addTitleText(QStringLiteral("SiteAddress"), site.address);
    report.addTitleText(QStringLiteral("SitePhone"), site.district + QLatin1Char(' ') + site.city +
                                                         QStringLiteral(" Tel/Fax ") + site.phone +
                                                         QStringLiteral(" - ") + site.fax);
    report.addTitleText(QStringLiteral("Title"), QString::fromUtf16(texts.title), 12, true,
                        Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("PrintDate"),
                        QStringLiteral("Tarih: ") +
                            printedAt.date().toString(QStringLiteral("dd.MM.yyyy")),
                        9, false, Qt::AlignLeft);
    report
        .addTitleText(QStringLiteral("PrintTime"),
                      QStringLiteral("Saat: ") + printedAt.time().toString(QStringLiteral("HH:mm")),
                      9, false, Qt::AlignRight)
        .sameLine = true;

    auto mm = [&report](const QString &caption, double width,
                        ColumnKind columnKind = ColumnKind::Text) {
        ReportColumn &c = report.addColumn(caption, width, columnKind);
        c.widthInMm = true;
    };
    mm(QString(), 9, ColumnKind::LineNumber);
    mm(QStringLiteral("KAYIT"), 14, ColumnKind::Integer);
    mm(QStringLiteral("B/D/K"), 30);

    switch (kind) {
    case FlatPrintout::GeneralList:
        report.addColumn(QStringLiteral("SAHİBİ ADI VE SOYADI"), 1);
        mm(QStringLiteral("TELEFONU"), 28);
        report.addColumn(QStringLiteral("OTURAN ADI VE SOYADI"), 1);
        mm(QStringLiteral("TELEFONU"), 28);
        for (const FlatListRow &r : rows)
            report.addRow({ReportValue(), flatNumberValue(r), r.blockFlatSection(),
                           shownName(r.ownerName()), r.ownerPhone, shownName(r.residentName()),
                           r.residentPhone});
        break;
    case FlatPrintout::OwnersAttendance:
    case FlatPrintout::ResidentsAttendance: {
        // Room to sign on every line.
        report.rowHeightMm = 9;
        const bool owners = kind == FlatPrintout::OwnersAttendance;
        report.addColumn(owners ? QStringLiteral("SAHİBİ ADI VE SOYADI")
                                : QStringLiteral("OTURAN ADI VE SOYADI"),
                         1);
        mm(QStringLiteral("TELEFONU"), 27);
        mm(QStringLiteral("CEP TELEFONU"), 27);
        mm(QStringLiteral("İMZA"), 36);
        for (const FlatListRow &r : rows) {
            if (owners)
                report.addRow({ReportValue(), flatNumberValue(r), r.blockFlatSection(),
                               shownName(r.ownerName()), r.ownerPhone, r.ownerMobile, QString()});
            else
                report.addRow({ReportValue(), flatNumberValue(r), r.blockFlatSection(),
                               shownName(r.residentName()), r.residentPhone, r.residentMobile,
                               QString()});
        }
        break;
    }
    }
    return report;
}

} // namespace dalvira

#include "ledger/StatementPrintouts.h"

#include "common/Formats.h"

namespace dalvira {

namespace {

QString siteAddressWithPhone(const SiteLetterhead &site)
{
    QStringList parts;
    if (!site.addressLine().isEmpty())
        parts << site.addressLine();
    if (!site.phone.isEmpty())
        parts << QStringLiteral("Tel: ") + site.phone;
    return parts.join(QStringLiteral("  "));
}

// The flat the printout is about: the first movement's copies of it.
const StatementLine *firstLine(const Statement &statement, const QList<StatementLine> &others)
{
    if (!statement.lines.isEmpty())
        return &statement.lines.constFirst();
    return others.isEmpty() ? nullptr : &others.constFirst();
}

// A movement is a charge or a payment; the other amount stays blank rather than 0,00.
ReportValue amountCell(Money amount)
{
    return amount.isZero() ? ReportValue() : ReportValue(amount);
}

} // namespace

QString statementPeriodLine(const StatementFilter &filter)
{
    const QString range = formatDate(filter.firstDay) + QLatin1Char('-') +
                          formatDate(filter.reportDate) + QStringLiteral(" Tarihleri Arası ");
    if (filter.currency.isEmpty() || filter.currency == QLatin1String(kAllChoice))
        return range + QStringLiteral("Tüm PB Hesap Hareketleri");
    return range + filter.currency + QStringLiteral(" Hesap Hareketleri");
}

Report statementMovementReport(const Statement &statement, const SiteLetterhead &site,
                               const QDateTime &printedAt)
{
    Report report;
    report.previewTitle = QStringLiteral("Tolvek Rapor Önizleme - Hesap Hareket Raporu");
    // Landscape, so the description with its type fits on one line.
    report.orientation = QPageLayout::Landscape;
    report.addPageHeaderText(QStringLiteral("SiteName"), site.name, 12, true);
    report.addPageHeaderText(QStringLiteral("SiteAddress"), siteAddressWithPhone(site));
    report.addPageHeaderText(QStringLiteral("Period"), statementPeriodLine(statement.filter), 10,
                             true);
    report.addPageHeaderText(QStringLiteral("Title"), statement.title(), 10, true);
    report.footerText = printedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm"));

    report.addColumn(QStringLiteral("SN"), 10, ColumnKind::LineNumber).widthInMm = true;
    report.addColumn(QStringLiteral("İŞLEM TARİHİ"), 24, ColumnKind::Date).widthInMm = true;
    report.addColumn(QStringLiteral("DAİRE"), 58).widthInMm = true;
    report.addColumn(QStringLiteral("BORCU"), 26, ColumnKind::Amount).widthInMm = true;
    report.addColumn(QStringLiteral("ÖDEMESİ"), 26, ColumnKind::Amount).widthInMm = true;
    report.addColumn(QStringLiteral("AÇIKLAMA"), 1);
    report.addColumn(QStringLiteral("BAKİYE"), 28, ColumnKind::Amount).widthInMm = true;

    // The carry-over line: its date in the date column, the caption beside it.
    report.addTotalRow({QString(), statement.filter.firstDay.addDays(-1),
                        QStringLiteral("TARİHLİ DEVİR BAKİYE TUTARI: "), statement.carryOver.debit,
                        statement.carryOver.credit, QString(), statement.carryOver.balance()});
    for (const StatementLine &line : statement.lines)
        report.addRow({QString(), line.date, line.flatText(), amountCell(line.debit),
                       amountCell(line.credit), line.descriptionWithType(), line.balance});

    report.summary.totalsCaption.clear();
    ReportRow total;
    total.total = true;
    total.values = {QString(),
                    QString(),
                    QStringLiteral("TOPLAM"),
                    statement.totals.debit,
                    statement.totals.credit,
                    QString(),
                    statement.totals.balance()};
    report.summary.rows << total;
    return report;
}

Report statementReceiptReport(const Statement &statement, const QList<StatementLine> &charges,
                              const SiteLetterhead &site)
{
    Report report;
    report.previewTitle = QStringLiteral("Tolvek Rapor Önizleme - TAHSİLAT MAKBUZU");
    report.addTitleText(QStringLiteral("SiteName"), site.name, 12, true, Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("SiteAddress"), site.address, 9, false, Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("SiteDistrict"),
                        (site.district + QLatin1Char(' ') + site.city).trimmed(), 9, false,
                        Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("SitePhone"),
                        QStringLiteral("Tel: ") + site.phone + QStringLiteral("   Fax: ") +
                            site.fax,
                        9, false, Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("Heading"), QStringLiteral("TAHSİLAT MAKBUZU"), 14, true,
                        Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("ReportDate"), formatDate(statement.filter.reportDate), 10,
                        false, Qt::AlignRight);
    report.addTitleText(QStringLiteral("ReceiptNo"), QStringLiteral("MAKBUZ NO :"), 10, true,
                        Qt::AlignRight);

    const StatementLine *flat = firstLine(statement, charges);
    QString holder = statement.holderName();
    if (holder.isEmpty() && !charges.isEmpty())
        holder = charges.constFirst().holder;
    report.addTitleText(QStringLiteral("PayerHeading"), QStringLiteral("ÖDEMEYİ YAPAN ÜYENİN"), 10,
                        true);
    report.addTitleText(QStringLiteral("PayerName"), QStringLiteral("ADI SOYADI : ") + holder, 10);
    report.addTitleText(QStringLiteral("PayerFlat"),
                        QStringLiteral("KISIM : ") + (flat ? flat->section : QString()) +
                            QStringLiteral("    BLOK : ") + (flat ? flat->block : QString()) +
                            QStringLiteral("    DIŞ KAPI : ") +
                            (flat ? flat->outerDoor : QString()) +
                            QStringLiteral("    DAİRESİ : ") + (flat ? flat->flat : QString()) +
                            QStringLiteral("    PARA B. : ") + statement.filter.currency,
                        10);

    report.fontPointSize = 9;
    report.addColumn(QStringLiteral("İŞLEM TARİHİ"), 28, ColumnKind::Date).widthInMm = true;
    report.addColumn(QStringLiteral("BORÇ"), 32, ColumnKind::Amount).widthInMm = true;
    report.addColumn(QStringLiteral("AÇIKLAMA - İŞLEM TÜRÜ"), 1);
    Money collected;
    for (const StatementLine &line : charges) {
        report.addRow({line.date, line.debit, line.type + QLatin1Char(' ') + line.description});
        collected += line.debit;
    }
    report.summary.totalsCaption.clear();
    report.summary.lines << QString()
                         << QStringLiteral("TAHSİL EDİLEN TUTAR : ") + collected.toText()
                         << QString() << site.officer << site.officerTitle;
    return report;
}

Report headedStatementReport(const Statement &statement, const SiteLetterhead &site)
{
    const StatementFilter &f = statement.filter;
    Report report;
    const QString heading = QStringLiteral("AİDAT EKTRESİ (") + formatDate(f.firstDay) +
                            QStringLiteral(" - ") + formatDate(f.reportDate) + QLatin1Char(')');
    report.previewTitle = QStringLiteral("Tolvek Rapor Önizleme - ") + heading;
    report.fontPointSize = 9;
    report.addTitleText(QStringLiteral("SiteName"), site.name, 13, true, Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("SiteAddress"), siteAddressWithPhone(site), 9, false,
                        Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("Heading"), heading, 12, true, Qt::AlignHCenter);
    report.addTitleText(QStringLiteral("CutDate"),
                        QStringLiteral("Hesap Kesim Tarihi : ") + formatDate(f.reportDate), 9,
                        false, Qt::AlignRight);
    report.addTitleText(QStringLiteral("DueDate"),
                        QStringLiteral("Son Ödeme Tarihi : ") +
                            formatDate(f.reportDate.addDays(10)),
                        9, true, Qt::AlignRight);

    const StatementLine *flat = firstLine(statement, {});
    report.addTitleText(QStringLiteral("Dear"), QStringLiteral("Sayın"), 10, true);
    report.addTitleText(QStringLiteral("Holder"), statement.holderName(), 10, true);
    report.addTitleText(QStringLiteral("Address1"), site.address, 9);
    report.addTitleText(QStringLiteral("Address2"),
                        QStringLiteral("Dış Kapı No: ") + (flat ? flat->outerDoor : QString()) +
                            QStringLiteral("  Kısım: ") + (flat ? flat->section : QString()) +
                            QStringLiteral("  Blok: ") + (flat ? flat->block : QString()) +
                            QStringLiteral("  Daire: ") + (flat ? flat->flat : QString()),
                        9);
    report.addTitleText(QStringLiteral("Address3"),
                        (site.district + QLatin1Char(' ') + site.city).trimmed(), 9);
    report.addTitleText(QStringLiteral("PreviousDebt"),
                        QStringLiteral("Bir Önceki Döneme Ait Borç : ") +
                            statement.carryOver.balance().toText(),
                        10, true, Qt::AlignRight);

    report.addColumn(QStringLiteral("İŞLEM TARİHİ"), 26, ColumnKind::Date).widthInMm = true;
    report.addColumn(QStringLiteral("BORCU"), 28, ColumnKind::Amount).widthInMm = true;
    report.addColumn(QStringLiteral("ÖDEMESİ"), 28, ColumnKind::Amount).widthInMm = true;
    report.addColumn(QStringLiteral("AÇIKLAMA"), 1);
    for (const StatementLine &line : statement.lines)
        report.addRow({line.date, amountCell(line.debit), amountCell(line.credit),
                       line.descriptionWithType()});

    report.summary.totalsCaption.clear();
    report.summary.lines
        << QStringLiteral("Toplam Borç : ") + statement.totals.balance().toText() << QString()
        << QStringLiteral("Ödeme Bankası : ") + site.bankName
        << QStringLiteral("Alacaklı : ") + site.bankAccountHolder
        << QStringLiteral("İBAN NO : ") + site.iban << QString()
        << QStringLiteral("*Aidatlar adresimize (") + site.cashPaymentAddress +
               QStringLiteral(") elden de teslim edilebilir.")
        << QStringLiteral("Son Ödeme Tarihine kadar ödeme yapmayanlar için kat mülkiyeti "
                          "kanununun 634 numaralı 20.maddesinde belirtilmiş ana gayrimenkulün "
                          "giderlerine katılma bendindeki hukuki işlemler uygulanır. ");
    return report;
}

} // namespace dalvira

#include "CliCommand.h"
#include "ReportOutput.h"
#include "common/Formats.h"
#include "flats/FlatRegister.h"
#include "ledger/Statement.h"
#include "ledger/StatementExport.h"
#include "ledger/StatementModel.h"
#include "ledger/StatementPrintouts.h"

namespace dalvira::cli {

namespace {

const QStringList &valueOptions()
{
    static const QStringList names = {
        QStringLiteral("--site"), QStringLiteral("--flat"),   QStringLiteral("--holder"),
        QStringLiteral("--from"), QStringLiteral("--to"),     QStringLiteral("--currency"),
        QStringLiteral("--type"), QStringLiteral("--format"), QStringLiteral("--out")};
    return names;
}

int usage(const QString &message)
{
    printMessage(message);
    return kExitUsage;
}

QStringList figureLine(const QString &caption, const LedgerSums &sums, const char *format)
{
    return {caption, formatAmount(sums.debit.toDouble(), format),
            formatAmount(sums.credit.toDouble(), format),
            formatAmount(sums.balance().toDouble(), format)};
}

// The grid's columns with their cells as the screen shows them, the running balance after each
// movement, then the three figure boxes in the screen's formats.
QString statementCsv(const Statement &statement)
{
    StatementModel model;
    model.setLines(statement.lines);
    QStringList captions;
    for (int c = 0; c < StatementModel::ColumnCount; ++c)
        captions << StatementModel::columnTitle(c);
    captions << QStringLiteral("Bakiye");
    QString text = csvLine(captions);
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < StatementModel::ColumnCount; ++c)
            cells << model.data(model.index(r, c)).toString();
        cells << statement.lines.at(r).balance.toText();
        text += csvLine(cells);
    }
    text += QLatin1Char('\n');
    text += csvLine(figureLine(QStringLiteral("Devir"), statement.carryOver, kAmountFormat));
    text += csvLine(figureLine(QStringLiteral("T."), statement.totals, kAmountFormat));
    text += csvLine(figureLine(QStringLiteral("D."), statement.period(), kAmountFormatNoZero));
    return text;
}

bool hasMovements(const QSqlDatabase &db, const StatementSelection &selection)
{
    BalanceQuery query;
    query.selection = selection;
    const LedgerSums sums = sumLedger(db, query);
    return !sums.debit.isZero() || !sums.credit.isZero();
}

// A flat is known when the register has it, or when movements remain of a flat record that
// was deleted (deleting a flat keeps its ledger).
bool flatKnown(const QSqlDatabase &db, int number)
{
    return FlatRegister(db).findByNumber(number) != 0 ||
           hasMovements(db, StatementSelection::wholeFlat(number));
}

int runStatement(const QStringList &args)
{
    const Options options(args, valueOptions());
    if (!options.ok())
        return usage(options.error());

    const bool byFlat = options.has(QStringLiteral("--flat"));
    const bool byHolder = options.has(QStringLiteral("--holder"));
    if (!byFlat && !byHolder)
        return usage(QStringLiteral("Hesap seçilmedi: --flat DAİRE_NO, --holder \"AD SOYAD\" ya "
                                    "da ikisini birden verin."));
    int flatNumber = 0;
    if (byFlat) {
        bool number = false;
        flatNumber = options.value(QStringLiteral("--flat")).trimmed().toInt(&number);
        if (!number || flatNumber <= 0)
            return usage(QStringLiteral("Daire numarası hatalı: %1")
                             .arg(options.value(QStringLiteral("--flat"))));
    }
    const QString holder = byHolder ? options.value(QStringLiteral("--holder")) : QString();
    if (byHolder && holder.trimmed().isEmpty())
        return usage(QStringLiteral("--holder ile hesap sahibinin adını ve soyadını verin."));
    const StatementSelection selection = byFlat && byHolder
                                             ? StatementSelection::holderInFlat(holder, flatNumber)
                                         : byFlat ? StatementSelection::wholeFlat(flatNumber)
                                                  : StatementSelection::ofHolder(holder);

    if (!options.has(QStringLiteral("--to")))
        return usage(QStringLiteral("--to seçeneği eksik: rapor tarihini GG.AA.YYYY biçiminde "
                                    "verin."));
    QString error;
    StatementFilter filter;
    const auto reportDate = dateOption(options, QStringLiteral("--to"), error);
    if (!reportDate)
        return usage(error);
    filter.reportDate = *reportDate;
    // The screen starts on the first day of the year; of the report date's year here, so that a
    // past year's statement does not begin after its own report date.
    filter.firstDay = QDate(reportDate->year(), 1, 1);
    if (options.has(QStringLiteral("--from"))) {
        const auto firstDay = dateOption(options, QStringLiteral("--from"), error);
        if (!firstDay)
            return usage(error);
        filter.firstDay = *firstDay;
    }
    if (filter.firstDay > filter.reportDate)
        return usage(QStringLiteral("İlk tarih (%1) rapor tarihinden (%2) sonra olamaz.")
                         .arg(formatDate(filter.firstDay), formatDate(filter.reportDate)));
    if (options.has(QStringLiteral("--currency")))
        filter.currency = options.value(QStringLiteral("--currency")).trimmed();
    if (options.has(QStringLiteral("--type")))
        filter.type = options.value(QStringLiteral("--type")).trimmed();
    const auto target = reportTarget(options, error);
    if (!target)
        return usage(error);

    ReportSite site;
    if (Result r = site.open(options.has(QStringLiteral("--site"))
                                 ? options.value(QStringLiteral("--site"))
                                 : QString());
        !r) {
        printMessage(r.message());
        return site.failure() == ReportSite::Failure::Usage ? kExitUsage : kExitFailed;
    }
    try {
        if (byFlat && !flatKnown(site.db(), flatNumber)) {
            printMessage(QStringLiteral("%1 numaralı daire bulunamadı.").arg(flatNumber));
            return kExitFailed;
        }
        // A mistyped name gives an empty statement, which is also right for a new holder:
        // say so, without failing.
        if (byHolder && !hasMovements(site.db(), selection))
            printMessage(
                QStringLiteral("Uyarı: \"%1\" hesabında hiç hareket yok.").arg(selection.title()));
    } catch (const OperationError &e) {
        printMessage(e.message());
        return kExitFailed;
    }

    Statement statement;
    if (Result r = loadStatement(site.db(), selection, filter, statement); !r) {
        printMessage(r.message());
        return kExitFailed;
    }
    return deliverReport(
        *target, [&] { return statementCsv(statement); },
        [&](const QString &path) {
            return writeStatementExport(path, statement, site.letterhead());
        },
        [&](const QDateTime &printed) {
            return statementMovementReport(statement, site.letterhead(), printed);
        });
}

} // namespace

Command statementCommand()
{
    return {QStringLiteral("statement"),
            QStringLiteral("(--flat NO | --holder \"AD SOYAD\" | --flat NO --holder \"AD SOYAD\") "
                           "[--from GG.AA.YYYY] --to GG.AA.YYYY [--currency TL|USD|…|Hepsi] "
                           "[--type TÜR|Hepsi] [--format csv|xlsx|pdf] [--out DOSYA]"),
            QStringLiteral("Üye hesap hareketleri (--site ile seçilen site): dairenin, kişinin ya "
                           "da dairedeki kişinin dönem hareketleri, devir ve toplamlarıyla."),
            runStatement};
}

} // namespace dalvira::cli

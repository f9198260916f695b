#include "BalanceListReport.h"
#include "CliCommand.h"
#include "ReportOutput.h"
#include "balances/BalanceList.h"
#include "common/Formats.h"
#include "spreadsheet/ExportSheet.h"

namespace dalvira::cli {

namespace {

const QStringList &valueOptions()
{
    static const QStringList names = {QStringLiteral("--site"),   QStringLiteral("--kind"),
                                      QStringLiteral("--date"),   QStringLiteral("--role"),
                                      QStringLiteral("--format"), QStringLiteral("--out")};
    return names;
}

// The list kind by its number (1 to 6) or by the caption of its choice on the screen.
std::optional<BalanceListKind> kindOption(const QString &text)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    if (number)
        return balanceKindFromNumber(value);
    for (BalanceListKind kind : kAllBalanceListKinds)
        if (balanceKindChoiceCaption(kind) == text)
            return kind;
    return std::nullopt;
}

int usage(const QString &message)
{
    printMessage(message);
    return kExitUsage;
}

// The same list as the screen builds with these settings: the balance list screen, its
// report date, list kind, holder role and "Sadece Borçlular".
int runBalanceList(const QStringList &arguments)
{
    QStringList args = arguments;
    const bool onlyDebtors = takeFlag(args, QStringLiteral("--debtors"), valueOptions());
    const Options options(args, valueOptions());
    if (!options.ok())
        return usage(options.error());

    BalanceListSettings settings;
    if (!options.has(QStringLiteral("--kind")))
        return usage(QStringLiteral("--kind seçeneği eksik: liste türünü 1 ile 6 arasında bir "
                                    "sayı olarak verin."));
    const auto kind = kindOption(options.value(QStringLiteral("--kind")));
    if (!kind)
        return usage(QStringLiteral("Bilinmeyen liste türü: %1 (1 ile 6 arasında bir sayı "
                                    "olmalı).")
                         .arg(options.value(QStringLiteral("--kind"))));
    settings.kind = *kind;
    if (!options.has(QStringLiteral("--date")))
        return usage(QStringLiteral("--date seçeneği eksik: rapor tarihini GG.AA.YYYY "
                                    "biçiminde verin."));
    QString error;
    const auto date = dateOption(options, QStringLiteral("--date"), error);
    if (!date)
        return usage(error);
    settings.reportDate = *date;
    if (options.has(QStringLiteral("--role"))) {
        const auto role = holderRoleFromCaption(options.value(QStringLiteral("--role")));
        if (!role)
            return usage(QStringLiteral("Bilinmeyen hesap sahibi: %1 (%2 olmalı).")
                             .arg(options.value(QStringLiteral("--role")),
                                  holderRoleCaptions().join(QStringLiteral(", "))));
        settings.role = *role;
    }
    // The pivots of kinds 5 and 6 have no remaining-debt column to filter on; the screen then
    // shows another list, which a script would not expect.
    if (onlyDebtors && isTypePivotKind(settings.kind))
        return usage(QStringLiteral("--debtors yalnız 1, 2, 3 ve 4 numaralı listelerde "
                                    "kullanılabilir."));
    settings.onlyDebtors = onlyDebtors;
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
    BalanceList list;
    if (Result r = buildBalanceList(site.db(), settings, list); !r) {
        printMessage(r.message());
        return kExitFailed;
    }

    return deliverReport(
        *target, [&] { return balanceListCsv(list); },
        [&](const QString &path) {
            return writeExportFile(path, balanceListExport(list, site.letterhead()));
        },
        [&](const QDateTime &printed) {
            return balanceListReport(list, site.letterhead(), printed);
        });
}

} // namespace

Command balanceListCommand()
{
    return {QStringLiteral("balance-list"),
            QStringLiteral("--kind 1-6 --date GG.AA.YYYY [--role Hepsi|Evsahibi|Oturan|\"Eski "
                           "Sahibi\"|\"Eski Oturan\"] [--debtors] [--format csv|xlsx|pdf] "
                           "[--out DOSYA]"),
            QStringLiteral("Üye borç alacak ve bakiye listesi (--site ile seçilen site): ekrandaki "
                           "altı liste türünden biri, rapor tarihine kadarki hareketlerle."),
            runBalanceList};
}

} // namespace dalvira::cli

#pragma once

#include "common/Result.h"
#include "ledger/Statement.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace dalvira {

class AppContext;
class DateEdit;
class Report;
class StatementModel;

// What a caller sets before the statement is shown: the selection, and where it has them,
// the report date, the currency and the type. Empty ones keep the screen's own.
struct StatementOpening
{
    StatementSelection selection;
    QDate reportDate;
    QString currency;
    QString type;
};

// "hesaphareket": the movements of one account for a period, with the carry-over, the
// period's figures, the totals and the running balance; its printouts, the spreadsheet export,
// the e-mail and "Satır Sil".
class StatementWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("hesaphareket");

    // The entries of "Raporlama Seçenekleri".
    enum ReportEntry {
        MovementPrintout = 0,
        SpreadsheetExport = 1,
        MailEntry = 11,
        ReportEntryCount = 14
    };

    explicit StatementWindow(AppContext &app, QWidget *parent = nullptr);

    // Sets the caller's selection (and report date, currency, type), refreshes and shows.
    void open(const StatementOpening &opening);
    void setSelection(const StatementSelection &selection);
    // "YENİLE": rereads the movements and the figures; failures are shown.
    bool refresh();
    // "Satır Sil" on the current row, with its two questions.
    void deleteCurrentRow();
    // "RAPORLA" with the entry chosen.
    void runReport(int entry);
    void printReceipt();         // "TAHSİLAT"
    void printHeadedStatement(); // "ANTETLİ EKSTRE"

    const Statement &statement() const { return m_statement; }
    QTableView *grid() const { return m_grid; }
    DateEdit *firstDayEdit() const { return m_firstDay; }
    DateEdit *reportDateEdit() const { return m_reportDate; }
    QComboBox *currencyList() const { return m_currency; }
    QComboBox *typeList() const { return m_type; }
    QComboBox *reportList() const { return m_reportList; }
    QString figureText(const QString &objectName) const;
    QString titleLine() const;
    QMenu *gridMenu() const { return m_gridMenu; }

    // Where reports, exports and the mail go; tests catch them instead of showing them.
    using ReportPresenter = std::function<void(const Report &)>;
    using ExportOpener = std::function<Result(const QString &path)>;
    // Hands the prepared message over; false when no mail client can take it.
    using MailLauncher = std::function<bool(const QStringList &xdgEmailArguments)>;
    void setReportPresenter(ReportPresenter presenter) { m_presenter = std::move(presenter); }
    void setExportOpener(ExportOpener opener) { m_exportOpener = std::move(opener); }
    void setMailLauncher(MailLauncher launcher) { m_mailLauncher = std::move(launcher); }
    void setExportFolder(const QString &folder) { m_exportFolder = folder; }
    QString lastExportPath() const { return m_lastExportPath; }

private:
    void build();
    QWidget *buildFigures(const QString &prefix, const QStringList &captions,
                          QList<QLineEdit *> &fields, bool vertical);
    StatementFilter currentFilter() const;
    void showFigures();
    void filterChanged();
    bool writeExport(const QString &path);
    void exportToSpreadsheet();
    void sendMail();
    bool siteLetterhead(struct SiteLetterhead &site);

    AppContext &m_app;
    StatementSelection m_selection;
    bool m_hasSelection = false;
    bool m_refreshing = false;
    Statement m_statement;

    QLabel *m_title = nullptr;
    DateEdit *m_firstDay = nullptr;
    DateEdit *m_reportDate = nullptr;
    QComboBox *m_currency = nullptr;
    QComboBox *m_type = nullptr;
    QCheckBox *m_interestOnInterest = nullptr;
    QList<QLineEdit *> m_carryOver;
    QList<QLineEdit *> m_totals;
    QList<QLineEdit *> m_period;
    QTableView *m_grid = nullptr;
    StatementModel *m_model = nullptr;
    QComboBox *m_reportList = nullptr;
    QMenu *m_gridMenu = nullptr;

    ReportPresenter m_presenter;
    ExportOpener m_exportOpener;
    MailLauncher m_mailLauncher;
    QString m_exportFolder;
    QString m_lastExportPath;
};

} // namespace dalvira

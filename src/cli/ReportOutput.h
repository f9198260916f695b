#pragma once

#include "CliCommand.h"
#include "common/Result.h"
#include "report/Report.h"
#include "report/SiteLetterhead.h"
#include "storage/Storage.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace dalvira::cli {

// What the report commands share: the site they read, their dates, and where the report goes
// (CSV on stdout or in a file, an .xlsx or a PDF).

enum class ReportFormat { Csv, Xlsx, Pdf };

struct ReportTarget
{
    ReportFormat format = ReportFormat::Csv;
    QString path; // empty: the CSV goes to stdout
};

// --format and --out. Without --format the extension of --out decides (.xlsx, .pdf, else CSV).
// An .xlsx or a PDF needs --out. nullopt with error set for a wrong command line.
std::optional<ReportTarget> reportTarget(const Options &options, QString &error);

// A flag (an option without a value) is taken out of args before Options reads the rest;
// a word standing as the value of one of valueOptions is left alone.
bool takeFlag(QStringList &args, const QString &flag, const QStringList &valueOptions);

// A date option in dd.MM.yyyy; an invalid (or not a calendar) date gives nullopt and error.
std::optional<QDate> dateOption(const Options &options, const QString &name, QString &error);

// The site of --site, opened for reading through the program's own connections. The code must
// be in the site list and its data file must exist; the letterhead of reports comes from the
// site list.
class ReportSite
{
public:
    enum class Failure { None, Usage, NotFound };
    Result open(const QString &code);
    // Why open() failed: Usage for a missing code, NotFound for the rest.
    Failure failure() const { return m_failure; }
    Storage &storage() { return m_storage; }
    QSqlDatabase db() const { return m_storage.ana(); }
    const SiteLetterhead &letterhead() const { return m_letterhead; }

    static QString codeMissingMessage();
    static QString notListedMessage(const QString &code);

private:
    Storage m_storage;
    SiteLetterhead m_letterhead;
    Failure m_failure = Failure::None;
};

// One CSV field: quoted (with its quotes doubled) when it holds ";", a quote or a line break.
QString csvField(const QString &text);
// Fields joined by ";", ended by a line break.
QString csvLine(const QStringList &fields);

// Writes the CSV text to stdout, or as UTF-8 into the target's file (replaced only when the
// new one is complete).
Result writeCsv(const ReportTarget &target, const QString &text);

// The exit code of a finished report: the path of a written file on stdout, or the message.
int finishReport(const ReportTarget &target, const Result &written);

// Writes the report in the target's format and gives the exit code: the CSV text, the
// spreadsheet written by writeSheet into the target's file, or the printout painted as a PDF
// (printed at `printed`).
int deliverReport(const ReportTarget &target, const std::function<QString()> &csv,
                  const std::function<Result(const QString &path)> &writeSheet,
                  const std::function<Report(const QDateTime &printed)> &printout);

} // namespace dalvira::cli

#include "ReportOutput.h"

#include "common/Formats.h"
#include "report/ReportRenderer.h"
#include "session/SiteDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace dalvira::cli {

std::optional<ReportTarget> reportTarget(const Options &options, QString &error)
{
    ReportTarget target;
    if (options.has(QStringLiteral("--out")))
        target.path = options.value(QStringLiteral("--out"));
    QString format;
    if (options.has(QStringLiteral("--format")))
        format = options.value(QStringLiteral("--format")).toLower();
    else if (!target.path.isEmpty())
        format = QFileInfo(target.path).suffix().toLower();
    if (format == QLatin1String("xlsx")) {
        target.format = ReportFormat::Xlsx;
    } else if (format == QLatin1String("pdf")) {
        target.format = ReportFormat::Pdf;
    } else if (format == QLatin1String("csv") || !options.has(QStringLiteral("--format"))) {
        target.format = ReportFormat::Csv;
    } else {
        error = QStringLiteral("Bilinmeyen biçim: %1 (csv, xlsx ya da pdf olmalı).")
                    .arg(options.value(QStringLiteral("--format")));
        return std::nullopt;
    }
    if (target.format != ReportFormat::Csv && target.path.isEmpty()) {
        error = QStringLiteral("%1 biçimi bir dosyaya yazılır: --out DOSYA verin.")
                    .arg(target.format == ReportFormat::Xlsx ? QStringLiteral("xlsx")
                                                             : QStringLiteral("pdf"));
        return std::nullopt;
    }
    return target;
}

bool takeFlag(QStringList &args, const QString &flag, const QStringList &valueOptions)
{
    bool found = false;
    for (qsizetype i = 0; i < args.size();) {
        if (valueOptions.contains(args[i])) {
            i += 2;
        } else if (args[i] == flag) {
            args.remove(i);
            found = true;
        } else {
            ++i;
        }
    }
    return found;
}

std::optional<QDate> dateOption(const Options &options, const QString &name, QString &error)
{
    const QString text = options.value(name);
    const QDate date = parseDisplayDate(text.trimmed());
    if (!date.isValid()) {
        error = QStringLiteral("Tarih hatalı: %1 %2 (GG.AA.YYYY biçiminde geçerli bir tarih "
                               "yazın).")
                    .arg(name, text);
        return std::nullopt;
    }
    return date;
}

QString ReportSite::codeMissingMessage()
{
    return QStringLiteral("Site kodu eksik: komuttan önce --site KOD verin.");
}

QString ReportSite::notListedMessage(const QString &code)
{
    return QStringLiteral("\"%1\" kodlu site, site listesinde bulunamadı. Site kodunu kontrol "
                          "edin!")
        .arg(code);
}

Result ReportSite::open(const QString &code)
{
    m_failure = Failure::NotFound;
    if (code.trimmed().isEmpty()) {
        m_failure = Failure::Usage;
        return Result::failure(codeMissingMessage());
    }
    if (Result r = m_storage.open(); !r)
        return r;
    try {
        if (!SiteDirectory(m_storage).findByCode(code))
            return Result::failure(notListedMessage(code));
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    // A listed site whose data file is gone fails here, before any file is made for it.
    if (Result r = m_storage.selectSite(code); !r)
        return r;
    m_letterhead = readSiteLetterhead(m_storage.genel(), code);
    if (!m_letterhead.error.isEmpty())
        return Result::failure(m_letterhead.error);
    m_failure = Failure::None;
    return Result::success();
}

QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(";\"\r\n");
    bool quoted = false;
    for (const QChar c : text) {
        if (special.contains(c)) {
            quoted = true;
            break;
        }
    }
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(';')) + QLatin1Char('\n');
}

Result writeCsv(const ReportTarget &target, const QString &text)
{
    if (target.path.isEmpty()) {
        out() << text;
        out().flush();
        return Result::success();
    }
    QSaveFile file(target.path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Result::failure(QStringLiteral("%1 dosyası yazılamadı: %2")
                                   .arg(QDir::toNativeSeparators(target.path), file.errorString()));
    return Result::success();
}

int finishReport(const ReportTarget &target, const Result &written)
{
    if (!written) {
        printMessage(written.message());
        return kExitFailed;
    }
    if (!target.path.isEmpty())
        out() << QDir::toNativeSeparators(QFileInfo(target.path).absoluteFilePath()) << Qt::endl;
    return kExitOk;
}

int deliverReport(const ReportTarget &target, const std::function<QString()> &csv,
                  const std::function<Result(const QString &path)> &writeSheet,
                  const std::function<Report(const QDateTime &printed)> &printout)
{
    switch (target.format) {
    case ReportFormat::Csv:
        return finishReport(target, writeCsv(target, csv()));
    case ReportFormat::Xlsx:
        return finishReport(target, writeSheet(target.path));
    case ReportFormat::Pdf:
        return finishReport(target,
                            renderToPdf(printout(QDateTime::currentDateTime()), target.path));
    }
    return kExitFailed;
}

} // namespace dalvira::cli

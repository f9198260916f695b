#include "ledger/StatementMail.h"

#include "common/Formats.h"
#include "ledger/StatementPrintouts.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QFile>
#include <QSqlQuery>

namespace dalvira {

namespace {

QString fullName(const QVariant &first, const QVariant &last)
{
    return first.toString() + QLatin1Char(' ') + last.toString();
}

} // namespace

QStringList StatementMail::xdgEmailArguments() const
{
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), subject,
                     QStringLiteral("--body"), body};
    if (!attachment.isEmpty())
        args << QStringLiteral("--attach") << attachment;
    const QStringList addresses = recipients.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &address : addresses)
        args << address.trimmed();
    return args;
}

Result statementMailRecipients(const QSqlDatabase &db, const Statement &statement,
                               QString &recipients)
{
    recipients = QStringLiteral("@");
    if (statement.lines.isEmpty())
        return Result::success();
    QString owner;
    QString resident;
    try {
        QSqlQuery q = exec(db,
                           QStringLiteral("SELECT email, oturan_email, adi, soyadi, oturan_adi, "
                                          "oturan_soyadi FROM siciltablo WHERE sicil_kodu = ? "
                                          "ORDER BY hid LIMIT 1"),
                           {statement.lines.constFirst().flatNumber});
        if (!q.next())
            return Result::success();
        const QString title = statement.title();
        const bool ownersStatement = title == fullName(q.value(2), q.value(3));
        const bool residentsStatement = title == fullName(q.value(4), q.value(5));
        if (!residentsStatement)
            owner = q.value(0).toString().trimmed();
        if (!ownersStatement)
            resident = q.value(1).toString().trimmed();
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    if (!owner.isEmpty() && !resident.isEmpty())
        recipients = owner + QLatin1Char(';') + resident;
    else if (!owner.isEmpty())
        recipients = owner + QLatin1Char(';');
    else if (!resident.isEmpty())
        recipients = resident + QLatin1Char(';');
    return Result::success();
}

StatementMail buildStatementMail(const Statement &statement, const SiteLetterhead &site,
                                 const QString &recipients, const QString &attachment)
{
    StatementMail mail;
    mail.recipients = recipients;
    mail.subject = site.name;
    mail.attachment = attachment;
    const QString range = formatDate(statement.filter.firstDay) + QLatin1Char('-') +
                          formatDate(statement.filter.reportDate);
    mail.body = site.name + QLatin1Char('\n') + site.address + QLatin1Char('\n') +
                QStringLiteral(" Tel: ") + site.phone + QLatin1Char('\n') + range +
                QStringLiteral(" Tarihleri Arası Hesap Hareketleri") + QStringLiteral("\n\n") +
                QStringLiteral("Toplam Borcunuz : ") + statement.totals.balance().toText() +
                QStringLiteral("\n\n") +
                QStringLiteral("Hesap hareketleriniz ekteki Excel dosyasındadır.");
    return mail;
}

QString statementMailAttachmentPath()
{
    return GetPathPath() + QStringLiteral("Rapor.xlsx");
}

void removeStatementMailAttachment()
{
    QFile::remove(statementMailAttachmentPath());
}

QString mailClientMissingMessage()
{
    return QStringLiteral("Mail gönderebilmek için, bilgisyarınızda Outlook kurulu olmalıdır.");
}

} // namespace dalvira

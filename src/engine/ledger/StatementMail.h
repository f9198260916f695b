#pragma once

#include "common/Result.h"
#include "ledger/Statement.h"
#include "report/SiteLetterhead.h"

#include <QSqlDatabase>
#include <QStringList>

namespace dalvira {

// The statement sent by e-mail: a message prepared for the desktop mail client, with the
// statement's sheet attached, which the user reviews and sends.
struct StatementMail
{
    QString recipients; // addresses separated by ";", or "@" when the flat has none
    QString subject;
    QString body;
    QString attachment;

    // The command line of xdg-email that hands the message over.
    QStringList xdgEmailArguments() const;
};

// The recipients, from the flat record of the statement's first movement: the owner's
// address unless the statement is the resident's, the resident's unless it is the owner's
// (a statement is a person's when its title line is that person's full name). Both: owner +
// ";" + resident; one: that address + ";"; none (or no movement, or no such flat): "@".
Result statementMailRecipients(const QSqlDatabase &db, const Statement &statement,
                               QString &recipients);

StatementMail buildStatementMail(const Statement &statement, const SiteLetterhead &site,
                                 const QString &recipients, const QString &attachment);

// The sheet attached to the mail: "Rapor.xlsx" in the program folder. The mail client reads
// it after the hand-off, so it stays until the next start of the program.
QString statementMailAttachmentPath();
// Removes the attachment a previous run left (start-up).
void removeStatementMailAttachment();

// The message shown when no desktop mail client can take the message.
QString mailClientMissingMessage();

} // namespace dalvira

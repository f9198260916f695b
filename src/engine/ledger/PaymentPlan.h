#pragma once

#include "common/Result.h"
#include "flats/FlatRecord.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// The payment plan of one person of a flat ("Aidat Aktarma" page of the flat record): up to
// twelve dated instalments charged to the person's account as one accrual batch.
struct PaymentPlan
{
    struct Row
    {
        QDate date;        // invalid: the row has no date
        double amount = 0; // 0: the row has no amount
    };
    QList<Row> rows;
    QDate start;                                 // "Başlangıç Tarihi"
    AccountHolder holder = AccountHolder::Owner; // whose account is charged
    QString type;                                // "İşlem Türü" (aidat_turu)
    QString currency;                            // "Para Cinsi"; empty is "TL"
    QString description;                         // "Açıklama"
};

// What the plan will post: the sum of all amounts and the number of rows that have both an
// amount above 0 and a date.
struct PaymentPlanSummary
{
    double total = 0;
    int instalments = 0;
};

// Checks the plan before the question is asked. Fails with "Taksit tutarları veya tarihleri
// girilmemiş! İşlem iptal edildi." when the amounts add up to less than 0.01, no row has a
// date, or no row has both.
Result summarizePaymentPlan(const PaymentPlan &plan, PaymentPlanSummary &summary);

// Posts the plan for the stored flat hid, as one transaction: the batch row in aiadataktar
// (toplam_tutar the sum of the amounts, taksitsay the count, aciklama the holder's name + " - "
// + the description, kayittarihi now, tarih the start date) and one debit movement per row
// with an amount above 0 and a date, stamped with the batch's aid. Nothing is written when any
// part fails. Refused too when the flat is not stored or the chosen person has no name.
// batchId receives the new aid.
Result postPaymentPlan(const QSqlDatabase &db, qint64 hid, const PaymentPlan &plan,
                       qint64 *batchId = nullptr);

QString emptyPaymentPlanMessage();
QString paymentPlanDoneMessage();
QString paymentPlanQuestion();
QString unnamedHolderMessage();

} // namespace dalvira

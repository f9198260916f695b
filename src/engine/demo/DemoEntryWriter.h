#pragma once

#include "flats/FlatRecord.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace dalvira::demo {

// One charge or payment of the demo as the single entry screen takes it.
struct DemoEntry
{
    AccountHolder holder = AccountHolder::Resident;
    QDate date;
    double debit = 0;
    double credit = 0;
    QString currency;
    QString type;
    QString description;
    QString method;         // payment method of the income line
    bool addIncome = false; // "İşletme Gelir'e de Ekle"
};

// Writes entries into the open transaction of the site connection.
class DemoEntryWriter
{
public:
    virtual ~DemoEntryWriter() = default;
    // flat: the flat as it is stored now.
    virtual void write(const FlatRecord &flat, const DemoEntry &entry) = 0;
};

// Through the single entry itself (check and save), as the user would type each entry.
std::unique_ptr<DemoEntryWriter> makeSingleEntryWriter(const QSqlDatabase &db);
// The same rows (movement, income line, the link both ways, receipt numbers) through prepared
// statements, for sites of hundreds of thousands of entries, where looking the flat up and
// preparing four statements per entry is most of the time.
std::unique_ptr<DemoEntryWriter> makeBatchEntryWriter(const QSqlDatabase &db);

} // namespace dalvira::demo

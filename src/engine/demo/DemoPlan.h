#pragma once

#include "demo/DemoPeople.h"
#include "flats/FlatRecord.h"

#include <QDate>
#include <QList>
#include <climits>

// What the demo site goes through, decided before anything is written: its flats and people,
// who moves in and out when, and who pays what on which day. Nothing here touches a database.
namespace dalvira::demo {

class DemoRandom;

// Month 0 is the first month of the data; dues years are twelve months from month 0 on.
class DemoCalendar
{
public:
    DemoCalendar(const QDate &lastMonth, int years);
    int months() const { return m_months; }
    int years() const { return m_months / 12; }
    QDate monthStart(int month) const { return m_first.addMonths(month); }
    QDate monthEnd(int month) const;
    // "2024" for a dues year running January to December, "2024-2025" otherwise.
    QString periodLabel(int period) const;

private:
    QDate m_first;
    int m_months = 0;
};

enum class PayHabit { Monthly, Quarterly, HalfYearly, Yearly, Late, Irregular };

// What happens to a flat when a dues year starts.
enum class FlatEvent {
    None,
    SaleTenantStays,  // the owner sells; the tenant stays
    SaleOwnerMovesIn, // the owner sells; the new owner lives in it
    SaleRentedOut,    // the owner sells; the new owner lets it
    NewTenant,        // one tenant leaves, another comes
    OwnerMovesIn,     // the tenant leaves, the owner moves in
    OwnerRentsOut,    // the owner moves out and lets it
};
bool changesResident(FlatEvent event);

inline constexpr int kNever = INT_MAX;

struct DemoFlat
{
    int number = 0;
    QString block;
    QString door;      // dairesi
    QString outerDoor; // dis_kapi_numarasi
    int area = 0;      // m², the distribution criterion

    DemoPerson owner;
    QDate ownerSince;
    bool rented = false;
    DemoPerson tenant; // when rented
    QDate residentSince;
    int people = 1;

    // The resident's way of paying, and the month from which the resident pays nothing.
    PayHabit habit = PayHabit::Monthly;
    QString method; // "Kasa" or "Banka"
    int stopMonth = kNever;
    double irregularOwed = 0;

    // A flat that also rents a parking space from the site, priced and paid in USD.
    int usdRent = 0;

    // Per dues year: the event at its start (events[0] is None) and, for a resident who
    // leaves at the start of the next year, the month from which they stopped paying.
    QList<FlatEvent> events;
    QList<int> leavingStop;

    FlatRecord record; // as last stored
    QString residentName() const { return rented ? tenant.fullName() : owner.fullName(); }
};

// The flats in blocks of 20 to 40, with their people, habits and yearly events.
QList<DemoFlat> planFlats(DemoRandom &random, int count, const DemoCalendar &calendar);

// Applies the event of a dues year to the flat's people and its record (the former owner and
// former resident columns take the people who leave).
void applyFlatEvent(DemoRandom &random, DemoFlat &flat, FlatEvent event, const QDate &day,
                    int firstMonthOfYear);

// The record's columns from the flat's current people.
void fillFlatRecord(DemoFlat &flat);

// Monthly dues of each dues year, rising year by year, in whole TL.
QList<int> planDues(DemoRandom &random, int years);

struct DemoPayment
{
    QDate date;
    int flat = 0; // index into the flat list
    double amount = 0;
    bool usd = false;
    QString description;
    QString method;
    QString holder;    // the resident who pays, by full name
    quint64 order = 0; // keeps payments of the same day and flat in the order they were planned
};

// The payments of the flat's resident for the dues of one year; payments after cutoff are
// not made (yet).
void planYearPayments(DemoRandom &random, DemoFlat &flat, int flatIndex,
                      const DemoCalendar &calendar, int period, int monthlyDues,
                      const QDate &cutoff, QList<DemoPayment> &out);

} // namespace dalvira::demo

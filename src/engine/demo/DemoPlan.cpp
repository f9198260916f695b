#include "demo/DemoPlan.h"

#include "demo/DemoRandom.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace dalvira::demo {

namespace {

// Block names as Turkish sites use them: Latin capitals without I (read as İ or I), Q, W, X;
// past the last letter the names go on as A2, B2, ...
QString blockName(int index)
{
    static const QString letters = QStringLiteral("ABCDEFGHJKLMNOPRSTUVYZ");
    const QString letter = letters.at(index % letters.size());
    const int round = index / int(letters.size());
    return round == 0 ? letter : letter + QString::number(round + 1);
}

PayHabit randomHabit(DemoRandom &random)
{
    const int r = random.below(100);
    if (r < 30)
        return PayHabit::Monthly;
    if (r < 55)
        return PayHabit::Quarterly;
    if (r < 65)
        return PayHabit::HalfYearly;
    if (r < 70)
        return PayHabit::Yearly;
    if (r < 90)
        return PayHabit::Late;
    return PayHabit::Irregular;
}

QString randomMethod(DemoRandom &random)
{
    return random.chance(70) ? QStringLiteral("Banka") : QStringLiteral("Kasa");
}

void newResidentHabits(DemoRandom &random, DemoFlat &flat)
{
    flat.habit = randomHabit(random);
    flat.method = randomMethod(random);
    flat.people = random.between(1, 5);
    flat.irregularOwed = 0;
}

// The rented state the flat has after the event.
bool rentedAfter(FlatEvent event, bool rented)
{
    switch (event) {
    case FlatEvent::None:
    case FlatEvent::SaleTenantStays:
    case FlatEvent::NewTenant:
        return rented;
    case FlatEvent::SaleOwnerMovesIn:
    case FlatEvent::OwnerMovesIn:
        return false;
    case FlatEvent::SaleRentedOut:
    case FlatEvent::OwnerRentsOut:
        return true;
    }
    return rented;
}

FlatEvent randomEvent(DemoRandom &random, bool rented)
{
    const int r = random.below(1000);
    if (rented) {
        if (r < 25)
            return FlatEvent::SaleTenantStays;
        if (r < 40)
            return FlatEvent::SaleOwnerMovesIn;
        if (r < 50)
            return FlatEvent::SaleRentedOut;
        if (r < 170)
            return FlatEvent::NewTenant;
        if (r < 220)
            return FlatEvent::OwnerMovesIn;
        return FlatEvent::None;
    }
    if (r < 35)
        return FlatEvent::SaleOwnerMovesIn;
    if (r < 60)
        return FlatEvent::SaleRentedOut;
    if (r < 90)
        return FlatEvent::OwnerRentsOut;
    return FlatEvent::None;
}

void setFormerOwner(DemoFlat &flat, const DemoPerson &person, const QDate &soldOn)
{
    FlatRecord &r = flat.record;
    r.set(QStringLiteral("onceki_ev_sahibi_adi"), person.firstName);
    r.set(QStringLiteral("onceki_ev_sahibi_soyadi"), person.surname);
    r.set(QStringLiteral("onceki_ev_sahibi_tel"), person.mobile);
    r.set(QStringLiteral("eski_sahibi_aciklama"),
          QStringLiteral("Daireyi %1 tarihinde sattı.").arg(soldOn.toString(u"dd.MM.yyyy")));
}

void setFormerResident(DemoFlat &flat, const DemoPerson &person, const QDate &since,
                       const QDate &leftOn)
{
    FlatRecord &r = flat.record;
    r.set(QStringLiteral("onceki_oturan_adi"), person.firstName);
    r.set(QStringLiteral("onceki_oturan_soyadi"), person.surname);
    r.set(QStringLiteral("onceki_oturan_tel"), person.mobile);
    r.set(QStringLiteral("onceki_oturan_giris_tarihi"), since);
    r.set(QStringLiteral("onceki_oturan_tasin_tarihi"), leftOn);
    r.set(QStringLiteral("eski_oturan_aciklama"),
          QStringLiteral("%1 tarihinde taşındı.").arg(leftOn.toString(u"dd.MM.yyyy")));
}

} // namespace

DemoCalendar::DemoCalendar(const QDate &lastMonth, int years)
    : m_first(QDate(lastMonth.year(), lastMonth.month(), 1).addMonths(1 - 12 * years)),
      m_months(12 * years)
{
}

QDate DemoCalendar::monthEnd(int month) const
{
    const QDate start = monthStart(month);
    return QDate(start.year(), start.month(), start.daysInMonth());
}

QString DemoCalendar::periodLabel(int period) const
{
    const QDate first = monthStart(12 * period);
    const QDate last = monthStart(12 * period + 11);
    if (first.year() == last.year())
        return QString::number(first.year());
    return QStringLiteral("%1-%2").arg(first.year()).arg(last.year());
}

bool changesResident(FlatEvent event)
{
    return event != FlatEvent::None && event != FlatEvent::SaleTenantStays;
}

QList<DemoFlat> planFlats(DemoRandom &random, int count, const DemoCalendar &calendar)
{
    QList<DemoFlat> flats;
    flats.reserve(count);
    const QDate start = calendar.monthStart(0);
    int block = 0;
    int remaining = count;
    while (remaining > 0) {
        int size = remaining <= 40 ? remaining : random.between(20, 40);
        if (remaining - size > 0 && remaining - size < 20)
            size = remaining - 20;
        // Each block has its own mix of flat sizes.
        const int bigShare = random.between(10, 40);
        for (int door = 1; door <= size; ++door) {
            DemoFlat flat;
            flat.number = int(flats.size()) + 1;
            flat.block = blockName(block);
            flat.door = QString::number(door);
            flat.outerDoor = QString::number(2 * block + 2);
            flat.area = random.chance(bigShare) ? random.between(145, 185)
                        : random.chance(60)     ? random.between(105, 140)
                                                : random.between(75, 100);
            flat.owner = randomPerson(random);
            flat.ownerSince = start.addDays(-random.between(60, 4000));
            flat.rented = random.chance(30);
            if (flat.rented) {
                flat.tenant = randomPersonOtherThan(random, flat.owner.fullName());
                flat.residentSince = start.addDays(-random.between(30, 1500));
            } else {
                flat.residentSince = flat.ownerSince;
            }
            newResidentHabits(random, flat);
            flats.append(flat);
        }
        remaining -= size;
        ++block;
    }

    // Some flats changed hands before the data starts; their former people have no movements.
    // At least one of each, so even a tiny demo shows the pages of the former people.
    QList<int> order;
    for (int i = 0; i < count; ++i)
        order.append(i);
    random.shuffle(order);
    const int formerOwners = std::max(1, count / 10);
    for (int k = 0; k < formerOwners; ++k) {
        DemoFlat &flat = flats[order[k]];
        setFormerOwner(flat, randomPersonOtherThan(random, flat.owner.fullName()), flat.ownerSince);
    }
    random.shuffle(order);
    for (int k = 0; k < formerOwners; ++k) {
        DemoFlat &flat = flats[order[k]];
        setFormerResident(flat, randomPersonOtherThan(random, flat.residentName()),
                          flat.residentSince.addDays(-random.between(400, 2000)),
                          flat.residentSince.addDays(-random.between(1, 30)));
    }

    // A few flats rent a parking space priced in USD.
    random.shuffle(order);
    const int usdFlats = std::max(1, count * 3 / 100);
    for (int k = 0; k < usdFlats; ++k)
        flats[order[k]].usdRent = 5 * random.between(8, 16);

    // Residents who stopped paying during the last year and are in debt now.
    random.shuffle(order);
    const int months = calendar.months();
    const int debtors = std::max(1, int(std::lround(count * 0.06)));
    for (int k = 0; k < debtors; ++k)
        flats[order[k]].stopMonth = random.between(months - 12, months - 3);

    // Sales and removals at the start of each later dues year; a resident who leaves settles
    // the account first, or now and then leaves a debt behind.
    const int years = calendar.years();
    for (DemoFlat &flat : flats) {
        flat.events = QList<FlatEvent>(years, FlatEvent::None);
        flat.leavingStop = QList<int>(years, kNever);
        bool rented = flat.rented;
        for (int p = 1; p < years; ++p) {
            flat.events[p] = randomEvent(random, rented);
            rented = rentedAfter(flat.events[p], rented);
            if (changesResident(flat.events[p]) && random.chance(30))
                flat.leavingStop[p - 1] = 12 * (p - 1) + random.between(8, 11);
        }
    }
    for (DemoFlat &flat : flats)
        fillFlatRecord(flat);
    return flats;
}

void applyFlatEvent(DemoRandom &random, DemoFlat &flat, FlatEvent event, const QDate &day,
                    int firstMonthOfYear)
{
    if (event == FlatEvent::None)
        return;
    const DemoPerson oldOwner = flat.owner;
    const DemoPerson oldResident = flat.rented ? flat.tenant : flat.owner;
    const QDate oldSince = flat.residentSince;
    const bool sale = event == FlatEvent::SaleTenantStays || event == FlatEvent::SaleOwnerMovesIn ||
                      event == FlatEvent::SaleRentedOut;
    if (sale) {
        setFormerOwner(flat, oldOwner, day);
        flat.owner = randomPersonOtherThan(random, oldOwner.fullName(), oldResident.fullName());
        flat.ownerSince = day;
    }
    if (changesResident(event)) {
        setFormerResident(flat, oldResident, oldSince, day);
        flat.rented = rentedAfter(event, flat.rented);
        if (flat.rented)
            flat.tenant =
                randomPersonOtherThan(random, flat.owner.fullName(), oldResident.fullName());
        flat.residentSince = day;
        newResidentHabits(random, flat);
        // The debt of the one who left stays on that person's account.
        if (flat.stopMonth < firstMonthOfYear)
            flat.stopMonth = kNever;
    }
    fillFlatRecord(flat);
}

void fillFlatRecord(DemoFlat &flat)
{
    FlatRecord &r = flat.record;
    r.set(QStringLiteral("sicil_kodu"), flat.number);
    r.set(QStringLiteral("blok"), flat.block);
    r.set(QStringLiteral("dairesi"), flat.door);
    r.set(QStringLiteral("dis_kapi_numarasi"), flat.outerDoor);
    r.set(QStringLiteral("adi"), flat.owner.firstName);
    r.set(QStringLiteral("soyadi"), flat.owner.surname);
    r.set(QStringLiteral("tc_kimlik"), flat.owner.identity);
    r.set(QStringLiteral("ceptel"), flat.owner.mobile);
    r.set(QStringLiteral("giris_tarihi"), flat.ownerSince);
    r.set(QStringLiteral("bos_number1"), flat.area);
    r.set(QStringLiteral("bos_number2"), flat.area);
    r.set(QStringLiteral("oturan_kisi_sayisi"), flat.people);
    if (flat.rented) {
        r.set(QStringLiteral("oturan_adi"), flat.tenant.firstName);
        r.set(QStringLiteral("oturan_soyadi"), flat.tenant.surname);
        r.set(QStringLiteral("oturan_tc_kimlik"), flat.tenant.identity);
        r.set(QStringLiteral("oturan_cep1"), flat.tenant.mobile);
        r.set(QStringLiteral("oturan_giris_tarihi"), flat.residentSince);
    } else {
        // No resident name: the register copies the owner into the resident's columns.
        r.set(QStringLiteral("oturan_adi"), QString());
        r.set(QStringLiteral("oturan_soyadi"), QString());
    }
}

QList<int> planDues(DemoRandom &random, int years)
{
    QList<int> dues(years, 0);
    int next = 100 * random.between(15, 25);
    for (int p = years - 1; p >= 0; --p) {
        dues[p] = next;
        // Yearly raises of 20 to 45 percent, rounded to 10 TL.
        const double earlier = next / (1.0 + random.between(20, 45) / 100.0);
        next = std::max(10, int(std::lround(earlier / 10.0)) * 10);
    }
    return dues;
}

namespace {

// "Ocak 2024", "Ocak-Mart 2024", "Kasım 2023-Ocak 2024".
QString monthsLabel(const DemoCalendar &calendar, int first, int last)
{
    const QDate a = calendar.monthStart(first);
    const QDate b = calendar.monthStart(last);
    if (first == last)
        return QStringLiteral("%1 %2").arg(turkishMonthName(a.month())).arg(a.year());
    if (a.year() == b.year())
        return QStringLiteral("%1-%2 %3")
            .arg(turkishMonthName(a.month()), turkishMonthName(b.month()))
            .arg(a.year());
    return QStringLiteral("%1 %2-%3 %4")
        .arg(turkishMonthName(a.month()))
        .arg(a.year())
        .arg(turkishMonthName(b.month()))
        .arg(b.year());
}

class YearPayments
{
public:
    YearPayments(DemoRandom &random, DemoFlat &flat, int flatIndex, const DemoCalendar &calendar,
                 int period, const QDate &cutoff, QList<DemoPayment> &out)
        : m_random(random), m_flat(flat), m_index(flatIndex), m_calendar(calendar),
          m_cutoff(cutoff), m_out(out)
    {
        m_first = 12 * period;
        // A resident who leaves when the next year starts pays by the end of this one.
        m_leaving = changesResident(flat.events.value(period + 1, FlatEvent::None));
        m_yearEnd = calendar.monthEnd(m_first + 11);
    }

    int first() const { return m_first; }

    // A day between lo and hi (cut to the month's length) of the month.
    QDate day(int month, int lo, int hi)
    {
        const QDate start = m_calendar.monthStart(month);
        hi = std::min(hi, start.daysInMonth());
        return start.addDays(m_random.between(lo, hi) - 1);
    }

    void pay(QDate date, double amount, const QString &description, bool usd = false)
    {
        if (m_leaving && date > m_yearEnd)
            date = m_yearEnd;
        if (date > m_cutoff || amount <= 0)
            return;
        DemoPayment payment;
        payment.date = date;
        payment.flat = m_index;
        payment.amount = amount;
        payment.usd = usd;
        payment.description = description;
        payment.method = usd ? QStringLiteral("Banka") : m_flat.method;
        m_out.append(payment);
    }

    void payDues(int firstMonth, int lastMonth, QDate date, int monthlyDues)
    {
        pay(date, double(monthlyDues) * (lastMonth - firstMonth + 1),
            monthsLabel(m_calendar, firstMonth, lastMonth) + QStringLiteral(" aidatı"));
    }

    QString label(int firstMonth, int lastMonth) const
    {
        return monthsLabel(m_calendar, firstMonth, lastMonth);
    }

private:
    DemoRandom &m_random;
    DemoFlat &m_flat;
    int m_index;
    const DemoCalendar &m_calendar;
    QDate m_cutoff;
    QList<DemoPayment> &m_out;
    int m_first = 0;
    bool m_leaving = false;
    QDate m_yearEnd;
};

} // namespace

void planYearPayments(DemoRandom &random, DemoFlat &flat, int flatIndex,
                      const DemoCalendar &calendar, int period, int monthlyDues,
                      const QDate &cutoff, QList<DemoPayment> &out)
{
    YearPayments year(random, flat, flatIndex, calendar, period, cutoff, out);
    const int first = year.first();
    // Months from stop on are not paid.
    const int stop = std::min(flat.stopMonth, flat.leavingStop.value(period, kNever));
    const int end = std::min(first + 12, stop); // one past the last paid month

    switch (flat.habit) {
    case PayHabit::Monthly:
        for (int m = first; m < end; ++m) {
            const QDate date = random.chance(10) ? year.day(m + 1, 1, 10) : year.day(m, 1, 31);
            year.payDues(m, m, date, monthlyDues);
        }
        break;
    case PayHabit::Quarterly:
        for (int q = first; q < end; q += 3)
            year.payDues(q, std::min(q + 2, end - 1), year.day(q + 2, 10, 31), monthlyDues);
        break;
    case PayHabit::HalfYearly:
        for (int h = first; h < end; h += 6)
            year.payDues(h, std::min(h + 5, end - 1), year.day(h, 1, 15), monthlyDues);
        break;
    case PayHabit::Yearly:
        if (end > first)
            year.payDues(first, end - 1, year.day(first, 1, 20), monthlyDues);
        break;
    case PayHabit::Late:
        for (int m = first; m < end;) {
            const int last = (m + 1 < end && random.chance(30)) ? m + 1 : m;
            year.payDues(m, last, year.day(last + random.between(1, 3), 1, 31), monthlyDues);
            m = last + 1;
        }
        break;
    case PayHabit::Irregular: {
        // Round sums now and then; what is left over waits for the next payment.
        double owed = flat.irregularOwed;
        int next = first + random.between(1, 3);
        for (int m = first; m < first + 12; ++m) {
            if (m < stop)
                owed += monthlyDues;
            if (m != next)
                continue;
            next += random.between(2, 4);
            const double amount = std::floor(owed / 500.0) * 500.0;
            if (m < stop && amount >= 500) {
                year.pay(year.day(m, 1, 31), amount, QStringLiteral("Aidat ödemesi"));
                owed -= amount;
            }
        }
        flat.irregularOwed = owed;
        break;
    }
    }

    // The parking rent in USD, paid at the start of each quarter.
    if (flat.usdRent > 0) {
        for (int q = first; q < first + 12; q += 3)
            year.pay(year.day(q, 1, 15), 3.0 * flat.usdRent,
                     QStringLiteral("Otopark kirası ") + year.label(q, q + 2), true);
    }
}

} // namespace dalvira::demo

#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>

namespace dalvira {

// An amount in whole kuruş. Sums and balances are carried in this form inside the engine so
// that totals add up to the kuruş and a balance of 1e-12 is zero, not a debt. Amounts are
// stored as REAL; convert at the storage boundary with fromDouble / toDouble.
class Money
{
public:
    constexpr Money() = default;
    static constexpr Money fromKurus(qint64 kurus) { return Money(kurus); }
    // Rounds to the kuruş, halves to even (judged on the value's shortest decimal form).
    // NaN gives zero; amounts beyond ±kMaxKurus (10^15 TL, far past any real balance) are
    // held at that limit, so sums of them cannot overflow 64 bits.
    static Money fromDouble(double amount);
    static constexpr qint64 kMaxKurus = 100'000'000'000'000'000LL;

    constexpr qint64 kurus() const { return m_kurus; }
    double toDouble() const { return double(m_kurus) / 100.0; }
    constexpr bool isZero() const { return m_kurus == 0; }
    // "#,##0.00" display: 1.234,56, 0,00, -12,50.
    QString toText() const;

    constexpr Money operator+(Money o) const { return Money(m_kurus + o.m_kurus); }
    constexpr Money operator-(Money o) const { return Money(m_kurus - o.m_kurus); }
    constexpr Money operator-() const { return Money(-m_kurus); }
    Money &operator+=(Money o)
    {
        m_kurus += o.m_kurus;
        return *this;
    }
    Money &operator-=(Money o)
    {
        m_kurus -= o.m_kurus;
        return *this;
    }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 kurus) : m_kurus(kurus) {}
    qint64 m_kurus = 0;
};

} // namespace dalvira

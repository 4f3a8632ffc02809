#pragma once

#include <QtGlobal>
#include <compare>

namespace vb {

// An amount of euro held exactly as whole cents.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromCents(qint64 cents) { Money m; m.m_cents = cents; return m; }
    static constexpr Money fromEuro(qint64 euro) { return fromCents(euro * 100); }

    constexpr qint64 cents() const { return m_cents; }
    constexpr bool isZero() const { return m_cents == 0; }
    constexpr bool isNegative() const { return m_cents < 0; }
    constexpr Money abs() const { return fromCents(m_cents < 0 ? -m_cents : m_cents); }

    constexpr Money operator+(Money o) const { return fromCents(m_cents + o.m_cents); }
    constexpr Money operator-(Money o) const { return fromCents(m_cents - o.m_cents); }
    constexpr Money operator-() const { return fromCents(-m_cents); }
    constexpr Money& operator+=(Money o) { m_cents += o.m_cents; return *this; }
    constexpr Money& operator-=(Money o) { m_cents -= o.m_cents; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 m_cents = 0;
};

} // namespace vb

#include "core/Format.h"
#include "core/Parse.h"

#include <gtest/gtest.h>

using vb::Money;
namespace fmt = vb::fmt;
namespace parse = vb::parse;

TEST(Format, MoneyPatterns)
{
    struct Case { qint64 cents; const char* pattern; const char* expected; };
    const Case cases[] = {
        {123450, "##,##0.00", "1.234,50"},
        {0, "##,##0.00", "0,00"},
        {-300, "##,##0.00", "-3,00"},
        {5, "##,##0.00", "0,05"},
        {123456789012, "##,##0.00", "1.234.567.890,12"},
        {123450, "€ ##,##0.00", "€ 1.234,50"},
        {7000, "+ € ##,##0.00", "+ € 70,00"},
        {0, "- € ##,##0.00", "- € 0,00"},
        {123450, "\"€\" #.##0,00", "€ 1.234,50"},
        {0, "\"€\" #.##0,00", "€ 0,00"},
        {150, "#,##0", "2"},
        {-150, "#,##0", "-2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(fmt::money(Money::fromCents(c.cents), QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected));
    }
}

TEST(Format, IntegerAndTextPatterns)
{
    EXPECT_EQ(fmt::integer(12, QStringLiteral("00000")), QStringLiteral("00012"));
    EXPECT_EQ(fmt::integer(7, QStringLiteral("000")), QStringLiteral("007"));
    EXPECT_EQ(fmt::integer(123456, QStringLiteral("0000")), QStringLiteral("123456"));
    struct Case { const char* value; const char* pattern; const char* expected; };
    const Case cases[] = {
        {"16051978", "00/00/0000", "16/05/1978"},
        {"1051978", "00/00/0000", "01/05/1978"},
        {"16/05/1978", "00/00/0000", "16/05/1978"},
        {"abc", "00/00/0000", "abc"},
        {"12", "00000", "00012"},
        {"0", "00000", "00000"},
        {"00012", "00000", "00012"},
        {"A12", "00000", "A12"},
        {"1234,5", "##,##0.00", "1.234,50"},
        {"12", "##,##0.00", "12,00"},
        {"abc", "##,##0.00", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(fmt::text(QString::fromUtf8(c.value), QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected));
    }
}

TEST(Format, Dates)
{
    EXPECT_EQ(fmt::date(QDate(2026, 12, 9)), QStringLiteral("09/12/2026"));
    EXPECT_EQ(fmt::date(QDate()), QString());
    // As the platform writes dd/MM/yyyy, early, late and far years included.
    for (const QDate& d : {QDate(1, 1, 1), QDate(800, 2, 29), QDate(1978, 5, 16), QDate(9999, 12, 31), QDate(12026, 3, 4),
                           QDate(-44, 3, 15)}) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(fmt::date(d), d.toString(QStringLiteral("dd/MM/yyyy")));
    }
    EXPECT_EQ(fmt::longDate(QDate(2026, 12, 9)), QStringLiteral("mercoledì 9 dicembre 2026"));
    EXPECT_EQ(fmt::time(QTime(8, 5, 3)), QStringLiteral("08:05:03"));
}

TEST(Parse, Amounts)
{
    struct Case { const char* text; std::optional<qint64> cents; };
    const Case cases[] = {
        {"1.234,50", 123450}, {"1234,5", 123450}, {"12", 1200}, {"0,00", 0}, {"-5", -500},
        {" 7,05 ", 705},      {"€ 12,00", 1200},  {",5", 50},   {"", std::nullopt},
        {"abc", std::nullopt}, {"1,234", std::nullopt}, {"12.5", std::nullopt}, {"1.23,00", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto m = parse::amount(QString::fromUtf8(c.text));
        ASSERT_EQ(m.has_value(), c.cents.has_value());
        if (m) {
            EXPECT_EQ(m->cents(), *c.cents);
        }
    }
}

TEST(Parse, Dates)
{
    EXPECT_EQ(parse::date(QStringLiteral("16/05/1978")), QDate(1978, 5, 16));
    EXPECT_EQ(parse::date(QStringLiteral("1/2/2024")), QDate(2024, 2, 1));
    EXPECT_EQ(parse::date(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
    for (const char* bad : {"31/02/1980", "29/02/2023", "99/99/9999", "16051978", "abc", "", "16-05-1978", "00/00/0000"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parse::date(QString::fromLatin1(bad)).has_value());
    }
    EXPECT_EQ(parse::isoDate(QStringLiteral("2026-12-09")), QDate(2026, 12, 9));
    EXPECT_EQ(parse::isoDate(QStringLiteral("2026-12-09 10:15:00")), QDate(2026, 12, 9));
    for (const char* bad : {"09/12/2026", "2026-12-9", "2026-02-30", "2026-13-01", "20a6-12-09", "2026/12/09", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parse::isoDate(QString::fromLatin1(bad)).has_value());
    }
    EXPECT_FALSE(parse::isoDate(QStringLiteral("２０２６-12-09")).has_value()); // digits that are not ASCII
}

TEST(Parse, Integers)
{
    EXPECT_EQ(parse::integer(QStringLiteral(" 2026 ")), 2026);
    EXPECT_EQ(parse::integer(QStringLiteral("-3")), -3);
    EXPECT_FALSE(parse::integer(QStringLiteral("20a6")).has_value());
    EXPECT_FALSE(parse::integer(QString()).has_value());
}

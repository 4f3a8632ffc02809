#include "members/lists/ListLine.h"

#include <gtest/gtest.h>

namespace vb::lists {
namespace {

TEST(ListLine, FeeListNameIsPaddedAndOnlyLongNamesAreCut)
{
    struct Case {
        int length;
        QString expected; // in terms of a name of |length| letters "a"
    };
    const QString a = QStringLiteral("a");
    const Case cases[] = {
        {3, a.repeated(3) + QString(23, u'>')},
        {25, a.repeated(25) + QStringLiteral(">")},
        {26, a.repeated(26)},
        {27, a.repeated(27)},
        {28, a.repeated(25)},
        {40, a.repeated(25)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        // "Cognome Nome" of |length| characters: surname, blank, name.
        const QString cognome = a.repeated(c.length / 2);
        const QString nome = a.repeated(c.length - cognome.size() - 1);
        QString expected = c.expected;
        expected[cognome.size()] = u' ';
        EXPECT_EQ(feeListName(cognome, nome), expected);
    }
}

TEST(ListLine, EnrolmentNameKeepsTwentyCharactersAndCutsLongerToNineteen)
{
    EXPECT_EQ(padName(QStringLiteral("ROSSI ANNA"), 19, 20, 19), QStringLiteral("ROSSI ANNA>>>>>>>>>"));
    EXPECT_EQ(padName(QString(20, u'X'), 19, 20, 19), QString(20, u'X'));
    EXPECT_EQ(padName(QString(21, u'X'), 19, 20, 19), QString(19, u'X'));
}

TEST(ListLine, HeadingLinesPartIntoTheHeadingsOfTheirColumns)
{
    const std::pair<QString, QStringList> cases[] = {
        {QStringLiteral("Tess.n.\tCognome                 Nome                  Data Versamento       Quota"),
         {QStringLiteral("Tess.n."), QStringLiteral("Cognome Nome"), QStringLiteral("Data Versamento"), QStringLiteral("Quota")}},
        {QStringLiteral("Index n.\tCognome   Nome                  Data Iscrizione       Tess.Num."),
         {QStringLiteral("Index n."), QStringLiteral("Cognome Nome"), QStringLiteral("Data Iscrizione"),
          QStringLiteral("Tess.Num.")}},
        {QStringLiteral("Num.\tTess.n.\tCognome e Nome"),
         {QStringLiteral("Num."), QStringLiteral("Tess.n."), QStringLiteral("Cognome e Nome")}},
        {QStringLiteral("Tess.n.\tCognome       Nome                            Data Compleanno     Anni"),
         {QStringLiteral("Tess.n."), QStringLiteral("Cognome Nome"), QStringLiteral("Data Compleanno"), QStringLiteral("Anni")}},
    };
    for (const auto& [header, columns] : cases) {
        SCOPED_TRACE(header.toStdString());
        EXPECT_EQ(headingColumns(header), columns);
    }
}

TEST(ListLine, YearMustBeAWholeNumber)
{
    const std::pair<QString, std::optional<int>> cases[] = {
        {QStringLiteral("2026"), 2026}, {QStringLiteral(" 2025 "), 2025}, {QStringLiteral("20'26"), std::nullopt},
        {QStringLiteral(""), std::nullopt}, {QStringLiteral("duemila"), std::nullopt}, {QStringLiteral("0"), std::nullopt},
        {QStringLiteral("2026.5"), std::nullopt}, {QStringLiteral("-2026"), std::nullopt},
    };
    for (const auto& [text, year] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(parseYear(text), year);
    }
}

} // namespace
} // namespace vb::lists

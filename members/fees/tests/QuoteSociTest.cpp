#include "members/fees/QuoteSoci.h"
#include "members/fees/tests/FeeFixture.h"

namespace vb::fees {
namespace {

using test::FeeFixture;

TEST(FeePersonText, ItemAndCardNumber)
{
    EXPECT_EQ(NominativoRegNumItem({7, QStringLiteral("Rossi"), QStringLiteral("Mario"), {}}),
              QStringLiteral("ROSSI MARIO  - REG. NUM.0007"));
    EXPECT_EQ(NominativoRegNumItem({12345, QStringLiteral("De Luca"), QStringLiteral("Anna"), {}}),
              QStringLiteral("DE LUCA ANNA  - REG. NUM.12345"));

    const struct { const char* stored; const char* shown; } cards[] = {
        {"0", "00000"}, {"0000", "00000"}, {"", "00000"}, {"12", "00012"}, {"123456", "123456"}, {"A12", "A12"},
    };
    for (const auto& c : cards) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(cardNumber(QString::fromUtf8(c.stored)), QString::fromUtf8(c.shown));
    }
}

TEST(FeePersonText, MemberTypeCodeIsExactMatchOnly)
{
    const char* names[] = {"MEMORIAM", "HONOREM", "VITALIZI", "ORDINARI", "SOSTENITORI", "ONORARI", "BENEMERITI"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(memberTypeCode(QString::fromUtf8(names[i])), std::optional<int>(i)) << names[i];
    for (const char* other : {"ordinari", "ORDINARI ", "", "Seleziona il tipo di socio"})
        EXPECT_EQ(memberTypeCode(QString::fromUtf8(other)), std::nullopt) << other;
}

TEST(FeeInputCheck, RefusesWhatIsNotAnAmountDateOrYear)
{
    const struct { const char* data; const char* anno; const char* importo; const char* refusal; } cases[] = {
        {"09/12/2026", "2026", "1.234,50", ""},
        {"9/1/2026", " 2027 ", "-5", ""},
        {"09/12/2026", "2026", "", "Importo"},
        {"09/12/2026", "2026", "dieci", "Importo"},
        {"31/02/2026", "2026", "10", "Data"},
        {"2026-12-09", "2026", "10", "Data"},
        {"09/12/2026", "duemila", "10", "Anno"},
        {"09/12/2026", "26", "10", "Anno"},
        {"09/12/2026", "", "10", "Anno"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.data, c.anno, c.importo).toStdString());
        FeeEntry e;
        const QString msg = readFeeInput({QStringLiteral("00012"), QString::fromUtf8(c.data), QString::fromUtf8(c.anno),
                                          QString::fromUtf8(c.importo), QStringLiteral("n")},
                                         e);
        EXPECT_EQ(msg.section(u' ', 0, 0), QString::fromUtf8(c.refusal));
    }
    FeeEntry e;
    ASSERT_EQ(readFeeInput({QStringLiteral("00012"), QStringLiteral("9/1/2026"), QStringLiteral(" 2027 "),
                            QStringLiteral("1.234,50"), QStringLiteral("n")},
                           e),
              QString());
    EXPECT_EQ(e.Indata, QDate(2026, 1, 9));
    EXPECT_EQ(e.Anno, QStringLiteral("2027"));
    EXPECT_EQ(e.QuotaVers, Money::fromCents(123450));
}

class RegistroQuoteSociTest : public FeeFixture {};

TEST_F(RegistroQuoteSociTest, PersonsByTypeCodeInSurnameOrder)
{
    addPerson(QStringLiteral("Verdi"), QStringLiteral("Gino"));
    addPerson(QStringLiteral("Bianchi"), QStringLiteral("Ada"));
    addPerson(QStringLiteral("Neri"), QStringLiteral("Ugo"), QStringLiteral("ONORARI"), 5);
    QStringList all, ordinari;
    for (const auto& p : persons(*db))
        all << p.Cognome;
    for (const auto& p : persons(*db, 3))
        ordinari << p.Cognome;
    EXPECT_EQ(all, (QStringList{QStringLiteral("Bianchi"), QStringLiteral("Neri"), QStringLiteral("Verdi")}));
    EXPECT_EQ(ordinari, (QStringList{QStringLiteral("Bianchi"), QStringLiteral("Verdi")}));
    EXPECT_TRUE(persons(*db, 6).empty());
}

TEST_F(RegistroQuoteSociTest, AddModifyRemove)
{
    const qint64 who = addPerson(QStringLiteral("Rossi"), QStringLiteral("Mario"));
    const qint64 other = addPerson(QStringLiteral("Bianchi"), QStringLiteral("Ada"));
    RegistroQuoteSoci reg(*db);
    const qint64 id = reg.add(who, {QStringLiteral("00012"), QDate(2026, 3, 5), QStringLiteral("2026"),
                                    Money::fromCents(2550), QString()});
    auto row = reg.load(id);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Note, QStringLiteral("NIL"));
    EXPECT_EQ(row->CodNom, who);
    EXPECT_EQ(scalar(QStringLiteral("SELECT QuotaVers FROM RegistroQuoteSoci WHERE IDRegistro = ?"), {id}), 2550);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Indata = '2026-03-05' FROM RegistroQuoteSoci WHERE IDRegistro = ?"), {id}), 1);

    // A modify keeps the person and stores an empty note as it is.
    EXPECT_TRUE(reg.modify(id, {QStringLiteral("00099"), QDate(2026, 4, 1), QStringLiteral("2025"), Money::fromCents(-100),
                                QString()}));
    row = reg.load(id);
    EXPECT_EQ(row->CodNom, who);
    EXPECT_EQ(row->TessNum, QStringLiteral("00099"));
    EXPECT_EQ(row->Indata, QDate(2026, 4, 1));
    EXPECT_EQ(row->Anno, QStringLiteral("2025"));
    EXPECT_EQ(row->QuotaVers, Money::fromCents(-100));
    EXPECT_EQ(row->Note, QString());

    reg.add(other, {QStringLiteral("1"), QDate(2026, 1, 1), QStringLiteral("2026"), Money::fromEuro(1), QStringLiteral("n")});
    EXPECT_TRUE(reg.remove(id));
    EXPECT_FALSE(reg.remove(id));
    EXPECT_FALSE(reg.modify(id, {}));
    EXPECT_FALSE(reg.load(id).has_value());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroQuoteSoci")), 1);
}

TEST_F(RegistroQuoteSociTest, RowsByYearBothWays)
{
    const qint64 who = addPerson(QStringLiteral("Rossi"), QStringLiteral("Mario"));
    addFee(who, QStringLiteral("2025"), 100);
    addFee(who, QStringLiteral("2027"), 300);
    addFee(who, QStringLiteral("2026"), 200);
    addFee(addPerson(QStringLiteral("Altro"), QStringLiteral("X")), QStringLiteral("2026"), 999);
    RegistroQuoteSoci reg(*db);
    QStringList up, down;
    for (const auto& r : reg.rows(who, true))
        up << r.Anno;
    for (const auto& r : reg.rows(who, false))
        down << r.Anno;
    EXPECT_EQ(up, (QStringList{QStringLiteral("2025"), QStringLiteral("2026"), QStringLiteral("2027")}));
    EXPECT_EQ(down, (QStringList{QStringLiteral("2027"), QStringLiteral("2026"), QStringLiteral("2025")}));
    EXPECT_EQ(storedYears(*db), (QStringList{QStringLiteral("2025"), QStringLiteral("2026"), QStringLiteral("2027")}));
}

} // namespace
} // namespace vb::fees

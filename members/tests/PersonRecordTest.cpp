#include "members/PersonRecord.h"

#include <gtest/gtest.h>

#include <functional>

namespace vb::members {
namespace {

TEST(PersonRecord, MemberTypeCodeIsThePositionOfTheExactName)
{
    const std::vector<std::pair<QString, int>> cases{
        {QStringLiteral("MEMORIAM"), 0}, {QStringLiteral("HONOREM"), 1},     {QStringLiteral("VITALIZI"), 2},
        {QStringLiteral("ORDINARI"), 3}, {QStringLiteral("SOSTENITORI"), 4}, {QStringLiteral("ONORARI"), 5},
        {QStringLiteral("BENEMERITI"), 6}, {QStringLiteral("ordinari"), 0},  {QStringLiteral("AMICI"), 0},
        {QStringLiteral(" ORDINARI"), 0},
    };
    for (const auto& [name, code] : cases) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(codiceControllo(name), code);
    }
}

TEST(PersonRecord, CardNumberMarksAMemberUnlessItReadsAsZero)
{
    const std::vector<std::pair<QString, bool>> cases{
        {QStringLiteral("0"), false},    {QStringLiteral("0000"), false}, {QStringLiteral("00000"), false},
        {QString(), false},              {QStringLiteral("00012"), true}, {QStringLiteral("7"), true},
        {QStringLiteral("A12"), true},   {QStringLiteral("zero"), true},
    };
    for (const auto& [card, member] : cases) {
        SCOPED_TRACE(card.toStdString());
        EXPECT_EQ(isMember(card), member);
    }
}

TEST(PersonRecord, TypedDatesAreEightDigitsOrDayMonthYear)
{
    EXPECT_EQ(formatTypedDate(QStringLiteral("16051978")), QStringLiteral("16/05/1978"));
    EXPECT_EQ(formatTypedDate(QStringLiteral("16/05/1978")), QStringLiteral("16/05/1978"));
    EXPECT_EQ(typedDate(QStringLiteral("16051978")), QDate(1978, 5, 16));
    EXPECT_EQ(typedDate(QStringLiteral("29/02/2024")), QDate(2024, 2, 29));
    for (const QString& bad : {QStringLiteral("31021980"), QStringLiteral("99999999"), QStringLiteral("1605197"),
                               QStringLiteral("abc"), QStringLiteral("16-05-1978"), QStringLiteral("29/02/2023")}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(typedDate(bad).has_value());
    }
}

// Filling an empty record field by field, in the order of the checks, each step shows the
// next check's message until the record passes.
TEST(PersonRecord, ChecksRunInTheirOrderAndStopAtTheFirstFailure)
{
    using Step = std::pair<QString, std::function<void(PersonRecord&)>>;
    const std::vector<Step> addSteps{
        {QStringLiteral("Cognome mancante! "), [](PersonRecord& p) { p.Cognome = QStringLiteral("Rossi"); }},
        {QStringLiteral("Nome mancante! "), [](PersonRecord& p) { p.Nome = QStringLiteral("Mario"); }},
        {QStringLiteral("CAP residenza mancante! "), [](PersonRecord& p) { p.CAPresidente = QStringLiteral("00100"); }},
        {QStringLiteral("Num. Cellulare mancante! "), [](PersonRecord& p) { p.Cellulare = QStringLiteral("333"); }},
        {QStringLiteral("Codice Fiscale mancante! Se non disponibile sarà assegnato comunque uno non valido. "),
         [](PersonRecord&) {}},
        {QStringLiteral("Luogo di nascita mancante! "), [](PersonRecord& p) { p.LuogoNascita = QStringLiteral("Roma"); }},
        {QStringLiteral("Data di nascita mancante! "), [](PersonRecord& p) { p.DataNascita = QStringLiteral("16/05/1978"); }},
        {QStringLiteral("Residenza mancante! "), [](PersonRecord& p) { p.Residente = QStringLiteral("Roma"); }},
        {QStringLiteral("Indirizzo mancante! "), [](PersonRecord& p) { p.IndirizzoResidente = QStringLiteral("Via Po"); }},
        {QStringLiteral("Numero indirizzo mancante! "), [](PersonRecord& p) { p.Numero = QStringLiteral("1"); }},
        {QStringLiteral("Assenso trattamenti dati personali mancante! "),
         [](PersonRecord& p) { p.AssensoTrattDatiPersonali = true; }},
        {QStringLiteral("Tipo di Socio necessario! "), [](PersonRecord& p) { p.TipoSocio = QStringLiteral("ORDINARI"); }},
        {QStringLiteral("E-mail mancante/non valida! "), [](PersonRecord& p) { p.PostaElettronica = QStringLiteral("a@b.it"); }},
        {QString(), nullptr},
    };
    PersonRecord p;
    for (const auto& [message, fill] : addSteps) {
        SCOPED_TRACE(message.toStdString());
        EXPECT_EQ(runChecks(Check::Add, p), message);
        if (fill)
            fill(p);
    }
    // The tax-code step left the placeholder in the record.
    EXPECT_EQ(p.CF, kNoTaxCode);
}

TEST(PersonRecord, ModifySkipsTheBirthDateAndFillsTheEmail)
{
    PersonRecord p;
    p.Cognome = QStringLiteral("Rossi");
    p.Nome = QStringLiteral("Mario");
    p.CAPresidente = QStringLiteral("00100");
    p.Cellulare = QStringLiteral("333");
    p.CF = QStringLiteral("RSSMRA78E16H501X");
    p.LuogoNascita = QStringLiteral("Roma");
    p.Residente = QStringLiteral("Roma");
    EXPECT_EQ(runChecks(Check::Modify, p), QStringLiteral("Indirizzo mancante! "));
    p.IndirizzoResidente = QStringLiteral("Via Po");
    p.Numero = QStringLiteral("1");
    p.AssensoTrattDatiPersonali = true;
    p.TipoSocio = QStringLiteral("ORDINARI");
    EXPECT_EQ(runChecks(Check::Modify, p), QString());
    EXPECT_EQ(p.PostaElettronica, kNotAvailable);
    EXPECT_EQ(runChecks(Check::Add, p), QStringLiteral("Data di nascita mancante! "));
}

} // namespace
} // namespace vb::members

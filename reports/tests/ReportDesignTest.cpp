#include "core/Error.h"
#include "reports/engine/FieldFormat.h"
#include "reports/engine/ReportDesign.h"
#include "reports/tests/DesignCaptions.h"
#include "tests/support/TestSupport.h"

#include <QFileInfo>

using namespace vb;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
using namespace vb::reports;

TEST(ReportDesign, EveryCompiledDesignIsValid)
{
    const QStringList paths = designResources();
    EXPECT_TRUE(paths.contains(QStringLiteral(":/reports/core/ReportAnagrafica.json")));
    EXPECT_TRUE(paths.contains(QStringLiteral(":/reports/core/ReportRegistroAccessi.json")));
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const QString name = QFileInfo(path).completeBaseName();
        try {
            EXPECT_EQ(loadDesign(name).report, name);
        } catch (const Error& e) {
            ADD_FAILURE() << e.description().toStdString();
        }
    }
    EXPECT_THROW(loadDesign(QStringLiteral("Inesistente")), Error);
}

TEST(ReportDesign, CoreCaptionsFitTheirBoxes)
{
    for (const char* report : {"ReportAnagrafica", "ReportRegistroAccessi"})
        expectFixedCaptionsFit(report);
}

TEST(ReportDesign, RefusesDesignsTheEngineCannotPrint)
{
    const auto design = [](const char* dataMember, const char* sections) {
        return QStringLiteral(R"({"report": "X", "dataMember": "%1", "sections": [%2]})")
            .arg(QString::fromUtf8(dataMember), QString::fromUtf8(sections))
            .toUtf8();
    };
    struct Case {
        const char* what;
        const char* dataMember;
        const char* sections;
    };
    const Case cases[] = {
        {"unknown command", "Nessuno", R"({"name": "Section1", "role": "detail", "height": 5})"},
        {"unknown role", "StpSoci", R"({"name": "Section1", "role": "middle", "height": 5})"},
        {"unknown control kind", "StpSoci",
         R"({"name": "Section1", "role": "detail", "controls": [{"name": "a", "kind": "chart"}]})"},
        {"unknown format", "StpSoci",
         R"({"name": "Section1", "role": "detail", "controls": [{"name": "a", "kind": "textBox", "field": "Num", "format": "#x#"}]})"},
        {"text box in a page header", "StpSoci",
         R"({"name": "Section2", "role": "pageHeader", "controls": [{"name": "a", "kind": "textBox", "field": "Num"}]})"},
        {"function in a page footer", "StpSoci",
         R"({"name": "Section3", "role": "pageFooter", "controls": [{"name": "a", "kind": "function", "function": "sum", "field": "Num"}]})"},
        {"level not in the command", "CodSub", R"({"name": "Section1", "role": "detail", "level": "CodSub.SubCod"})"},
        {"group below the detail", "CatCod",
         R"({"name": "Section1", "role": "detail", "level": "CatCod.Cod_Raggruppam"},
            {"name": "Section6", "role": "groupHeader", "level": "CatCod.Cod_Raggruppam.Cod"})"},
        {"two details", "StpSoci",
         R"({"name": "Section1", "role": "detail"}, {"name": "Section7", "role": "detail"})"},
        {"a box that grows in a page footer", "StpSoci",
         R"({"name": "Section3", "role": "pageFooter", "controls": [{"name": "a", "kind": "label", "text": "%p", "canGrow": true}]})"},
        {"two controls of one name", "StpSoci",
         R"({"name": "Section1", "role": "detail", "controls": [{"name": "a", "kind": "line"}, {"name": "A", "kind": "line"}]})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(parseDesign(design(c.dataMember, c.sections), QStringLiteral("X")), Error);
    }
    EXPECT_NO_THROW(parseDesign(design("CatCod", R"({"name": "Section1", "role": "detail", "level": "CatCod.Cod_Raggruppam.Cod"},
        {"name": "Section6", "role": "groupHeader", "level": "CatCod"})"), QStringLiteral("X")));
}

TEST(FieldFormat, PrintsEachKindOfFieldAsTheDesignSays)
{
    const QString money = QStringLiteral("\"€\" #.##0,00");
    struct Case {
        QVariant value;
        QString format;
        QString printed;
    };
    const Case cases[] = {
        {QVariant(qlonglong(123450)), money, QStringLiteral("€ 1.234,50")},
        {QVariant(qlonglong(0)), money, QStringLiteral("€ 0,00")},
        {QVariant(qlonglong(123450)), QStringLiteral("##,##0.00"), QStringLiteral("1.234,50")},
        {QVariant(), money, QString()},
        {QVariant(QStringLiteral("1978-05-16")), QStringLiteral("dd/MM/yyyy"), QStringLiteral("16/05/1978")},
        {QVariant(QStringLiteral("16/05/1978")), QStringLiteral("dd/MM/yyyy"), QStringLiteral("16/05/1978")},
        {QVariant(qlonglong(42)), QStringLiteral("0000"), QStringLiteral("0042")},
        {QVariant(QStringLiteral("7")), QStringLiteral("00000"), QStringLiteral("00007")},
        {QVariant(qlonglong(42)), QString(), QStringLiteral("42")},
        {QVariant(QStringLiteral(" testo ")), QString(), QStringLiteral(" testo ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.value.toString() + QLatin1Char(' ') + c.format).toStdString());
        EXPECT_EQ(formatValue(c.value, c.format), c.printed);
    }
}

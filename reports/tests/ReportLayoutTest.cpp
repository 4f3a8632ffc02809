#include "data/RecordSet.h"
#include "reports/engine/ReportDesign.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/TextFit.h"
#include "tests/support/TestSupport.h"

#include <QFontMetricsF>


using namespace vb;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
using namespace vb::reports;

namespace {

// A cash register: title, heading and logo once; column labels and page footer on every
// page; one 10 mm line per row; the sum of Importo at the end.
const char* kRegister = R"({
  "report": "Registro", "caption": "Registro", "dataMember": "StpRegCassa",
  "sections": [
    {"name": "Section4", "role": "reportHeader", "height": 20, "controls": [
      {"name": "Image1", "kind": "image", "x": 0, "y": 0, "w": 20, "h": 20},
      {"name": "Label_Intest", "kind": "label", "text": "", "x": 30, "y": 0, "w": 150, "h": 8},
      {"name": "Label1", "kind": "label", "text": "REGISTRO", "x": 30, "y": 10, "w": 150, "h": 8}]},
    {"name": "Section2", "role": "pageHeader", "height": 8, "controls": [
      {"name": "Label2", "kind": "label", "text": "Causale", "x": 0, "y": 0, "w": 100, "h": 6},
      {"name": "Label3", "kind": "label", "text": "Importo", "x": 150, "y": 0, "w": 40, "h": 6},
      {"name": "Line1", "kind": "line", "x": 0, "y": 7, "w": 190, "h": 0}]},
    {"name": "Section1", "role": "detail", "height": 10, "controls": [
      {"name": "txtDescrizione", "kind": "textBox", "field": "Descrizione", "x": 0, "y": 0, "w": 100, "h": 6},
      {"name": "txtImporto", "kind": "textBox", "field": "Importo", "format": "\"€\" #.##0,00",
       "x": 150, "y": 0, "w": 40, "h": 6, "align": "right"}]},
    {"name": "Section3", "role": "pageFooter", "height": 8, "controls": [
      {"name": "Label8", "kind": "label", "text": "Pag. %p di %P", "x": 0, "y": 1, "w": 60, "h": 6},
      {"name": "Label10", "kind": "label", "text": "Stampato il: %d", "x": 120, "y": 1, "w": 70, "h": 6}]},
    {"name": "Section5", "role": "reportFooter", "height": 10, "controls": [
      {"name": "Label6", "kind": "label", "text": "Totale:", "x": 100, "y": 0, "w": 40, "h": 6},
      {"name": "Function1", "kind": "function", "function": "sum", "field": "Importo",
       "format": "\"€\" #.##0,00", "x": 150, "y": 0, "w": 40, "h": 6},
      {"name": "Function2", "kind": "function", "function": "count", "field": "Importo", "x": 0, "y": 0, "w": 20, "h": 6}]}
  ]})";

data::Rows registerRows(int count, qint64 cents = 100)
{
    data::Rows rows;
    rows.name = QStringLiteral("StpRegCassa");
    rows.fields = QStringList{QStringLiteral("Descrizione"), QStringLiteral("Importo")};
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("riga %1").arg(i), QVariant(qlonglong(cents))});
    return rows;
}

RuntimeState stateOn(const QDate& date)
{
    RuntimeState st;
    st.date = date;
    st.labels.insert(QStringLiteral("label_intest"), QStringLiteral("Associazione Alfa"));
    return st;
}

} // namespace

TEST(ReportLayout, AnEmptyReportPrintsItsFrameAndZeroSums)
{
    const ReportDesign d = parseDesign(kRegister, QStringLiteral("Registro"));
    const ReportLayout layout = layoutReport(d, registerRows(0), stateOn(QDate(2026, 12, 9)));
    const QList<QStringList> expected{{QStringLiteral("Associazione Alfa"), QStringLiteral("REGISTRO"),
                                       QStringLiteral("Causale"), QStringLiteral("Importo"), QStringLiteral("0"),
                                       QStringLiteral("Totale:"), QStringLiteral("€ 0,00"),
                                       QStringLiteral("Pag. 1 di 1"), QStringLiteral("Stampato il: 09/12/2026")}};
    EXPECT_EQ(layout.pageTexts(), expected);
}

TEST(ReportLayout, RowsFlowOntoPagesEachWithItsHeaderAndFooter)
{
    const ReportDesign d = parseDesign(kRegister, QStringLiteral("Registro"));
    // Body: 297 - 10 - 10 - 8 = 269 mm; page 1 loses 28 mm to the headers (24 rows), the
    // next pages 8 mm (26 rows). 60 rows: 24 + 26 + 10, and the footer after them.
    const ReportLayout layout = layoutReport(d, registerRows(60, 123450), stateOn(QDate(2026, 12, 9)));
    ASSERT_EQ(layout.pageCount(), 3);
    const QList<QStringList> pages = layout.pageTexts();
    const int rowsPerPage[] = {24, 26, 10};
    int row = 0;
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList& texts = pages[p];
        EXPECT_EQ(texts.count(QStringLiteral("REGISTRO")), p == 0 ? 1 : 0);
        EXPECT_EQ(texts.count(QStringLiteral("Causale")), 1);
        EXPECT_EQ(texts.count(QStringLiteral("€ 1.234,50")), rowsPerPage[p]);
        EXPECT_EQ(texts.contains(QStringLiteral("riga %1").arg(row + 1)), true);
        row += rowsPerPage[p];
        EXPECT_EQ(texts.contains(QStringLiteral("riga %1").arg(row)), true);
        EXPECT_EQ(texts.contains(QStringLiteral("riga %1").arg(row + 1)), false);
        EXPECT_EQ(texts.mid(texts.size() - 2),
                  (QStringList{QStringLiteral("Pag. %1 di 3").arg(p + 1), QStringLiteral("Stampato il: 09/12/2026")}));
        EXPECT_EQ(texts.contains(QStringLiteral("€ 74.070,00")), p == 2);
    }
    // Nothing is drawn over the page footer.
    for (int p = 0; p < layout.pageCount(); ++p) {
        for (const auto& it : layout.page(p).items) {
            if (layout.control(it).section != QLatin1String("Section3")) {
                EXPECT_LE(it.rect.bottom(), 297.0 - 10 - 8 + 1e-6) << layout.control(it).name.toStdString();
            }
        }
    }
}

TEST(ReportLayout, GroupsPrintTheirValueAndTheirOwnSums)
{
    const char* json = R"({"report": "G", "dataMember": "CatCod", "sections": [
      {"name": "Section6", "role": "groupHeader", "level": "CatCod", "height": 6, "controls": [
        {"name": "txtTestata", "kind": "textBox", "field": "TestataCassa", "x": 0, "y": 0, "w": 50, "h": 6}]},
      {"name": "Section8", "role": "groupHeader", "level": "CatCod.Cod_Raggruppam", "height": 6, "controls": [
        {"name": "txtDescr", "kind": "textBox", "field": "DescrCodice", "x": 5, "y": 0, "w": 50, "h": 6}]},
      {"name": "Section1", "role": "detail", "level": "CatCod.Cod_Raggruppam.Cod", "height": 6, "controls": [
        {"name": "txtCausale", "kind": "textBox", "field": "Causale", "x": 10, "y": 0, "w": 50, "h": 6},
        {"name": "txtBook", "kind": "textBox", "field": "TestataCassa", "member": "CatCod", "x": 80, "y": 0, "w": 30, "h": 6}]},
      {"name": "Section9", "role": "groupFooter", "level": "CatCod.Cod_Raggruppam", "height": 6, "controls": [
        {"name": "Function2", "kind": "function", "function": "sum", "field": "ImportoE", "format": "##,##0.00",
         "x": 150, "y": 0, "w": 40, "h": 6}]},
      {"name": "Section7", "role": "groupFooter", "level": "CatCod", "height": 6, "controls": [
        {"name": "Function3", "kind": "function", "function": "sum", "field": "ImportoE", "format": "##,##0.00",
         "x": 150, "y": 0, "w": 40, "h": 6}]},
      {"name": "Section5", "role": "reportFooter", "height": 6, "controls": [
        {"name": "Function1", "kind": "function", "function": "sum", "field": "ImportoE", "format": "##,##0.00",
         "x": 150, "y": 0, "w": 40, "h": 6}]}]})";
    const ReportDesign d = parseDesign(json, QStringLiteral("G"));

    const auto leaf = [](const char* book, const char* code, std::initializer_list<std::pair<const char*, int>> rows) {
        data::Rows r;
        r.name = QStringLiteral("Cod");
        r.fields = QStringList{QStringLiteral("TestataCassa"), QStringLiteral("DescrCodice"), QStringLiteral("Causale"),
                               QStringLiteral("ImportoE")};
        for (const auto& [causale, cents] : rows)
            r.append({QString::fromUtf8(book), QString::fromUtf8(code), QString::fromUtf8(causale),
                      QVariant(qlonglong(cents))});
        return r;
    };
    const auto groups = [](std::vector<std::pair<const char*, data::Rows>> codes) {
        data::Rows g;
        g.name = QStringLiteral("Cod_Raggruppam");
        g.fields = QStringList{QStringLiteral("TestataCassa"), QStringLiteral("DescrCodice")};
        g.childNames = QStringList{QStringLiteral("Cod")};
        for (auto& [code, rows] : codes) {
            std::vector<data::Rows> children;
            children.push_back(rows);
            g.append({rows.at(0, 0), QString::fromUtf8(code)}, std::move(children));
        }
        return g;
    };
    data::Rows root;
    root.name = QStringLiteral("CatCod");
    root.fields = QStringList{QStringLiteral("TestataCassa")};
    root.childNames = QStringList{QStringLiteral("Cod_Raggruppam")};
    std::vector<data::Rows> banca, cassa;
    banca.push_back(groups({{"AAA", leaf("Banca", "AAA", {{"b1", 1000}})}}));
    cassa.push_back(groups({{"AAA", leaf("Cassa", "AAA", {{"c1", 250}, {"c2", 50}})},
                            {"BBB", leaf("Cassa", "BBB", {{"c3", 7}})}}));
    root.append({QStringLiteral("Banca")}, std::move(banca));
    root.append({QStringLiteral("Cassa")}, std::move(cassa));

    const ReportLayout layout = layoutReport(d, root, RuntimeState{});
    const QStringList expected{
        QStringLiteral("Banca"), QStringLiteral("AAA"), QStringLiteral("b1"), QStringLiteral("Banca"),
        QStringLiteral("10,00"), QStringLiteral("10,00"),
        QStringLiteral("Cassa"), QStringLiteral("AAA"), QStringLiteral("c1"), QStringLiteral("Cassa"),
        QStringLiteral("c2"), QStringLiteral("Cassa"), QStringLiteral("3,00"),
        QStringLiteral("BBB"), QStringLiteral("c3"), QStringLiteral("Cassa"), QStringLiteral("0,07"),
        QStringLiteral("3,07"), QStringLiteral("13,07")};
    ASSERT_EQ(layout.pageCount(), 1);
    EXPECT_EQ(layout.pageTexts().front(), expected);
}

TEST(ReportLayout, HiddenControlsAndTheLogoFollowTheShowing)
{
    const ReportDesign d = parseDesign(kRegister, QStringLiteral("Registro"));
    RuntimeState st = stateOn(QDate(2026, 1, 2));
    st.hidden = {QStringLiteral("txtimporto"), QStringLiteral("function1"), QStringLiteral("label3")};
    const QImage wide(200, 100, QImage::Format_RGB32);
    st.picture = std::make_shared<QImage>(wide);
    const ReportLayout layout = layoutReport(d, registerRows(2), st);
    const QStringList texts = layout.pageTexts().front();
    EXPECT_EQ(texts.contains(QStringLiteral("€ 1,00")), false);
    EXPECT_EQ(texts.contains(QStringLiteral("Importo")), false);
    EXPECT_EQ(texts.contains(QStringLiteral("riga 2")), true);

    // Alignment 8 and size mode 2: as large as fits, keeping the proportions, at the bottom right.
    const auto items = layout.page(0).items;
    const auto image = std::find_if(items.begin(), items.end(), [](const LayoutItem& it) { return it.kind == LayoutItem::Kind::Image; });
    ASSERT_NE(image, items.end());
    EXPECT_EQ(layout.pictureRect(*image), QRectF(10, 20, 20, 10));

    st.picture.reset();
    const auto noLogo = layoutReport(d, registerRows(2), st);
    for (const auto& it : noLogo.page(0).items)
        EXPECT_NE(it.kind, LayoutItem::Kind::Image);
}

TEST(ReportLayout, ManyRowsFillEveryPage)
{
    // The time per row is measured by the benchmarks (bench/ReportBench.cpp).
    const ReportDesign d = parseDesign(kRegister, QStringLiteral("Registro"));
    for (int rows : {4000, 16000}) {
        SCOPED_TRACE(rows);
        const ReportLayout layout = layoutReport(d, registerRows(rows), stateOn(QDate(2026, 1, 2)));
        EXPECT_EQ(layout.pageCount(), 1 + (rows - 24 + 25) / 26);
    }
}

TEST(ReportLayout, ALongCausaleGrowsItsRowWholeAndEveryTextFitsItsBox)
{
    // The cash register as printed: long causali wrap within their column, their rows grow
    // and push the next rows (and the page breaks) down.
    const ReportDesign d = loadDesign(QStringLiteral("RegistroCassa"));
    const QString longCausale = QStringLiteral(
        "Versamento quota sociale anno 2026 di Dell'Acqua Bianchi Maria Vittoria Tess. n. 000123 - saldo arretrati 2024 e 2025");
    const QString noteWithBreaks = QStringLiteral("Rimborso spese trasferta\nLucca - Firenze - Pisa, biglietti n. 12345/6789/ABCD");
    data::Rows rows;
    rows.name = QStringLiteral("StpRegCassa");
    rows.fields = QStringList{QStringLiteral("Data"), QStringLiteral("CodiceCategoria"), QStringLiteral("Tipo"),
                              QStringLiteral("Descrizione"), QStringLiteral("Importo"), QStringLiteral("ImportoE"),
                              QStringLiteral("ImportoU")};
    QStringList causali;
    for (int i = 1; i <= 90; ++i) {
        const QString causale = i % 7 == 0   ? longCausale + QStringLiteral(" #%1").arg(i)
                                : i % 11 == 0 ? noteWithBreaks
                                              : QStringLiteral("riga %1").arg(i);
        causali << causale;
        const qlonglong cents = i == 45 ? 12345678901LL : 1000 + i;
        rows.append({QStringLiteral("2026-03-01"), QStringLiteral("AQS"), QStringLiteral("E"), causale, cents, cents,
                     0LL});
    }
    RuntimeState st = stateOn(QDate(2026, 12, 9));
    st.labels.insert(QStringLiteral("label_intest"),
                     QStringLiteral("Associazione Nazionale Volontari per la Tutela del Patrimonio - Sezione di Lucca"));
    const ReportLayout layout = layoutReport(d, rows, st);

    // Every causale appears whole, in order.
    QStringList printed;
    for (const QStringList& page : layout.pageTexts())
        for (const QString& t : page)
            if (causali.contains(t))
                printed << t;
    EXPECT_EQ(printed, causali);
    ASSERT_GT(layout.pageCount(), 1);

    // A page laid out on its own (as the preview asks for it) is the page laid out in the
    // run through the whole report (as the PDF is written).
    const QList<QStringList> streamed = layout.pageTexts();
    for (int p = layout.pageCount() - 1; p >= 0; --p) {
        const LayoutPage page = layout.page(p);
        QStringList texts;
        for (const LayoutItem& it : page.items)
            if (it.kind == LayoutItem::Kind::Text && !it.text.isEmpty())
                texts << it.text;
        QStringList expected = streamed[p];
        texts.sort();
        expected.sort();
        EXPECT_EQ(texts, expected) << "page " << p + 1;
    }

    const double footerTop = d.pageHeight() - d.marginBottom - d.section(SectionRole::PageFooter)->height;
    int grown = 0;
    for (int p = 0; p < layout.pageCount(); ++p) {
        const LayoutPage page = layout.page(p);
        const auto& items = page.items;
        for (const LayoutItem& it : items) {
            if (it.kind != LayoutItem::Kind::Text || it.text.isEmpty())
                continue;
            const LayoutControl& control = layout.control(it);
            SCOPED_TRACE("page " + std::to_string(p + 1) + " " + control.name.toStdString() + " \"" + it.text.toStdString() + "\"");
            // By the metrics of the font it is drawn with: each line within the width, the
            // lines within the height.
            const QFontMetricsF metrics(printFont(layout.fonts()[size_t(control.font)]));
            const QStringList lines = page.textLines(it);
            for (const QString& line : lines)
                EXPECT_LE(metrics.horizontalAdvance(line) / kUnitsPerMm, it.rect.width() + 1e-9) << line.toStdString();
            EXPECT_LE(lines.size() * metrics.height() / kUnitsPerMm, it.rect.height() + 1e-9);
            EXPECT_EQ(it.text.contains(QChar(0x2026)), false); // nothing had to be shortened
            grown += lines.size() > 1 ? 1 : 0;
            if (control.section != QLatin1String("Section3")) {
                EXPECT_LE(it.rect.bottom(), footerTop + 1e-6);
            }
            // No box runs into another.
            for (const LayoutItem& other : items) {
                if (&other != &it && other.kind == LayoutItem::Kind::Text && !other.text.isEmpty()) {
                    EXPECT_EQ(it.rect.adjusted(1e-6, 1e-6, -1e-6, -1e-6).intersects(other.rect), false)
                        << layout.control(other).name.toStdString() << " \"" << other.text.toStdString() << "\"";
                }
            }
        }
    }
    EXPECT_GE(grown, 20); // the long causali, the notes, the heading and the large amount
}

TEST(ReportLayout, EachPageLaidOutOnItsOwnIsThePageOfTheWholeRun)
{
    // Groups in groups, rows that grow, a new page after each book, page numbers: any page
    // the preview asks for comes out as it does when the whole report is written.
    const char* json = R"({"report": "G", "dataMember": "CatCod", "sections": [
      {"name": "Section2", "role": "pageHeader", "height": 8, "controls": [
        {"name": "Label1", "kind": "label", "text": "Causale", "x": 10, "y": 0, "w": 50, "h": 6}]},
      {"name": "Section6", "role": "groupHeader", "level": "CatCod", "height": 6, "controls": [
        {"name": "txtTestata", "kind": "textBox", "field": "TestataCassa", "x": 0, "y": 0, "w": 50, "h": 6}]},
      {"name": "Section8", "role": "groupHeader", "level": "CatCod.Cod_Raggruppam", "height": 6, "controls": [
        {"name": "txtDescr", "kind": "textBox", "canGrow": true, "field": "DescrCodice", "x": 5, "y": 0, "w": 20, "h": 6}]},
      {"name": "Section1", "role": "detail", "level": "CatCod.Cod_Raggruppam.Cod", "height": 6, "controls": [
        {"name": "txtCausale", "kind": "textBox", "canGrow": true, "field": "Causale", "x": 10, "y": 0, "w": 50, "h": 6},
        {"name": "Line1", "kind": "line", "x": 10, "y": 6, "w": 50, "h": 0}]},
      {"name": "Section9", "role": "groupFooter", "level": "CatCod.Cod_Raggruppam", "height": 6, "controls": [
        {"name": "Function2", "kind": "function", "function": "sum", "field": "ImportoE", "format": "##,##0.00",
         "x": 150, "y": 0, "w": 40, "h": 6}]},
      {"name": "Section7", "role": "groupFooter", "level": "CatCod", "height": 6, "newPageAfter": true, "controls": [
        {"name": "Function3", "kind": "function", "function": "count", "field": "ImportoE", "x": 150, "y": 0, "w": 40, "h": 6}]},
      {"name": "Section3", "role": "pageFooter", "height": 8, "controls": [
        {"name": "Label8", "kind": "label", "text": "Pag. %p di %P", "x": 0, "y": 1, "w": 60, "h": 6}]}]})";
    const ReportDesign d = parseDesign(json, QStringLiteral("G"));

    data::Rows root;
    root.name = QStringLiteral("CatCod");
    root.fields = QStringList{QStringLiteral("TestataCassa")};
    root.childNames = QStringList{QStringLiteral("Cod_Raggruppam")};
    QStringList causali;
    for (int book = 1; book <= 3; ++book) {
        data::Rows codes;
        codes.name = QStringLiteral("Cod_Raggruppam");
        codes.fields = QStringList{QStringLiteral("DescrCodice")};
        codes.childNames = QStringList{QStringLiteral("Cod")};
        for (int code = 1; code <= 4; ++code) {
            data::Rows rows;
            rows.name = QStringLiteral("Cod");
            rows.fields = QStringList{QStringLiteral("Causale"), QStringLiteral("ImportoE")};
            for (int i = 1; i <= 25 * book; ++i) {
                const QString causale = QStringLiteral("b%1 c%2 r%3").arg(book).arg(code).arg(i)
                                        + (i % 5 == 0 ? QStringLiteral(" con una causale lunga che va a capo più volte") : QString());
                causali << causale;
                rows.append({causale, QVariant(qlonglong(i))});
            }
            std::vector<data::Rows> children;
            children.push_back(std::move(rows));
            codes.append({QStringLiteral("Codice numero %1 dal nome lungo").arg(code)}, std::move(children));
        }
        std::vector<data::Rows> children;
        children.push_back(std::move(codes));
        root.append({QStringLiteral("Libro %1").arg(book)}, std::move(children));
    }

    const ReportLayout layout = layoutReport(d, std::move(root), RuntimeState{});
    const QList<QStringList> streamed = layout.pageTexts();
    ASSERT_EQ(streamed.size(), layout.pageCount());
    ASSERT_GT(layout.pageCount(), 6);
    QStringList printed;
    for (const QStringList& page : streamed)
        for (const QString& t : page)
            if (causali.contains(t))
                printed << t;
    EXPECT_EQ(printed, causali);
    for (int p = layout.pageCount() - 1; p >= 0; --p) {
        const LayoutPage page = layout.page(p);
        QStringList texts;
        for (const LayoutItem& it : page.items)
            if (it.kind == LayoutItem::Kind::Text && !it.text.isEmpty())
                texts << it.text;
        QStringList expected = streamed[p];
        texts.sort();
        expected.sort();
        EXPECT_EQ(texts, expected) << "page " << p + 1;
        EXPECT_EQ(expected.contains(QStringLiteral("Pag. %1 di %2").arg(p + 1).arg(layout.pageCount())), true);
    }
    // Each book starts a page of its own.
    for (const char* book : {"Libro 2", "Libro 3"}) {
        const auto page = std::find_if(streamed.begin(), streamed.end(),
                                       [&](const QStringList& texts) { return texts.contains(QString::fromUtf8(book)); });
        ASSERT_NE(page, streamed.end());
        EXPECT_EQ(page->value(1), QString::fromUtf8(book)) << page->join(u'|').toStdString();
    }
}

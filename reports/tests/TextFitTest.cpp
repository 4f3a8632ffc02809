#include "reports/engine/TextFit.h"
#include "tests/support/TestSupport.h"

#include <QRegularExpression>

using namespace vb;
using namespace vb::reports;

namespace {

double measured(const ReportFont& font, const QString& text)
{
    return QFontMetricsF(printFont(font)).horizontalAdvance(text) / kUnitsPerMm;
}

const ReportFont kFont{QStringLiteral("DejaVu Sans"), 9, false, false};

} // namespace

TEST(TextFit, AOneLineTextTooLongForItsBoxEndsOnAWholeCharacterWithAnEllipsis)
{
    const TextFit fit(kFont);
    struct Case {
        const char* what;
        QString text;
        double width;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("Versamento quota sociale anno 2026 di Rossi Mario Tess. n. 00123"), 40},
        {"decomposed accent at the cut", QStringLiteral("Caffe\u0301 Caffe\u0301 Caffe\u0301 Caffe\u0301 Caffe\u0301"), 18},
        {"character outside the basic plane", QStringLiteral("Nota \U0001D11E\U0001D11E\U0001D11E\U0001D11E\U0001D11E fine"), 12},
        {"line breaks print as blanks", QStringLiteral("prima riga\nseconda riga\tterza"), 25},
        {"narrower than the ellipsis", QStringLiteral("Rossi"), 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString out = fit.elide(c.text, c.width);
        ASSERT_EQ(out.endsWith(QChar(0x2026)), true) << out.toStdString();
        const QString kept = out.chopped(1);
        QString flat = c.text;
        flat.replace(u'\n', u' ').replace(u'\t', u' ');
        EXPECT_EQ(flat.startsWith(kept), true) << kept.toStdString();
        EXPECT_EQ(kept.endsWith(u' '), false);
        if (!kept.isEmpty()) {
            EXPECT_LE(measured(kFont, out), c.width + 1e-9);
            const QChar next = flat.at(kept.size());
            EXPECT_EQ(next.isLowSurrogate() || next.isMark(), false) << "cut inside a character";
        }
    }
    const QString fits = QStringLiteral("Rossi");
    EXPECT_EQ(fit.elide(fits, 40), fits);
}

TEST(TextFit, AWrappedTextKeepsEveryCharacterOnLinesThatFitTheWidth)
{
    const TextFit fit(kFont);
    struct Case {
        const char* what;
        QString text;
        double width;
    };
    const Case cases[] = {
        {"words", QStringLiteral("Versamento quota sociale anno 2026 di Dell'Acqua Bianchi Maria Vittoria Tess. n. 000123"), 40},
        {"a word longer than the line", QStringLiteral("IBAN IT60X0542811101000000123456 saldato"), 20},
        {"hyphens and slashes", QStringLiteral("Rossi-Bianchi-Verdi-Neri rif. 2026/0001/ABCD/EFGH"), 15},
        {"its own line breaks and blank lines", QStringLiteral("prima riga\r\n\nterza riga molto lunga che va a capo"), 30},
        {"blanks in a row", QStringLiteral("uno     due     tre     quattro     cinque"), 12},
        {"leading blank", QStringLiteral(" Data out"), 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TextLine> lines = fit.wrap(c.text, c.width);
        ASSERT_GE(lines.size(), 2u);
        QString joined;
        int end = 0;
        for (const TextLine& line : lines) {
            const QString text = c.text.mid(line.start, line.length);
            EXPECT_LE(measured(kFont, text), c.width + 1e-9) << text.toStdString();
            EXPECT_NEAR(line.width, measured(kFont, text), 1e-3);
            // Between two lines only blanks and line breaks are left out.
            for (const QChar ch : c.text.mid(end, line.start - end))
                EXPECT_EQ(ch.isSpace(), true) << text.toStdString();
            joined += text;
            end = line.start + line.length;
        }
        for (const QChar ch : c.text.mid(end))
            EXPECT_EQ(ch.isSpace(), true);
        QString compact = c.text;
        compact.remove(QRegularExpression(QStringLiteral("\\s")));
        joined.remove(QRegularExpression(QStringLiteral("\\s")));
        EXPECT_EQ(joined, compact);
    }
    EXPECT_EQ(fit.wrap(QString(), 10).size(), 1u);
}

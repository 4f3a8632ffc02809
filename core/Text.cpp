#include "core/Text.h"

#include <QTextBoundaryFinder>

namespace vb::text {

QString firstCharacters(const QString& text, int n)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (int i = 0; i < n; ++i) {
        const qsizetype next = graphemes.toNextBoundary();
        if (next < 0)
            break;
        end = next;
    }
    return text.left(end);
}

QString foldedKey(const QString& text) { return text.normalized(QString::NormalizationForm_C).toCaseFolded(); }

} // namespace vb::text

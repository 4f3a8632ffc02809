#pragma once

#include "reports/engine/ReportDesign.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringView>

#include <array>
#include <unordered_map>
#include <vector>

namespace vb::reports {

// Texts are measured and drawn in print units of a tenth of a point (720 to the inch), so
// that every font size of a design is a whole number of units and a page has the same
// lines and the same breaks on the screen, on paper and in a PDF.
constexpr double kUnitsPerMm = 720.0 / 25.4;

// The font that |font| is measured and drawn with, sized in print units. Kerning is off,
// so that a text is as wide as its characters together.
QFont printFont(const ReportFont& font);

// One line of a text broken to fit a width: a run of the text and its width in mm.
struct TextLine {
    int start = 0;
    int length = 0;
    float width = 0;
};

// Widths of texts in one font, in millimetres, and the ways a text is made to fit a box.
// Not shared between threads: each layout or page walk has its own.
class TextFit {
public:
    explicit TextFit(const ReportFont& font);

    double width(QStringView text) const;
    double ascent() const { return m_ascent; }
    double lineHeight() const { return m_lineHeight; }

    // |text| on one line no wider than |width|: as it is when it fits, otherwise its
    // longest start that ends on a whole character, followed by "…". Line breaks and tabs
    // print as blanks.
    QString elide(const QString& text, double width) const;
    // |text| broken into lines no wider than |width|: at the blanks where it can, within a
    // word longer than the line where it must, and at its own line breaks. The blanks at a
    // break belong to no line. At least one line, even for an empty text.
    std::vector<TextLine> wrap(const QString& text, double width) const;

private:
    // Widths in print units: whole 64ths, which add up without rounding.
    double charUnits(char32_t c) const;
    double units(QStringView text) const;

    QFont m_font;
    QFontMetricsF m_metrics;
    mutable std::array<float, 0x250> m_table; // Latin, measured on first use; < 0 not yet
    mutable std::unordered_map<char32_t, float> m_others; // the rest ("€", quotes, …) met so far
    double m_ascent = 0, m_lineHeight = 0;
};

} // namespace vb::reports

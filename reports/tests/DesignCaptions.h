#pragma once

#include "reports/engine/ReportDesign.h"

#include <QFont>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace vb::reports {

// Every fixed caption of |report| fits the box it is drawn in, so that no heading is cut
// off or runs into the value printed beside it.
inline void expectFixedCaptionsFit(const char* report)
{
    constexpr double kPixelsPerMm = 10;
    const ReportDesign design = loadDesign(QString::fromLatin1(report));
    for (const Section& section : design.sections) {
        for (const Control& c : section.controls) {
            if (c.kind != ControlKind::Label || c.text.isEmpty() || c.text.startsWith(u'%'))
                continue;
            SCOPED_TRACE(std::string(report) + " " + c.name.toStdString() + " \"" + c.text.toStdString() + "\"");
            QFont font(c.font.family);
            font.setPixelSize(int(c.font.size * 25.4 / 72.0 * kPixelsPerMm + 0.5));
            font.setBold(c.font.bold);
            font.setItalic(c.font.italic);
            EXPECT_LE(QFontMetricsF(font).horizontalAdvance(c.text) / kPixelsPerMm, c.w);
        }
    }
}

} // namespace vb::reports

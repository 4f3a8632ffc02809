#pragma once

#include <QStyledItemDelegate>

namespace vb {

// Draws a grid cell as one line of plain text at a point (a text too wide ends with "…"), and a
// selected cell in the palette's highlight colours. It lays out no text and asks the model
// for the display text only, so that a large grid repaints in a fraction of the time the
// style's full item drawing takes.
class PlainTextDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text as drawn in |room| pixels: whole when it fits, else cut at a whole character
    // and ended with "…".
    static QString shownText(const QFontMetrics& fm, const QString& text, int room);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace vb

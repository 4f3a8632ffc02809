#include "core/ui/PlainTextDelegate.h"

#include <QPainter>

namespace vb {

void PlainTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (option.state & QStyle::State_Active)                               ? QPalette::Active
                                                                               : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    // The style's margin between a cell's edge and its text.
    constexpr int kMargin = 3;
    const QFontMetrics& fm = option.fontMetrics;
    const QPoint at(option.rect.left() + kMargin, option.rect.top() + (option.rect.height() - fm.height()) / 2 + fm.ascent());
    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(at, text);
    painter->restore();
}

} // namespace vb

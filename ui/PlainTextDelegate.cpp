#include "ui/PlainTextDelegate.h"

#include <QPainter>

namespace vb {

QString PlainTextDelegate::shownText(const QFontMetrics& fm, const QString& text, int room)
{
    // Most texts are short enough that even their widest possible width fits, and are
    // not measured at all.
    if (qint64(text.size()) * fm.maxWidth() <= room || fm.horizontalAdvance(text) <= room)
        return text;
    return fm.elidedText(text, Qt::ElideRight, room);
}

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
    const QString shown = shownText(fm, text, option.rect.width() - 2 * kMargin);
    painter->save();
    painter->setClipRect(option.rect, Qt::IntersectClip);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(at, shown);
    painter->restore();
}

} // namespace vb

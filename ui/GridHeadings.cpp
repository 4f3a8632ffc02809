#include "ui/GridHeadings.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableView>

namespace vb::ui {

GridHeadings::GridHeadings(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    connect(this, &QHeaderView::sectionResized, this, &GridHeadings::keepHeadingWhole);
    connect(this, &QHeaderView::sectionResized, this, &GridHeadings::placeLabels);
    connect(this, &QHeaderView::sectionMoved, this, &GridHeadings::placeLabels);
    connect(this, &QHeaderView::sectionCountChanged, this, &GridHeadings::placeLabels);
}

GridHeadings* GridHeadings::install(QTableView* grid, const QList<QWidget*>& labels)
{
    // The columns' widths and hidden state live in the heading row being replaced.
    const QHeaderView* old = grid->horizontalHeader();
    struct Column {
        int size;
        bool hidden;
    };
    QList<Column> columns;
    for (int c = 0; c < old->count(); ++c)
        columns.append({old->sectionSize(c), old->isSectionHidden(c)});
    const bool stretchLast = old->stretchLastSection();

    auto* headings = new GridHeadings(grid);
    grid->setHorizontalHeader(headings);
    headings->setStretchLastSection(stretchLast);
    headings->setHighlightSections(false);
    for (int c = 0; c < columns.size() && c < headings->count(); ++c) {
        headings->resizeSection(c, columns[c].size);
        headings->setSectionHidden(c, columns[c].hidden);
    }
    for (QWidget* label : labels) {
        if (label) {
            label->setParent(headings->viewport());
            if (auto* l = qobject_cast<QLabel*>(label)) {
                l->setAlignment((l->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
                l->setContentsMargins(3, 0, 3, 0);
            }
            label->show();
        }
        headings->m_labels.append(label);
    }
    headings->show();
    headings->placeLabels();
    return headings;
}

QSize GridHeadings::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    for (const auto& label : m_labels) {
        if (label)
            hint.setHeight(qMax(hint.height(), label->sizeHint().height() + 4));
    }
    return hint;
}

void GridHeadings::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.state |= isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
}

void GridHeadings::updateGeometries()
{
    QHeaderView::updateGeometries();
    placeLabels();
}

void GridHeadings::keepHeadingWhole(int logicalIndex, int, int newSize)
{
    // A column is never narrower than its heading, so the heading's text is never cut.
    const QWidget* label = logicalIndex < m_labels.size() ? m_labels[logicalIndex].data() : nullptr;
    if (label && newSize > 0 && newSize < label->sizeHint().width())
        resizeSection(logicalIndex, label->sizeHint().width());
}

void GridHeadings::placeLabels()
{
    for (int c = 0; c < m_labels.size(); ++c) {
        QWidget* label = m_labels[c];
        if (!label)
            continue;
        if (c >= count() || isSectionHidden(c)) {
            label->hide();
            continue;
        }
        label->setGeometry(sectionViewportPosition(c), 0, sectionSize(c), viewport()->height());
        label->show();
    }
}

} // namespace vb::ui

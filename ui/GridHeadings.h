#pragma once

#include <QHeaderView>
#include <QList>
#include <QPointer>

class QTableView;

namespace vb::ui {

// A grid's own heading row that carries the window's heading labels: each label stands
// over its column, follows the column's width and scrolls with the grid, and keeps its
// name, text, tool tip and clicks. The sections themselves draw no text. A column is kept
// at least as wide as its heading.
class GridHeadings : public QHeaderView {
    Q_OBJECT
public:
    // Puts |labels| into |grid|'s heading row, label i over column i (nullptr leaves a
    // column without a heading), keeping the columns' widths and hidden columns.
    static GridHeadings* install(QTableView* grid, const QList<QWidget*>& labels);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void updateGeometries() override;

private:
    explicit GridHeadings(QWidget* parent);
    void keepHeadingWhole(int logicalIndex, int oldSize, int newSize);
    void placeLabels();

    QList<QPointer<QWidget>> m_labels;
};

} // namespace vb::ui

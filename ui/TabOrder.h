#pragma once

class QWidget;

namespace vb::ui {

// Sets the Tab order of |window| to the order in which the eye reads it: its layouts
// walked top to bottom and, within a row, left to right (a panel beside another is read
// after it). Read-only boxes are left out of the Tab order but can still be clicked (to
// select and copy their text); Tab leaves a grid instead of moving between its cells.
void setReadingTabOrder(QWidget* window);

} // namespace vb::ui

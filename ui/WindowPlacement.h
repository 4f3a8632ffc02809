#pragma once

#include <QMargins>
#include <QSize>

class QWidget;

namespace vb::ui {

// The smallest screen the windows are drawn for; every window fits it, frame included.
inline constexpr QSize kSmallestScreen{1024, 768};
// The room the window manager's frame takes around a window (borders and title bar),
// used until the real frame is known.
inline constexpr QMargins kFrameAllowance{4, 30, 4, 4};

// Shrinks |window| (down to its minimum size) until it fits the free area of its screen,
// frame included, and centres it there, or over the window of its parent when it has one.
void placeOnScreen(QWidget* window);

} // namespace vb::ui

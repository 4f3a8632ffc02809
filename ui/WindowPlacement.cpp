#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace vb::ui {
namespace {

// The frame around |window|: the real one once the window manager has drawn it.
QMargins frameOf(const QWidget* window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (outer == inner)
        return kFrameAllowance;
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

void placeOnScreen(QWidget* window)
{
    const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    QScreen* screen = parent ? parent->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QMargins frame = frameOf(window);

    const QSize most = room.size().shrunkBy(frame);
    const QSize size = window->size().boundedTo(most).expandedTo(window->minimumSize());
    if (size != window->size())
        window->resize(size);

    QRect outer(QPoint(), size.grownBy(frame));
    outer.moveCenter(parent ? parent->frameGeometry().center() : room.center());
    // Kept on the screen: the top-left corner wins where the window is larger than the room.
    outer.moveRight(qMin(outer.right(), room.right()));
    outer.moveBottom(qMin(outer.bottom(), room.bottom()));
    outer.moveLeft(qMax(outer.left(), room.left()));
    outer.moveTop(qMax(outer.top(), room.top()));
    window->move(outer.topLeft());
}

} // namespace vb::ui

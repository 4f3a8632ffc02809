#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

// Building blocks of the windows' controls: each carries its name as objectName, so that
// tests and the windows' own code find it by that name.
namespace vb::ui {

template <class W> W* named(W* widget, const QString& name, const QString& toolTip = QString())
{
    widget->setObjectName(name);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

inline QLineEdit* lineEdit(QWidget* parent, const QString& name, const QString& toolTip = QString())
{
    return named(new QLineEdit(parent), name, toolTip);
}

// A button that shows a standard picture and says what it does in its tool tip.
inline QPushButton* pictureButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon,
                                  const QString& toolTip)
{
    auto* b = named(new QPushButton(parent), name, toolTip);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setMinimumSize(44, 40);
    return b;
}

// The same, with a click that runs |handler| of |form|.
template <class F>
QPushButton* pictureButton(F* form, const QString& name, QStyle::StandardPixmap icon, const QString& toolTip,
                           void (F::*handler)())
{
    QPushButton* b = pictureButton(static_cast<QWidget*>(form), name, icon, toolTip);
    QObject::connect(b, &QPushButton::clicked, form, handler);
    return b;
}

} // namespace vb::ui

#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

// Building blocks of the windows' controls: each carries its name as objectName, so that
// tests and the windows' own code find it by that name.
namespace vb::ui {

template <class W> W* named(W* widget, const char* name, const QString& toolTip = QString())
{
    widget->setObjectName(QString::fromLatin1(name));
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

inline QLineEdit* lineEdit(QWidget* parent, const char* name, const QString& toolTip = QString())
{
    return named(new QLineEdit(parent), name, toolTip);
}

// A button that shows a standard picture and says what it does in its tool tip; a click
// runs |handler| of |form|.
template <class F>
QPushButton* pictureButton(F* form, const char* name, QStyle::StandardPixmap icon, const QString& toolTip,
                           void (F::*handler)())
{
    auto* b = named(new QPushButton(form), name, toolTip);
    b->setIcon(form->style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setMinimumSize(44, 40);
    QObject::connect(b, &QPushButton::clicked, form, handler);
    return b;
}

} // namespace vb::ui

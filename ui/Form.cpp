#include "ui/Form.h"

#include "ui/TabOrder.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace vb {

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Form_Load();
}

void Form::closeEvent(QCloseEvent* event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    m_unloaded = true;
    event->accept();
    Q_EMIT unloaded();
}

void Form::showEvent(QShowEvent* event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        ui::setReadingTabOrder(this);
        ui::placeOnScreen(this);
    }
    QWidget::showEvent(event);
}

} // namespace vb

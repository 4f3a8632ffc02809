#include "ui/PlaceholderText.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace vb::ui {
namespace {

class PlaceholderSelector final : public QObject {
public:
    PlaceholderSelector(QWidget* box, QLineEdit* edit, const QStringList& placeholders)
        : QObject(box), m_edit(edit), m_placeholders(placeholders)
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && m_edit && m_placeholders.contains(m_edit->text())) {
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
                m_edit->selectAll();
            } else {
                // A click places the cursor after the box takes the focus: select after it.
                QTimer::singleShot(0, m_edit, [edit = m_edit, placeholders = m_placeholders] {
                    if (edit && edit->hasFocus() && placeholders.contains(edit->text()))
                        edit->selectAll();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QLineEdit> m_edit;
    QStringList m_placeholders;
};

} // namespace

void selectPlaceholderOnFocus(QWidget* box, const QStringList& placeholders)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(box);
    if (!edit) {
        if (auto* combo = qobject_cast<QComboBox*>(box))
            edit = combo->lineEdit();
    }
    if (edit)
        new PlaceholderSelector(box, edit, placeholders);
}

} // namespace vb::ui

#include "ui/WindowRegistry.h"

#include "ui/Form.h"

namespace vb {

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::registerWindow(const QString& className, Factory factory)
{
    m_factories.insert(className, std::move(factory));
}

bool WindowRegistry::isRegistered(const QString& className) const { return m_factories.contains(className); }

QWidget* WindowRegistry::find(const QString& className) const
{
    const auto it = m_open.constFind(className);
    return it == m_open.constEnd() ? nullptr : it->data();
}

QWidget* WindowRegistry::show(const QString& className)
{
    QWidget* w = find(className);
    if (!w) {
        const auto f = m_factories.constFind(className);
        if (f == m_factories.constEnd())
            return nullptr;
        w = (*f)();
        if (!w)
            return nullptr;
        if (w->objectName().isEmpty())
            w->setObjectName(className);
        w->setAttribute(Qt::WA_DeleteOnClose);
        m_open.insert(className, w);
        auto forget = [this, className, w] {
            if (m_open.value(className) == w)
                m_open.remove(className);
        };
        QObject::connect(w, &QObject::destroyed, w, forget);
        if (auto* form = qobject_cast<Form*>(w)) {
            QObject::connect(form, &Form::unloaded, form, forget);
            form->load();
            // The load may have closed the window (it hands over to another at once).
            if (form->isUnloaded())
                return nullptr;
        }
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void WindowRegistry::close(const QString& className)
{
    if (QWidget* w = find(className))
        w->close();
}

void WindowRegistry::closeAll()
{
    const auto open = m_open;
    m_open.clear();
    for (const auto& w : open) {
        if (w)
            w->close();
    }
}

} // namespace vb

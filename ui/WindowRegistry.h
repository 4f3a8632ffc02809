#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace vb {

// The program's windows by class name: each exists at most once, is created (and loaded)
// the first time it is shown and forgotten when it is destroyed, so that the next show
// makes a fresh one. Windows open one another by name, so a subsystem needs no link to
// the windows of another.
class WindowRegistry {
public:
    using Factory = std::function<QWidget*()>;

    static WindowRegistry& instance();

    void registerWindow(const QString& className, Factory factory);
    bool isRegistered(const QString& className) const;

    // Shows the window modeless, creating and loading it on first use. Returns it, or
    // nullptr when no such window is registered.
    QWidget* show(const QString& className);
    // The live instance, or nullptr.
    QWidget* find(const QString& className) const;
    template <class T> T* findAs(const QString& className) const { return qobject_cast<T*>(find(className)); }
    template <class T> T* showAs(const QString& className) { return qobject_cast<T*>(show(className)); }

    // Closes (unloads) one window, or every open window.
    void close(const QString& className);
    void closeAll();

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_open;
};

// Shorthand for WindowRegistry::instance().show(className).
inline QWidget* showWindow(const QString& className) { return WindowRegistry::instance().show(className); }

} // namespace vb

#pragma once

#include <QWidget>

class QCloseEvent;
class QShowEvent;

namespace vb {

// A window of the program. It exists once (see WindowRegistry), runs its load once when
// first shown and is destroyed when it unloads (closes), releasing its connection. It
// opens centred on the screen, fitted to it, with its Tab order in reading order.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // Runs Form_Load the first time; the registry calls it before showing the window.
    void load();
    bool isLoaded() const { return m_loaded; }
    // True once the window has accepted to close; it is destroyed soon after.
    bool isUnloaded() const { return m_unloaded; }

Q_SIGNALS:
    void unloaded();

protected:
    virtual void Form_Load() {}
    // Runs when the window closes (by code or by its close box); false keeps it open.
    virtual bool Form_Unload() { return true; }
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool m_loaded = false;
    bool m_placed = false;
    bool m_unloaded = false;
};

} // namespace vb

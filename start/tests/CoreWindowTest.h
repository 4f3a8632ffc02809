#pragma once

#include "tests/support/TestSupport.h"

#include "data/DataEnvironment.h"
#include "start/ui/CoreWindows.h"
#include "ui/WindowRegistry.h"

#include <QLineEdit>
#include <QPushButton>

namespace vb::test {

// Windows of the application core driven offscreen: every test starts with no window
// open and the reports' connection closed, and ends closing whatever it opened.
class CoreWindowTest : public AppTest {
protected:
    CoreWindowTest()
    {
        registerCoreWindows();
        data::DataEnvironment1::instance().Connection1().Close();
    }
    ~CoreWindowTest() override
    {
        WindowRegistry::instance().closeAll();
        processEvents();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    static QWidget* window(const QString& name) { return WindowRegistry::instance().find(name); }

    template <class T> static T* control(QWidget* w, const QString& name)
    {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static void type(QWidget* w, const QString& box, const QString& text) { control<QLineEdit>(w, box)->setText(text); }
    static void click(QWidget* w, const QString& button) { control<QPushButton>(w, button)->click(); }

    // Adds a user row as the users window does.
    void addUser(const QString& username, const QString& pass, const QString& cognome, const QString& nome)
    {
        db->execute(QStringLiteral("INSERT INTO TabellaPass (Username, Pass, Cognome, Nome, DataIns) VALUES (?, ?, ?, ?, ?)"),
                    {username, pass, cognome, nome, QDate(2026, 1, 15)});
    }
    qint64 count(const QString& sql)
    {
        auto st = db->query(sql);
        st.next();
        return st.integer(0);
    }
};

} // namespace vb::test

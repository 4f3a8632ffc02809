#pragma once

#include "accounting/assets/ui/AssetsWindows.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportInstance.h"
#include "tests/support/TestSupport.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace vb::test {

// Opens one of the assets windows by name and drives its controls by object name.
template <class W> class AssetsWindowTest : public AppTest {
protected:
    // The reports read the archive through the data environment's connection.
    AssetsWindowTest()
    {
        registerAssetsWindows();
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
    }
    ~AssetsWindowTest() override
    {
        WindowRegistry::instance().closeAll();
        for (const char* name : {"StampaRegistroInventario", "StampaRegistroInventarioScheda", "BilancioPrevisionale"})
            if (auto* report = reports::existingReport(QString::fromLatin1(name)))
                delete report->preview();
        processEvents();
        data::DataEnvironment1::instance().Connection1().Close();
    }
    W* open(const char* name)
    {
        w = WindowRegistry::instance().showAs<W>(QString::fromLatin1(name));
        return w;
    }
    template <class T> T* get(const char* name) { return w->template findChild<T*>(QString::fromLatin1(name)); }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return get<QComboBox>(name); }
    QPushButton* button(const char* name) { return get<QPushButton>(name); }
    void click(const char* name) { button(name)->click(); }
    void leave(QWidget* widget)
    {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(widget, &event);
    }
    QTableWidget* grid(const char* name) { return get<QTableWidget>(name); }
    QStringList gridColumn(const char* name, int column)
    {
        QStringList out;
        for (int r = 0; r < grid(name)->rowCount(); ++r)
            out << grid(name)->item(r, column)->text();
        return out;
    }
    void clickGridRow(const char* name, int row)
    {
        grid(name)->setCurrentCell(row, 0);
        Q_EMIT grid(name)->cellClicked(row, 0);
    }
    qint64 scalar(const QString& sql, std::initializer_list<db::Param> params = {})
    {
        auto st = db->query(sql, params);
        return st.next() ? st.integer(0) : -1;
    }
    // True when |text| stands in one of the shown pages of |report|.
    static bool printed(const QList<QStringList>& pages, const QString& text)
    {
        for (const QStringList& page : pages)
            if (page.contains(text))
                return true;
        return false;
    }

    W* w = nullptr;
};

} // namespace vb::test

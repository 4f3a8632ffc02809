#include "app/Windows.h"
#include "data/DataEnvironment.h"
#include "members/lists/ui/FormVisualizzaStampa.h"
#include "tests/support/TestSupport.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRegistry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableView>

#include <functional>

// Every window as it opens on the smallest screen the program is drawn for (1024x768):
// it fits, frame included, is centred, its Tab order reads top to bottom and left to
// right, and the headings of its grids stand over their columns. With VB_GRAB_DIR set,
// each window is also saved there as a picture, to be looked at.
namespace vb::test {
namespace {

class WindowsTest : public AppTest {
protected:
    WindowsTest()
    {
        registerAllWindows();
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        db->execute(QStringLiteral(
            "INSERT INTO TabellaNominativi (NumTessera, Cognome, Nome, IL, DataIscrizione, TipoSocio, CodiceControllo) "
            "VALUES ('00007', 'Rossi', 'Maria', ?, ?, 'ORDINARI', 3)"),
                    {QDate(1970, 5, 16), QDate(2020, 1, 10)});
        db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, Note) "
                                   "VALUES (1, '00007', ?, '2026', 2500, 'Quota sociale')"),
                    {QDate(2026, 3, 1)});
    }
    ~WindowsTest() override
    {
        WindowRegistry::instance().closeAll();
        processEvents();
        data::DataEnvironment1::instance().CloseAll();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    // Opens |name| (the heading entry of the first window when |headingEntry|) and makes
    // it the active window, as the user finds it.
    QWidget* open(const QString& name, bool headingEntry = false)
    {
        folder.setIni(QStringLiteral("Cod_Int"), headingEntry ? QStringLiteral("1") : QStringLiteral("0"));
        QWidget* w = WindowRegistry::instance().show(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        if (w) {
            w->activateWindow();
            processEvents();
            grab(w, name + (headingEntry ? QStringLiteral("-intestazione") : QString()));
        }
        return w;
    }
    static void grab(QWidget* w, const QString& name)
    {
        if (const QString dir = qEnvironmentVariable("VB_GRAB_DIR"); !dir.isEmpty())
            w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
    }
    static void closeAll()
    {
        WindowRegistry::instance().closeAll();
        processEvents();
    }
};

QRect inWindow(const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint()), w->size()); }

QString nameOf(const QWidget* w) { return w ? w->objectName() + QStringLiteral(" (") + w->metaObject()->className() + u')' : QStringLiteral("none"); }

bool readOnly(const QWidget* w)
{
    const auto* e = qobject_cast<const QLineEdit*>(w);
    return e && e->isReadOnly();
}

// The stops Tab visits from the focus the window opens with, until it comes round again.
QList<QWidget*> tabStops()
{
    QList<QWidget*> stops;
    QWidget* const start = QApplication::focusWidget();
    for (QWidget* at = start; at && stops.size() < 200;) {
        stops.append(at);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(at, &tab);
        at = QApplication::focusWidget();
        if (at == start)
            break;
    }
    return stops;
}

// The controls a user can reach with the keyboard as the window stands.
QSet<QWidget*> reachable(QWidget* window)
{
    QSet<QWidget*> out;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (c->isVisibleTo(window) && c->isEnabled() && (c->focusPolicy() & Qt::TabFocus) && !c->focusProxy()
            && !readOnly(c))
            out.insert(c);
    }
    return out;
}

TEST_F(WindowsTest, EachWindowFitsTheSmallestScreenCentredAndTabReadsItInOrder)
{
    struct Case {
        const char* window;
        const char* firstStop; // nullptr: nothing to type in
        bool headingEntry = false;
        const char* selected = nullptr; // the placeholder the first stop opens with, selected
    };
    const Case cases[] = {
        {"FormCopyraight", nullptr},
        {"FormCopyraight", "Text_Titolo", true, "Intestazione"},
        {"FormPass", "Text_Username"},
        {"FormAutorizzazioni", "List1"},
        {"FormStart", "ComAggiorna"},
        {"FormMenu", "ComAnagrafica"},
        {"FormAnagrafica", "Text_Num"},
        {"FormMenuAmministrazione", "Cmd_Previsionale"},
        {"FormCassa", "Combo1"},
        {"FormCodici", "Text_Codice"},
        {"FormGestSoci", "Combo1", false, "Seleziona il tipo di socio"},
        {"FormOpzioniStampa", "Combo1"},
        {"FormVisualizzaStampa", "Option1"},
        {"FormInventario", "TextDataAcquisto"},
        {"FormRegistroPrevisionale", "Combo1"},
    };
    const QRect screen(QPoint(), ui::kSmallestScreen);
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), screen);
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.window);
        SCOPED_TRACE(name.toStdString() + (c.headingEntry ? " (heading entry)" : ""));
        QWidget* w = open(name, c.headingEntry);
        if (!w)
            continue;

        // The window and the least its layout needs fit the screen with the frame around
        // them; nothing is squeezed below that least; it stands in the middle.
        const QRect outer = w->geometry().marginsAdded(ui::kFrameAllowance);
        EXPECT_TRUE(screen.contains(outer)) << "window with frame " << outer.width() << "x" << outer.height() << " at "
                                            << outer.x() << "," << outer.y();
        const QSize least = w->minimumSizeHint().grownBy(ui::kFrameAllowance);
        EXPECT_TRUE(least.width() <= screen.width() && least.height() <= screen.height())
            << "least size with frame " << least.width() << "x" << least.height();
        EXPECT_TRUE(w->width() >= w->minimumSizeHint().width() && w->height() >= w->minimumSizeHint().height());
        EXPECT_LE((w->frameGeometry().center() - screen.center()).manhattanLength(), 2);

        if (c.selected) {
            // The window opens on a placeholder selected, so that the first keystroke replaces it.
            auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
            auto* box = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->selectedText().toStdString(), c.selected);
        }
        const QList<QWidget*> stops = tabStops();
        if (!c.firstStop) {
            EXPECT_TRUE(reachable(w).isEmpty());
            closeAll();
            continue;
        }
        ASSERT_FALSE(stops.isEmpty());
        EXPECT_EQ(stops.first()->objectName(), QString::fromLatin1(c.firstStop));
        // Every control that takes typing or a press is reached once; read-only boxes never.
        EXPECT_EQ(QSet<QWidget*>(stops.begin(), stops.end()), reachable(w));
        EXPECT_EQ(QSet<QWidget*>(stops.begin(), stops.end()).size(), stops.size());
        for (int i = 1; i < stops.size(); ++i) {
            const QRect a = inWindow(stops[i - 1]);
            const QRect b = inWindow(stops[i]);
            const bool sameRow = a.top() < b.center().y() && b.center().y() < a.bottom();
            // Along a row to the right; else to a lower row, or to a panel standing right
            // of the one just left.
            const bool inOrder = sameRow ? b.left() > a.left() : (b.top() >= a.bottom() - 2 || b.left() >= a.right());
            EXPECT_TRUE(inOrder) << nameOf(stops[i - 1]).toStdString() << " -> " << nameOf(stops[i]).toStdString();
        }
        closeAll();
    }
}

TEST_F(WindowsTest, GridHeadingsStandOverTheColumnsThatHoldTheirData)
{
    struct Case {
        const char* window;
        const char* grid;
        int column;
        const char* heading;
        const char* data = nullptr; // what the column's first cell holds, where the case fills the grid
    };
    const Case cases[] = {
        {"FormAnagrafica", "MSHFlexGrid1", 0, "LabelOrder"},
        {"FormAnagrafica", "MSHFlexGrid1", 1, "Cognome", "^Rossi$"},
        {"FormAnagrafica", "MSHFlexGrid1", 2, "Nome", "^Maria$"},
        {"FormAnagrafica", "MSHFlexGrid1", 3, "Telefono"},
        {"FormAnagrafica", "MSHFlexGrid1", 4, "Cellulare"},
        {"FormAnagrafica", "MSHFlexGrid1", 5, "C.F."},
        {"FormAnagrafica", "MSHFlexGrid1", 6, "Tess.n.", "^00007$"},
        {"FormGestSoci", "MSFlexGrid3", 0, "Codice"},
        {"FormGestSoci", "MSFlexGrid3", 1, "Data"},
        {"FormGestSoci", "MSFlexGrid3", 2, "Ord_to"},
        {"FormGestSoci", "MSFlexGrid3", 3, "Importo"},
        {"FormGestSoci", "MSFlexGrid3", 4, "Note"},
        {"FormCassa", "MSHFlexGrid1", 0, "Label_Data"},
        {"FormCassa", "MSHFlexGrid1", 1, "Tipo"},
        {"FormCassa", "MSHFlexGrid1", 2, "LabelCod"},
        {"FormCassa", "MSHFlexGrid1", 3, "Importo"},
        {"FormCassa", "MSHFlexGrid1", 4, "Saldo"},
        {"FormCassa", "MSHFlexGrid1", 5, "Ric.n."},
        {"FormCassa", "MSHFlexGrid1", 6, "Descrizione"},
        {"FormCassa", "MSHFlexGrid1", 7, "ID"},
        {"FormInventario", "MSHFlexGrid1", 0, "Inv.n."},
        {"FormInventario", "MSHFlexGrid1", 1, "Data"},
        {"FormInventario", "MSHFlexGrid1", 2, "Descrizione"},
        {"FormInventario", "MSHFlexGrid1", 3, "Prezzo"},
        {"FormInventario", "MSHFlexGrid1", 4, "Nuovo Valore"},
        {"FormInventario", "MSHFlexGrid1", 5, "Ubicazione"},
        {"FormInventario", "MSHFlexGrid1", 6, "Annotazioni"},
        {"FormRegistroPrevisionale", "MSFlexGrid1", 1, "Descrizione"},
        {"FormRegistroPrevisionale", "MSFlexGrid1", 2, "Importo"},
        {"FormVisualizzaStampa", "List1", 0, "Tess.n.", "^00007$"},
        {"FormVisualizzaStampa", "List1", 1, "Cognome Nome", "^Rossi Maria>+$"},
        {"FormVisualizzaStampa", "List1", 2, "Data Versamento", "^01/03/2026$"},
        {"FormVisualizzaStampa", "List1", 3, "Quota", "^25,00$"},
    };
    for (const Case& c : cases) {
        const QString window = QString::fromLatin1(c.window);
        const QString heading = QString::fromUtf8(c.heading);
        SCOPED_TRACE(window.toStdString() + " column " + std::to_string(c.column) + " " + c.heading);
        QWidget* w = WindowRegistry::instance().find(window);
        if (!w) {
            closeAll();
            w = open(window);
            // The fee list of the year fills the members' lists window.
            if (auto* option = w ? w->findChild<QRadioButton*>(QStringLiteral("Option1")) : nullptr) {
                option->click();
                if (auto* lists = qobject_cast<FormVisualizzaStampa*>(w))
                    lists->waitForJobs();
                grab(w, window + QStringLiteral("-elenco"));
            }
        }
        ASSERT_NE(w, nullptr);
        auto* grid = w->findChild<QTableView*>(QString::fromLatin1(c.grid));
        ASSERT_NE(grid, nullptr);
        QHeaderView* header = grid->horizontalHeader();
        ASSERT_TRUE(header->isVisible());

        // The heading is a label riding on the grid's heading row, or the row's own text.
        QWidget* label = nullptr;
        for (QWidget* l : header->findChildren<QWidget*>()) {
            auto* text = qobject_cast<QLabel*>(l);
            if (l->objectName() == heading || (text && text->text() == heading))
                label = l;
        }
        const int left = grid->columnViewportPosition(c.column);
        const int right = left + grid->columnWidth(c.column);
        if (label) {
            ASSERT_TRUE(label->isVisibleTo(w));
            const QRect r = inWindow(label).translated(-inWindow(grid->viewport()).topLeft());
            EXPECT_GE(r.left(), left - 1);
            EXPECT_LE(r.right(), right + 1);
            EXPECT_LE(r.bottom(), 0); // above the first row
            EXPECT_GE(grid->columnWidth(c.column), label->sizeHint().width()) << "the heading is cut";
        } else {
            EXPECT_EQ(grid->model()->headerData(c.column, Qt::Horizontal).toString(), heading);
            EXPECT_FALSE(header->isSectionHidden(c.column));
        }
        if (c.data) {
            ASSERT_GT(grid->model()->rowCount(), 0);
            const QString cell = grid->model()->index(0, c.column).data().toString();
            EXPECT_TRUE(QRegularExpression(QString::fromLatin1(c.data)).match(cell).hasMatch()) << cell.toStdString();
        }
    }
}

} // namespace
} // namespace vb::test

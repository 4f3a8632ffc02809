#include "data/DataEnvironment.h"
#include "members/Anagrafica.h"
#include "members/tests/RegistryFixture.h"
#include "members/ui/MembersWindows.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportPreview.h"
#include "reports/engine/ReportShow.h"
#include "start/ui/FormMenu.h"
#include "tests/support/TestSupport.h"
#include "ui/WindowRegistry.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace vb {
namespace {

class FormMenuTest : public test::AppTest {
protected:
    FormMenuTest()
    {
        registerMembersWindows();
        WindowRegistry::instance().registerWindow(QStringLiteral("FormMenu"), [] { return new FormMenu; });
        if (!WindowRegistry::instance().isRegistered(QStringLiteral("FormStart")))
            WindowRegistry::instance().registerWindow(QStringLiteral("FormStart"), [] { return new Form; });
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
    }
    ~FormMenuTest() override
    {
        WindowRegistry::instance().closeAll();
        if (reports::ReportInstance* r = reports::existingReport(QStringLiteral("ReportAnagrafica")))
            delete r->preview();
        data::DataEnvironment1::instance().Connection1().Close();
        test::processEvents();
    }

    QWidget* open() { return WindowRegistry::instance().show(QStringLiteral("FormMenu")); }
    void click(QWidget* w, const char* name)
    {
        auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
};

TEST_F(FormMenuTest, ShowsItsButtonsAndTheLogo)
{
    QWidget* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("MENU' IMPOSTAZIONI"));
    const std::vector<std::tuple<const char*, QString, QString>> buttons{
        {"ComAnagrafica", QStringLiteral("ANAGRAFICA"), QString()},
        {"Cmd_Codici", QStringLiteral("Codici Registro Cassa"), QStringLiteral("Gestisce le impostazioni Codici")},
        {"ComStampaAnagrafica", QStringLiteral("Stampa Anagrafica"), QStringLiteral("Stampa Anagrafica Soci")},
        {"CmdBackup", QStringLiteral("Copia Archivio su.."), QStringLiteral("Effettua copia degli archivi su...")},
        {"ComExit", QStringLiteral("Exit"), QString()},
    };
    for (const auto& [name, caption, tip] : buttons) {
        SCOPED_TRACE(name);
        auto* b = w->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), caption);
        EXPECT_EQ(b->toolTip(), tip);
    }
    EXPECT_FALSE(w->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(FormMenuTest, OpensTheRegistryAndExitsToTheMainMenu)
{
    QWidget* w = open();
    click(w, "ComAnagrafica");
    EXPECT_NE(WindowRegistry::instance().find(QStringLiteral("FormAnagrafica")), nullptr);
    click(w, "ComExit");
    test::processEvents();
    EXPECT_NE(WindowRegistry::instance().find(QStringLiteral("FormStart")), nullptr);
    EXPECT_EQ(WindowRegistry::instance().find(QStringLiteral("FormMenu")), nullptr);
}

// The registry printed from the menu and from the registry window: the same rows, every
// person by surname, under the heading the menu read when it loaded.
TEST_F(FormMenuTest, PrintsTheSameRegistryAsTheRegistryWindow)
{
    members::Anagrafica registry(*db);
    for (const char* s : {"Verdi", "D'Amico", "Bianchi"}) {
        members::PersonRecord p = members::test::completePerson(QString::fromLatin1(s));
        ASSERT_EQ(registry.add(p), QString());
    }
    QWidget* menu = open();
    db->execute(QStringLiteral("UPDATE Impostazioni SET Intestazione = 'Nuova intestazione' WHERE CodiceImpostazioni = 1"));
    click(menu, "ComStampaAnagrafica");
    const auto fromMenu = reports::shownPageTexts(QStringLiteral("ReportAnagrafica"));
    ASSERT_EQ(fromMenu.size(), 1);
    const QStringList& page = fromMenu.front();
    EXPECT_EQ(page.front(), QStringLiteral("Associazione - Sezione locale"));
    EXPECT_LT(page.indexOf(QStringLiteral("Bianchi")), page.indexOf(QStringLiteral("D'Amico")));
    EXPECT_LT(page.indexOf(QStringLiteral("D'Amico")), page.indexOf(QStringLiteral("Verdi")));

    click(menu, "ComAnagrafica");
    QWidget* window = WindowRegistry::instance().find(QStringLiteral("FormAnagrafica"));
    ASSERT_NE(window, nullptr);
    click(window, "Stamp_Anagrafica");
    auto fromWindow = reports::shownPageTexts(QStringLiteral("ReportAnagrafica"));
    ASSERT_EQ(fromWindow.size(), 1);
    // The window read the heading later; the rows below it are the same.
    EXPECT_EQ(fromWindow.front().front(), QStringLiteral("Nuova intestazione"));
    EXPECT_EQ(fromWindow.front().mid(1), page.mid(1));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(FormMenuTest, BackupReportsItsOutcome)
{
    QWidget* menu = open();
    const QString usb = QDir(folder.path()).filePath(QStringLiteral("usb"));
    QDir().mkpath(usb);
    msgs.answerInput(usb);
    click(menu, "CmdBackup");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("CONGRATULAZIONI"));

    // A file where the backup folder should be: the copy fails and says why.
    const QString blocked = QDir(folder.path()).filePath(QStringLiteral("blocked"));
    QDir().mkpath(blocked);
    QFile file(QDir(blocked).filePath(QStringLiteral("BackupRegArchivio")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    msgs.clear();
    msgs.answerInput(blocked);
    click(menu, "CmdBackup");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(msgs.last().text.startsWith(QStringLiteral("Copia di salvataggio non riuscita"))) << msgs.last().text.toStdString();
    EXPECT_EQ(msgs.last().title, QString());
    EXPECT_EQ(msgs.last().icon, MsgIcon::None);
}

TEST_F(FormMenuTest, LoadFailureShowsTheDescriptionAndKeepsTheMenuOpen)
{
    folder.setIni(QStringLiteral("db_conn"), QStringLiteral("manca.db"));
    QWidget* w = open();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QString());
    EXPECT_EQ(msgs.last().icon, MsgIcon::None);
    EXPECT_FALSE(msgs.last().text.isEmpty());
}

} // namespace
} // namespace vb

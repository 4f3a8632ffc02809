#include "core/tests/support/TestSupport.h"
#include "core/ui/FormMenu.h"
#include "core/ui/WindowRegistry.h"
#include "members/ui/MembersWindows.h"

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
    }
    ~FormMenuTest() override
    {
        WindowRegistry::instance().closeAll();
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

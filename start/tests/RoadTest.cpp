#include "start/tests/CoreWindowTest.h"

#include "core/Intestazione.h"

#include <QDir>
#include <QListWidget>

namespace vb::test {
namespace {

// The whole way of a new archive: heading entry at the first start, the administrator
// adding the first user, that user's first login and the exit from the main menu.
class RoadTest : public CoreWindowTest {
protected:
    RoadTest() { folder.setIni(QStringLiteral("Cod_Int"), QStringLiteral("1")); }
};

TEST_F(RoadTest, FromTheFirstStartToTheExit)
{
    QWidget* splash = showWindow(QStringLiteral("FormCopyraight"));
    ASSERT_NE(splash, nullptr);
    type(splash, QStringLiteral("Text_Titolo"), QStringLiteral("Pro Loco Valmora"));
    click(splash, QStringLiteral("ComRegIntestazione"));
    processEvents();
    EXPECT_EQ(readIntestazione(*db).Intestazione, QStringLiteral("Pro Loco Valmora"));

    QWidget* users = window(QStringLiteral("FormAutorizzazioni"));
    ASSERT_NE(users, nullptr);
    type(users, QStringLiteral("Text_Cognome"), QStringLiteral("Rossi"));
    type(users, QStringLiteral("Text_Nome"), QStringLiteral("Mario"));
    click(users, QStringLiteral("Cmd_New"));
    EXPECT_EQ(control<QListWidget>(users, QStringLiteral("List1"))->count(), 1);
    click(users, QStringLiteral("Cmd_Exit"));
    processEvents();

    QWidget* login = window(QStringLiteral("FormPass"));
    ASSERT_NE(login, nullptr);
    auto press = [&](const QString& pass) {
        type(login, QStringLiteral("Text_Username"), QStringLiteral("RosMar17"));
        type(login, QStringLiteral("Text_Pass"), pass);
        click(login, QStringLiteral("Cmd_Conf"));
        processEvents();
    };
    press(QStringLiteral("Tramonto"));
    type(login, QStringLiteral("Text_Pass"), QStringLiteral("Gelso.42"));
    click(login, QStringLiteral("Cmd_CambiaPass"));
    press(QStringLiteral("Gelso.42"));
    const QString usb = QDir(folder.path()).filePath(QStringLiteral("usb"));
    QDir().mkpath(usb);
    msgs.answer(MsgResult::Yes); // the backup question
    msgs.answerInput(usb);
    press(QStringLiteral("Gelso.42"));

    QWidget* menu = window(QStringLiteral("FormStart"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(msgs.last().title, QStringLiteral("CONGRATULAZIONI"));
    EXPECT_TRUE(QFileInfo::exists(usb + QStringLiteral("/BackupRegArchivio/BackupRegArchivio al 09-12-2026.db")));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi WHERE Controllo = 0")), 1);

    click(menu, QStringLiteral("ComExit"));
    processEvents();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi WHERE Controllo = 1 AND Cognome = 'Rossi' "
                                   "AND DataOut = '2026-12-09'")),
              1);
    EXPECT_EQ(folder.ini(QStringLiteral("Cod_Int")), QStringLiteral("0"));
}

} // namespace
} // namespace vb::test

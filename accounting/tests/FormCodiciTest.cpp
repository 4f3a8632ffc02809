#include "accounting/Codici.h"
#include "accounting/tests/CashBookFixture.h"
#include "accounting/ui/AccountingWindows.h"
#include "accounting/ui/FormCodici.h"
#include "ui/WindowRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace vb {
namespace {

class FormCodiciTest : public test::AppTest {
protected:
    FormCodiciTest() { registerAccountingWindows(); }
    ~FormCodiciTest() override
    {
        WindowRegistry::instance().closeAll();
        test::processEvents();
    }

    void open() { w = WindowRegistry::instance().showAs<FormCodici>(QStringLiteral("FormCodici")); ASSERT_NE(w, nullptr); }
    template <class T> T* child(const char* name) { return w->findChild<T*>(QString::fromLatin1(name)); }
    QTableWidget* list() { return child<QTableWidget>("MSHFlexGrid1"); }
    void type(const char* codice, const char* descrizione, const char* kind)
    {
        child<QLineEdit>("Text_Codice")->setText(QString::fromUtf8(codice));
        child<QLineEdit>("Text_CodDescrizione")->setText(QString::fromUtf8(descrizione));
        child<QComboBox>("Combo_AttivitaPassivita")->setEditText(QString::fromUtf8(kind));
    }
    void clickRow(int row)
    {
        list()->setCurrentCell(row, 0);
        emit list()->cellClicked(row, 0);
    }
    void click(const char* name) { child<QPushButton>(name)->click(); }

    FormCodici* w = nullptr;
};

TEST_F(FormCodiciTest, AddsModifiesAndDeletesCodesWithTheirRefusals)
{
    open();
    EXPECT_EQ(QStringLiteral("Codici Registro Cassa"), w->windowTitle());
    ASSERT_EQ(1, list()->rowCount());
    EXPECT_EQ(QStringLiteral("AQS"), list()->item(0, 0)->text());
    EXPECT_EQ(QStringLiteral("1 - Entrate"), list()->item(0, 2)->text());

    struct Case {
        const char* codice;
        const char* kind;
        QString message;
    };
    const Case refused[] = {{"SP", "2", accounting::kCodeLengthMessage},
                            {"SPE", "5", accounting::kCodeKindMessage},
                            {"AQS", "1", accounting::kCodeExistsMessage}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.codice);
        msgs.clear();
        type(c.codice, "Spese", c.kind);
        click("Cmd_New");
        ASSERT_EQ(1u, msgs.shown.size());
        EXPECT_EQ(c.message, msgs.last().text);
        EXPECT_EQ(QStringLiteral("ATTENZIONE"), msgs.last().title);
        EXPECT_EQ(MsgIcon::Exclamation, msgs.last().icon);
        EXPECT_EQ(QString::fromUtf8(c.codice), child<QLineEdit>("Text_Codice")->text());
    }
    msgs.clear();
    type("spe", "Spese", "2");
    click("Cmd_New");
    EXPECT_TRUE(msgs.shown.empty());
    ASSERT_EQ(2, list()->rowCount());
    EXPECT_EQ(QStringLiteral("SPE"), list()->item(1, 0)->text());
    EXPECT_EQ(QString(), child<QLineEdit>("Text_Codice")->text());

    clickRow(1);
    EXPECT_TRUE(child<QPushButton>("Cmd_Mod")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("Cmd_New")->isEnabled());
    EXPECT_EQ(QStringLiteral("2"), child<QComboBox>("Combo_AttivitaPassivita")->currentText());
    child<QLineEdit>("Text_CodDescrizione")->setText(QStringLiteral("Spese varie"));
    click("Cmd_Mod");
    EXPECT_EQ(QStringLiteral("Spese varie"), list()->item(1, 1)->text());
    EXPECT_TRUE(child<QPushButton>("Cmd_New")->isEnabled());

    // The fee code is refused at once, without the question.
    clickRow(0);
    click("Cmd_Canc");
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(accounting::kCodeReservedMessage, msgs.last().text);
    click("Cmd_Mod");
    EXPECT_EQ(accounting::kCodeReservedMessage, msgs.last().text);

    // A code in use stays, with its message after the question.
    accounting::LibroCassa(*db).add(
        accounting::test::cashRow(1, QDate(2026, 1, 2), QStringLiteral("U"), 100, 2026, QStringLiteral("SPE")));
    msgs.clear();
    clickRow(1);
    click("Cmd_Canc");
    ASSERT_EQ(2u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("Sei sicuro di voler eliminare questa voce? "), msgs.shown[0].text);
    EXPECT_EQ(accounting::kCodeInUseMessage, msgs.last().text);
    EXPECT_EQ(2, list()->rowCount());

    db->execute(QStringLiteral("DELETE FROM LibroCassa"));
    click("Cmd_Canc");
    EXPECT_EQ(1, list()->rowCount());
    EXPECT_FALSE(child<QPushButton>("Cmd_Canc")->isEnabled());
}

} // namespace
} // namespace vb

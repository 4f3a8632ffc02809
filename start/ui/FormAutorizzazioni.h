#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vb {

// The administrator's window: the users with their generated names and default
// password, the access log (shown or cleared) and the re-arming of the heading entry.
class FormAutorizzazioni : public Form {
    Q_OBJECT
public:
    explicit FormAutorizzazioni(QWidget* parent = nullptr);
    ~FormAutorizzazioni() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void RefreshList();
    void List1_Click(QListWidgetItem* item);
    void Cmd_New_Click();
    void Cmd_Canc_Click();
    void ComVisAccessi_Click();
    void ModInt_Click();
    void Cmd_Exit_Click();
    void clearBoxes();
    db::Database& database();

    ArchiveConnection m_conn;
    QString m_heading;

    QListWidget* List1 = nullptr;
    QLineEdit* Text_Accaunt = nullptr;
    QLineEdit* Text_Cognome = nullptr;
    QLineEdit* Text_Nome = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* ComVisAccessi = nullptr;
    QPushButton* ModInt = nullptr;
    QPushButton* Cmd_Exit = nullptr;
};

} // namespace vb

#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vb {

// The login: checks user name and password, forces the change of the default password and
// lets the user in at the second valid press of "Accedi".
class FormPass : public Form {
    Q_OBJECT
public:
    explicit FormPass(QWidget* parent = nullptr);
    ~FormPass() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void Cmd_Conf_Click();
    void Cmd_CambiaPass_Click();
    void WriteRegistroAccessi();
    void setConfColour(const QString& colour);
    void enter(const QString& next);

    ArchiveConnection m_conn;
    // Valid presses of "Accedi" since the window was made or the password last changed.
    // A press counts once however many user rows match it, so that one press never
    // completes a login.
    int m_presses = 0;
    // The user row last matched: its password and the names for the access log.
    QString m_pass;
    QString m_cognome;
    QString m_nome;

    QLabel* LabelTitolo = nullptr;
    QLabel* LabelIndirizzo = nullptr;
    QLabel* Image1 = nullptr;
    QLineEdit* Text_Username = nullptr;
    QLineEdit* Text_Pass = nullptr;
    QPushButton* Cmd_Conf = nullptr;
    QPushButton* Cmd_CambiaPass = nullptr;
};

} // namespace vb

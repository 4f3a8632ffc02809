#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vb {

// The administration menu: opens the cash book, the inventory and the budget, and holds
// the year and print panels of the year-end statement.
class FormMenuAmministrazione : public Form {
    Q_OBJECT
public:
    explicit FormMenuAmministrazione(QWidget* parent = nullptr);
    ~FormMenuAmministrazione() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void Cmd_Previsionale_Click();
    void ComEntrate_Click();
    void ComInventario_Click();
    void CmdStampaRendiconto_Click();
    void ComExit_Click();
    void Cmd_meno_Click();
    void Cmd_piu_Click();
    void Cmd_Calcola_Click();
    void Cmd_Annulla_Click();
    void Cmd_CloseFrame2_Click();
    void stepYear(int delta);

    ArchiveConnection m_conn;
    QString m_heading; // the association heading, for the statement prints

    QLabel* Image1 = nullptr;
    QPushButton* Cmd_Previsionale = nullptr;
    QPushButton* ComEntrate = nullptr;
    QPushButton* ComInventario = nullptr;
    QPushButton* CmdStampaRendiconto = nullptr;
    QPushButton* ComExit = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* TextAnno = nullptr;
    QPushButton* Cmd_meno = nullptr;
    QPushButton* Cmd_piu = nullptr;
    QPushButton* Cmd_Calcola = nullptr;
    QPushButton* Cmd_Annulla = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QPushButton* Cmd_CloseFrame2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace vb

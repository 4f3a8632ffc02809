#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vb {

// The income and expense codes of the cash book: list, add, modify and delete.
class FormCodici : public Form {
    Q_OBJECT
public:
    explicit FormCodici(QWidget* parent = nullptr);
    ~FormCodici() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void RefreshGrid();
    void clearFields();
    void editMode(bool editing);
    // Shows a refusal; true when |message| is empty (the change was written).
    bool done(const QString& message);

    void MSHFlexGrid1_Click();
    void Cmd_New_Click();
    void Cmd_Mod_Click();
    void Cmd_Canc_Click();
    void Com_CLS_Click();
    void Cmd_Exit_Click();

    ArchiveConnection m_conn;
    QString m_loadedCode; // the code loaded by a list click

    QTableWidget* MSHFlexGrid1 = nullptr;
    QLineEdit* Text_Codice = nullptr;
    QLineEdit* Text_CodDescrizione = nullptr;
    QComboBox* Combo_AttivitaPassivita = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Mod = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* Com_CLS = nullptr;
    QPushButton* Cmd_Exit = nullptr;
};

} // namespace vb

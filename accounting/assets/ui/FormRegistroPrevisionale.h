#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vb {

// The yearly budget forecast: its lines of income and expense per year, the catalogue of
// budget items they are chosen from (the second mode of the window), and its printout.
class FormRegistroPrevisionale : public Form {
    Q_OBJECT
public:
    explicit FormRegistroPrevisionale(QWidget* parent = nullptr);
    ~FormRegistroPrevisionale() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Mode { Lines = 0, Catalogue = 1 };

    void Combo1_Click();
    void Combo2_Click();
    void Cmd_SelVoci_Click();
    void MSFlexGrid1_Click();
    void Text_Importo_LostFocus();
    void Cmd_New_Click();
    void Cmd_Mod_Click();
    void Cmd_Canc_Click();
    void Cmd_Stampa_Click();
    void Cmd_Exit_Click();

    void FillAnnoVoci();
    void RefreshGrid();
    // Empties the item, amount and key boxes; no row in hand.
    void clearEntry();
    int kind() const;
    template <class F> bool withArchive(F work);

    ArchiveConnection m_conn;
    Mode m_mode = Mode::Lines;

    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QLineEdit* Text_Importo = nullptr;
    QLineEdit* Text_Codice = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Mod = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* Cmd_SelVoci = nullptr;
    QPushButton* Cmd_Stampa = nullptr;
    QPushButton* Cmd_Exit = nullptr;
};

} // namespace vb

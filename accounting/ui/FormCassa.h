#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QToolButton;

namespace vb::accounting {
class CassaGridModel;
struct CashEntry;
}

namespace vb {

// The cash-book window: a book and a year, their rows with totals, month and code
// filters, the entry of income and expense rows and the year's register printout.
class FormCassa : public Form {
    Q_OBJECT
public:
    explicit FormCassa(QWidget* parent = nullptr);
    ~FormCassa() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void FillTestataCassa();
    void FillCodici();
    void RefreshGrid();
    void RecomputeSaldo();
    void codeFilterOff();
    void editMode(bool editing);
    accounting::CashEntry entry() const;

    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void SpinButton1_SpinUp();
    void SpinButton1_SpinDown();
    void TextAnno_Validate();
    void TextImporto_LostFocus();
    void Label_Data_Click();
    void LabelCod_Click();
    void MSHFlexGrid1_Click();
    void Cmd_New_Click();
    void Cmd_Mod_Click();
    void Cmd_Canc_Click();
    void Com_CLS_Click();
    void StampaRegistro_Click();
    void Cmd_Exit_Click();

    ArchiveConnection m_conn;
    std::optional<int> m_book;            // the chosen book's code
    int m_sort = 0;                       // 0 ascending, 1 descending
    int m_codeFilterCount = 0;            // 1 while the code filter is on
    QString m_codeFilter;                 // the code the filter shows
    std::optional<qint64> m_loadedKey;    // the row loaded by a grid click

    QComboBox* Combo1 = nullptr;
    QLineEdit* TextTotale = nullptr;
    QLineEdit* TextAnno = nullptr;
    QWidget* SpinButton1 = nullptr;
    QToolButton* SpinUp = nullptr;
    QToolButton* SpinDown = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* Combo3 = nullptr;
    QLineEdit* Text_Combo3 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLineEdit* Text_Descrizione = nullptr;
    QLineEdit* TextDataEntrata = nullptr;
    QLineEdit* TextImporto = nullptr;
    QLineEdit* TextNote = nullptr;
    QTableView* MSHFlexGrid1 = nullptr;
    accounting::CassaGridModel* m_model = nullptr;
    QLineEdit* TextTotaleEntrate = nullptr;
    QLineEdit* TextTotaleUscite = nullptr;
    QLineEdit* TextTotaleDifferenza = nullptr;
    QLabel* Label_Data = nullptr;
    QLabel* LabelCod = nullptr;
    QLabel* Label13 = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Mod = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* Com_CLS = nullptr;
    QPushButton* StampaRegistro = nullptr;
    QPushButton* Cmd_Exit = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace vb

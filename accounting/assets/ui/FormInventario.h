#pragma once

#include "accounting/assets/RegistroInventario.h"
#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vb {

// The register of goods: lists the items newest first with their totals, adds, changes and
// deletes them, recalculates their current values and prints the register or one card.
class FormInventario : public Form {
    Q_OBJECT
public:
    explicit FormInventario(QWidget* parent = nullptr);
    ~FormInventario() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MSHFlexGrid1_Click();
    void Cmd_New_Click();
    void Cmd_Mod_Click();
    void Cmd_Canc_Click();
    void ComCLS_Click();
    void Cmd_Ricalcola_Click();
    void Stampa_Click();
    void Cmd_Exit_Click();
    void TextDataAcquisto_LostFocus();
    void TextImporto_LostFocus();

    void RefreshGrid();
    void RecomputeSvalutazione();
    void printRegister();
    void printCard();

    assets::InventoryInput input() const;
    // Shows the refusal of |check| and puts the focus on the box it concerns.
    void refuse(const assets::Check& check);
    // The boxes after a save, delete or clear; the document number and the notes differ by case.
    void resetBoxes(const QString& numFatScontr, const QString& annotazione);
    // No item in hand: New enabled, Modify and Delete disabled.
    void entryState();
    template <class F> bool withArchive(F work);

    ArchiveConnection m_conn;
    QString m_heading;
    qint64 m_editingId = 0; // the item loaded by a grid click

    QLabel* Image1 = nullptr;
    QLineEdit* TextDataAcquisto = nullptr;
    QLineEdit* TextANNO = nullptr;
    QLineEdit* TextNumInventario = nullptr;
    QLineEdit* TextDescrizione = nullptr;
    QLineEdit* TextImporto = nullptr;
    QLineEdit* TextSvalutazione = nullptr;
    QLineEdit* TextUbicazione = nullptr;
    QLineEdit* TextFornitore = nullptr;
    QLineEdit* TextAnnotazione = nullptr;
    QComboBox* Combo1 = nullptr;
    QLineEdit* TextNumFatScontrino = nullptr;
    QLineEdit* TextDataFatScontrino = nullptr;
    QTableWidget* MSHFlexGrid1 = nullptr;
    QLineEdit* Text_TotalePrezzo = nullptr;
    QLineEdit* Text_TotaleNuovoValore = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Mod = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* ComCLS = nullptr;
    QPushButton* Cmd_Ricalcola = nullptr;
    QPushButton* Stampa = nullptr;
    QPushButton* Cmd_Exit = nullptr;
};

} // namespace vb

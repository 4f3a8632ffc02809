#pragma once

#include "core/ArchiveConnection.h"
#include "members/Anagrafica.h"
#include "ui/Form.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;

namespace vb {

class ClickableLabel;

namespace members {
class RegistryModel;
}

// The registry of persons: the entry fields of one person, the grid of the registry with
// its orders and the search by surname, and the printout.
class FormAnagrafica : public Form {
    Q_OBJECT
public:
    explicit FormAnagrafica(QWidget* parent = nullptr);
    ~FormAnagrafica() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshGrid();
    void LabelOrder_Click();
    void Label_Cognome_Click();
    void Text_Ricerca_KeyUp();
    void Text_DataNascita_LostFocus();
    void MSHFlexGrid1_Click(const QModelIndex& index);
    void Cmd_New_Click();
    void Cmd_Mod_Click();
    void Cmd_Canc_Click();
    void ComCLS_Click();
    void Stamp_Anagrafica_Click();
    void Cmd_Exit_Click();

    void buildUi();
    QLineEdit* addBox(const QString& name);
    members::PersonRecord record() const;
    void showRecord(const members::PersonRecord& p);
    // Empties the entry controls: the card number "0", the registration date today's
    // unless kept, every other box and the combo texts empty, the consents unchecked.
    void clearEntry(bool keepDataIscrizione);

    ArchiveConnection m_conn;
    std::unique_ptr<members::Anagrafica> m_registry;
    QString m_heading;
    std::optional<int> m_sortFlag;
    // The person loaded by the last grid click; modify and delete act on it only.
    std::optional<qint64> m_chosen;

    members::RegistryModel* m_model = nullptr;
    QTableView* MSHFlexGrid1 = nullptr;
    QLineEdit* Text_Num = nullptr;
    QLineEdit* Text_DataIscrizione = nullptr;
    QLineEdit* Text_Titolo = nullptr;
    QLineEdit* Text_Cognome = nullptr;
    QLineEdit* Text_Nome = nullptr;
    QLineEdit* Text_LuogoNascita = nullptr;
    QLineEdit* Text_DataNascita = nullptr;
    QLineEdit* Text_Residente = nullptr;
    QLineEdit* Text_CAPresidente = nullptr;
    QLineEdit* Text_IndirizzoResidente = nullptr;
    QLineEdit* Text_Numero = nullptr;
    QLineEdit* Text_Telefono = nullptr;
    QLineEdit* Text_Cellulare = nullptr;
    QLineEdit* Text_PostaElettronica = nullptr;
    QLineEdit* Text_CF = nullptr;
    QLineEdit* Text_Annotazioni = nullptr;
    QLineEdit* Text_Professione = nullptr;
    QLineEdit* Text_TitoloStudio = nullptr;
    QLineEdit* Text_OccupazioneAttuale = nullptr;
    QLineEdit* Text_Ricerca = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QCheckBox* Check_AssensoTrattDatiPersonali = nullptr;
    QCheckBox* Check_AssensoFotoVideoWeb = nullptr;
    QCheckBox* CheckAssensoMailList = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Mod = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* Cmd_Exit = nullptr;
    QPushButton* ComCLS = nullptr;
    QPushButton* Stamp_Anagrafica = nullptr;
    ClickableLabel* LabelOrder = nullptr;
    ClickableLabel* Label_Cognome = nullptr;
};

} // namespace vb

#pragma once

#include "core/ArchiveConnection.h"
#include "members/fees/PostQuotaToLibroCassa.h"
#include "members/fees/QuoteSoci.h"
#include "ui/Form.h"

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vb {

// The yearly fees of one person at a time: lists, adds, changes and deletes their fee
// rows and, after each new fee, posts it to the cash book chosen by the payment kind.
class FormGestSoci : public Form {
    Q_OBJECT
public:
    explicit FormGestSoci(QWidget* parent = nullptr);
    ~FormGestSoci() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void Ord_to_Click();
    void MSFlexGrid3_Click();
    void Cmd_New_Click();
    void Cmd_Mod_Click();
    void Cmd_Canc_Click();
    void ComRefresh_Click();
    void Option_Click(fees::PaymentKind kind);
    void Text_Importo_LostFocus();
    void StampaSoci_Click();
    void Cmd_Exit_Click();

    void RefreshGrid();
    void fillPersons(const std::vector<fees::FeePerson>& persons, const QString& text);
    // Back to the entry buttons: New enabled, Modify and Delete disabled, year editable.
    void entryState();
    // Today's date, the current year and amount 0 in the boxes, with |note|.
    void resetBoxes(const QString& note);
    fees::FeeInput input() const;
    // Runs |work| on the window's connection, showing an archive failure to the user.
    template <class F> bool withArchive(F work);

    ArchiveConnection m_conn;
    std::optional<fees::FeePerson> m_person;
    std::optional<bool> m_ascending; // the grid's year order; descending until first toggled
    int m_book = 0;                  // the cash book of the last posting
    qint64 m_editingId = 0;          // the fee loaded by a grid click

    QLabel* Image1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLineEdit* Text_VisNom = nullptr;
    QLineEdit* Text_NumTes = nullptr;
    QLineEdit* Text_Data = nullptr;
    QLineEdit* Text_Anno = nullptr;
    QLineEdit* Text_Importo = nullptr;
    QLineEdit* Text_Note = nullptr;
    QTableWidget* MSFlexGrid3 = nullptr;
    QLabel* Ord_to = nullptr;
    QLineEdit* TextTotale = nullptr;
    QPushButton* Cmd_New = nullptr;
    QPushButton* Cmd_Mod = nullptr;
    QPushButton* Cmd_Canc = nullptr;
    QPushButton* ComRefresh = nullptr;
    QPushButton* StampaSoci = nullptr;
    QPushButton* Cmd_Exit = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
};

} // namespace vb

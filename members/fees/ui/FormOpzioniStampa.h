#pragma once

#include "core/ArchiveConnection.h"
#include "members/fees/FeePrintSelection.h"
#include "ui/Form.h"

class QComboBox;
class QProgressBar;
class QPushButton;

namespace vb {

class ArchiveJobs;

// The fee printout's options: one picker (year, person, unpaid year or member type)
// chooses the fees that the report "Quote Sociali" lists.
class FormOpzioniStampa : public Form {
    Q_OBJECT
public:
    explicit FormOpzioniStampa(QWidget* parent = nullptr);
    ~FormOpzioniStampa() override;

    // The fixed picture of the unpaid list, used when it exists on this machine.
    static QString unpaidLogoPath();
    // Processes events until the selections asked for have been written and their
    // reports shown (for tests).
    void waitForJobs() const;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void pickerClicked(QComboBox* picked, fees::SelectionMode mode);
    void ComStampa_Click();
    void Cmd_Exit_Click();
    // The selection of the last picker used, from the pickers' current texts.
    fees::FeeSelection selection() const;

    ArchiveConnection m_conn;
    // The selections are written off the window's thread, one after the other.
    ArchiveJobs* m_jobs = nullptr;
    QString m_heading;
    fees::SelectionMode SelectionMode = fees::SelectionMode::None;

    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QComboBox* Combo5 = nullptr;
    QPushButton* ComStampa = nullptr;
    QPushButton* Cmd_Exit = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace vb

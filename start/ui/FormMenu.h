#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QLabel;
class QPushButton;

namespace vb {

// The settings menu: opens the registry and the cash-book codes, prints the registry and
// copies the archive.
class FormMenu : public Form {
    Q_OBJECT
public:
    explicit FormMenu(QWidget* parent = nullptr);
    ~FormMenu() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void ComAnagrafica_Click();
    void Cmd_Codici_Click();
    void ComStampaAnagrafica_Click();
    void CmdBackup_Click();
    void ComExit_Click();

    ArchiveConnection m_conn;
    // The association heading, read once at load for the registry printout.
    QString m_heading;
    QLabel* Image1 = nullptr;
};

} // namespace vb

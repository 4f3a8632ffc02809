#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QLabel;

namespace vb {

// The main menu: opens the working areas, offers a backup copy at every start and is the
// way out of the program, closing the open rows of the access log.
class FormStart : public Form {
    Q_OBJECT
public:
    explicit FormStart(QWidget* parent = nullptr);
    ~FormStart() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void ComExit_Click();
    void chiudiRegistroAccessi();

    ArchiveConnection m_conn;
    bool m_ending = false;
    QLabel* Image1 = nullptr;
};

} // namespace vb

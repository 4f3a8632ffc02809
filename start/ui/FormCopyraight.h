#pragma once

#include "core/ArchiveConnection.h"
#include "ui/Form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vb {

// The first window: opens the archive and the reports' connection, shows the association
// heading for a moment and hands over to the login. When "agg.ini" asks for it (Cod_Int
// "1") it takes the heading in once instead.
class FormCopyraight : public Form {
    Q_OBJECT
public:
    explicit FormCopyraight(QWidget* parent = nullptr);
    ~FormCopyraight() override;

protected:
    void Form_Load() override;
    bool Form_Unload() override;

private:
    void Timer1_Timer();
    void ComRegIntestazione_Click();
    void showEntryBoxes();
    // Shows |next| and closes this window without ending the program.
    void handOver(const QString& next);

    ArchiveConnection m_conn;
    // The text of Cod_Int read at load.
    QString m_codInt;
    bool m_handingOver = false;

    QLabel* LabelTitolo = nullptr;
    QLabel* LabelIndirizzo = nullptr;
    QLabel* LabelCodFiscale = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QLineEdit* Text_Titolo = nullptr;
    QLineEdit* Text_Indirizzo = nullptr;
    QLineEdit* Text_Num = nullptr;
    QLineEdit* Text_CAP = nullptr;
    QLineEdit* Text_Citta = nullptr;
    QLineEdit* Text_CodFiscale = nullptr;
    QPushButton* ComRegIntestazione = nullptr;
};

} // namespace vb

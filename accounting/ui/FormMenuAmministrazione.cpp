#include "accounting/ui/FormMenuAmministrazione.h"

#include "accounting/LibroCassa.h"
#include "accounting/statement/ui/StatementPrint.h"
#include "core/Clock.h"
#include "core/MessageService.h"
#include "ui/Controls.h"
#include "ui/WindowHelpers.h"
#include "ui/WindowRegistry.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vb {
namespace {

using ui::pictureButton;

} // namespace

FormMenuAmministrazione::FormMenuAmministrazione(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Menu Amministrazione"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedHeight(110);
    Image1->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1);
    auto menuButton = [&](const QString& name, const QString& caption, const QString& tip,
                          void (FormMenuAmministrazione::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setMinimumHeight(36);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Cmd_Previsionale = menuButton(QStringLiteral("Cmd_Previsionale"), QStringLiteral("PREVISIONALE"),
                                  QStringLiteral("Gestione e stampa previsioni esercizio"),
                                  &FormMenuAmministrazione::Cmd_Previsionale_Click);
    ComEntrate = menuButton(QStringLiteral("ComEntrate"), QStringLiteral("LIBRO CASSA"),
                            QStringLiteral("Gestisce libro cassa"), &FormMenuAmministrazione::ComEntrate_Click);
    ComInventario = menuButton(QStringLiteral("ComInventario"), QStringLiteral("INVENTARIO"),
                               QStringLiteral("Gestisce l'inventario beni mobili"),
                               &FormMenuAmministrazione::ComInventario_Click);
    CmdStampaRendiconto = menuButton(QStringLiteral("CmdStampaRendiconto"), QStringLiteral("RENDICONTAZIONE"),
                                     QStringLiteral("Calcola la rendicontazione"),
                                     &FormMenuAmministrazione::CmdStampaRendiconto_Click);

    Frame1 = new QGroupBox(QStringLiteral("Seleziona l'anno"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    TextAnno = new QLineEdit(Frame1);
    TextAnno->setObjectName(QStringLiteral("TextAnno"));
    TextAnno->setAlignment(Qt::AlignCenter);
    TextAnno->setMaximumWidth(80);
    Cmd_meno = pictureButton(Frame1, QStringLiteral("Cmd_meno"), QStyle::SP_ArrowLeft, QStringLiteral("Diminuisce"));
    Cmd_piu = pictureButton(Frame1, QStringLiteral("Cmd_piu"), QStyle::SP_ArrowRight, QStringLiteral("Incrementa"));
    Cmd_Calcola = pictureButton(Frame1, QStringLiteral("Cmd_Calcola"), QStyle::SP_DialogApplyButton,
                                QStringLiteral("Calcola Rendicontazione"));
    Cmd_Annulla = pictureButton(Frame1, QStringLiteral("Cmd_Annulla"), QStyle::SP_DialogCancelButton,
                                QStringLiteral("Annulla"));
    auto* yearRow = new QHBoxLayout(Frame1);
    yearRow->addWidget(Cmd_meno);
    yearRow->addWidget(TextAnno);
    yearRow->addWidget(Cmd_piu);
    yearRow->addStretch();
    yearRow->addWidget(Cmd_Calcola);
    yearRow->addWidget(Cmd_Annulla);
    layout->addWidget(Frame1);

    Frame2 = new QGroupBox(QStringLiteral("Seleziona la stampa"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto option = [&](const QString& name, const QString& caption) {
        auto* o = new QRadioButton(caption, Frame2);
        o->setObjectName(name);
        return o;
    };
    Option1 = option(QStringLiteral("Option1"), QStringLiteral("Per categoria"));
    Option2 = option(QStringLiteral("Option2"), QStringLiteral("Per codice"));
    Option3 = option(QStringLiteral("Option3"), QStringLiteral("Per categoria e codice"));
    Option4 = option(QStringLiteral("Option4"), QStringLiteral("Bilancio Consuntivo"));
    Cmd_CloseFrame2 = pictureButton(Frame2, QStringLiteral("Cmd_CloseFrame2"), QStyle::SP_DialogCancelButton,
                                    QStringLiteral("Annulla"));
    auto* printRow = new QVBoxLayout(Frame2);
    for (QRadioButton* o : {Option1, Option2, Option3, Option4})
        printRow->addWidget(o);
    printRow->addWidget(Cmd_CloseFrame2, 0, Qt::AlignRight);
    layout->addWidget(Frame2);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setVisible(false);
    layout->addWidget(ProgressBar1);
    layout->addStretch();

    ComExit = pictureButton(this, QStringLiteral("ComExit"), QStyle::SP_DialogCloseButton, QStringLiteral("Exit"));
    layout->addWidget(ComExit, 0, Qt::AlignRight);
    resize(360, 560);

    connect(ComExit, &QPushButton::clicked, this, &FormMenuAmministrazione::ComExit_Click);
    connect(Cmd_meno, &QPushButton::clicked, this, &FormMenuAmministrazione::Cmd_meno_Click);
    connect(Cmd_piu, &QPushButton::clicked, this, &FormMenuAmministrazione::Cmd_piu_Click);
    connect(Cmd_Calcola, &QPushButton::clicked, this, &FormMenuAmministrazione::Cmd_Calcola_Click);
    connect(Cmd_Annulla, &QPushButton::clicked, this, &FormMenuAmministrazione::Cmd_Annulla_Click);
    connect(Cmd_CloseFrame2, &QPushButton::clicked, this, &FormMenuAmministrazione::Cmd_CloseFrame2_Click);

    // Each print option rebuilds its table for the year in TextAnno and shows its report.
    auto printOn = [this](QRadioButton* option, auto print) {
        connect(option, &QRadioButton::clicked, this, [this, print] {
            if (m_conn.db)
                print(statement::PrintContext{*m_conn.db, m_heading, m_conn.settings.logo_conn, ProgressBar1},
                      TextAnno->text());
        });
    };
    using statement::StatementReport;
    printOn(Option1, [](const auto& c, const QString& y) { statement::printStatement(StatementReport::PerCategoria, y, c); });
    printOn(Option2, [](const auto& c, const QString& y) { statement::printStatement(StatementReport::PerCodice, y, c); });
    printOn(Option3, [](const auto& c, const QString& y) {
        statement::printStatement(StatementReport::PerCategoriaCodice, y, c);
    });
    printOn(Option4, [](const auto& c, const QString& y) { statement::printBalanceSheet(y, c); });
}

FormMenuAmministrazione::~FormMenuAmministrazione() = default;

void FormMenuAmministrazione::Form_Load()
{
    Frame1->setVisible(false);
    Frame2->setVisible(false);
    TextAnno->setText(QString::number(today().year()));
    try {
        m_conn = OpenArchiveConnection();
        m_heading = LoadIntestazione(*m_conn.db);
        loadLogo(Image1, m_conn.settings.logo_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormMenuAmministrazione::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

void FormMenuAmministrazione::Cmd_Previsionale_Click() { showWindow(QStringLiteral("FormRegistroPrevisionale")); }
void FormMenuAmministrazione::ComEntrate_Click() { showWindow(QStringLiteral("FormCassa")); }
void FormMenuAmministrazione::ComInventario_Click() { showWindow(QStringLiteral("FormInventario")); }
void FormMenuAmministrazione::CmdStampaRendiconto_Click() { Frame1->setVisible(true); }
void FormMenuAmministrazione::Cmd_Annulla_Click() { Frame1->setVisible(false); }
void FormMenuAmministrazione::Cmd_Calcola_Click() { Frame2->setVisible(true); }
void FormMenuAmministrazione::Cmd_CloseFrame2_Click() { Frame2->setVisible(false); }
void FormMenuAmministrazione::ComExit_Click() { close(); }
void FormMenuAmministrazione::Cmd_meno_Click() { stepYear(-1); }
void FormMenuAmministrazione::Cmd_piu_Click() { stepYear(+1); }

void FormMenuAmministrazione::stepYear(int delta)
{
    const std::optional<int> year = accounting::yearOf(TextAnno->text());
    if (!year || *year + delta < 1) {
        MsgBox(QStringLiteral("L'anno deve essere un numero intero! "), MsgButtons::Ok, MsgIcon::Exclamation,
               QStringLiteral("ATTENZIONE"));
        return;
    }
    TextAnno->setText(QString::number(*year + delta));
}

} // namespace vb

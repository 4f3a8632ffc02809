#include "start/ui/FormPass.h"

#include "core/Clock.h"
#include "core/Intestazione.h"
#include "core/MessageService.h"
#include "core/ProgramEnvironment.h"
#include "core/RegistroAccessi.h"
#include "core/Utenti.h"
#include "ui/WindowHelpers.h"
#include "ui/WindowRegistry.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vb {

FormPass::FormPass(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Autenticazione"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFixedHeight(110);

    LabelTitolo = new QLabel(this);
    LabelTitolo->setObjectName(QStringLiteral("LabelTitolo"));
    LabelTitolo->setAlignment(Qt::AlignCenter);
    LabelTitolo->setWordWrap(true);
    QFont titleFont = LabelTitolo->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    LabelTitolo->setFont(titleFont);
    LabelIndirizzo = new QLabel(this);
    LabelIndirizzo->setObjectName(QStringLiteral("LabelIndirizzo"));
    LabelIndirizzo->setAlignment(Qt::AlignCenter);
    LabelIndirizzo->setWordWrap(true);

    auto* labelUser = new QLabel(QStringLiteral("Username:"), this);
    labelUser->setObjectName(QStringLiteral("Label_Username"));
    Text_Username = new QLineEdit(this);
    Text_Username->setObjectName(QStringLiteral("Text_Username"));
    auto* labelPass = new QLabel(QStringLiteral("Password:"), this);
    labelPass->setObjectName(QStringLiteral("Label_Pass"));
    Text_Pass = new QLineEdit(this);
    Text_Pass->setObjectName(QStringLiteral("Text_Pass"));
    Text_Pass->setEchoMode(QLineEdit::Password);
    // Typed characters show as asterisks.
    Text_Pass->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    Cmd_Conf = new QPushButton(QStringLiteral("Accedi"), this);
    Cmd_Conf->setObjectName(QStringLiteral("Cmd_Conf"));
    Cmd_Conf->setDefault(true);
    setConfColour(QStringLiteral("#FF0000"));
    connect(Cmd_Conf, &QPushButton::clicked, this, &FormPass::Cmd_Conf_Click);
    Cmd_CambiaPass = new QPushButton(QStringLiteral("Cambia Password"), this);
    Cmd_CambiaPass->setObjectName(QStringLiteral("Cmd_CambiaPass"));
    Cmd_CambiaPass->setVisible(false);
    connect(Cmd_CambiaPass, &QPushButton::clicked, this, &FormPass::Cmd_CambiaPass_Click);
    // Enter in the password box presses "Accedi".
    connect(Text_Pass, &QLineEdit::returnPressed, Cmd_Conf, &QPushButton::click);

    auto* grid = new QGridLayout;
    grid->addWidget(labelUser, 0, 0);
    grid->addWidget(Text_Username, 0, 1);
    grid->addWidget(labelPass, 1, 0);
    grid->addWidget(Text_Pass, 1, 1);
    grid->addWidget(Cmd_Conf, 2, 1);
    grid->addWidget(Cmd_CambiaPass, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(Image1);
    layout->addWidget(LabelTitolo);
    layout->addWidget(LabelIndirizzo);
    layout->addSpacing(12);
    layout->addLayout(grid);
    layout->addStretch();
    resize(460, 380);
}

FormPass::~FormPass() = default;

void FormPass::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        const Intestazione h = readIntestazione(*m_conn.db);
        if (!h.Intestazione.isEmpty())
            LabelTitolo->setText(h.Intestazione);
        if (!h.Indirizzo.isEmpty())
            LabelIndirizzo->setText(indirizzoCompleto(h));
        loadLogo(Image1, m_conn.settings.logo_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormPass::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

void FormPass::setConfColour(const QString& colour)
{
    Cmd_Conf->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }").arg(colour));
}

void FormPass::Cmd_Conf_Click()
{
    const QString user = Text_Username->text();
    const QString password = Text_Pass->text();
    if (user.isEmpty() || password.isEmpty()) {
        MsgBox(QStringLiteral("Inserisci la nuova username e la nuova password nelle caselle predisposte. Premi OK per "
                              "confermare l'inserimento"),
               MsgButtons::Ok, MsgIcon::Information, QStringLiteral("IMPOSTA NUOVO ACCAUNT"));
        Text_Username->clear();
        Text_Pass->clear();
        // The user name box was emptied: it must take a name again, also when a valid press
        // or a password change had locked it (else no login could ever complete).
        Text_Username->setEnabled(true);
        return;
    }

    QList<utenti::Utente> matched;
    try {
        if (!m_conn.db)
            throw db::Error(QStringLiteral("L'archivio non è aperto: chiudere e riavviare il programma."));
        matched = utenti::righeCorrispondenti(*m_conn.db, user, password);
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }

    if (matched.isEmpty()) {
        const MsgResult answer = MsgBox(
            QStringLiteral("Username e/o Password sono errate! Prova a ripetere la procedura di autenticazione.    "
                           "Controlla anche i caratteri maiuscolo o minuscolo in quanto considerati diversi dal sistema!   "),
            MsgButtons::OkCancel, MsgIcon::Information, QStringLiteral("AVVISO"));
        if (answer != MsgResult::Ok) {
            endProgram();
            return;
        }
        Text_Username->clear();
        Text_Pass->clear();
        Text_Username->setEnabled(true);
        return;
    }

    ++m_presses;
    m_pass = matched.last().Pass;
    m_cognome = matched.last().Cognome;
    m_nome = matched.last().Nome;

    if (m_pass == utenti::kPasswordDefault) {
        MsgBox(QStringLiteral("Cambiare la Password!\nLa password di default (Tramonto) al primo accesso deve essere "
                              "sostituita per poter continuare. "),
               MsgButtons::Ok, MsgIcon::Information, QStringLiteral("ATTENZIONE"));
        Cmd_CambiaPass->setVisible(true);
        Cmd_Conf->setEnabled(false);
        Text_Username->setEnabled(false);
        Text_Pass->clear();
        Text_Pass->setFocus();
        return;
    }

    Cmd_CambiaPass->setVisible(true);
    Text_Username->setEnabled(false);
    setConfColour(QStringLiteral("#00FF00"));
    if (m_presses < 2)
        return;
    if (user != utenti::kAmministratore) {
        try {
            WriteRegistroAccessi();
        } catch (const Error& e) {
            showErrorDescription(e.description());
            return;
        }
        enter(QStringLiteral("FormStart"));
    } else {
        enter(QStringLiteral("FormAutorizzazioni"));
    }
}

void FormPass::enter(const QString& next)
{
    // The next window comes up before this one goes, so that the program always has one.
    hide();
    showWindow(next);
    close();
}

void FormPass::Cmd_CambiaPass_Click()
{
    m_presses = 0;
    const QString user = Text_Username->text();
    const QString newPassword = Text_Pass->text();
    if (user.isEmpty() || newPassword.isEmpty())
        return;
    if (newPassword == utenti::kPasswordDefault) {
        MsgBox(QStringLiteral("Immessa Password non valida! "), MsgButtons::Ok, MsgIcon::None,
               QStringLiteral("ATTENZIONE"));
        Cmd_Conf->setEnabled(false);
        return;
    }
    try {
        if (!m_conn.db)
            throw db::Error(QStringLiteral("L'archivio non è aperto: chiudere e riavviare il programma."));
        if (!utenti::cambiaPassword(*m_conn.db, user, m_pass, newPassword))
            throw db::Error(QStringLiteral("Utente non trovato nell'archivio: la password non è stata sostituita."));
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }
    m_pass = newPassword;
    Cmd_Conf->setEnabled(true);
    MsgBox(QStringLiteral("Password sostituita con successo. Ripetere la procedura di autenticazione con la nuova "
                          "password. "),
           MsgButtons::Ok, MsgIcon::Information, QStringLiteral("NUOVA PASSWORD"));
    Cmd_CambiaPass->setVisible(false);
    Text_Pass->clear();
}

void FormPass::WriteRegistroAccessi()
{
    registro::registraIngresso(*m_conn.db, m_cognome, m_nome, vb::today(), vb::currentTime());
}

} // namespace vb

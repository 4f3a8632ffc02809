#include "start/ui/FormAutorizzazioni.h"

#include "core/Cini.h"
#include "core/Clock.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "core/RegistroAccessi.h"
#include "core/Text.h"
#include "core/Utenti.h"
#include "reports/engine/ReportShow.h"
#include "ui/WindowRegistry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vb {

FormAutorizzazioni::FormAutorizzazioni(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Gestione Autorizzazioni"));

    auto* listTitle = new QLabel(QStringLiteral("Utenti abilitati (Username, Cognome, Nome, Data inserimento):"), this);
    listTitle->setObjectName(QStringLiteral("Label_Elenco"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setMinimumHeight(200);
    connect(List1, &QListWidget::itemClicked, this, &FormAutorizzazioni::List1_Click);

    auto box = [this](const QString& name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        return e;
    };
    Text_Accaunt = box(QStringLiteral("Text_Accaunt"));
    Text_Cognome = box(QStringLiteral("Text_Cognome"));
    Text_Nome = box(QStringLiteral("Text_Nome"));
    Text_Accaunt->setToolTip(QStringLiteral("Lasciare vuoto: il nome utente viene formato dal programma"));

    auto button = [this](const QString& name, const QString& caption, const QString& tip,
                         void (FormAutorizzazioni::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Cmd_New = button(QStringLiteral("Cmd_New"), QStringLiteral("Nuovo utente"),
                     QStringLiteral("Aggiunge l'utente con la password iniziale Tramonto"), &FormAutorizzazioni::Cmd_New_Click);
    Cmd_Canc = button(QStringLiteral("Cmd_Canc"), QStringLiteral("Elimina utente"),
                      QStringLiteral("Elimina l'utente scelto nell'elenco"), &FormAutorizzazioni::Cmd_Canc_Click);
    Cmd_Canc->setEnabled(false);
    ComVisAccessi = button(QStringLiteral("ComVisAccessi"), QStringLiteral("Registro accessi"),
                           QStringLiteral("Visualizza o azzera il registro degli accessi"),
                           &FormAutorizzazioni::ComVisAccessi_Click);
    ModInt = button(QStringLiteral("ModInt"), QStringLiteral("Modifica intestazione"),
                    QStringLiteral("L'intestazione sarà richiesta al prossimo avvio"), &FormAutorizzazioni::ModInt_Click);
    Cmd_Exit = button(QStringLiteral("Cmd_Exit"), QStringLiteral("Esci"), QStringLiteral("Torna all'autenticazione"),
                      &FormAutorizzazioni::Cmd_Exit_Click);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Username:"), this), 0, 0);
    fields->addWidget(Text_Accaunt, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Cognome:"), this), 1, 0);
    fields->addWidget(Text_Cognome, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Nome:"), this), 2, 0);
    fields->addWidget(Text_Nome, 2, 1);

    auto* userButtons = new QHBoxLayout;
    userButtons->addWidget(Cmd_New);
    userButtons->addWidget(Cmd_Canc);
    userButtons->addStretch();
    auto* otherButtons = new QHBoxLayout;
    otherButtons->addWidget(ComVisAccessi);
    otherButtons->addWidget(ModInt);
    otherButtons->addStretch();
    otherButtons->addWidget(Cmd_Exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listTitle);
    layout->addWidget(List1);
    layout->addLayout(fields);
    layout->addLayout(userButtons);
    layout->addSpacing(8);
    layout->addLayout(otherButtons);
    resize(560, 460);
}

FormAutorizzazioni::~FormAutorizzazioni() = default;

void FormAutorizzazioni::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        RefreshList();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormAutorizzazioni::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

db::Database& FormAutorizzazioni::database()
{
    if (!m_conn.db)
        throw db::Error(QStringLiteral("L'archivio non è aperto: chiudere e riaprire la finestra."));
    return *m_conn.db;
}

void FormAutorizzazioni::RefreshList()
{
    List1->clear();
    const QChar tab(u'\t');
    for (const utenti::Utente& u : utenti::elencoUtenti(database())) {
        List1->addItem(u.Username + tab + text::firstCharacters(u.Cognome, 7) + tab + text::firstCharacters(u.Nome, 7) + tab + tab
                       + fmt::date(u.DataIns));
    }
}

void FormAutorizzazioni::clearBoxes()
{
    Text_Accaunt->clear();
    Text_Cognome->clear();
    Text_Nome->clear();
}

void FormAutorizzazioni::List1_Click(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString key = item->text().section(u'\t', 0, 0);
    clearBoxes();
    try {
        for (const utenti::Utente& u : utenti::utentiDiNome(database(), key)) {
            Text_Accaunt->setText(u.Username);
            Text_Cognome->setText(u.Cognome);
            Text_Nome->setText(u.Nome);
        }
        Cmd_Canc->setEnabled(true);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAutorizzazioni::Cmd_New_Click()
{
    const QString cognome = Text_Cognome->text();
    const QString nome = Text_Nome->text();
    if (cognome.trimmed().isEmpty() || nome.trimmed().isEmpty())
        return;
    try {
        // A user name typed or loaded in the box is never modified: only new users are added.
        if (Text_Accaunt->text().isEmpty()) {
            utenti::aggiungiUtente(database(), cognome, nome, vb::currentTime().minute(), vb::today());
            RefreshList();
        }
        clearBoxes();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAutorizzazioni::Cmd_Canc_Click()
{
    const QString acc = Text_Accaunt->text();
    if (acc.isEmpty() || acc == utenti::kAmministratore)
        return;
    if (MsgBox(QStringLiteral("Sicuro di voler eliminare questo Nominativo ( ") + Text_Cognome->text()
                   + QStringLiteral(" ") + Text_Nome->text()
                   + QStringLiteral(" )?   Una volta eliminato non sarà piu possibile recuperarlo. "),
               MsgButtons::YesNo, MsgIcon::Critical, QStringLiteral("ATTENZIONE"))
        != MsgResult::Yes)
        return;
    try {
        utenti::eliminaUtente(database(), acc);
        clearBoxes();
        RefreshList();
        Cmd_Canc->setEnabled(false);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAutorizzazioni::ComVisAccessi_Click()
{
    try {
        m_heading = LoadIntestazione(database());
        const MsgResult answer = MsgBox(
            QStringLiteral("Per visualizzare il registro premi il tasto SI, Per azzerare il registro premi il tasto NO, "
                           "Per uscire senza modifiche premi il tasto ANNULLA "),
            MsgButtons::YesNoCancel, MsgIcon::Question, QStringLiteral("ATTENZIONE"));
        if (answer == MsgResult::Yes) {
            reports::ShowOptions options;
            options.headingLabel = QStringLiteral("Label_Intest");
            options.heading = m_heading;
            reports::showReport(QStringLiteral("ReportRegistroAccessi"), options);
        } else if (answer == MsgResult::No) {
            if (MsgBox(QStringLiteral("Sicuro di voler azzerare il registro? \n"
                                      "NOTA: Una volta azzerato non sarà più possibile recuperarlo."),
                       MsgButtons::OkCancel, MsgIcon::Critical, QStringLiteral("AVVISO"))
                == MsgResult::Ok)
                registro::azzeraRegistro(database());
        }
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAutorizzazioni::ModInt_Click()
{
    if (MsgBox(QStringLiteral("Sicuro di voler modificare l'intestazione dell'appplicazione?"), MsgButtons::OkCancel,
               MsgIcon::Information, QStringLiteral("INFORMAZIONE"))
        != MsgResult::Ok)
        return;
    if (!Cini::programSettings().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("1"))) {
        MsgBox(QStringLiteral("Impossibile scrivere il file delle impostazioni agg.ini: l'intestazione non potrà essere "
                              "modificata al prossimo avvio."),
               MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE"));
        return;
    }
    MsgBox(QStringLiteral("Per poter rendere effettiva la modifica dell'intestazione chiudere e riavviare "
                          "l'appplicazione"),
           MsgButtons::Ok, MsgIcon::Information, QStringLiteral("INFORMAZIONE"));
}

void FormAutorizzazioni::Cmd_Exit_Click()
{
    hide();
    showWindow(QStringLiteral("FormPass"));
    close();
}

} // namespace vb

#include "start/ui/FormCopyraight.h"

#include "core/Cini.h"
#include "core/Intestazione.h"
#include "core/MessageService.h"
#include "core/ProgramEnvironment.h"
#include "core/Utenti.h"
#include "data/ArchiveCheck.h"
#include "data/DataEnvironment.h"
#include "ui/PlaceholderText.h"
#include "ui/WindowHelpers.h"
#include "ui/WindowRegistry.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vb {
namespace {

// "1" asks for the heading; a missing key ("p") or any other text is a normal start.
bool isHeadingEntry(const QString& codInt)
{
    bool ok = false;
    const double value = codInt.trimmed().toDouble(&ok);
    return ok && value == 1.0;
}

} // namespace

FormCopyraight::FormCopyraight(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Vellumbra"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFixedHeight(140);

    auto label = [this](const QString& name, int pointSize, bool bold) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        QFont f = l->font();
        f.setPointSize(pointSize);
        f.setBold(bold);
        l->setFont(f);
        return l;
    };
    LabelTitolo = label(QStringLiteral("LabelTitolo"), 16, true);
    LabelIndirizzo = label(QStringLiteral("LabelIndirizzo"), 11, false);
    LabelCodFiscale = label(QStringLiteral("LabelCodFiscale"), 11, false);
    QLabel* version = label(QStringLiteral("LabelVersione"), 9, false);
    version->setText(QStringLiteral("Versione 04.20"));

    auto entry = [this](const QString& name, const QString& text, const QString& what) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(name);
        e->setToolTip(QStringLiteral("Prima di scrivere cancellare ") + what);
        e->setVisible(false);
        // The first keystroke replaces the text that names the box.
        ui::selectPlaceholderOnFocus(e, {text});
        return e;
    };
    Text_Titolo = entry(QStringLiteral("Text_Titolo"), QStringLiteral("Intestazione"), QStringLiteral("Intestazione"));
    Text_Indirizzo = entry(QStringLiteral("Text_Indirizzo"), QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo"));
    Text_Num = entry(QStringLiteral("Text_Num"), QStringLiteral("Num"), QStringLiteral("Num"));
    Text_CAP = entry(QStringLiteral("Text_CAP"), QStringLiteral("CAP"), QStringLiteral("CAP"));
    Text_Citta = entry(QStringLiteral("Text_Citta"), QStringLiteral("Città"), QStringLiteral("Città"));
    Text_CodFiscale =
        entry(QStringLiteral("Text_CodFiscale"), QStringLiteral("Codice fiscale"), QStringLiteral("Codice fiscale"));

    ComRegIntestazione = new QPushButton(QStringLiteral("Registra aggiornamento intestazione"), this);
    ComRegIntestazione->setObjectName(QStringLiteral("ComRegIntestazione"));
    ComRegIntestazione->setVisible(false);
    connect(ComRegIntestazione, &QPushButton::clicked, this, &FormCopyraight::ComRegIntestazione_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &FormCopyraight::Timer1_Timer);

    auto* entries = new QGridLayout;
    entries->addWidget(Text_Titolo, 0, 0, 1, 4);
    entries->addWidget(Text_Indirizzo, 1, 0, 1, 3);
    entries->addWidget(Text_Num, 1, 3);
    entries->addWidget(Text_CAP, 2, 0);
    entries->addWidget(Text_Citta, 2, 1, 1, 3);
    entries->addWidget(Text_CodFiscale, 3, 0, 1, 4);
    entries->addWidget(ComRegIntestazione, 4, 0, 1, 4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(Image1);
    layout->addWidget(LabelTitolo);
    layout->addWidget(LabelIndirizzo);
    layout->addWidget(LabelCodFiscale);
    layout->addLayout(entries);
    layout->addStretch();
    layout->addWidget(version);
    resize(520, 400);
}

FormCopyraight::~FormCopyraight() = default;

void FormCopyraight::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        // Before any window writes to it: the archive is checked whole and brought up
        // to date.
        data::checkArchiveAtStartup(*m_conn.db);
        const Cini ini = Cini::programSettings();
        m_codInt = ini.GetValue(QStringLiteral("Cod_Int"), QStringLiteral("p"));
        data::DataEnvironment1::instance().Connection1().Open(m_conn.settings.databasePath());

        if (isHeadingEntry(m_codInt)) {
            showEntryBoxes();
            MsgBox(QStringLiteral("Compila i campi con i dati Intestazione,Indirizzo e Codice fiscale. Premi infine il "
                                  "pulsante registra intestazione per memorizzare."),
                   MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Aggiorna intestazione"));
        } else {
            const Intestazione h = readIntestazione(*m_conn.db);
            LabelTitolo->setText(h.Intestazione);
            LabelIndirizzo->setText(indirizzoCompleto(h));
            LabelCodFiscale->setText(h.CodiceFiscale);
            Timer1->start(2500);
        }
        // Heading entry lasts for one start.
        ini.SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0"));
        loadLogo(Image1, m_conn.settings.logo_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormCopyraight::Form_Unload()
{
    Timer1->stop();
    m_conn.db.reset();
    // Closed by the user before handing over: there is nothing else to do.
    if (!m_handingOver)
        endProgram();
    return true;
}

void FormCopyraight::showEntryBoxes()
{
    for (QLineEdit* e : {Text_Titolo, Text_Indirizzo, Text_Num, Text_CAP, Text_Citta, Text_CodFiscale})
        e->setVisible(true);
    ComRegIntestazione->setVisible(true);
    // The heading labels stay empty while it is typed: they give their room to the boxes.
    for (QLabel* l : {LabelTitolo, LabelIndirizzo, LabelCodFiscale})
        l->setVisible(false);
}

void FormCopyraight::handOver(const QString& next)
{
    m_handingOver = true;
    showWindow(next);
    close();
}

void FormCopyraight::Timer1_Timer() { handOver(QStringLiteral("FormPass")); }

void FormCopyraight::ComRegIntestazione_Click()
{
    if (MsgBox(QStringLiteral("Sei sicuro della correttezza delle intestazioni? \n"
                              "Una volta confermato non sarà più possibile modificarle!"),
               MsgButtons::OkCancel, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE"))
        != MsgResult::Ok)
        return;
    try {
        if (!m_conn.db)
            throw db::Error(QStringLiteral("L'archivio non è aperto: chiudere e riavviare il programma."));
        registraIntestazione(*m_conn.db, {Text_Titolo->text(), Text_Indirizzo->text(), Text_Num->text(),
                                          Text_CAP->text(), Text_Citta->text(), Text_CodFiscale->text()});
        MsgBox(QStringLiteral("Cambio intestazione effettuato con successo."), MsgButtons::Ok, MsgIcon::Information,
               QStringLiteral("INFORMAZIONI"));
        // While only the administrator exists, the first users are added next.
        const bool hasUsers = utenti::contaUtenti(*m_conn.db) > 1;
        handOver(hasUsers ? QStringLiteral("FormPass") : QStringLiteral("FormAutorizzazioni"));
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

} // namespace vb

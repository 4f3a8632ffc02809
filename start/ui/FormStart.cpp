#include "start/ui/FormStart.h"

#include "core/Clock.h"
#include "core/MessageService.h"
#include "core/ProgramEnvironment.h"
#include "core/RegistroAccessi.h"
#include "data/DataEnvironment.h"
#include "start/Backup.h"
#include "ui/WindowHelpers.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vb {

FormStart::FormStart(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Menu' START"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFixedHeight(130);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(Image1);
    auto opener = [&](const QString& name, const QString& caption, const QString& tip, const QString& window) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setMinimumHeight(40);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [window] { showWindow(window); });
    };
    opener(QStringLiteral("ComAggiorna"), QStringLiteral("Gestione SOCI"), QStringLiteral("Gestione quote e rinnovi soci"),
           QStringLiteral("FormGestSoci"));
    opener(QStringLiteral("ComAmministrazione"), QStringLiteral("Amministrazione"),
           QStringLiteral("Registrazioni registro cassa"), QStringLiteral("FormMenuAmministrazione"));
    opener(QStringLiteral("ComVisualiza"), QStringLiteral("Visualizza/Stampa"), QStringLiteral("visualizzazioni e stampe"),
           QStringLiteral("FormVisualizzaStampa"));
    opener(QStringLiteral("ComMenu"), QStringLiteral("IMPOSTAZIONI"), QStringLiteral("Menù successivo"),
           QStringLiteral("FormMenu"));

    auto* exit = new QPushButton(this);
    exit->setObjectName(QStringLiteral("ComExit"));
    exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    exit->setIconSize(QSize(32, 32));
    exit->setToolTip(QStringLiteral("Chiue ed esce dal programma"));
    exit->setMinimumHeight(44);
    connect(exit, &QPushButton::clicked, this, &FormStart::ComExit_Click);
    layout->addSpacing(8);
    layout->addWidget(exit);
    resize(360, 460);
}

FormStart::~FormStart() = default;

void FormStart::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        auto& connection = data::DataEnvironment1::instance().Connection1();
        if (connection.State() == 0)
            connection.Open(m_conn.settings.databasePath());
        loadLogo(Image1, m_conn.settings.logo_conn);
        if (MsgBox(QStringLiteral("Prima di procedere e consigliato effettuare una copia di backup dell'archivio. "
                                  "Desideri effettuare una copia di backup? (Questa richiesta è proposta ogni volta che "
                                  "si avvia il programma)\n (premi SI per confermare NO per uscire)"),
                   MsgButtons::YesNo, MsgIcon::Information, QStringLiteral("ATTENZIONE"))
            == MsgResult::Yes)
            CopiaArchivio(m_conn.settings.ip_conn, m_conn.settings.db_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormStart::ComExit_Click()
{
    if (MsgBox(QStringLiteral("Sicuro di voler uscire dal programma? "), MsgButtons::OkCancel, MsgIcon::Exclamation,
               QStringLiteral("ATTENZIONE"))
        != MsgResult::Ok)
        return;
    close();
}

bool FormStart::Form_Unload()
{
    // Leaving the main menu, by its exit button or its close box, leaves the program.
    if (m_ending)
        return true;
    m_ending = true;
    chiudiRegistroAccessi();
    m_conn.db.reset();
    endProgram();
    return true;
}

void FormStart::chiudiRegistroAccessi()
{
    try {
        if (!m_conn.db)
            m_conn = OpenArchiveConnection();
        registro::chiudiAccessiAperti(*m_conn.db, vb::today(), vb::currentTime());
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

} // namespace vb

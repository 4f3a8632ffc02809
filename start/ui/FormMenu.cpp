#include "start/ui/FormMenu.h"

#include "core/MessageService.h"
#include "start/Backup.h"
#include "start/ui/StampaAnagrafica.h"
#include "ui/WindowHelpers.h"
#include "ui/WindowRegistry.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vb {

FormMenu::FormMenu(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("MENU' IMPOSTAZIONI"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedHeight(120);
    Image1->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1);
    auto addButton = [&](const QString& name, const QString& caption, const QString& tip, void (FormMenu::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setMinimumHeight(36);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, handler);
    };
    addButton(QStringLiteral("ComAnagrafica"), QStringLiteral("ANAGRAFICA"), QString(), &FormMenu::ComAnagrafica_Click);
    addButton(QStringLiteral("Cmd_Codici"), QStringLiteral("Codici Registro Cassa"),
              QStringLiteral("Gestisce le impostazioni Codici"), &FormMenu::Cmd_Codici_Click);
    addButton(QStringLiteral("ComStampaAnagrafica"), QStringLiteral("Stampa Anagrafica"),
              QStringLiteral("Stampa Anagrafica Soci"), &FormMenu::ComStampaAnagrafica_Click);
    addButton(QStringLiteral("CmdBackup"), QStringLiteral("Copia Archivio su.."),
              QStringLiteral("Effettua copia degli archivi su..."), &FormMenu::CmdBackup_Click);
    addButton(QStringLiteral("ComExit"), QStringLiteral("Exit"), QString(), &FormMenu::ComExit_Click);
    resize(340, 420);
}

FormMenu::~FormMenu() = default;

void FormMenu::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        loadLogo(Image1, m_conn.settings.logo_conn);
        m_heading = LoadIntestazione(*m_conn.db);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormMenu::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

void FormMenu::ComAnagrafica_Click() { showWindow(QStringLiteral("FormAnagrafica")); }

void FormMenu::Cmd_Codici_Click() { showWindow(QStringLiteral("FormCodici")); }

void FormMenu::ComStampaAnagrafica_Click() { StampaAnagrafica(m_conn.settings.logo_conn, m_heading); }

void FormMenu::CmdBackup_Click()
{
    try {
        CopiaArchivio(m_conn.settings.ip_conn, m_conn.settings.db_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormMenu::ComExit_Click()
{
    showWindow(QStringLiteral("FormStart"));
    close();
}

} // namespace vb

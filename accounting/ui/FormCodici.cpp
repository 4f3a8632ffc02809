#include "accounting/ui/FormCodici.h"

#include "accounting/Codici.h"
#include "core/MessageService.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vb {
namespace {

using ui::pictureButton;

QString kindName(int attivitaPassivita)
{
    switch (attivitaPassivita) {
    case 1: return QStringLiteral("1 - Entrate");
    case 2: return QStringLiteral("2 - Uscite");
    }
    return QString::number(attivitaPassivita);
}

} // namespace

FormCodici::FormCodici(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Codici Registro Cassa"));

    Text_Codice = new QLineEdit(this);
    Text_Codice->setObjectName(QStringLiteral("Text_Codice"));
    Text_Codice->setToolTip(QStringLiteral("Codice di tre caratteri"));
    Text_Codice->setMaxLength(3);
    Text_Codice->setMaximumWidth(70);
    Text_CodDescrizione = new QLineEdit(this);
    Text_CodDescrizione->setObjectName(QStringLiteral("Text_CodDescrizione"));
    Text_CodDescrizione->setToolTip(QStringLiteral("Descrizione codice"));
    Combo_AttivitaPassivita = new QComboBox(this);
    Combo_AttivitaPassivita->setObjectName(QStringLiteral("Combo_AttivitaPassivita"));
    Combo_AttivitaPassivita->setToolTip(QStringLiteral("1 = Entrate, 2 = Uscite"));
    Combo_AttivitaPassivita->setEditable(true);
    Combo_AttivitaPassivita->setInsertPolicy(QComboBox::NoInsert);
    Combo_AttivitaPassivita->addItems({QStringLiteral("1"), QStringLiteral("2")});
    Combo_AttivitaPassivita->setCurrentIndex(-1);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Codice:"), this), 0, 0);
    fields->addWidget(Text_Codice, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Tipo (1 = Entrate, 2 = Uscite):"), this), 0, 2);
    fields->addWidget(Combo_AttivitaPassivita, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("Descrizione:"), this), 1, 0);
    fields->addWidget(Text_CodDescrizione, 1, 1, 1, 3);
    fields->setColumnStretch(3, 1);

    Cmd_New = pictureButton(this, QStringLiteral("Cmd_New"), QStyle::SP_FileDialogNewFolder, QStringLiteral("Aggiungi"));
    Cmd_Mod = pictureButton(this, QStringLiteral("Cmd_Mod"), QStyle::SP_DialogSaveButton, QStringLiteral("Modifica"));
    Cmd_Canc = pictureButton(this, QStringLiteral("Cmd_Canc"), QStyle::SP_TrashIcon, QStringLiteral("Elimina valore"));
    Com_CLS = pictureButton(this, QStringLiteral("Com_CLS"), QStyle::SP_BrowserReload, QStringLiteral("Pulisci campi"));
    Cmd_Exit = pictureButton(this, QStringLiteral("Cmd_Exit"), QStyle::SP_DialogCloseButton, QStringLiteral("Exit"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Cmd_New, Cmd_Mod, Cmd_Canc, Com_CLS})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    MSHFlexGrid1 = new QTableWidget(0, 3, this);
    MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid1->setHorizontalHeaderLabels({QStringLiteral("Codice"), QStringLiteral("Descrizione"), QStringLiteral("Tipo")});
    MSHFlexGrid1->verticalHeader()->hide();
    MSHFlexGrid1->verticalHeader()->setDefaultSectionSize(20);
    MSHFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSHFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGrid1->setColumnWidth(0, 70);
    MSHFlexGrid1->setColumnWidth(2, 100);
    MSHFlexGrid1->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(MSHFlexGrid1, 1);
    resize(520, 460);

    editMode(false);
    connect(MSHFlexGrid1, &QTableWidget::cellClicked, this, &FormCodici::MSHFlexGrid1_Click);
    connect(Cmd_New, &QPushButton::clicked, this, &FormCodici::Cmd_New_Click);
    connect(Cmd_Mod, &QPushButton::clicked, this, &FormCodici::Cmd_Mod_Click);
    connect(Cmd_Canc, &QPushButton::clicked, this, &FormCodici::Cmd_Canc_Click);
    connect(Com_CLS, &QPushButton::clicked, this, &FormCodici::Com_CLS_Click);
    connect(Cmd_Exit, &QPushButton::clicked, this, &FormCodici::Cmd_Exit_Click);
}

FormCodici::~FormCodici() = default;

void FormCodici::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormCodici::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

void FormCodici::RefreshGrid()
{
    MSHFlexGrid1->setRowCount(0);
    if (!m_conn.db)
        return;
    const std::vector<accounting::Codice> codes = accounting::Codici(*m_conn.db).all();
    MSHFlexGrid1->setRowCount(int(codes.size()));
    for (int r = 0; r < int(codes.size()); ++r) {
        const accounting::Codice& c = codes[size_t(r)];
        MSHFlexGrid1->setItem(r, 0, new QTableWidgetItem(c.codice));
        MSHFlexGrid1->setItem(r, 1, new QTableWidgetItem(c.descrizione));
        auto* kind = new QTableWidgetItem(kindName(c.attivitaPassivita));
        kind->setData(Qt::UserRole, c.attivitaPassivita);
        MSHFlexGrid1->setItem(r, 2, kind);
    }
}

void FormCodici::clearFields()
{
    Text_Codice->clear();
    Text_CodDescrizione->clear();
    Combo_AttivitaPassivita->setCurrentIndex(-1);
    Combo_AttivitaPassivita->setEditText(QString());
}

void FormCodici::editMode(bool editing)
{
    Cmd_Mod->setEnabled(editing);
    Cmd_Canc->setEnabled(editing);
    Cmd_New->setEnabled(!editing);
    if (!editing)
        m_loadedCode.clear();
}

bool FormCodici::done(const QString& message)
{
    if (message.isEmpty())
        return true;
    warn(message);
    return false;
}

void FormCodici::MSHFlexGrid1_Click()
{
    const int r = MSHFlexGrid1->currentRow();
    if (r < 0)
        return;
    m_loadedCode = MSHFlexGrid1->item(r, 0)->text();
    Text_Codice->setText(m_loadedCode);
    Text_CodDescrizione->setText(MSHFlexGrid1->item(r, 1)->text());
    Combo_AttivitaPassivita->setEditText(QString::number(MSHFlexGrid1->item(r, 2)->data(Qt::UserRole).toInt()));
    const QString loaded = m_loadedCode;
    editMode(true);
    m_loadedCode = loaded;
}

void FormCodici::Cmd_New_Click()
{
    if (!m_conn.db)
        return;
    try {
        if (!done(accounting::Codici(*m_conn.db).add(Text_Codice->text(), Text_CodDescrizione->text(),
                                                      Combo_AttivitaPassivita->currentText())))
            return;
        clearFields();
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCodici::Cmd_Mod_Click()
{
    if (!m_conn.db || m_loadedCode.isEmpty())
        return;
    try {
        if (!done(accounting::Codici(*m_conn.db).modify(m_loadedCode, Text_Codice->text(), Text_CodDescrizione->text(),
                                                         Combo_AttivitaPassivita->currentText())))
            return;
        clearFields();
        editMode(false);
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCodici::Cmd_Canc_Click()
{
    if (!m_conn.db || m_loadedCode.isEmpty())
        return;
    if (m_loadedCode.compare(accounting::kCodiceQuote, Qt::CaseInsensitive) == 0) {
        done(accounting::kCodeReservedMessage);
        return;
    }
    if (MsgBox(QStringLiteral("Sei sicuro di voler eliminare questa voce? "), MsgButtons::YesNo, MsgIcon::Critical,
               QStringLiteral("AVVISO"))
        != MsgResult::Yes)
        return;
    try {
        if (!done(accounting::Codici(*m_conn.db).remove(m_loadedCode)))
            return;
        clearFields();
        editMode(false);
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCodici::Com_CLS_Click()
{
    clearFields();
    editMode(false);
    try {
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCodici::Cmd_Exit_Click() { close(); }

} // namespace vb

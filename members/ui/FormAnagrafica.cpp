#include "members/ui/FormAnagrafica.h"

#include "core/Clock.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "members/ui/ClickableLabel.h"
#include "members/ui/RegistryModel.h"
#include "start/ui/StampaAnagrafica.h"
#include "ui/Controls.h"
#include "ui/GridHeadings.h"
#include "ui/PlaceholderText.h"
#include "ui/PlainTextDelegate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QVBoxLayout>

namespace vb {
namespace {

const QString kAttenzione = QStringLiteral("ATTENZIONE");

// Column widths of the grid, in twips as the layout was drawn (15 twips to a pixel).
constexpr int kColumnTwips[members::RegistryModel::ColumnCount] = {900, 2800, 2800, 1800, 1800, 2800, 1200, 8};
constexpr int pixels(int twips) { return twips / 15; }

using ui::pictureButton;

// Makes |box| wide enough for |text| whole, whatever the room the layout has to share.
void showsWhole(QLineEdit* box, const QString& text)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins margins = box->textMargins();
    // A line edit keeps two pixels each side of the text besides its frame and margins.
    const QSize room(box->fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() + 4,
                     box->fontMetrics().height());
    box->setMinimumWidth(box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, room, box).width());
}

QComboBox* editableCombo(QWidget* parent, const QString& name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

} // namespace

FormAnagrafica::FormAnagrafica(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("ANAGRAFICA"));
    buildUi();
}

FormAnagrafica::~FormAnagrafica() = default;

QLineEdit* FormAnagrafica::addBox(const QString& name)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    return box;
}

void FormAnagrafica::buildUi()
{
    Text_Num = addBox(QStringLiteral("Text_Num"));
    // "0" stands for a card number not given yet.
    ui::selectPlaceholderOnFocus(Text_Num, {QStringLiteral("0")});
    Text_DataIscrizione = addBox(QStringLiteral("Text_DataIscrizione"));
    Text_Titolo = addBox(QStringLiteral("Text_Titolo"));
    Combo1 = editableCombo(this, QStringLiteral("Combo1"));
    Combo1->addItems(members::memberTypes());
    Text_Cognome = addBox(QStringLiteral("Text_Cognome"));
    Text_Nome = addBox(QStringLiteral("Text_Nome"));
    Text_LuogoNascita = addBox(QStringLiteral("Text_LuogoNascita"));
    Text_DataNascita = addBox(QStringLiteral("Text_DataNascita"));
    Text_DataNascita->setToolTip(members::kBirthDateToolTip);
    Text_DataNascita->installEventFilter(this);
    Text_Residente = addBox(QStringLiteral("Text_Residente"));
    Text_CAPresidente = addBox(QStringLiteral("Text_CAPresidente"));
    Text_IndirizzoResidente = addBox(QStringLiteral("Text_IndirizzoResidente"));
    Text_Numero = addBox(QStringLiteral("Text_Numero"));
    Text_Telefono = addBox(QStringLiteral("Text_Telefono"));
    Text_Cellulare = addBox(QStringLiteral("Text_Cellulare"));
    Text_PostaElettronica = addBox(QStringLiteral("Text_PostaElettronica"));
    Text_CF = addBox(QStringLiteral("Text_CF"));
    Combo2 = editableCombo(this, QStringLiteral("Combo2"));
    Combo3 = editableCombo(this, QStringLiteral("Combo3"));
    Combo3->addItems({QStringLiteral("SI"), QStringLiteral("NO")});
    Text_Professione = addBox(QStringLiteral("Text_Professione"));
    Text_TitoloStudio = addBox(QStringLiteral("Text_TitoloStudio"));
    Text_OccupazioneAttuale = addBox(QStringLiteral("Text_OccupazioneAttuale"));
    Text_Annotazioni = addBox(QStringLiteral("Text_Annotazioni"));
    for (QComboBox* c : {Combo1, Combo2, Combo3})
        c->setCurrentIndex(-1);

    // Four label-and-box pairs a row; the address and the e-mail take three cells, the
    // notes the rest of their row. The boxes' widths are fixed by what they must show
    // whole, never by the data loaded into them.
    struct Entry {
        QString label;
        QWidget* box;
        int span = 1;
    };
    const std::vector<std::vector<Entry>> rows{
        {{QStringLiteral("Tessera n."), Text_Num},
         {QStringLiteral("Data iscrizione"), Text_DataIscrizione},
         {QStringLiteral("Titolo"), Text_Titolo},
         {QStringLiteral("Tipo socio"), Combo1}},
        {{QStringLiteral("Cognome"), Text_Cognome},
         {QStringLiteral("Nome"), Text_Nome},
         {QStringLiteral("Luogo di nascita"), Text_LuogoNascita},
         {QStringLiteral("Data di nascita"), Text_DataNascita}},
        {{QStringLiteral("Residente a"), Text_Residente},
         {QStringLiteral("CAP"), Text_CAPresidente},
         {QStringLiteral("Indirizzo"), Text_IndirizzoResidente, 3}},
        {{QStringLiteral("Numero"), Text_Numero},
         {QStringLiteral("Telefono"), Text_Telefono},
         {QStringLiteral("Cellulare"), Text_Cellulare},
         {QStringLiteral("Codice fiscale"), Text_CF}},
        {{QStringLiteral("E-mail"), Text_PostaElettronica, 3},
         {QStringLiteral("Ente di appartenenza"), Combo2},
         {QStringLiteral("Volontario"), Combo3}},
        {{QStringLiteral("Professione"), Text_Professione},
         {QStringLiteral("Titolo di studio"), Text_TitoloStudio},
         {QStringLiteral("Occupazione attuale"), Text_OccupazioneAttuale}},
        {{QStringLiteral("Note"), Text_Annotazioni, 7}},
    };
    auto* fields = new QGridLayout;
    for (int r = 0; r < int(rows.size()); ++r) {
        int column = 0;
        for (const Entry& e : rows[size_t(r)]) {
            fields->addWidget(new QLabel(e.label, this), r, column);
            fields->addWidget(e.box, r, column + 1, 1, e.span);
            column += 1 + e.span;
        }
    }
    for (int c = 1; c < 8; c += 2)
        fields->setColumnStretch(c, 1);
    for (QComboBox* c : {Combo1, Combo2, Combo3}) {
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(8);
    }
    // The longest values the boxes show whole: an address of 40 characters, an e-mail of
    // 35, a tax code of 16.
    showsWhole(Text_IndirizzoResidente, QStringLiteral("Via Giuseppe Garibaldi Vittorio Emanuele"));
    showsWhole(Text_PostaElettronica, QStringLiteral("maria.giovanna.bianchi@sezionale.it"));
    showsWhole(Text_CF, QStringLiteral("MRGBNC80A41H501W"));

    Check_AssensoTrattDatiPersonali = new QCheckBox(QStringLiteral("Assenso trattamento dati personali"), this);
    Check_AssensoTrattDatiPersonali->setObjectName(QStringLiteral("Check_AssensoTrattDatiPersonali"));
    Check_AssensoFotoVideoWeb = new QCheckBox(QStringLiteral("Assenso foto e video sul web"), this);
    Check_AssensoFotoVideoWeb->setObjectName(QStringLiteral("Check_AssensoFotoVideoWeb"));
    CheckAssensoMailList = new QCheckBox(QStringLiteral("Assenso mailing list"), this);
    CheckAssensoMailList->setObjectName(QStringLiteral("CheckAssensoMailList"));
    auto* consents = new QHBoxLayout;
    consents->addWidget(Check_AssensoTrattDatiPersonali);
    consents->addWidget(Check_AssensoFotoVideoWeb);
    consents->addWidget(CheckAssensoMailList);
    consents->addStretch();

    Cmd_New = pictureButton(this, QStringLiteral("Cmd_New"), QStyle::SP_FileDialogNewFolder,
                            QStringLiteral("Aggiorna e aggiunge nominativo"));
    Cmd_Mod = pictureButton(this, QStringLiteral("Cmd_Mod"), QStyle::SP_DialogSaveButton, QStringLiteral("Modifica e salva"));
    Cmd_Canc = pictureButton(this, QStringLiteral("Cmd_Canc"), QStyle::SP_TrashIcon, QStringLiteral("Cancella nominativo"));
    ComCLS = pictureButton(this, QStringLiteral("ComCLS"), QStyle::SP_BrowserReload, QStringLiteral("Refresh"));
    Stamp_Anagrafica = pictureButton(this, QStringLiteral("Stamp_Anagrafica"), QStyle::SP_FileDialogDetailedView,
                                     QStringLiteral("Stampa l'Anagrafica"));
    Cmd_Exit = pictureButton(this, QStringLiteral("Cmd_Exit"), QStyle::SP_DialogCloseButton, QStringLiteral("Exit"));
    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Cmd_New, Cmd_Mod, Cmd_Canc, ComCLS, Stamp_Anagrafica})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    Text_Ricerca = addBox(QStringLiteral("Text_Ricerca"));
    Text_Ricerca->setToolTip(QStringLiteral("Inserici il cognome lettera per lettera per aggiornare l'elenco. Cancella "
                                            "tutto per rivisualizzare l'intero elenco"));
    Text_Ricerca->installEventFilter(this);
    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("Ricerca per cognome:"), this));
    search->addWidget(Text_Ricerca, 1);

    LabelOrder = new ClickableLabel(this);
    LabelOrder->setObjectName(QStringLiteral("LabelOrder"));
    LabelOrder->setPixmap(style()->standardIcon(QStyle::SP_ArrowDown).pixmap(16, 16));
    LabelOrder->setToolTip(QStringLiteral("Cambia l'ordinamento in base all'indice"));
    LabelOrder->setCursor(Qt::PointingHandCursor);
    Label_Cognome = new ClickableLabel(QStringLiteral("Cognome"), this);
    Label_Cognome->setObjectName(QStringLiteral("Label_Cognome"));
    Label_Cognome->setToolTip(QStringLiteral("Ordinamento per Cognome. "));
    Label_Cognome->setCursor(Qt::PointingHandCursor);
    auto* Label_NumTess = new QLabel(QStringLiteral("Tess.n."), this);
    Label_NumTess->setObjectName(QStringLiteral("Label_NumTess"));
    const QList<QWidget*> heads{LabelOrder,
                                Label_Cognome,
                                new QLabel(QStringLiteral("Nome"), this),
                                new QLabel(QStringLiteral("Telefono"), this),
                                new QLabel(QStringLiteral("Cellulare"), this),
                                new QLabel(QStringLiteral("C.F."), this),
                                Label_NumTess};

    m_model = new members::RegistryModel(this);
    MSHFlexGrid1 = new QTableView(this);
    MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid1->setModel(m_model);
    ui::GridHeadings::install(MSHFlexGrid1, heads);
    MSHFlexGrid1->setItemDelegate(new PlainTextDelegate(MSHFlexGrid1));
    MSHFlexGrid1->verticalHeader()->hide();
    MSHFlexGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSHFlexGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    MSHFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSHFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGrid1->setWordWrap(false);
    for (int c = 0; c < members::RegistryModel::ColumnCount; ++c)
        MSHFlexGrid1->setColumnWidth(c, pixels(kColumnTwips[c]));
    MSHFlexGrid1->setColumnHidden(members::RegistryModel::CodiceControllo, true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(consents);
    layout->addLayout(buttons);
    layout->addLayout(search);
    layout->addWidget(MSHFlexGrid1, 1);
    resize(1000, 700);

    connect(Cmd_New, &QPushButton::clicked, this, &FormAnagrafica::Cmd_New_Click);
    connect(Cmd_Mod, &QPushButton::clicked, this, &FormAnagrafica::Cmd_Mod_Click);
    connect(Cmd_Canc, &QPushButton::clicked, this, &FormAnagrafica::Cmd_Canc_Click);
    connect(ComCLS, &QPushButton::clicked, this, &FormAnagrafica::ComCLS_Click);
    connect(Stamp_Anagrafica, &QPushButton::clicked, this, &FormAnagrafica::Stamp_Anagrafica_Click);
    connect(Cmd_Exit, &QPushButton::clicked, this, &FormAnagrafica::Cmd_Exit_Click);
    connect(LabelOrder, &ClickableLabel::clicked, this, &FormAnagrafica::LabelOrder_Click);
    connect(Label_Cognome, &ClickableLabel::clicked, this, &FormAnagrafica::Label_Cognome_Click);
    connect(MSHFlexGrid1, &QTableView::clicked, this, &FormAnagrafica::MSHFlexGrid1_Click);
}

void FormAnagrafica::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        m_registry = std::make_unique<members::Anagrafica>(*m_conn.db);
        RefreshGrid();
        Combo2->addItems(m_registry->enti());
        Combo2->setCurrentIndex(-1);
        m_heading = LoadIntestazione(*m_conn.db);
        Text_DataIscrizione->setText(fmt::date(today()));
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormAnagrafica::Form_Unload()
{
    m_registry.reset();
    m_conn.db.reset();
    return true;
}

bool FormAnagrafica::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text_Ricerca && event->type() == QEvent::KeyRelease) {
        Text_Ricerca_KeyUp();
    } else if (watched == Text_DataNascita && event->type() == QEvent::FocusOut) {
        // Leaving for another field, not the window losing activation to a message box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text_DataNascita_LostFocus();
    }
    return Form::eventFilter(watched, event);
}


void FormAnagrafica::RefreshGrid()
{
    if (!m_registry)
        return;
    const auto order = m_sortFlag == 1 ? members::RegistryOrder::CodNomAscending : members::RegistryOrder::CodNomDescending;
    m_model->refill([&](members::RegistryRows& out) { m_registry->rows(order, out); });
}

void FormAnagrafica::LabelOrder_Click()
{
    m_sortFlag = (!m_sortFlag || *m_sortFlag == 0) ? 1 : 0;
    LabelOrder->setPixmap(
        style()->standardIcon(*m_sortFlag == 1 ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown).pixmap(16, 16));
    try {
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Label_Cognome_Click()
{
    if (!m_registry)
        return;
    try {
        m_model->refill([&](members::RegistryRows& out) { m_registry->rows(members::RegistryOrder::Cognome, out); });
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Text_Ricerca_KeyUp()
{
    if (!m_registry)
        return;
    try {
        const QString prefix = Text_Ricerca->text();
        m_model->refill([&](members::RegistryRows& out) { m_registry->search(prefix, out); });
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Text_DataNascita_LostFocus()
{
    if (!m_registry || Text_DataNascita->text().isEmpty())
        return;
    Text_DataNascita->setText(members::formatTypedDate(Text_DataNascita->text()));
    const auto born = members::typedDate(Text_DataNascita->text());
    if (!born) {
        Text_DataNascita->clear();
        MsgBox(members::kBadBirthDateMessage, MsgButtons::Ok, MsgIcon::Critical, kAttenzione);
        return;
    }
    try {
        // A person loaded for modifying is not a duplicate of their own row.
        const auto found = m_registry->duplicates(Text_Cognome->text(), Text_Nome->text(), *born, m_chosen);
        for (const qint64 key : found)
            warn(members::duplicateMessage(key));
        if (!found.empty())
            clearEntry(true);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::MSHFlexGrid1_Click(const QModelIndex& index)
{
    if (!m_registry || !index.isValid())
        return;
    try {
        const qint64 key = m_model->codNom(index.row());
        const auto p = m_registry->load(key);
        if (!p)
            return;
        showRecord(*p);
        m_chosen = key;
        Cmd_New->setEnabled(false);
        Cmd_Mod->setEnabled(true);
        Cmd_Canc->setEnabled(true);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Cmd_New_Click()
{
    if (!m_registry)
        return;
    members::PersonRecord p = record();
    try {
        const QString failed = m_registry->add(p);
        Text_CF->setText(p.CF);
        if (!failed.isEmpty()) {
            warn(failed);
            return;
        }
        clearEntry(false);
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Cmd_Mod_Click()
{
    if (!m_registry || !m_chosen)
        return;
    members::PersonRecord p = record();
    try {
        const QString failed = m_registry->modify(*m_chosen, p);
        Text_CF->setText(p.CF);
        Text_PostaElettronica->setText(p.PostaElettronica);
        if (!failed.isEmpty()) {
            warn(failed);
            return;
        }
        Cmd_Mod->setEnabled(false);
        RefreshGrid();
        MsgBox(members::kModifiedMessage, MsgButtons::Ok, MsgIcon::Information, QStringLiteral("INFORMAZIONI"));
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Cmd_Canc_Click()
{
    if (!m_registry || !m_chosen)
        return;
    const members::PersonRecord p = record();
    if (MsgBox(members::deleteQuestion(p), MsgButtons::YesNo, MsgIcon::Critical, kAttenzione) != MsgResult::Yes)
        return;
    try {
        switch (m_registry->remove(*m_chosen)) {
        case members::Anagrafica::Removal::RefusedMember:
            MsgBox(members::memberNotDeletedMessage(p), MsgButtons::Ok, MsgIcon::Information, QStringLiteral("AVVISO"));
            return;
        case members::Anagrafica::Removal::Deleted:
            clearEntry(false);
            break;
        case members::Anagrafica::Removal::Missing:
            break;
        }
        m_chosen.reset();
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::ComCLS_Click()
{
    clearEntry(false);
    Text_Num->clear();
    m_chosen.reset();
    Cmd_New->setEnabled(true);
    try {
        RefreshGrid();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormAnagrafica::Stamp_Anagrafica_Click() { StampaAnagrafica(m_conn.settings.logo_conn, m_heading); }

void FormAnagrafica::Cmd_Exit_Click() { close(); }

members::PersonRecord FormAnagrafica::record() const
{
    members::PersonRecord p;
    p.Num = Text_Num->text();
    p.DataIscrizione = Text_DataIscrizione->text();
    p.Titolo = Text_Titolo->text();
    p.Cognome = Text_Cognome->text();
    p.Nome = Text_Nome->text();
    p.LuogoNascita = Text_LuogoNascita->text();
    p.DataNascita = Text_DataNascita->text();
    p.Residente = Text_Residente->text();
    p.CAPresidente = Text_CAPresidente->text();
    p.IndirizzoResidente = Text_IndirizzoResidente->text();
    p.Numero = Text_Numero->text();
    p.Telefono = Text_Telefono->text();
    p.Cellulare = Text_Cellulare->text();
    p.PostaElettronica = Text_PostaElettronica->text();
    p.TipoSocio = Combo1->currentText();
    p.EnteAppartenenza = Combo2->currentText();
    p.CF = Text_CF->text();
    p.Annotazioni = Text_Annotazioni->text();
    p.Professione = Text_Professione->text();
    p.TitoloStudio = Text_TitoloStudio->text();
    p.OccupazioneAttuale = Text_OccupazioneAttuale->text();
    p.Nucleo = Combo3->currentText();
    p.AssensoTrattDatiPersonali = Check_AssensoTrattDatiPersonali->isChecked();
    p.AssensoFotoVideoWeb = Check_AssensoFotoVideoWeb->isChecked();
    p.AssensoMailList = CheckAssensoMailList->isChecked();
    return p;
}

void FormAnagrafica::showRecord(const members::PersonRecord& p)
{
    Text_Num->setText(p.Num);
    Text_DataIscrizione->setText(p.DataIscrizione);
    Text_Titolo->setText(p.Titolo);
    Text_Cognome->setText(p.Cognome);
    Text_Nome->setText(p.Nome);
    Text_LuogoNascita->setText(p.LuogoNascita);
    Text_DataNascita->setText(p.DataNascita);
    Text_Residente->setText(p.Residente);
    Text_CAPresidente->setText(p.CAPresidente);
    Text_IndirizzoResidente->setText(p.IndirizzoResidente);
    Text_Numero->setText(p.Numero);
    Text_Telefono->setText(p.Telefono);
    Text_Cellulare->setText(p.Cellulare);
    Text_PostaElettronica->setText(p.PostaElettronica);
    Combo1->setEditText(p.TipoSocio);
    Combo2->setEditText(p.EnteAppartenenza);
    Text_CF->setText(p.CF);
    Text_Annotazioni->setText(p.Annotazioni);
    Text_Professione->setText(p.Professione);
    Text_TitoloStudio->setText(p.TitoloStudio);
    Text_OccupazioneAttuale->setText(p.OccupazioneAttuale);
    Combo3->setEditText(p.Nucleo);
    Check_AssensoTrattDatiPersonali->setChecked(p.AssensoTrattDatiPersonali);
    Check_AssensoFotoVideoWeb->setChecked(p.AssensoFotoVideoWeb);
    CheckAssensoMailList->setChecked(p.AssensoMailList);
}

void FormAnagrafica::clearEntry(bool keepDataIscrizione)
{
    const QString registered = keepDataIscrizione ? Text_DataIscrizione->text() : fmt::date(today());
    showRecord(members::PersonRecord{});
    Text_Num->setText(QStringLiteral("0"));
    Text_DataIscrizione->setText(registered);
}

} // namespace vb

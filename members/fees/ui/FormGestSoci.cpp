#include "members/fees/ui/FormGestSoci.h"

#include "core/Clock.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "core/Parse.h"
#include "members/PersonRecord.h"
#include "ui/Controls.h"
#include "ui/GridHeadings.h"
#include "ui/PlaceholderText.h"
#include "ui/WindowHelpers.h"
#include "ui/WindowRegistry.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vb {
namespace {

const QString kNoPersonMessage = QStringLiteral("Nessun nominativo selezionato: scegliere prima il socio dall'elenco.");

// Grid columns: key, payment date, year, amount, note; widths in pixels (twips / 15).
constexpr int kColumnWidths[] = {60, 93, 53, 80, 347};

} // namespace

FormGestSoci::FormGestSoci(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Gestione Soci"));

    using ui::named;
    auto lineEdit = [this](const char* name, const QString& tip = QString()) { return ui::lineEdit(this, name, tip); };
    auto button = [this](const char* name, QStyle::StandardPixmap icon, const QString& tip, void (FormGestSoci::*handler)()) {
        return ui::pictureButton(this, name, icon, tip, handler);
    };

    Image1 = named(new QLabel(this), "Image1");
    Image1->setFixedSize(96, 72);
    Image1->setAlignment(Qt::AlignCenter);

    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->addItems(members::memberTypes());
    Combo1->setEditText(QStringLiteral("Seleziona il tipo di socio"));
    connect(Combo1, &QComboBox::activated, this, &FormGestSoci::Combo1_Click);

    Combo2 = named(new QComboBox(this), "Combo2");
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setMinimumWidth(320);
    Combo2->setEditText(QStringLiteral("Seleziona nominativo socio"));
    connect(Combo2, &QComboBox::activated, this, &FormGestSoci::Combo2_Click);
    ui::selectPlaceholderOnFocus(Combo1, {QStringLiteral("Seleziona il tipo di socio")});
    ui::selectPlaceholderOnFocus(Combo2, {QStringLiteral("Seleziona nominativo socio")});

    Text_VisNom = lineEdit("Text_VisNom");
    Text_VisNom->setReadOnly(true);
    Text_NumTes = lineEdit("Text_NumTes");
    Text_NumTes->setMaximumWidth(90);
    Text_Data = lineEdit("Text_Data", QStringLiteral("Data del versamento"));
    Text_Data->setMaximumWidth(110);
    Text_Anno = lineEdit("Text_Anno", QStringLiteral("Anno di versamento"));
    Text_Anno->setMaximumWidth(70);
    Text_Importo = lineEdit("Text_Importo", QStringLiteral("Importo versato"));
    Text_Importo->setMaximumWidth(110);
    Text_Importo->setAlignment(Qt::AlignRight);
    Text_Importo->installEventFilter(this);
    ui::selectPlaceholderOnFocus(Text_Importo, {QStringLiteral("0"), QStringLiteral("0,00")});
    Text_Note = lineEdit("Text_Note", QStringLiteral("Annotazioni sul versamento"));

    Frame1 = named(new QGroupBox(QStringLiteral("Seleziona il tipo di versamento: "), this), "Frame1");
    Option1 = named(new QRadioButton(QStringLiteral("Contanti"), Frame1), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("Bonifico bancario"), Frame1), "Option2");
    // Both are set back to unselected after each choice, so they do not exclude each other.
    Option1->setAutoExclusive(false);
    Option2->setAutoExclusive(false);
    connect(Option1, &QRadioButton::clicked, this, [this] { Option_Click(fees::PaymentKind::Contanti); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option_Click(fees::PaymentKind::Bonifico); });
    auto* frameLayout = new QHBoxLayout(Frame1);
    frameLayout->addWidget(Option1);
    frameLayout->addWidget(Option2);
    frameLayout->addStretch();
    Frame1->hide();

    Ord_to = named(new QLabel(QStringLiteral("Anno"), this), "Ord_to");
    Ord_to->setToolTip(QStringLiteral("Ordinamento Crescente/Decrescente"));
    Ord_to->setCursor(Qt::PointingHandCursor);
    Ord_to->setStyleSheet(QStringLiteral("color: #1a4f9c; text-decoration: underline;"));
    Ord_to->installEventFilter(this);

    MSFlexGrid3 = named(new QTableWidget(0, 5, this), "MSFlexGrid3");
    // The headings stand in the grid's own heading row, "Anno" (the order toggle) over the year.
    auto heading = [this](const QString& text) { return new QLabel(text, this); };
    ui::GridHeadings::install(MSFlexGrid3, {heading(QStringLiteral("Codice")), heading(QStringLiteral("Data")), Ord_to,
                                            heading(QStringLiteral("Importo")), heading(QStringLiteral("Note"))});
    MSFlexGrid3->verticalHeader()->hide();
    MSFlexGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < 5; ++c)
        MSFlexGrid3->setColumnWidth(c, kColumnWidths[c]);
    MSFlexGrid3->horizontalHeader()->setStretchLastSection(true);
    MSFlexGrid3->setMinimumHeight(180);
    connect(MSFlexGrid3, &QTableWidget::cellClicked, this, &FormGestSoci::MSFlexGrid3_Click);

    TextTotale = lineEdit("TextTotale", QStringLiteral("Totale versamenti"));
    TextTotale->setReadOnly(true);
    TextTotale->setAlignment(Qt::AlignRight);
    TextTotale->setMaximumWidth(140);

    Cmd_New = button("Cmd_New", QStyle::SP_DialogSaveButton, QStringLiteral("Aggiorna e salva"), &FormGestSoci::Cmd_New_Click);
    Cmd_Mod = button("Cmd_Mod", QStyle::SP_DialogApplyButton, QStringLiteral("Salva modifiche quota"),
                     &FormGestSoci::Cmd_Mod_Click);
    Cmd_Canc = button("Cmd_Canc", QStyle::SP_TrashIcon, QStringLiteral("Elimina quota"), &FormGestSoci::Cmd_Canc_Click);
    ComRefresh = button("ComRefresh", QStyle::SP_BrowserReload, QStringLiteral("Refresh"), &FormGestSoci::ComRefresh_Click);
    StampaSoci = button("StampaSoci", QStyle::SP_FileDialogDetailedView, QStringLiteral("Stampa versamenti (più opzioni..)"),
                        &FormGestSoci::StampaSoci_Click);
    Cmd_Exit = button("Cmd_Exit", QStyle::SP_DialogCloseButton, QStringLiteral("Exit"), &FormGestSoci::Cmd_Exit_Click);

    // Layout: logo and pickers, the fee boxes, the payment kind, the grid, the buttons.
    auto* top = new QGridLayout;
    top->addWidget(Image1, 0, 0, 3, 1);
    top->addWidget(new QLabel(QStringLiteral("Tipo di socio:"), this), 0, 1);
    top->addWidget(Combo1, 0, 2, 1, 3);
    top->addWidget(new QLabel(QStringLiteral("Seleziona Nominativo:"), this), 1, 1);
    top->addWidget(Combo2, 1, 2, 1, 3);
    top->addWidget(Text_VisNom, 2, 1, 1, 2);
    top->addWidget(new QLabel(QStringLiteral("Tess. n."), this), 2, 3, Qt::AlignRight);
    top->addWidget(Text_NumTes, 2, 4);
    top->setColumnStretch(2, 1);

    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(QStringLiteral("Data Versamento:"), this), 0, 0);
    boxes->addWidget(Text_Data, 0, 1);
    boxes->addWidget(new QLabel(QStringLiteral("Anno:"), this), 0, 2, Qt::AlignRight);
    boxes->addWidget(Text_Anno, 0, 3);
    boxes->addWidget(new QLabel(QStringLiteral("Importo:"), this), 0, 4, Qt::AlignRight);
    boxes->addWidget(Text_Importo, 0, 5);
    boxes->addWidget(new QLabel(QStringLiteral("Note/Causale:"), this), 1, 0);
    boxes->addWidget(Text_Note, 1, 1, 1, 5);
    boxes->setColumnStretch(6, 1);

    auto* totalRow = new QHBoxLayout;
    totalRow->addStretch();
    totalRow->addWidget(new QLabel(QStringLiteral("Totale:"), this));
    totalRow->addWidget(TextTotale);

    auto* buttons = new QHBoxLayout;
    for (auto* b : {Cmd_New, Cmd_Mod, Cmd_Canc, ComRefresh, StampaSoci})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(boxes);
    layout->addWidget(Frame1);
    layout->addWidget(MSFlexGrid3, 1);
    layout->addLayout(totalRow);
    layout->addLayout(buttons);

    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
    resize(720, 560);
}

FormGestSoci::~FormGestSoci() = default;

template <class F> bool FormGestSoci::withArchive(F work)
{
    return m_conn.db && runShowingErrors([&] { work(*m_conn.db); });
}

void FormGestSoci::Form_Load()
{
    Text_Data->setText(fmt::date(today()));
    Text_Anno->setText(QString::number(today().year()));
    Text_Importo->setText(QStringLiteral("0"));
    try {
        m_conn = OpenArchiveConnection();
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }
    withArchive([this](db::Database& db) {
        fillPersons(fees::persons(db), QStringLiteral("Seleziona nominativo socio"));
        Combo1->addItems(fees::storedTipoSocio(db));
        Combo1->setEditText(QStringLiteral("Seleziona il tipo di socio"));
    });
    try {
        loadLogo(Image1, m_conn.settings.logo_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormGestSoci::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

bool FormGestSoci::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Ord_to && event->type() == QEvent::MouseButtonRelease)
        Ord_to_Click();
    else if (watched == Text_Importo && event->type() == QEvent::FocusOut)
        Text_Importo_LostFocus();
    return Form::eventFilter(watched, event);
}

void FormGestSoci::fillPersons(const std::vector<fees::FeePerson>& persons, const QString& text)
{
    Combo2->clear();
    for (const auto& p : persons)
        Combo2->addItem(fees::NominativoRegNumItem(p), p.CodNom);
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(text);
}

void FormGestSoci::Combo1_Click(int index)
{
    const QString tipo = Combo1->itemText(index);
    Text_NumTes->setText(QStringLiteral("0"));
    MSFlexGrid3->setRowCount(0);
    Text_VisNom->clear();
    // The fees of the person shown before are no longer on screen: nothing may be saved to them.
    m_person.reset();
    m_editingId = 0;
    entryState();
    const auto code = fees::memberTypeCode(tipo);
    if (!withArchive([&](db::Database& db) { fillPersons(code ? fees::persons(db, code) : std::vector<fees::FeePerson>{}, QString()); }))
        fillPersons({}, QString());
    Text_Importo->setText(QStringLiteral("0"));
    Combo2->setStyleSheet(QStringLiteral("QComboBox { background-color: white; }"));
}

void FormGestSoci::Combo2_Click(int index)
{
    const qint64 codNom = Combo2->itemData(index).toLongLong();
    std::optional<fees::FeePerson> found;
    if (!withArchive([&](db::Database& db) { found = fees::person(db, codNom); }) || !found)
        return;
    m_person = found;
    m_editingId = 0;
    entryState();
    Text_VisNom->setText(m_person->Cognome.toUpper() + u' ' + m_person->Nome.toUpper());
    Text_NumTes->setText(fees::cardNumber(m_person->NumTessera));
    resetBoxes(QStringLiteral("Quota sociale"));
    RefreshGrid();
}

void FormGestSoci::RefreshGrid()
{
    TextTotale->setText(QStringLiteral("0"));
    MSFlexGrid3->clearContents();
    MSFlexGrid3->setRowCount(0);
    if (!m_person)
        return;
    std::vector<fees::FeeRow> rows;
    if (!withArchive([&](db::Database& db) { rows = fees::RegistroQuoteSoci(db).rows(m_person->CodNom, m_ascending.value_or(false)); }))
        return;
    MSFlexGrid3->setRowCount(int(rows.size()));
    Money total;
    for (int r = 0; r < int(rows.size()); ++r) {
        const auto& fee = rows[size_t(r)];
        const QString cells[] = {fmt::integer(fee.IDRegistro, QStringLiteral("00000")), fmt::date(fee.Indata), fee.Anno,
                                 fmt::money(fee.QuotaVers), fee.Note};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            MSFlexGrid3->setItem(r, c, item);
        }
        total += fee.QuotaVers;
    }
    TextTotale->setText(fmt::money(total, QStringLiteral("€ ##,##0.00")));
}

void FormGestSoci::Ord_to_Click()
{
    m_ascending = !m_ascending.value_or(false);
    RefreshGrid();
}

void FormGestSoci::MSFlexGrid3_Click()
{
    const int row = MSFlexGrid3->currentRow();
    if (row < 0 || !MSFlexGrid3->item(row, 0))
        return;
    const auto id = parse::integer(MSFlexGrid3->item(row, 0)->text());
    if (!id)
        return;
    std::optional<fees::FeeRow> fee;
    if (!withArchive([&](db::Database& db) { fee = fees::RegistroQuoteSoci(db).load(*id); }) || !fee)
        return;
    m_editingId = *id;
    Text_Anno->setEnabled(false);
    Text_Data->setText(fmt::date(fee->Indata));
    Text_Anno->setText(fee->Anno);
    Text_Importo->setText(fmt::money(fee->QuotaVers));
    Text_Note->setText(fee->Note);
    Cmd_Mod->setEnabled(true);
    Cmd_Canc->setEnabled(true);
    Cmd_New->setEnabled(false);
}

fees::FeeInput FormGestSoci::input() const
{
    return {Text_NumTes->text(), Text_Data->text(), Text_Anno->text(), Text_Importo->text(), Text_Note->text()};
}

void FormGestSoci::Cmd_New_Click()
{
    const auto amount = parse::amount(Text_Importo->text());
    if (amount && amount->isZero())
        return;
    if (!m_person) {
        warn(kNoPersonMessage);
        return;
    }
    fees::FeeEntry fee;
    if (const QString refusal = fees::readFeeInput(input(), fee); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    if (MsgBox(QStringLiteral("Confermi l'aggiornamento?\nPremi OK per confermare."), MsgButtons::OkCancel,
               MsgIcon::Information, QStringLiteral("ATTENZIONE"))
        != MsgResult::Ok)
        return;
    if (Text_Note->text().isEmpty())
        Text_Note->setText(QStringLiteral("NIL"));
    fee.Note = Text_Note->text();
    if (withArchive([&](db::Database& db) { fees::RegistroQuoteSoci(db).add(m_person->CodNom, fee); }))
        Frame1->show();
}

void FormGestSoci::Option_Click(fees::PaymentKind kind)
{
    Option1->setChecked(false);
    Option2->setChecked(false);
    m_book = fees::bookOf(kind);
    if (!m_person) {
        warn(kNoPersonMessage);
        return;
    }
    fees::FeeEntry fee;
    if (const QString refusal = fees::readFeeInput(input(), fee); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    const fees::QuotaPosting posting{kind,         fee.Indata,          fee.Anno, fee.QuotaVers, m_person->Cognome,
                                     m_person->Nome, Text_NumTes->text()};
    if (!withArchive([&](db::Database& db) { fees::PostQuotaToLibroCassa(db, posting); }))
        return;
    resetBoxes(QString());
    Text_Anno->setEnabled(true);
    RefreshGrid();
    Frame1->hide();
}

void FormGestSoci::Cmd_Mod_Click()
{
    if (!m_editingId)
        return;
    fees::FeeEntry fee;
    if (const QString refusal = fees::readFeeInput(input(), fee); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    bool stored = false;
    if (!withArchive([&](db::Database& db) { stored = fees::RegistroQuoteSoci(db).modify(m_editingId, fee); }))
        return;
    if (!stored)
        warn(QStringLiteral("La quota non è più presente in archivio: nessuna modifica effettuata."));
    resetBoxes(QString());
    entryState();
    RefreshGrid();
}

void FormGestSoci::Cmd_Canc_Click()
{
    if (!m_editingId)
        return;
    if (MsgBox(QStringLiteral("Sei sicuro di voler eliminare questa quota? "), MsgButtons::YesNo, MsgIcon::Critical,
               QStringLiteral("AVVISO"))
        != MsgResult::Yes)
        return;
    if (!withArchive([&](db::Database& db) { fees::RegistroQuoteSoci(db).remove(m_editingId); }))
        return;
    resetBoxes(QString());
    entryState();
    RefreshGrid();
}

void FormGestSoci::ComRefresh_Click()
{
    resetBoxes(QStringLiteral("Quota Sociale"));
    entryState();
}

void FormGestSoci::Text_Importo_LostFocus()
{
    Text_Importo->setText(fmt::text(Text_Importo->text(), QStringLiteral("##,##0.00")));
}

void FormGestSoci::StampaSoci_Click() { showWindow(QStringLiteral("FormOpzioniStampa")); }

void FormGestSoci::Cmd_Exit_Click() { close(); }

void FormGestSoci::entryState()
{
    m_editingId = 0;
    Text_Anno->setEnabled(true);
    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
    Cmd_New->setEnabled(true);
}

void FormGestSoci::resetBoxes(const QString& note)
{
    Text_Data->setText(fmt::date(today()));
    Text_Anno->setText(QString::number(today().year()));
    Text_Importo->setText(QStringLiteral("0"));
    Text_Note->setText(note);
}

} // namespace vb

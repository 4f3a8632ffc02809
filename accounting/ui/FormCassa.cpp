#include "accounting/ui/FormCassa.h"

#include "accounting/Codici.h"
#include "accounting/LibroCassa.h"
#include "accounting/RegistroCassaPrint.h"
#include "accounting/ui/CassaGridModel.h"
#include "core/Clock.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "reports/engine/ReportShow.h"
#include "ui/Controls.h"
#include "ui/GridHeadings.h"
#include "ui/PlaceholderText.h"

#include <QApplication>
#include <QHash>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace vb {
namespace {

using accounting::CassaGridModel;

const QString kAttenzione = QStringLiteral("ATTENZIONE");
const QString kYearMessage = QStringLiteral("L'anno deve essere un numero intero! ");
// The code-filter toggle's colours: dark blue while off, dark red while on.
const QString kFilterOff = QStringLiteral("color: #0000c0;");
const QString kFilterOn = QStringLiteral("color: #c00000;");

const QStringList& monthNames()
{
    static const QStringList names{
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),     QStringLiteral("Aprile"),
        QStringLiteral("Maggio"),  QStringLiteral("Giugno"),   QStringLiteral("Luglio"),    QStringLiteral("Agosto"),
        QStringLiteral("Settembre"), QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
    return names;
}

// Column widths of the grid, in twips as the layout was drawn (15 twips to a pixel).
constexpr int kColumnTwips[CassaGridModel::ColumnCount] = {1200, 400, 600, 1100, 1300, 600, 5800, 500};
constexpr int pixels(int twips) { return twips / 15; }

using ui::pictureButton;

using ui::lineEdit;

QComboBox* comboBox(QWidget* parent, const QString& name, const QString& tip, bool editable)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setToolTip(tip);
    c->setEditable(editable);
    if (editable)
        c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLineEdit* display(QWidget* parent, const QString& name, const QString& tip = QString())
{
    QLineEdit* e = lineEdit(parent, name, tip);
    e->setReadOnly(true);
    return e;
}

void refuse(const accounting::Refusal& r) { MsgBox(r.text, MsgButtons::Ok, r.icon, kAttenzione); }

// The hourglass while the register's table is refilled; the normal pointer on any exit.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (std::exchange(m_on, false))
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_on = true;
};

} // namespace

FormCassa::FormCassa(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Registro Cassa"));
    buildUi();
}

FormCassa::~FormCassa() = default;

void FormCassa::buildUi()
{
    Combo1 = comboBox(this, QStringLiteral("Combo1"), QStringLiteral("Seleziona una categoria"), false);
    TextTotale = display(this, QStringLiteral("TextTotale"));
    TextAnno = lineEdit(this, QStringLiteral("TextAnno"), QStringLiteral("Anno selezionato"));
    TextAnno->setMaximumWidth(70);
    SpinButton1 = new QWidget(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setToolTip(QStringLiteral("Incrementa/Decrementa anno"));
    SpinUp = new QToolButton(SpinButton1);
    SpinUp->setObjectName(QStringLiteral("SpinUp"));
    SpinUp->setArrowType(Qt::UpArrow);
    SpinDown = new QToolButton(SpinButton1);
    SpinDown->setObjectName(QStringLiteral("SpinDown"));
    SpinDown->setArrowType(Qt::DownArrow);
    // Like a spin box's arrows they take no focus: the year box steps with the Up and
    // Down keys instead.
    for (QToolButton* b : {SpinUp, SpinDown}) {
        b->setToolTip(SpinButton1->toolTip());
        b->setFixedSize(20, 12);
        b->setFocusPolicy(Qt::NoFocus);
    }
    TextAnno->installEventFilter(this);
    auto* spinLayout = new QVBoxLayout(SpinButton1);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    spinLayout->addWidget(SpinUp);
    spinLayout->addWidget(SpinDown);

    Combo4 = comboBox(this, QStringLiteral("Combo4"), QStringLiteral("Applica filtro del mese"), false);
    Combo4->addItem(QString());
    Combo4->addItems(monthNames());
    Combo4->setEnabled(false);

    Combo3 = comboBox(this, QStringLiteral("Combo3"), QStringLiteral("Seleziona E=entrata - U=uscita"), true);
    Combo3->addItems({accounting::kUscita, accounting::kEntrata});
    Combo3->setCurrentIndex(-1);
    Combo3->setMaximumWidth(60);
    Text_Combo3 = display(this, QStringLiteral("Text_Combo3"));
    Combo2 = comboBox(this, QStringLiteral("Combo2"), QStringLiteral("Inserisci codice"), true);
    Combo2->setMinimumWidth(180);
    Text_Descrizione = display(this, QStringLiteral("Text_Descrizione"), QStringLiteral("Descrizione codice"));
    TextDataEntrata = lineEdit(this, QStringLiteral("TextDataEntrata"), QStringLiteral("Data registrazione"));
    TextImporto = lineEdit(this, QStringLiteral("TextImporto"));
    TextImporto->setAlignment(Qt::AlignRight);
    TextImporto->installEventFilter(this);
    ui::selectPlaceholderOnFocus(TextImporto, {QStringLiteral("0"), QStringLiteral("0,00")});
    TextNote = lineEdit(this, QStringLiteral("TextNote"), QStringLiteral("Descrizione"));

    auto* selection = new QHBoxLayout;
    selection->addWidget(new QLabel(QStringLiteral("Categoria:"), this));
    selection->addWidget(Combo1, 2);
    selection->addWidget(TextTotale, 1);
    selection->addSpacing(12);
    selection->addWidget(new QLabel(QStringLiteral("ANNO:"), this));
    selection->addWidget(TextAnno);
    selection->addWidget(SpinButton1);
    selection->addSpacing(12);
    selection->addWidget(new QLabel(QStringLiteral("Mese:"), this));
    selection->addWidget(Combo4, 1);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("Data:"), this), 0, 0);
    fields->addWidget(TextDataEntrata, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Entrate/Uscite: "), this), 0, 2);
    auto* kind = new QHBoxLayout;
    kind->addWidget(Combo3);
    kind->addWidget(Text_Combo3);
    fields->addLayout(kind, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("Codice: "), this), 1, 0);
    fields->addWidget(Combo2, 1, 1);
    fields->addWidget(Text_Descrizione, 1, 2, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Importo:"), this), 2, 0);
    fields->addWidget(TextImporto, 2, 1);
    fields->addWidget(new QLabel(QStringLiteral("Descrizione:"), this), 2, 2);
    fields->addWidget(TextNote, 2, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 2);

    Cmd_New = pictureButton(this, QStringLiteral("Cmd_New"), QStyle::SP_FileDialogNewFolder, QStringLiteral("Aggiungi"));
    Cmd_Mod = pictureButton(this, QStringLiteral("Cmd_Mod"), QStyle::SP_DialogSaveButton, QStringLiteral("Modifica"));
    Cmd_Canc = pictureButton(this, QStringLiteral("Cmd_Canc"), QStyle::SP_TrashIcon, QStringLiteral("Elimina valore"));
    Com_CLS = pictureButton(this, QStringLiteral("Com_CLS"), QStyle::SP_BrowserReload,
                            QStringLiteral("Refresh e riordina elenco"));
    StampaRegistro = pictureButton(this, QStringLiteral("StampaRegistro"), QStyle::SP_FileDialogDetailedView,
                                   QStringLiteral("Stampa libro cassa"));
    Cmd_Exit = pictureButton(this, QStringLiteral("Cmd_Exit"), QStyle::SP_DialogCloseButton, QStringLiteral("Exit"));
    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Cmd_New, Cmd_Mod, Cmd_Canc, Com_CLS, StampaRegistro})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    Label_Data = new QLabel(QStringLiteral("Data.."), this);
    Label_Data->setObjectName(QStringLiteral("Label_Data"));
    Label_Data->setToolTip(QStringLiteral("Ordinamento Crescente/Decrescente"));
    LabelCod = new QLabel(QStringLiteral("Cod."), this);
    LabelCod->setObjectName(QStringLiteral("LabelCod"));
    LabelCod->setToolTip(QStringLiteral("Filtro codice"));
    LabelCod->setStyleSheet(kFilterOff);
    for (QLabel* l : {Label_Data, LabelCod}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    const QList<QWidget*> heads{Label_Data,
                                new QLabel(QStringLiteral("Tipo"), this),
                                LabelCod,
                                new QLabel(QStringLiteral("Importo"), this),
                                new QLabel(QStringLiteral("Saldo"), this),
                                new QLabel(QStringLiteral("Ric.n."), this),
                                new QLabel(QStringLiteral("Descrizione"), this),
                                new QLabel(QStringLiteral("ID"), this)};

    m_model = new CassaGridModel(this);
    MSHFlexGrid1 = new QTableView(this);
    MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid1->setModel(m_model);
    ui::GridHeadings::install(MSHFlexGrid1, heads);
    MSHFlexGrid1->verticalHeader()->hide();
    MSHFlexGrid1->verticalHeader()->setDefaultSectionSize(20);
    MSHFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSHFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGrid1->setWordWrap(false);
    for (int c = 0; c < CassaGridModel::ColumnCount; ++c)
        MSHFlexGrid1->setColumnWidth(c, pixels(kColumnTwips[c]));
    MSHFlexGrid1->setMinimumHeight(260);

    Label13 = new QLabel(this);
    Label13->setObjectName(QStringLiteral("Label13"));
    Label13->setStyleSheet(QStringLiteral("color: #c00000;"));
    TextTotaleEntrate = display(this, QStringLiteral("TextTotaleEntrate"));
    TextTotaleUscite = display(this, QStringLiteral("TextTotaleUscite"));
    TextTotaleDifferenza = display(this, QStringLiteral("TextTotaleDifferenza"));
    for (QLineEdit* e : {TextTotaleEntrate, TextTotaleUscite, TextTotaleDifferenza})
        e->setAlignment(Qt::AlignRight);
    auto* totals = new QHBoxLayout;
    totals->addWidget(Label13, 2);
    totals->addWidget(new QLabel(QStringLiteral("Totale Entrate:"), this));
    totals->addWidget(TextTotaleEntrate, 1);
    totals->addWidget(new QLabel(QStringLiteral("Totale Uscite:"), this));
    totals->addWidget(TextTotaleUscite, 1);
    totals->addWidget(new QLabel(QStringLiteral("Differenza:"), this));
    totals->addWidget(TextTotaleDifferenza, 1);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selection);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(MSHFlexGrid1, 1);
    layout->addLayout(totals);
    layout->addWidget(ProgressBar1);
    resize(820, 600);

    connect(Combo1, &QComboBox::activated, this, &FormCassa::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &FormCassa::Combo2_Click);
    connect(Combo3, &QComboBox::activated, this, &FormCassa::Combo3_Click);
    connect(Combo3->lineEdit(), &QLineEdit::textEdited, this, &FormCassa::Combo3_Click);
    connect(Combo4, &QComboBox::activated, this, &FormCassa::Combo4_Click);
    connect(SpinUp, &QToolButton::clicked, this, &FormCassa::SpinButton1_SpinUp);
    connect(SpinDown, &QToolButton::clicked, this, &FormCassa::SpinButton1_SpinDown);
    connect(TextAnno, &QLineEdit::editingFinished, this, &FormCassa::TextAnno_Validate);
    connect(MSHFlexGrid1, &QTableView::clicked, this, &FormCassa::MSHFlexGrid1_Click);
    connect(Cmd_New, &QPushButton::clicked, this, &FormCassa::Cmd_New_Click);
    connect(Cmd_Mod, &QPushButton::clicked, this, &FormCassa::Cmd_Mod_Click);
    connect(Cmd_Canc, &QPushButton::clicked, this, &FormCassa::Cmd_Canc_Click);
    connect(Com_CLS, &QPushButton::clicked, this, &FormCassa::Com_CLS_Click);
    connect(StampaRegistro, &QPushButton::clicked, this, &FormCassa::StampaRegistro_Click);
    connect(Cmd_Exit, &QPushButton::clicked, this, &FormCassa::Cmd_Exit_Click);
}

bool FormCassa::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label_Data)
            Label_Data_Click();
        else if (watched == LabelCod)
            LabelCod_Click();
    } else if (event->type() == QEvent::FocusOut && watched == TextImporto) {
        TextImporto_LostFocus();
    } else if (event->type() == QEvent::KeyPress && watched == TextAnno) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            SpinButton1_SpinUp();
            return true;
        }
        if (key == Qt::Key_Down) {
            SpinButton1_SpinDown();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void FormCassa::Form_Load()
{
    TextAnno->setText(QString::number(today().year()));
    TextDataEntrata->setText(fmt::date(today()));
    TextImporto->setText(QStringLiteral("0"));
    m_sort = 0;
    ProgressBar1->setVisible(false);
    try {
        m_conn = OpenArchiveConnection();
        FillTestataCassa();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormCassa::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

void FormCassa::FillTestataCassa()
{
    Combo1->clear();
    for (const accounting::Book& b : accounting::LibroCassa(*m_conn.db).books())
        Combo1->addItem(b.name);
    Combo1->setCurrentIndex(-1);
}

void FormCassa::Combo1_Click()
{
    if (!m_conn.db)
        return;
    try {
        const std::optional<accounting::Book> book = accounting::LibroCassa(*m_conn.db).bookNamed(Combo1->currentText());
        if (!book)
            return;
        m_book = book->code;
        TextTotale->setText(fmt::money(book->saldoAnno));
        RefreshGrid();
        Combo4->setEnabled(true);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCassa::Combo3_Click()
{
    static const QHash<QString, QString> names{{QStringLiteral("E"), QStringLiteral("Entrate")},
                                               {QStringLiteral("U"), QStringLiteral("Uscite")},
                                               {QStringLiteral("D"), QStringLiteral("Debito")},
                                               {QStringLiteral("G"), QStringLiteral("Giroconto")}};
    Text_Combo3->setText(names.value(Combo3->currentText()));
    Text_Descrizione->clear();
    FillCodici();
}

void FormCassa::FillCodici()
{
    const QString tipo = Combo3->currentText();
    const int kind = tipo == accounting::kEntrata ? 1 : tipo == accounting::kUscita ? 2 : 0;
    Combo2->clear();
    if (!m_conn.db)
        return;
    try {
        for (const accounting::Codice& c : accounting::Codici(*m_conn.db).ofKind(kind))
            Combo2->addItem(accounting::codeItem(c));
        Combo2->setCurrentIndex(-1);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCassa::Combo2_Click()
{
    if (!m_conn.db)
        return;
    try {
        Text_Descrizione->setText(accounting::Codici(*m_conn.db).descrizione(Combo2->currentText().left(3)));
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCassa::Combo4_Click()
{
    codeFilterOff();
    if (!m_book)
        return;
    RefreshGrid();
    const QString month = Combo4->currentText();
    Label13->setText(month.isEmpty() ? QString() : QStringLiteral("Filtro mese attivato: ") + month);
}

void FormCassa::SpinButton1_SpinUp()
{
    const std::optional<int> year = accounting::yearOf(TextAnno->text());
    if (!year) {
        warn(kYearMessage);
        return;
    }
    TextAnno->setText(QString::number(*year + 1));
    RefreshGrid();
}

void FormCassa::SpinButton1_SpinDown()
{
    const std::optional<int> year = accounting::yearOf(TextAnno->text());
    if (!year || *year <= 1) {
        warn(kYearMessage);
        return;
    }
    TextAnno->setText(QString::number(*year - 1));
    RefreshGrid();
}

void FormCassa::TextAnno_Validate()
{
    if (!TextAnno->isModified())
        return;
    TextAnno->setModified(false);
    TextDataEntrata->setText(fmt::date(today()));
    Combo3->setCurrentIndex(-1);
    Combo3->setEditText(QString());
    TextImporto->setText(QStringLiteral("0"));
    TextNote->clear();
    RefreshGrid();
}

void FormCassa::TextImporto_LostFocus() { TextImporto->setText(fmt::text(TextImporto->text(), QStringLiteral("##,##0.00"))); }

void FormCassa::Label_Data_Click()
{
    codeFilterOff();
    Label13->clear();
    m_sort = m_sort == 0 ? 1 : 0;
    RefreshGrid();
}

void FormCassa::LabelCod_Click()
{
    if (!Combo4->currentText().isEmpty() || !m_book || Combo2->currentText().isEmpty())
        return;
    ++m_codeFilterCount;
    if (m_codeFilterCount == 1) {
        m_codeFilter = Combo2->currentText().left(3);
        LabelCod->setStyleSheet(kFilterOn);
        Label13->setText(QStringLiteral("Filtro codice ") + Combo2->currentText() + QStringLiteral(" attivato"));
    } else {
        m_codeFilter.clear();
        LabelCod->setStyleSheet(kFilterOff);
        Label13->clear();
    }
    if (m_codeFilterCount > 1)
        m_codeFilterCount = 0;
    RefreshGrid();
}

void FormCassa::codeFilterOff()
{
    m_codeFilterCount = 0;
    m_codeFilter.clear();
    LabelCod->setStyleSheet(kFilterOff);
}

void FormCassa::RefreshGrid()
{
    if (!m_book || !m_conn.db)
        return;
    m_model->clear();
    const std::optional<int> year = accounting::yearOf(TextAnno->text());
    if (!year) {
        TextTotaleEntrate->clear();
        TextTotaleUscite->clear();
        TextTotaleDifferenza->clear();
        warn(kYearMessage);
        return;
    }
    try {
        accounting::GridQuery query;
        query.book = *m_book;
        query.anno = *year;
        query.month = std::max(0, Combo4->currentIndex());
        query.codice = m_codeFilter;
        query.descending = m_sort == 1;
        accounting::GridRows rows = accounting::LibroCassa(*m_conn.db).rows(query);
        m_model->setRows(std::move(rows.rows));
        TextTotaleEntrate->setText(fmt::money(rows.entrate, QStringLiteral("€ ##,##0.00")));
        TextTotaleUscite->setText(fmt::money(rows.uscite, QStringLiteral("€ ##,##0.00")));
        TextTotaleDifferenza->setText(accounting::gridDifference(rows.entrate, rows.uscite));
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCassa::RecomputeSaldo()
{
    const std::optional<int> year = accounting::yearOf(TextAnno->text());
    if (!m_book || !year || !m_conn.db)
        return;
    accounting::LibroCassa(*m_conn.db).RecomputeSaldo(*m_book, *year);
}

void FormCassa::MSHFlexGrid1_Click()
{
    const QModelIndex current = MSHFlexGrid1->currentIndex();
    if (!current.isValid() || !m_conn.db)
        return;
    const qint64 key = m_model->row(current.row()).id;
    Text_Descrizione->clear();
    try {
        auto q = m_conn.db->query(QStringLiteral("SELECT Tipo, Data, Importo, Descrizione, CodiceCategoria FROM LibroCassa"
                                                 " WHERE ID_LibroCassa = ?"),
                                  {key});
        if (!q.next())
            return;
        Combo3->setEditText(q.text(0));
        const QDate data = q.date(1);
        TextDataEntrata->setText(data.isValid() ? fmt::date(data) : q.text(1));
        TextImporto->setText(fmt::money(q.money(2)));
        TextNote->setText(q.text(3));
        const QString codice = q.text(4);
        FillCodici();
        Combo2->setEditText(codice + QStringLiteral(" - ") + accounting::Codici(*m_conn.db).descrizione(codice));
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }
    Text_Combo3->clear();
    m_loadedKey = key;
    editMode(true);
}

void FormCassa::editMode(bool editing)
{
    Cmd_Mod->setEnabled(editing);
    Cmd_Canc->setEnabled(editing);
    Cmd_New->setEnabled(!editing);
    if (!editing)
        m_loadedKey.reset();
}

accounting::CashEntry FormCassa::entry() const
{
    accounting::CashEntry e;
    e.DataEntrata = TextDataEntrata->text();
    if (!Combo1->currentText().isEmpty())
        e.book = m_book;
    e.Codice = Combo2->currentText();
    e.Tipo = Combo3->currentText();
    e.Importo = TextImporto->text();
    e.Anno = TextAnno->text();
    e.Note = TextNote->text();
    return e;
}

void FormCassa::Cmd_New_Click()
{
    const auto checked = accounting::checkEntry(accounting::Check::Add, entry());
    if (const auto* refusal = std::get_if<accounting::Refusal>(&checked)) {
        refuse(*refusal);
        return;
    }
    const accounting::CashRow& row = std::get<accounting::CashRow>(checked);
    TextNote->setText(row.descrizione);
    try {
        // A closed year takes no row, silently; the window resets as after an add.
        accounting::LibroCassa(*m_conn.db).add(row);
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }
    Combo3->setCurrentIndex(-1);
    Combo3->setEditText(QString());
    TextNote->clear();
    Text_Combo3->clear();
    TextImporto->setText(QStringLiteral("0"));
    codeFilterOff();
    Label13->clear();
    RefreshGrid();
}

void FormCassa::Cmd_Mod_Click()
{
    if (!m_loadedKey)
        return;
    const auto checked = accounting::checkEntry(accounting::Check::Modify, entry());
    if (const auto* refusal = std::get_if<accounting::Refusal>(&checked)) {
        refuse(*refusal);
        return;
    }
    const accounting::CashRow& row = std::get<accounting::CashRow>(checked);
    TextNote->setText(row.descrizione);
    try {
        // The rule recomputes the balances of the row's book and year (and of the book it left).
        accounting::LibroCassa(*m_conn.db).modify(*m_loadedKey, row);
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }
    TextImporto->setText(QStringLiteral("0"));
    TextNote->clear();
    editMode(false);
    codeFilterOff();
    Label13->clear();
    Combo2->setEditText(QString());
    RefreshGrid();
}

void FormCassa::Cmd_Canc_Click()
{
    const MsgResult answer = MsgBox(QStringLiteral("Sei sicuro di voler eliminare questa voce? "), MsgButtons::YesNo,
                                    MsgIcon::Critical, QStringLiteral("AVVISO"));
    if (answer == MsgResult::Yes && m_loadedKey) {
        codeFilterOff();
        Label13->clear();
        try {
            // The rule recomputes the balances of the row's book and year.
            accounting::LibroCassa(*m_conn.db).remove(*m_loadedKey);
        } catch (const Error& e) {
            showErrorDescription(e.description());
        }
        TextDataEntrata->setText(fmt::date(today()));
        Combo3->setCurrentIndex(-1);
        Combo3->setEditText(QString());
        Text_Combo3->clear();
        TextNote->clear();
        TextImporto->setText(QStringLiteral("0"));
        RefreshGrid();
    }
    editMode(false);
}

void FormCassa::Com_CLS_Click()
{
    editMode(false);
    TextDataEntrata->setText(fmt::date(today()));
    TextImporto->setText(QStringLiteral("0"));
    TextNote->clear();
    Text_Combo3->clear();
    Combo3->setCurrentIndex(-1);
    Combo3->setEditText(QString());
    Combo2->setEditText(QString());
    Text_Descrizione->clear();
    codeFilterOff();
    Label13->clear();
    try {
        RecomputeSaldo();
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
    RefreshGrid();
}

void FormCassa::StampaRegistro_Click()
{
    const std::optional<int> year = accounting::yearOf(TextAnno->text());
    if (!year) {
        warn(kYearMessage);
        return;
    }
    if (!m_conn.db)
        return;
    try {
        WaitCursor wait;
        const accounting::RegisterTotals totals = accounting::FillStampaLibroCassa(*m_conn.db, *year);
        const QString heading = LoadIntestazione(*m_conn.db);
        wait.restore();

        reports::ShowOptions options;
        options.logoPath = m_conn.settings.logo_conn;
        options.headingLabel = QStringLiteral("Label_Intest");
        options.heading = heading;
        options.labels.insert(QStringLiteral("LabelAnno"), TextAnno->text());
        options.labels.insert(QStringLiteral("LabelDifferenza"), totals.differenza);
        reports::showReport(QStringLiteral("RegistroCassa"), options);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

void FormCassa::Cmd_Exit_Click() { close(); }

} // namespace vb

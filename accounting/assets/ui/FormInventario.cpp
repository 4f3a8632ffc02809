#include "accounting/assets/ui/FormInventario.h"

#include "core/Clock.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "core/Parse.h"
#include "reports/engine/ReportShow.h"
#include "ui/Controls.h"
#include "ui/GridHeadings.h"
#include "ui/PlaceholderText.h"
#include "ui/WindowHelpers.h"

#include <QComboBox>
#include <QFocusEvent>
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

const QString kTitle = QStringLiteral("ATTENZIONE");
const QString kAmount = QStringLiteral("##,##0.00");
const QString kTotal = QStringLiteral("€ ##,##0.00");

// Grid columns: number, date, description, price, current value, location, notes; widths
// in pixels (twips / 15), widened where a date or an amount needs it.
constexpr int kColumns = 7;
constexpr int kColumnWidths[kColumns] = {47, 80, 253, 85, 85, 133, 153};

} // namespace

FormInventario::FormInventario(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Inventario"));

    using ui::named;
    auto lineEdit = [this](const char* name, const QString& tip = QString()) { return ui::lineEdit(this, name, tip); };
    auto button = [this](const char* name, QStyle::StandardPixmap icon, const QString& tip, void (FormInventario::*handler)()) {
        return ui::pictureButton(this, name, icon, tip, handler);
    };
    auto label = [this](const QString& text) { return new QLabel(text, this); };

    Image1 = named(new QLabel(this), "Image1");
    Image1->setFixedSize(96, 72);
    Image1->setAlignment(Qt::AlignCenter);

    TextDataAcquisto = lineEdit("TextDataAcquisto");
    TextDataAcquisto->setMaximumWidth(100);
    TextDataAcquisto->installEventFilter(this);
    TextANNO = lineEdit("TextANNO");
    TextANNO->setMaximumWidth(60);
    TextNumInventario = lineEdit("TextNumInventario");
    TextNumInventario->setReadOnly(true);
    TextNumInventario->setMaximumWidth(60);
    TextDescrizione = lineEdit("TextDescrizione");
    TextImporto = lineEdit("TextImporto");
    TextImporto->setAlignment(Qt::AlignRight);
    TextImporto->setMaximumWidth(110);
    TextImporto->installEventFilter(this);
    ui::selectPlaceholderOnFocus(TextImporto, {QStringLiteral("0"), QStringLiteral("0,00")});
    TextSvalutazione = lineEdit("TextSvalutazione");
    TextSvalutazione->setReadOnly(true);
    TextSvalutazione->setAlignment(Qt::AlignRight);
    TextSvalutazione->setMaximumWidth(110);
    TextUbicazione = lineEdit("TextUbicazione");
    TextFornitore = lineEdit("TextFornitore");
    TextAnnotazione = lineEdit("TextAnnotazione");
    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->addItems({QStringLiteral("Fattura"), QStringLiteral("Scontrino"), QStringLiteral("Regalia"), QStringLiteral("Usato")});
    Combo1->setToolTip(QStringLiteral("Fattura o scontrino"));
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QString());
    TextNumFatScontrino = lineEdit("TextNumFatScontrino", QStringLiteral("Numero fattura/scontrino"));
    TextNumFatScontrino->setMaximumWidth(90);
    TextDataFatScontrino = lineEdit("TextDataFatScontrino", QStringLiteral("Data fattura scontrino"));
    TextDataFatScontrino->setMaximumWidth(100);

    MSHFlexGrid1 = named(new QTableWidget(0, kColumns, this), "MSHFlexGrid1");
    // Column headings in the grid's own heading row, each over its column.
    QList<QWidget*> headings;
    for (const QString& text : {QStringLiteral("Inv.n."), QStringLiteral("Data"), QStringLiteral("Descrizione"),
                                QStringLiteral("Prezzo"), QStringLiteral("Nuovo Valore"), QStringLiteral("Ubicazione"),
                                QStringLiteral("Annotazioni")})
        headings.append(label(text));
    ui::GridHeadings::install(MSHFlexGrid1, headings);
    MSHFlexGrid1->verticalHeader()->hide();
    MSHFlexGrid1->verticalHeader()->setDefaultSectionSize(22);
    MSHFlexGrid1->setWordWrap(false);
    MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSHFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSHFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int c = 0; c < kColumns; ++c)
        MSHFlexGrid1->setColumnWidth(c, kColumnWidths[c]);
    MSHFlexGrid1->horizontalHeader()->setStretchLastSection(true);
    MSHFlexGrid1->setMinimumHeight(200);
    connect(MSHFlexGrid1, &QTableWidget::cellClicked, this, &FormInventario::MSHFlexGrid1_Click);

    Text_TotalePrezzo = lineEdit("Text_TotalePrezzo");
    Text_TotaleNuovoValore = lineEdit("Text_TotaleNuovoValore");
    for (auto* total : {Text_TotalePrezzo, Text_TotaleNuovoValore}) {
        total->setReadOnly(true);
        total->setAlignment(Qt::AlignRight);
        total->setMaximumWidth(130);
    }

    Cmd_New = button("Cmd_New", QStyle::SP_DialogSaveButton, QStringLiteral("Aggiorna e aggiunge il bene"),
                     &FormInventario::Cmd_New_Click);
    Cmd_Mod = button("Cmd_Mod", QStyle::SP_DialogApplyButton, QStringLiteral("Modifica e salva"), &FormInventario::Cmd_Mod_Click);
    Cmd_Canc = button("Cmd_Canc", QStyle::SP_TrashIcon, QStringLiteral("Cancella record"), &FormInventario::Cmd_Canc_Click);
    ComCLS = button("ComCLS", QStyle::SP_BrowserReload, QStringLiteral("Refresh"), &FormInventario::ComCLS_Click);
    Cmd_Ricalcola = button("Cmd_Ricalcola", QStyle::SP_ArrowDown, QStringLiteral("Ricalcola valori beni"),
                           &FormInventario::Cmd_Ricalcola_Click);
    Stampa = button("Stampa", QStyle::SP_FileDialogDetailedView, QStringLiteral("Stampa"), &FormInventario::Stampa_Click);
    Cmd_Exit = button("Cmd_Exit", QStyle::SP_DialogCloseButton, QStringLiteral("Exit"), &FormInventario::Cmd_Exit_Click);

    // Layout: logo and the item's boxes, the document, the grid with its headings and totals, the buttons.
    auto* boxes = new QGridLayout;
    boxes->addWidget(Image1, 0, 0, 3, 1);
    boxes->addWidget(label(QStringLiteral("Data acquisto:")), 0, 1);
    boxes->addWidget(TextDataAcquisto, 0, 2);
    boxes->addWidget(label(QStringLiteral("ANNO:")), 0, 3, Qt::AlignRight);
    boxes->addWidget(TextANNO, 0, 4);
    boxes->addWidget(label(QStringLiteral("Inventario Num.")), 0, 5, Qt::AlignRight);
    boxes->addWidget(TextNumInventario, 0, 6);
    boxes->addWidget(label(QStringLiteral("Descrizione:")), 1, 1);
    boxes->addWidget(TextDescrizione, 1, 2, 1, 5);
    boxes->addWidget(label(QStringLiteral("Prezzo:")), 2, 1);
    boxes->addWidget(TextImporto, 2, 2);
    boxes->addWidget(label(QStringLiteral("(*) Deprezzamento (-30% all'anno):")), 2, 3, 1, 3, Qt::AlignRight);
    boxes->addWidget(TextSvalutazione, 2, 6);
    boxes->addWidget(label(QStringLiteral("Ubicazione:")), 3, 1);
    boxes->addWidget(TextUbicazione, 3, 2, 1, 5);
    boxes->addWidget(label(QStringLiteral("Fornitore:")), 4, 1);
    boxes->addWidget(TextFornitore, 4, 2, 1, 5);
    boxes->addWidget(label(QStringLiteral("Annotazioni:")), 5, 1);
    boxes->addWidget(TextAnnotazione, 5, 2, 1, 5);
    boxes->setColumnStretch(2, 1);

    auto* document = new QHBoxLayout;
    document->addWidget(label(QStringLiteral("Fattura/scontrino:")));
    document->addWidget(Combo1);
    document->addSpacing(12);
    document->addWidget(label(QStringLiteral("Num.:")));
    document->addWidget(TextNumFatScontrino);
    document->addSpacing(12);
    document->addWidget(label(QStringLiteral("Data:")));
    document->addWidget(TextDataFatScontrino);
    document->addStretch();

    auto* totals = new QHBoxLayout;
    totals->addWidget(label(QStringLiteral("(*) Il calcolo effettuato su base annua è solo a carattere puramente indicativo.")));
    totals->addStretch();
    totals->addWidget(label(QStringLiteral("Totali:")));
    totals->addWidget(Text_TotalePrezzo);
    totals->addWidget(Text_TotaleNuovoValore);

    auto* buttons = new QHBoxLayout;
    for (auto* b : {Cmd_New, Cmd_Mod, Cmd_Canc, ComCLS, Cmd_Ricalcola, Stampa})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(document);
    layout->addWidget(MSHFlexGrid1, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);

    TextNumInventario->setText(QStringLiteral("0"));
    TextImporto->setText(QStringLiteral("0"));
    TextSvalutazione->setText(QStringLiteral("0"));
    entryState();
    resize(900, 640);
}

FormInventario::~FormInventario() = default;

template <class F> bool FormInventario::withArchive(F work)
{
    return m_conn.db && runShowingErrors([&] { work(*m_conn.db); });
}

void FormInventario::Form_Load()
{
    TextDataAcquisto->setText(fmt::date(today()));
    try {
        m_conn = OpenArchiveConnection();
        loadLogo(Image1, m_conn.settings.logo_conn);
    } catch (const Error& e) {
        showErrorDescription(e.description());
        if (!m_conn.db)
            return;
    }
    RecomputeSvalutazione();
    RefreshGrid();
}

bool FormInventario::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

bool FormInventario::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        // Leaving the window (another window, a menu) is not leaving the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == TextDataAcquisto)
                TextDataAcquisto_LostFocus();
            else if (watched == TextImporto)
                TextImporto_LostFocus();
        }
    }
    return Form::eventFilter(watched, event);
}

void FormInventario::RecomputeSvalutazione()
{
    withArchive([](db::Database& db) { assets::RecomputeSvalutazione(db, today().year()); });
}

void FormInventario::RefreshGrid()
{
    MSHFlexGrid1->clearContents();
    MSHFlexGrid1->setRowCount(0);
    std::vector<assets::InventoryItem> rows;
    withArchive([&](db::Database& db) { rows = assets::RegistroInventario(db).rows(); });
    MSHFlexGrid1->setRowCount(int(rows.size()));
    Money prices;
    Money values;
    for (int r = 0; r < int(rows.size()); ++r) {
        const auto& item = rows[size_t(r)];
        const QString cells[kColumns] = {fmt::integer(item.NumInv, QStringLiteral("000")), fmt::date(item.Data),
                                         item.Descrizione, fmt::money(item.Valore, kAmount),
                                         fmt::money(item.Svalutazione, kAmount), item.Ubicazione, item.Annotazioni};
        for (int c = 0; c < kColumns; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (c == 3 || c == 4)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            MSHFlexGrid1->setItem(r, c, cell);
        }
        prices += item.Valore;
        values += item.Svalutazione;
    }
    Text_TotalePrezzo->setText(fmt::money(prices, kTotal));
    Text_TotaleNuovoValore->setText(fmt::money(values, kTotal));
}

void FormInventario::MSHFlexGrid1_Click()
{
    const int row = MSHFlexGrid1->currentRow();
    if (row < 0 || !MSHFlexGrid1->item(row, 0))
        return;
    const auto key = parse::integer(MSHFlexGrid1->item(row, 0)->text());
    if (!key)
        return;
    std::optional<assets::InventoryItem> item;
    if (!withArchive([&](db::Database& db) { item = assets::RegistroInventario(db).load(*key); }) || !item)
        return;
    m_editingId = item->NumInv;
    TextDataAcquisto->setText(fmt::date(item->Data));
    TextNumInventario->setText(fmt::integer(item->NumInv, QStringLiteral("000")));
    TextANNO->setText(QString::number(item->Anno));
    TextDescrizione->setText(item->Descrizione);
    TextImporto->setText(fmt::money(item->Valore, kAmount));
    TextSvalutazione->setText(fmt::money(item->Svalutazione, kAmount));
    TextUbicazione->setText(item->Ubicazione);
    TextFornitore->setText(item->Fornitore);
    Combo1->setEditText(item->FattScontr);
    TextNumFatScontrino->setText(item->NumFatScontr);
    TextDataFatScontrino->setText(fmt::date(item->DataFatScontr));
    TextAnnotazione->setText(item->Annotazioni);
    Cmd_Mod->setEnabled(true);
    Cmd_Canc->setEnabled(true);
    Cmd_New->setEnabled(false);
}

assets::InventoryInput FormInventario::input() const
{
    return {TextDataAcquisto->text(), TextANNO->text(),       TextDescrizione->text(), TextImporto->text(),
            TextUbicazione->text(),   TextFornitore->text(),  Combo1->currentText(),  TextNumFatScontrino->text(),
            TextDataFatScontrino->text(), TextAnnotazione->text()};
}

void FormInventario::refuse(const assets::Check& check)
{
    warn(check.message());
    switch (check.refusal) {
    case assets::Refusal::PurchaseDate: TextDataAcquisto->setFocus(); break;
    case assets::Refusal::DocumentDate: TextDataFatScontrino->setFocus(); break;
    case assets::Refusal::Year: TextANNO->setFocus(); break;
    case assets::Refusal::Missing:
    case assets::Refusal::None: break;
    }
}

void FormInventario::Cmd_New_Click()
{
    assets::InventoryInput in = input();
    assets::InventoryItem item;
    const assets::Check check = assets::readNewItem(in, today(), item);
    if (check.refusal != assets::Refusal::PurchaseDate) {
        // The defaults go into the boxes themselves, whether the item is stored or not.
        TextUbicazione->setText(in.Ubicazione);
        TextAnnotazione->setText(in.Annotazioni);
        TextFornitore->setText(in.Fornitore);
        Combo1->setEditText(in.FattScontr);
        TextNumFatScontrino->setText(in.NumFatScontr);
        TextDataFatScontrino->setText(in.DataFatScontr);
    }
    if (!check) {
        refuse(check);
        return;
    }
    if (!withArchive([&](db::Database& db) { assets::RegistroInventario(db).add(item); }))
        return;
    resetBoxes(QString(), QStringLiteral("NIL"));
    RecomputeSvalutazione();
    RefreshGrid();
}

void FormInventario::Cmd_Mod_Click()
{
    if (!m_editingId)
        return;
    assets::InventoryChange change;
    if (const assets::Check check = assets::readChange(input(), change); !check) {
        refuse(check);
        return;
    }
    bool stored = false;
    if (!withArchive([&](db::Database& db) { stored = assets::RegistroInventario(db).modify(m_editingId, change); }))
        return;
    if (!stored)
        warn(QStringLiteral("Il bene non è più presente in archivio: nessuna modifica effettuata."));
    resetBoxes(QStringLiteral("0"), QString());
    RecomputeSvalutazione();
    RefreshGrid();
}

void FormInventario::Cmd_Canc_Click()
{
    const auto n = parse::integer(TextNumInventario->text());
    if (!n || *n == 0)
        return;
    const QString text = QStringLiteral("Sei sicuro di voler eliminare definitivamente\n il bene inventariato al n. ")
        + TextNumInventario->text() + QStringLiteral("?  \nNota: Una volta eliminato non sarà più possibile recuperarlo.");
    if (MsgBox(text, MsgButtons::OkCancel, MsgIcon::Critical, kTitle) != MsgResult::Ok)
        return;
    if (!withArchive([&](db::Database& db) { assets::RegistroInventario(db).remove(*n); }))
        return;
    resetBoxes(QStringLiteral("0"), QStringLiteral("NIL"));
    entryState();
    RefreshGrid();
}

void FormInventario::ComCLS_Click()
{
    resetBoxes(QString(), QString());
    entryState();
}

void FormInventario::Cmd_Ricalcola_Click()
{
    RecomputeSvalutazione();
    RefreshGrid();
}

void FormInventario::Stampa_Click()
{
    const MsgResult choice = MsgBox(QStringLiteral("Quale stampa desideri?\n\nSì = registro inventario completo\n"
                                                   "No = scheda del bene selezionato\nAnnulla = nessuna stampa"),
                                    MsgButtons::YesNoCancel, MsgIcon::Question, kTitle);
    if (choice == MsgResult::Yes)
        printRegister();
    else if (choice == MsgResult::No)
        printCard();
}

void FormInventario::printRegister()
{
    withArchive([this](db::Database& db) {
        reports::ShowOptions options;
        options.logoPath = m_conn.settings.logo_conn;
        options.headingLabel = QStringLiteral("LabelIntestazione");
        options.heading = LoadIntestazione(db);
        reports::showReport(QStringLiteral("StampaRegistroInventario"), options);
    });
}

void FormInventario::printCard()
{
    const auto inHand = parse::integer(TextNumInventario->text());
    if (!m_editingId || !inHand || *inHand == 0) {
        warn(QStringLiteral("Nessun bene selezionato: per stampare la scheda scegliere prima il bene dall'elenco."));
        return;
    }
    withArchive([this](db::Database& db) {
        reports::ShowOptions options;
        options.logoPath = m_conn.settings.logo_conn;
        options.headingLabel = QStringLiteral("LabelIntestazione");
        options.heading = LoadIntestazione(db);
        const std::pair<const char*, QString> fields[] = {
            {"LabelNumInv", TextNumInventario->text()},
            {"LabelData", TextDataAcquisto->text()},
            {"LabelAnno", TextANNO->text()},
            {"LabelDescrizione", TextDescrizione->text()},
            {"LabelValore", TextImporto->text()},
            {"LabelSvalutazione", TextSvalutazione->text()},
            {"LabelUbicazione", TextUbicazione->text()},
            {"LabelFornitore", TextFornitore->text()},
            {"LabelFattScontr", Combo1->currentText()},
            {"LabelNumFatScontr", TextNumFatScontrino->text()},
            {"LabelDataFatScontr", TextDataFatScontrino->text()},
            {"LabelAnnotazioni", TextAnnotazione->text()},
        };
        for (const auto& [name, value] : fields)
            options.labels.insert(QString::fromLatin1(name), value);
        reports::showReport(QStringLiteral("StampaRegistroInventarioScheda"), options);
    });
}

void FormInventario::Cmd_Exit_Click() { close(); }

void FormInventario::TextDataAcquisto_LostFocus()
{
    if (const auto data = assets::purchaseDate(TextDataAcquisto->text())) {
        TextANNO->setText(QString::number(data->year()));
        return;
    }
    warn(assets::kDateMessage);
    TextDataAcquisto->setFocus();
}

void FormInventario::TextImporto_LostFocus() { TextImporto->setText(fmt::text(TextImporto->text(), kAmount)); }

void FormInventario::resetBoxes(const QString& numFatScontr, const QString& annotazione)
{
    TextDataAcquisto->setText(fmt::date(today()));
    TextNumInventario->setText(QStringLiteral("0"));
    TextANNO->clear();
    TextDescrizione->clear();
    TextImporto->setText(QStringLiteral("0"));
    TextSvalutazione->setText(QStringLiteral("0"));
    TextUbicazione->clear();
    TextFornitore->clear();
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QString());
    TextNumFatScontrino->setText(numFatScontr);
    TextDataFatScontrino->clear();
    TextAnnotazione->setText(annotazione);
    TextDataAcquisto->setFocus();
}

void FormInventario::entryState()
{
    m_editingId = 0;
    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
    Cmd_New->setEnabled(true);
}

} // namespace vb

#include "accounting/assets/ui/FormRegistroPrevisionale.h"

#include "accounting/assets/Previsionale.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "core/Parse.h"
#include "reports/engine/ReportShow.h"
#include "ui/Controls.h"
#include "ui/GridHeadings.h"
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

void notice(const QString& text) { MsgBox(text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("AVVISO")); }

const QString kAmountMessage = QStringLiteral("Importo non valido! Immettere un numero, ad esempio 1.234,50");

// Grid column widths in pixels (twips / 15): key, description, amount.
constexpr int kColumnWidths[] = {33, 433, 73};

void setEditable(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

} // namespace

FormRegistroPrevisionale::FormRegistroPrevisionale(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Registro Previsionale"));

    using ui::named;
    auto button = [this](const char* name, QStyle::StandardPixmap icon, const QString& tip,
                         void (FormRegistroPrevisionale::*handler)()) {
        return ui::pictureButton(this, name, icon, tip, handler);
    };
    auto label = [this](const QString& text) { return new QLabel(text, this); };

    Combo1 = named(new QComboBox(this), "Combo1");
    Combo1->addItems(assets::kindNames());
    setEditable(Combo1);
    connect(Combo1, &QComboBox::activated, this, &FormRegistroPrevisionale::Combo1_Click);
    Combo2 = named(new QComboBox(this), "Combo2");
    setEditable(Combo2);
    Combo2->setMinimumWidth(90);
    connect(Combo2, &QComboBox::activated, this, &FormRegistroPrevisionale::Combo2_Click);
    Combo3 = named(new QComboBox(this), "Combo3");
    setEditable(Combo3);
    Combo3->setMinimumWidth(380);
    Text_Importo = named(new QLineEdit(this), "Text_Importo");
    Text_Importo->setToolTip(QStringLiteral("Importo previsionale"));
    Text_Importo->setAlignment(Qt::AlignRight);
    Text_Importo->setMaximumWidth(120);
    Text_Importo->installEventFilter(this);
    Text_Codice = named(new QLineEdit(this), "Text_Codice");
    Text_Codice->setReadOnly(true);
    Text_Codice->setMaximumWidth(60);

    MSFlexGrid1 = named(new QTableWidget(0, 3, this), "MSFlexGrid1");
    // The headings in the grid's own heading row; the key column has none.
    ui::GridHeadings::install(MSFlexGrid1, {nullptr, label(QStringLiteral("Descrizione")), label(QStringLiteral("Importo"))});
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(22);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setMinimumHeight(220);
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, &FormRegistroPrevisionale::MSFlexGrid1_Click);

    Cmd_New = button("Cmd_New", QStyle::SP_DialogSaveButton, QStringLiteral("Aggiorna e aggiunge nominativo"),
                     &FormRegistroPrevisionale::Cmd_New_Click);
    Cmd_Mod = button("Cmd_Mod", QStyle::SP_DialogApplyButton, QStringLiteral("Modifica e salva"),
                     &FormRegistroPrevisionale::Cmd_Mod_Click);
    Cmd_Canc = button("Cmd_Canc", QStyle::SP_TrashIcon, QStringLiteral("Cancella nominativo"),
                      &FormRegistroPrevisionale::Cmd_Canc_Click);
    Cmd_SelVoci = button("Cmd_SelVoci", QStyle::SP_FileDialogListView, QStringLiteral("Aggiorna/Modifica voci previsionali"),
                         &FormRegistroPrevisionale::Cmd_SelVoci_Click);
    Cmd_Stampa = button("Cmd_Stampa", QStyle::SP_FileDialogDetailedView, QStringLiteral("Visualizza e Stampa"),
                        &FormRegistroPrevisionale::Cmd_Stampa_Click);
    Cmd_Exit = button("Cmd_Exit", QStyle::SP_DialogCloseButton, QStringLiteral("Exit"), &FormRegistroPrevisionale::Cmd_Exit_Click);

    auto* boxes = new QGridLayout;
    boxes->addWidget(label(QStringLiteral("Attivita/Passivita:")), 0, 0);
    boxes->addWidget(Combo1, 0, 1);
    boxes->addWidget(label(QStringLiteral("Anno:")), 0, 2, Qt::AlignRight);
    boxes->addWidget(Combo2, 0, 3);
    boxes->addWidget(Text_Codice, 0, 5, Qt::AlignRight);
    boxes->addWidget(label(QStringLiteral("Descrizione:")), 1, 0);
    boxes->addWidget(Combo3, 1, 1, 1, 5);
    boxes->addWidget(label(QStringLiteral("Importo:")), 2, 0);
    boxes->addWidget(Text_Importo, 2, 1);
    boxes->setColumnStretch(4, 1);

    auto* buttons = new QHBoxLayout;
    for (auto* b : {Cmd_New, Cmd_Mod, Cmd_Canc, Cmd_SelVoci, Cmd_Stampa})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addLayout(buttons);

    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
    resize(620, 520);
}

FormRegistroPrevisionale::~FormRegistroPrevisionale() = default;

template <class F> bool FormRegistroPrevisionale::withArchive(F work)
{
    return m_conn.db && runShowingErrors([&] { work(*m_conn.db); });
}

void FormRegistroPrevisionale::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return;
    }
    m_mode = Mode::Lines;
    FillAnnoVoci();
}

bool FormRegistroPrevisionale::Form_Unload()
{
    m_conn.db.reset();
    return true;
}

bool FormRegistroPrevisionale::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text_Importo && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text_Importo_LostFocus();
    }
    return Form::eventFilter(watched, event);
}

int FormRegistroPrevisionale::kind() const { return assets::kindCode(Combo1->currentText()); }

void FormRegistroPrevisionale::FillAnnoVoci()
{
    withArchive([this](db::Database& db) {
        if (Combo2->currentText().isEmpty()) {
            Combo2->clear();
            Combo2->addItems(assets::RegistroPrevisionale(db).years());
            Combo2->setCurrentIndex(-1);
            Combo2->setEditText(QString());
        }
        const QString item = Combo3->currentText();
        Combo3->clear();
        for (const auto& entry : assets::TabellaPrevisionale(db).items(kind()))
            Combo3->addItem(entry.Descrizione);
        Combo3->setCurrentIndex(-1);
        Combo3->setEditText(item);
    });
}

void FormRegistroPrevisionale::RefreshGrid()
{
    MSFlexGrid1->clearContents();
    MSFlexGrid1->setRowCount(0);
    const bool lines = m_mode == Mode::Lines;
    MSFlexGrid1->setColumnCount(lines ? 3 : 2);
    for (int c = 0; c < MSFlexGrid1->columnCount(); ++c)
        MSFlexGrid1->setColumnWidth(c, kColumnWidths[c]);
    std::vector<QStringList> rows;
    withArchive([&](db::Database& db) {
        if (lines) {
            for (const auto& l : assets::RegistroPrevisionale(db).lines(Combo2->currentText(), kind()))
                rows.push_back({QString::number(l.IDRegistro), l.Descrizione, fmt::money(l.Importo)});
        } else {
            for (const auto& i : assets::TabellaPrevisionale(db).items(kind()))
                rows.push_back({QString::number(i.IDRegistro), i.Descrizione});
        }
    });
    MSFlexGrid1->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < rows[size_t(r)].size(); ++c) {
            auto* cell = new QTableWidgetItem(rows[size_t(r)][c]);
            if (c == 2)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            MSFlexGrid1->setItem(r, c, cell);
        }
    }
}

void FormRegistroPrevisionale::Combo1_Click()
{
    if (!Combo2->currentText().isEmpty())
        RefreshGrid();
    FillAnnoVoci();
}

void FormRegistroPrevisionale::Combo2_Click()
{
    if (!Combo1->currentText().isEmpty())
        RefreshGrid();
}

void FormRegistroPrevisionale::Cmd_SelVoci_Click()
{
    if (Combo1->currentText().isEmpty())
        return;
    const bool toCatalogue = m_mode == Mode::Lines;
    m_mode = toCatalogue ? Mode::Catalogue : Mode::Lines;
    Combo2->setEnabled(!toCatalogue);
    Text_Importo->setEnabled(!toCatalogue);
    clearEntry();
    if (!toCatalogue)
        FillAnnoVoci();
    RefreshGrid();
}

void FormRegistroPrevisionale::MSFlexGrid1_Click()
{
    const int row = MSFlexGrid1->currentRow();
    if (row < 0 || !MSFlexGrid1->item(row, 0))
        return;
    const auto key = parse::integer(MSFlexGrid1->item(row, 0)->text());
    if (!key)
        return;
    bool found = false;
    withArchive([&](db::Database& db) {
        if (m_mode == Mode::Catalogue) {
            if (const auto item = assets::TabellaPrevisionale(db).load(*key)) {
                found = true;
                Text_Codice->setText(QString::number(item->IDRegistro));
                Combo3->setEditText(item->Descrizione);
            }
        } else if (const auto line = assets::RegistroPrevisionale(db).load(*key)) {
            found = true;
            Text_Codice->setText(QString::number(line->IDRegistro));
            Combo3->setEditText(line->Descrizione);
            Combo2->setEditText(line->Anno);
            Combo1->setCurrentIndex(Combo1->findText(assets::kindName(line->Codice)));
            Text_Importo->setText(fmt::money(line->Importo));
        }
    });
    if (!found)
        return;
    Cmd_Mod->setEnabled(true);
    Cmd_Canc->setEnabled(true);
}

void FormRegistroPrevisionale::Text_Importo_LostFocus()
{
    Text_Importo->setText(fmt::text(Text_Importo->text(), QStringLiteral("##,##0.00")));
}

void FormRegistroPrevisionale::Cmd_New_Click()
{
    const QString item = Combo3->currentText();
    if (m_mode == Mode::Catalogue) {
        if (item.isEmpty())
            return;
        if (!withArchive([&](db::Database& db) { assets::TabellaPrevisionale(db).add(item, kind()); }))
            return;
    } else {
        const QString anno = Combo2->currentText();
        if (item.isEmpty() || anno.isEmpty() || Text_Importo->text().isEmpty()) {
            notice(QStringLiteral("I Campi non sono stati compilati!"));
            return;
        }
        const auto amount = parse::amount(Text_Importo->text());
        if (!amount) {
            notice(kAmountMessage);
            Text_Importo->setFocus();
            return;
        }
        std::optional<qint64> added;
        if (!withArchive([&](db::Database& db) {
                added = assets::RegistroPrevisionale(db).add({0, anno, item, kind(), *amount});
            }))
            return;
        if (!added) {
            notice(QStringLiteral("Voce già registrata!"));
            return;
        }
    }
    clearEntry();
    RefreshGrid();
}

void FormRegistroPrevisionale::Cmd_Mod_Click()
{
    const auto id = parse::integer(Text_Codice->text());
    if (!id)
        return;
    const QString item = Combo3->currentText();
    const QString anno = Combo2->currentText();
    const bool lines = m_mode == Mode::Lines;
    if (item.isEmpty() || (lines && (anno.isEmpty() || Text_Importo->text().isEmpty()))) {
        notice(QStringLiteral("Campi non sono compilati"));
        return;
    }
    std::optional<Money> amount;
    if (lines) {
        amount = parse::amount(Text_Importo->text());
        if (!amount) {
            notice(kAmountMessage);
            Text_Importo->setFocus();
            return;
        }
    }
    bool stored = false;
    if (!withArchive([&](db::Database& db) {
            stored = lines ? assets::RegistroPrevisionale(db).modify(*id, {*id, anno, item, kind(), *amount})
                           : assets::TabellaPrevisionale(db).modify(*id, item, kind());
        }))
        return;
    if (!stored)
        notice(QStringLiteral("La voce non è più presente in archivio: nessuna modifica effettuata."));
    clearEntry();
    RefreshGrid();
}

void FormRegistroPrevisionale::Cmd_Canc_Click()
{
    const auto id = parse::integer(Text_Codice->text());
    if (!id)
        return;
    if (MsgBox(QStringLiteral("Sicuro di voler eliminare questa voce: ") + Combo3->currentText()
                   + QStringLiteral("\nUna volta eliminato non sarà piu possibile recuperarlo. "),
               MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("ATTENZIONE"))
        != MsgResult::Yes)
        return;
    if (!withArchive([&](db::Database& db) {
            if (m_mode == Mode::Lines)
                assets::RegistroPrevisionale(db).remove(*id);
            else
                assets::TabellaPrevisionale(db).remove(*id);
        }))
        return;
    clearEntry();
    RefreshGrid();
}

void FormRegistroPrevisionale::Cmd_Stampa_Click()
{
    // Print acts only when a year is chosen; with none it does nothing.
    const QString anno = Combo2->currentText();
    if (anno.isEmpty())
        return;
    withArchive([&](db::Database& db) {
        assets::RegistroPrevisionale(db).markForPrint(anno);
        reports::ShowOptions options;
        options.logoPath = m_conn.settings.logo_conn;
        options.headingLabel = QStringLiteral("LabelIntestazione");
        options.heading = LoadIntestazione(db);
        options.labels.insert(QStringLiteral("LabelAnno"), anno);
        reports::showReport(QStringLiteral("BilancioPrevisionale"), options);
    });
}

void FormRegistroPrevisionale::Cmd_Exit_Click() { close(); }

void FormRegistroPrevisionale::clearEntry()
{
    Combo3->setCurrentIndex(-1);
    Combo3->setEditText(QString());
    Text_Importo->clear();
    Text_Codice->clear();
    Cmd_Mod->setEnabled(false);
    Cmd_Canc->setEnabled(false);
}

} // namespace vb

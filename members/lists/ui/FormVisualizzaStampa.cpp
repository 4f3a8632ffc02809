#include "members/lists/ui/FormVisualizzaStampa.h"

#include "core/Clock.h"
#include "core/Format.h"
#include "core/MessageService.h"
#include "core/Parse.h"
#include "members/lists/Exports.h"
#include "members/lists/ListLine.h"
#include "members/lists/MemberLists.h"
#include "members/lists/ReportSelections.h"
#include "members/lists/ui/ListLinesModel.h"
#include "reports/engine/ReportShow.h"
#include "ui/ArchiveJobs.h"
#include "ui/WindowHelpers.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vb {
namespace {

const QString kAttenzione = QStringLiteral("ATTENZIONE");
const QString kFeeListInfo =
    QStringLiteral("Soci Iscritti nell'anno indicato. Cambiare l'anno per visualizzare altri risultati");
const QString kBirthdayNote = QStringLiteral("Il periodo di selezione è da inizio e fine mese.");
const QString kBirthdayNote2 = QStringLiteral(
    "Attenzione: l'estrazione è riferita solo ai soci che hanno effettuato almeno un rinnovo tessera negli "
    "ultimi due anni.");

const QStringList kMonths = {
    QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),    QStringLiteral("Aprile"),
    QStringLiteral("Maggio"),  QStringLiteral("Giugno"),   QStringLiteral("Luglio"),   QStringLiteral("Agosto"),
    QStringLiteral("Settembre"), QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre"),
};

// An option button cleared by code, so that pressing it again runs its list again.
void deselect(QRadioButton* option)
{
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

} // namespace

FormVisualizzaStampa::FormVisualizzaStampa(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Visualizza/Stampa"));

    auto named = [](QWidget* w, const char* name, const QString& tip = QString()) {
        w->setObjectName(QString::fromLatin1(name));
        if (!tip.isEmpty())
            w->setToolTip(tip);
        return w;
    };
    auto option = [&](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QRadioButton(caption, this);
        named(b, name, tip);
        return b;
    };
    auto button = [&](QWidget* owner, const char* name, const QString& caption, const QString& tip = QString()) {
        auto* b = new QPushButton(caption, owner);
        named(b, name, tip);
        return b;
    };
    auto label = [&](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        named(l, name);
        return l;
    };

    Option1 = option("Option1", QStringLiteral("Soci iscritti anno:"), QStringLiteral("Visualizza eleconco completo soci "));
    TextAnno = new QLineEdit(this);
    named(TextAnno, "TextAnno");
    TextAnno->setMaximumWidth(70);
    Option2 = option("Option2", QStringLiteral("Iscrizioni nel periodo"), QStringLiteral("Visualizza/Stampa risultato ricerca"));
    auto* Label1 = label("Label1", QStringLiteral("Dal:"));
    TextDataDal = new QLineEdit(this);
    named(TextDataDal, "TextDataDal", QStringLiteral("Data di inizio ricerca"));
    auto* Label2 = label("Label2", QStringLiteral("Al:"));
    TextDataAl = new QLineEdit(this);
    named(TextDataAl, "TextDataAl", QStringLiteral("Data fine ricerca"));
    Calendar1 = new QCalendarWidget(this);
    named(Calendar1, "Calendar1");
    Calendar1->setVisible(false);
    Option3 = option("Option3", QStringLiteral("Elenco Soci iscritti"), QStringLiteral("Visualizza elenco soci iscritti nell'anno"));
    Option5 = option("Option5", QStringLiteral("Visualizza stampa soci, ecc."), QStringLiteral("Attiva opzioni di stampa e visualizzazione"));
    Option6 = option("Option6", QStringLiteral("Compleanno Soci"), QStringLiteral("Visualizza Soci che compiono gli anni"));
    auto* Label5 = label("Label5", QStringLiteral("Dal mese:"));
    Combo1 = new QComboBox(this);
    named(Combo1, "Combo1", QStringLiteral("Mese compleanno start"));
    auto* Label4 = label("Label4", QStringLiteral("Al mese:"));
    Combo2 = new QComboBox(this);
    named(Combo2, "Combo2", QStringLiteral("Mese compleanno end"));
    for (QComboBox* c : {Combo1, Combo2}) {
        c->addItems(kMonths);
        c->setCurrentIndex(-1);
    }

    Label3 = label("Label3", QString());
    Label3->setWordWrap(true);
    // The list's columns, parted by tabs, under the headings of its heading line.
    List1 = new QTableView(this);
    named(List1, "List1");
    m_lines = new lists::ListLinesModel(this);
    List1->setModel(m_lines);
    List1->verticalHeader()->hide();
    List1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    List1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    List1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    List1->horizontalHeader()->setStretchLastSection(true);
    List1->setShowGrid(false);
    List1->setWordWrap(false);
    List1->setSelectionBehavior(QAbstractItemView::SelectRows);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setMinimumSize(560, 360);

    Line4 = new QFrame(this);
    named(Line4, "Line4");
    Line4->setFrameShape(QFrame::HLine);
    LabelTotaleEuro = label("LabelTotaleEuro", QStringLiteral("Totale €"));
    Text_TotaleEuro = new QLineEdit(this);
    named(Text_TotaleEuro, "Text_TotaleEuro");
    Text_TotaleEuro->setReadOnly(true);
    Text_TotaleEuro->setAlignment(Qt::AlignRight);
    Text_TotaleEuro->setMaximumWidth(140);
    setTotalVisible(false);

    Stampa = button(this, "Stampa", QStringLiteral("Stampa"));
    Stampa->setEnabled(false);
    ExportExcel = button(this, "ExportExcel", QStringLiteral("Export in EXCELL"));
    ExportExcel->setEnabled(false);
    auto* Cmd_Exit = button(this, "Cmd_Exit", QStringLiteral("Exit"));
    auto* CommandButton1 = button(this, "CommandButton1", QStringLiteral("Esci"));
    ProgressBar1 = new QProgressBar(this);
    named(ProgressBar1, "ProgressBar1");
    ProgressBar1->setVisible(false);
    m_jobs = new ArchiveJobs(this, ProgressBar1);

    Frame1 = new QGroupBox(QStringLiteral("Opzioni di stampa"), this);
    named(Frame1, "Frame1");
    auto* ComStampaSoci = button(Frame1, "ComStampaSoci", QStringLiteral("Visualizza.e stampa soci in regola"),
                                 QStringLiteral("Stampa Soci in regola con i versamenti"));
    auto* CmdSociDecaduti = button(Frame1, "CmdSociDecaduti", QStringLiteral("Visualizza.e stampa soci morosi"),
                                   QStringLiteral("Stampa etichette soci"));
    auto* ComExpTXT = button(Frame1, "ComExpTXT", QStringLiteral("E-mail Soci in formato Excell"),
                             QStringLiteral("Esporta e-mail in formato XLS"));
    auto* ComExitFrame = button(Frame1, "ComExitFrame", QStringLiteral("Exit"));
    auto* frameLayout = new QVBoxLayout(Frame1);
    for (QPushButton* b : {ComStampaSoci, CmdSociDecaduti, ComExpTXT, ComExitFrame})
        frameLayout->addWidget(b);
    Frame1->setVisible(false);

    // Selections on the left, the list on the right, buttons below.
    auto* choices = new QGridLayout;
    int row = 0;
    choices->addWidget(Option1, row, 0, 1, 2);
    choices->addWidget(TextAnno, row++, 2, 1, 2);
    choices->addWidget(Option2, row++, 0, 1, 4);
    choices->addWidget(Label1, row, 0);
    choices->addWidget(TextDataDal, row, 1);
    choices->addWidget(Label2, row, 2);
    choices->addWidget(TextDataAl, row++, 3);
    choices->addWidget(Calendar1, row++, 0, 1, 4);
    choices->addWidget(Option3, row++, 0, 1, 4);
    choices->addWidget(Option5, row++, 0, 1, 4);
    choices->addWidget(Option6, row++, 0, 1, 4);
    choices->addWidget(Label5, row, 0);
    choices->addWidget(Combo1, row++, 1, 1, 3);
    choices->addWidget(Label4, row, 0);
    choices->addWidget(Combo2, row++, 1, 1, 3);
    choices->addWidget(Frame1, row++, 0, 1, 4);
    choices->setRowStretch(row, 1);

    auto* totalRow = new QHBoxLayout;
    totalRow->addStretch(1);
    totalRow->addWidget(LabelTotaleEuro);
    totalRow->addWidget(Text_TotaleEuro);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(Label3);
    listColumn->addWidget(List1, 1);
    listColumn->addWidget(Line4);
    listColumn->addLayout(totalRow);

    auto* top = new QHBoxLayout;
    top->addLayout(choices);
    top->addLayout(listColumn, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ProgressBar1, 1);
    buttons->addStretch();
    for (QPushButton* b : {Stampa, ExportExcel, Cmd_Exit, CommandButton1})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(Option1, &QRadioButton::clicked, this, &FormVisualizzaStampa::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &FormVisualizzaStampa::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &FormVisualizzaStampa::Option3_Click);
    connect(Option5, &QRadioButton::clicked, this, &FormVisualizzaStampa::Option5_Click);
    connect(Option6, &QRadioButton::clicked, this, &FormVisualizzaStampa::Option6_Click);
    connect(Stampa, &QPushButton::clicked, this, &FormVisualizzaStampa::Stampa_Click);
    connect(ExportExcel, &QPushButton::clicked, this, &FormVisualizzaStampa::ExportExcel_Click);
    connect(Cmd_Exit, &QPushButton::clicked, this, &QWidget::close);
    connect(ComStampaSoci, &QPushButton::clicked, this, &FormVisualizzaStampa::ComStampaSoci_Click);
    connect(CmdSociDecaduti, &QPushButton::clicked, this, &FormVisualizzaStampa::CmdSociDecaduti_Click);
    connect(ComExpTXT, &QPushButton::clicked, this, &FormVisualizzaStampa::ComExpTXT_Click);
    connect(ComExitFrame, &QPushButton::clicked, this, &FormVisualizzaStampa::ComExitFrame_Click);
    connect(Combo1, &QComboBox::activated, this, &FormVisualizzaStampa::Combo_Click);
    connect(Combo2, &QComboBox::activated, this, &FormVisualizzaStampa::Combo_Click);
    connect(Calendar1, &QCalendarWidget::clicked, this, &FormVisualizzaStampa::Calendar1_Click);
    TextDataDal->installEventFilter(this);
    TextDataAl->installEventFilter(this);
    resize(1000, 620);
}

FormVisualizzaStampa::~FormVisualizzaStampa() = default;

void FormVisualizzaStampa::waitForJobs() const { m_jobs->waitUntilIdle(); }

QStringList FormVisualizzaStampa::listLines() const { return m_lines->lines(); }

void FormVisualizzaStampa::Form_Load()
{
    ProgressBar1->setVisible(false);
    TextAnno->setText(QString::number(today().year()));
    Calendar1->setSelectedDate(today());
    try {
        m_conn = OpenArchiveConnection();
        m_jobs->setArchive(m_conn.settings);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
}

bool FormVisualizzaStampa::Form_Unload()
{
    m_jobs->stop();
    m_conn.db.reset();
    return true;
}

db::Database& FormVisualizzaStampa::archive()
{
    if (!m_conn.db)
        throw Error(kArchiveNotOpenedMessage);
    return *m_conn.db;
}

bool FormVisualizzaStampa::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == TextDataDal)
            TextDataDal_Click();
        else if (watched == TextDataAl)
            TextDataAl_Click();
    }
    return Form::eventFilter(watched, event);
}

void FormVisualizzaStampa::mouseReleaseEvent(QMouseEvent* event)
{
    Frame1->setVisible(false);
    Form::mouseReleaseEvent(event);
}

std::optional<int> FormVisualizzaStampa::yearOrWarn()
{
    const auto year = lists::parseYear(TextAnno->text());
    if (!year)
        warn(QStringLiteral("Anno non valido! Indicare l'anno in cifre (es. %1). ").arg(today().year()));
    return year;
}

void FormVisualizzaStampa::showList(const QString& header, const QStringList& lines)
{
    m_lines->setLines(header, lines);
    // Each column as wide as its widest text, the heading's included.
    const QList<int> widths = m_lines->columnWidths(List1->fontMetrics(), List1->horizontalHeader()->fontMetrics());
    for (int c = 0; c < widths.size(); ++c)
        List1->setColumnWidth(c, widths[c] + 16);
}

void FormVisualizzaStampa::setTotalVisible(bool visible)
{
    Text_TotaleEuro->setVisible(visible);
    LabelTotaleEuro->setVisible(visible);
    Line4->setVisible(visible);
}

void FormVisualizzaStampa::Option1_Click()
{
    const auto year = yearOrWarn();
    if (!year)
        return;
    m_jobs->run([year = *year, this](db::Database& db) -> ArchiveJobs::Show {
        auto list = lists::feeList(db, year);
        return [this, year, list = std::move(list)] {
            Label3->setText(kFeeListInfo);
            Frame1->setVisible(false);
            showList(list.header, list.lines);
            m_listedYear = year;
            Stampa->setEnabled(true);
            ExportExcel->setEnabled(true);
            setTotalVisible(true);
            Text_TotaleEuro->setText(fmt::money(list.total));
        };
    });
}

void FormVisualizzaStampa::Option2_Click()
{
    Text_TotaleEuro->setVisible(false);
    LabelTotaleEuro->setVisible(false);
    Frame1->setVisible(false);
    if (TextDataDal->text().isEmpty() || TextDataAl->text().isEmpty())
        return;
    const auto from = parse::date(TextDataDal->text());
    const auto to = parse::date(TextDataAl->text());
    if (!from || !to) {
        warn(QStringLiteral("Data non valida! Indicare le date del periodo nella forma gg/mm/aaaa. "));
        deselect(Option2);
        return;
    }
    m_jobs->run([from = *from, to = *to, this](db::Database& db) -> ArchiveJobs::Show {
        auto list = lists::enrolmentList(db, from, to);
        return [this, list = std::move(list)] {
            Label3->setText(QStringLiteral("Elenco nominativi iscritti nel periodo indicato. Cambiare il periodo per "
                                           "visualizzare altri risultati"));
            showList(list.header, list.lines);
        };
    });
}

void FormVisualizzaStampa::Option3_Click()
{
    const auto year = yearOrWarn();
    if (!year)
        return;
    m_jobs->run([year = *year, this](db::Database& db) -> ArchiveJobs::Show {
        auto list = lists::refillStampaSoci(db, year);
        return [this, list = std::move(list)] {
            Label3->setText(kFeeListInfo);
            showList(list.header, list.lines);
        };
    });
}

void FormVisualizzaStampa::Option5_Click()
{
    Frame1->setVisible(true);
    Label3->setText(QString());
    setTotalVisible(false);
    m_lines->setLines(QString(), {});
}

void FormVisualizzaStampa::Option6_Click()
{
    if (Combo1->currentIndex() < 0 || Combo2->currentIndex() < 0) {
        warn(QStringLiteral("Selezionare il mese di inizio e il mese di fine del periodo! "));
        deselect(Option6);
        return;
    }
    const int from = Combo1->currentIndex() + 1;
    const int to = Combo2->currentIndex() + 1;
    m_jobs->run([from, to, day = today(), this](db::Database& db) -> ArchiveJobs::Show {
        auto list = lists::birthdayList(db, from, to, day);
        return [this, list = std::move(list)] {
            Label3->setText(QStringLiteral("Il periodo di selezione è da inizio e fine mese. Attenzione: "
                                           "l'estrazione è riferita solo ai soci che hanno effettuato almeno un "
                                           "rinnovo tessera negli ultimi due anni"));
            showList(list.header, list.lines);
        };
    });
}

void FormVisualizzaStampa::showMembersReport(const QString& report, const QHash<QString, QString>& labels,
                                             const QStringList& hidden)
{
    reports::ShowOptions options;
    options.logoPath = m_conn.settings.logo_conn;
    options.headingLabel = QStringLiteral("LabelIntestazione");
    options.heading = LoadIntestazione(archive());
    options.labels = labels;
    options.hiddenControls = hidden;
    reports::showReport(report, options);
}

void FormVisualizzaStampa::Stampa_Click()
{
    if (!Option1->isChecked() && !Option2->isChecked() && !Option3->isChecked() && !Option5->isChecked()
        && !Option6->isChecked()) {
        MsgBox(QStringLiteral("Selezionare prima un'opzione e poi premere il pulsante di Stampa! "), MsgButtons::Ok,
               MsgIcon::Information, kAttenzione);
        return;
    }
    if (Option1->isChecked()) {
        const auto year = yearOrWarn();
        if (year)
            markAndShow([year = *year](db::Database& db) { lists::markSociEffettivi(db, year); },
                        QStringLiteral("StampaSociEffettivi"));
    } else if (Option3->isChecked()) {
        markAndShow(nullptr, QStringLiteral("StampaSoci"));
    } else if (Option6->isChecked()) {
        markAndShow(nullptr, QStringLiteral("ReportCompleanni"),
                    {{QStringLiteral("Label15"), Combo1->currentText()},
                     {QStringLiteral("Label16"), Combo2->currentText()},
                     {QStringLiteral("LabelNote"), kBirthdayNote},
                     {QStringLiteral("LabelNote2"), kBirthdayNote2}});
    }
}

void FormVisualizzaStampa::markAndShow(std::function<void(db::Database&)> mark, const QString& report,
                                       const QHash<QString, QString>& labels, const QStringList& hidden, bool runBar)
{
    // After the lists and marks asked for before, which the report reads.
    m_jobs->run([mark = std::move(mark), report, labels, hidden, runBar, this](db::Database& db) -> ArchiveJobs::Show {
        if (mark)
            mark(db);
        return [report, labels, hidden, runBar, this] {
            try {
                if (runBar)
                    RunProgressBar(ProgressBar1);
                showMembersReport(report, labels, hidden);
            } catch (const Error& e) {
                showErrorDescription(e.description());
            }
        };
    });
}

void FormVisualizzaStampa::ComStampaSoci_Click()
{
    const auto year = yearOrWarn();
    if (!year)
        return;
    markAndShow([year = *year](db::Database& db) { lists::markSociEffettivi(db, year); },
                QStringLiteral("StampaSociEffettivi"));
}

void FormVisualizzaStampa::CmdSociDecaduti_Click()
{
    const auto year = yearOrWarn();
    if (!year)
        return;
    const QString caption = QStringLiteral("Versamenti non effettuati nell'anno ") + QString::number(*year)
        + QStringLiteral(" aggiornato al: ") + fmt::date(today());
    markAndShow([year = *year](db::Database& db) { lists::markSociDecaduti(db, year); },
                QStringLiteral("StampaSociDecaduti"), {{QStringLiteral("Label10"), caption}},
                {QStringLiteral("Label5"), QStringLiteral("Label6"), QStringLiteral("txtIndata"),
                 QStringLiteral("txtQuotaVers2"), QStringLiteral("Line4"), QStringLiteral("Label8"),
                 QStringLiteral("Function1")},
                false);
}

void FormVisualizzaStampa::exportDone(const QString& path, int rows)
{
    if (rows == 0) {
        warn(QStringLiteral("Nessun nominativo da esportare per l'anno indicato. "));
        return;
    }
    MsgBox(QStringLiteral("Esportazione completata. Il file è stato salvato in: ") + path, MsgButtons::Ok,
           MsgIcon::Information, QStringLiteral("INFORMAZIONI"));
}

void FormVisualizzaStampa::runExport(std::function<lists::ExportResult(db::Database&)> write)
{
    // The query and the file run on the worker, after the lists and marks asked for before.
    m_jobs->run([write = std::move(write), this](db::Database& db) -> ArchiveJobs::Show {
        try {
            const lists::ExportResult result = write(db);
            return [result, this] { exportDone(result.path, result.rows); };
        } catch (const Error& e) {
            return [cause = e.description()] { warn(QStringLiteral("Esportazione non riuscita. ") + cause); };
        }
    });
}

void FormVisualizzaStampa::ExportExcel_Click()
{
    if (!m_listedYear)
        return;
    runExport([year = *m_listedYear, folder = lists::desktopFolder(), day = today()](db::Database& db) {
        return lists::exportFeePayers(db, year, folder, day);
    });
}

void FormVisualizzaStampa::ComExpTXT_Click()
{
    const auto year = yearOrWarn();
    if (!year)
        return;
    runExport([year = *year, folder = lists::desktopFolder(), day = today()](db::Database& db) {
        return lists::exportMailingList(db, year, folder, day);
    });
}

void FormVisualizzaStampa::Combo_Click() { deselect(Option6); }

void FormVisualizzaStampa::TextDataDal_Click()
{
    if (!m_calendarForDal) {
        m_calendarForDal = true;
        Calendar1->setVisible(true);
    } else {
        TextDataDal->clear();
    }
    deselect(Option2);
}

void FormVisualizzaStampa::TextDataAl_Click()
{
    if (!m_calendarForAl) {
        m_calendarForAl = true;
        Calendar1->setSelectedDate(today());
        Calendar1->setVisible(true);
    } else {
        TextDataAl->clear();
    }
    deselect(Option2);
}

void FormVisualizzaStampa::Calendar1_Click()
{
    const QString picked = fmt::date(Calendar1->selectedDate());
    if (m_calendarForDal) {
        TextDataDal->setText(picked);
        m_calendarForDal = false;
        Calendar1->setVisible(false);
    } else if (m_calendarForAl) {
        TextDataAl->setText(picked);
        m_calendarForAl = false;
        Calendar1->setVisible(false);
    }
}

void FormVisualizzaStampa::ComExitFrame_Click() { Frame1->setVisible(false); }

} // namespace vb

#include "members/fees/ui/FormOpzioniStampa.h"

#include "core/Clock.h"
#include "core/MessageService.h"
#include "members/fees/QuoteSoci.h"
#include "reports/engine/ReportShow.h"
#include "ui/ArchiveJobs.h"
#include "ui/WindowHelpers.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vb {

FormOpzioniStampa::FormOpzioniStampa(QWidget* parent) : Form(parent)
{
    setWindowTitle(QStringLiteral("Opzioni Visualizza/Stampa"));

    auto picker = [this](const char* name, fees::SelectionMode mode) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumWidth(300);
        connect(c, &QComboBox::activated, this, [this, c, mode] { pickerClicked(c, mode); });
        return c;
    };
    Combo1 = picker("Combo1", fees::SelectionMode::Year);
    Combo2 = picker("Combo2", fees::SelectionMode::Person);
    Combo3 = picker("Combo3", fees::SelectionMode::Unpaid);
    Combo5 = picker("Combo5", fees::SelectionMode::MemberType);

    auto button = [this](const char* name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(24, 24));
        b->setMinimumSize(44, 40);
        b->setToolTip(tip);
        return b;
    };
    ComStampa = button("ComStampa", QStyle::SP_FileDialogDetailedView, QStringLiteral("Visualizza e Stampa"));
    Cmd_Exit = button("Cmd_Exit", QStyle::SP_DialogCloseButton, QStringLiteral("Exit"));
    connect(ComStampa, &QPushButton::clicked, this, &FormOpzioniStampa::ComStampa_Click);
    connect(Cmd_Exit, &QPushButton::clicked, this, &FormOpzioniStampa::Cmd_Exit_Click);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    m_jobs = new ArchiveJobs(this, ProgressBar1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Anno:"), Combo1);
    form->addRow(QStringLiteral("Nominativo:"), Combo2);
    form->addRow(QStringLiteral("Quote non versate Anno:"), Combo3);
    form->addRow(QStringLiteral("Tipo Socio:"), Combo5);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ComStampa);
    buttons->addStretch();
    buttons->addWidget(Cmd_Exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ProgressBar1);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(520, 240);
}

FormOpzioniStampa::~FormOpzioniStampa() = default;

QString FormOpzioniStampa::unpaidLogoPath() { return QStringLiteral("c:\\RegArchivio\\images\\logo.jpg"); }

void FormOpzioniStampa::waitForJobs() const { m_jobs->waitUntilIdle(); }

void FormOpzioniStampa::Form_Load()
{
    try {
        m_conn = OpenArchiveConnection();
        m_jobs->setArchive(m_conn.settings);
        db::Database& db = *m_conn.db;
        Combo5->addItems(fees::storedMemberTypes(db));
        for (const auto& p : fees::persons(db))
            Combo2->addItem(fees::NominativoRegNumItem(p), p.CodNom);
        const QStringList years = fees::storedYears(db);
        Combo1->addItems(years);
        Combo3->addItems(years);
        m_heading = LoadIntestazione(db);
    } catch (const Error& e) {
        showErrorDescription(e.description());
    }
    for (auto* c : {Combo1, Combo2, Combo3, Combo5})
        c->setCurrentIndex(-1);
    ProgressBar1->hide();
}

bool FormOpzioniStampa::Form_Unload()
{
    m_jobs->stop();
    m_conn.db.reset();
    return true;
}

void FormOpzioniStampa::pickerClicked(QComboBox* picked, fees::SelectionMode mode)
{
    for (auto* c : {Combo1, Combo2, Combo3, Combo5}) {
        if (c != picked) {
            c->setCurrentIndex(-1);
            c->setEditText(QString());
        }
    }
    SelectionMode = mode;
}

fees::FeeSelection FormOpzioniStampa::selection() const
{
    fees::FeeSelection s;
    s.mode = SelectionMode;
    switch (SelectionMode) {
    case fees::SelectionMode::Year: s.year = Combo1->currentText(); break;
    case fees::SelectionMode::Unpaid: s.year = Combo3->currentText(); break;
    case fees::SelectionMode::MemberType: s.tipoSocio = Combo5->currentText(); break;
    case fees::SelectionMode::Person: {
        // The person whose item the picker shows; a typed text that is no item lists nobody.
        const int i = Combo2->findText(Combo2->currentText(), Qt::MatchExactly);
        s.codNom = i >= 0 ? Combo2->itemData(i).toLongLong() : 0;
        break;
    }
    case fees::SelectionMode::None: break;
    }
    return s;
}

void FormOpzioniStampa::ComStampa_Click()
{
    if (!m_conn.db)
        return;
    const fees::FeeSelection s = selection();
    if (const QString refusal = fees::checkSelection(s); !refusal.isEmpty()) {
        warn(refusal);
        return;
    }
    const QString pickerText = SelectionMode == fees::SelectionMode::Year         ? Combo1->currentText()
                               : SelectionMode == fees::SelectionMode::Unpaid     ? Combo3->currentText()
                               : SelectionMode == fees::SelectionMode::MemberType ? Combo5->currentText()
                                                                                  : Combo2->currentText();
    reports::ShowOptions options;
    options.logoPath = m_conn.settings.logo_conn;
    if (SelectionMode == fees::SelectionMode::Unpaid) {
        // The unpaid list has a picture of its own; where it is missing the usual logo stands in.
        if (QFileInfo::exists(unpaidLogoPath()))
            options.logoPath = unpaidLogoPath();
        options.hiddenControls = fees::unpaidHiddenControls();
    }
    options.headingLabel = QStringLiteral("Label_Intest");
    options.heading = m_heading;
    // With nothing picked the label keeps its design text, which is empty.
    options.labels.insert(QStringLiteral("LabelTipo"), fees::selectionCaption(s, pickerText, today()));

    // The flags are written on a worker in one transaction, after the selections asked for
    // before; the report then shows the rows they select.
    m_jobs->run([s, year = today().year(), options, this](db::Database& db) -> ArchiveJobs::Show {
        fees::markFeesForPrint(db, s, year);
        return [options, this] {
            RunProgressBar(ProgressBar1);
            runShowingErrors([&] { reports::showReport(QStringLiteral("ReportQuoteSociali"), options); });
        };
    });
}

void FormOpzioniStampa::Cmd_Exit_Click() { close(); }

} // namespace vb

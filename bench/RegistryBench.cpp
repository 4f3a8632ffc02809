#include "bench/Generator.h"
#include "core/ui/WindowRegistry.h"
#include "members/Anagrafica.h"
#include "members/ui/FormAnagrafica.h"
#include "members/ui/MembersWindows.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

using namespace vb;

constexpr int kPersons = 100000;

// A registry of 100,000 persons, made once for every registry benchmark.
struct LargeRegistry {
    LargeRegistry()
    {
        bench::GeneratorOptions o;
        o.persons = kPersons;
        o.feesPerPerson = 0;
        o.cashRows = 0;
        o.postFees = false;
        auto db = folder.open();
        bench::generateArchive(*db, o);
    }
    bench::BenchFolder folder;
};

LargeRegistry& registry()
{
    static LargeRegistry r;
    return r;
}

FormAnagrafica* openWindow()
{
    registry();
    registerMembersWindows();
    return WindowRegistry::instance().showAs<FormAnagrafica>(QStringLiteral("FormAnagrafica"));
}

void closeWindow()
{
    WindowRegistry::instance().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int gridRows(QWidget* w) { return w->findChild<QTableView*>(QStringLiteral("MSHFlexGrid1"))->model()->rowCount(); }

void clickLabel(QWidget* label)
{
    const QPointF at(2, 2);
    QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(label, &release);
}

// The whole registry into the grid: the sort toggle refills it from the archive.
void BM_RegistryGridFill(benchmark::State& state)
{
    FormAnagrafica* w = openWindow();
    QWidget* order = w->findChild<QWidget*>(QStringLiteral("LabelOrder"));
    for (auto _ : state) {
        clickLabel(order);
        benchmark::DoNotOptimize(gridRows(w));
    }
    state.counters["rows"] = double(gridRows(w));
    closeWindow();
}
BENCHMARK(BM_RegistryGridFill)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// One key released in the search box holding "ro", and the grid refilled with the matches.
void BM_RegistrySearchKeystroke(benchmark::State& state)
{
    FormAnagrafica* w = openWindow();
    auto* search = w->findChild<QLineEdit*>(QStringLiteral("Text_Ricerca"));
    search->setText(QStringLiteral("ro"));
    for (auto _ : state) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
        QCoreApplication::sendEvent(search, &release);
        benchmark::DoNotOptimize(gridRows(w));
    }
    state.counters["rows"] = double(gridRows(w));
    closeWindow();
}
BENCHMARK(BM_RegistrySearchKeystroke)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

members::PersonRecord newPerson(int i)
{
    members::PersonRecord p;
    p.DataIscrizione = QStringLiteral("09/12/2026");
    p.Cognome = QStringLiteral("Nuovo");
    p.Nome = QStringLiteral("Iscritto %1").arg(i);
    p.LuogoNascita = QStringLiteral("Lucca");
    p.DataNascita = QStringLiteral("16/05/1978");
    p.Residente = QStringLiteral("Lucca");
    p.CAPresidente = QStringLiteral("55100");
    p.IndirizzoResidente = QStringLiteral("Via Fillungo");
    p.Numero = QStringLiteral("3");
    p.Cellulare = QStringLiteral("3331234567");
    p.PostaElettronica = QStringLiteral("nuovo@example.it");
    p.TipoSocio = QStringLiteral("ORDINARI");
    p.CF = QStringLiteral("NVOSCR78E16E715K");
    p.AssensoTrattDatiPersonali = true;
    return p;
}

// The rule alone: the checks and the row written in its transaction.
void BM_RegistryAddPerson(benchmark::State& state)
{
    auto db = registry().folder.open();
    members::Anagrafica anagrafica(*db);
    int i = 0;
    for (auto _ : state) {
        members::PersonRecord p = newPerson(++i);
        if (!anagrafica.add(p).isEmpty())
            state.SkipWithError("person refused");
    }
}
BENCHMARK(BM_RegistryAddPerson)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

// The add button of the window: the row written and the grid of the registry refilled.
void BM_RegistryAddPersonInWindow(benchmark::State& state)
{
    FormAnagrafica* w = openWindow();
    auto text = [w](const char* name) { return w->findChild<QLineEdit*>(QString::fromLatin1(name)); };
    auto* add = w->findChild<QPushButton*>(QStringLiteral("Cmd_New"));
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const members::PersonRecord p = newPerson(++i);
        text("Text_Cognome")->setText(p.Cognome);
        text("Text_Nome")->setText(p.Nome);
        text("Text_LuogoNascita")->setText(p.LuogoNascita);
        text("Text_DataNascita")->setText(p.DataNascita);
        text("Text_Residente")->setText(p.Residente);
        text("Text_CAPresidente")->setText(p.CAPresidente);
        text("Text_IndirizzoResidente")->setText(p.IndirizzoResidente);
        text("Text_Numero")->setText(p.Numero);
        text("Text_Cellulare")->setText(p.Cellulare);
        text("Text_PostaElettronica")->setText(p.PostaElettronica);
        text("Text_CF")->setText(p.CF);
        w->findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(p.TipoSocio);
        w->findChild<QCheckBox*>(QStringLiteral("Check_AssensoTrattDatiPersonali"))->setChecked(true);
        state.ResumeTiming();
        add->click();
    }
    state.counters["rows"] = double(gridRows(w));
    closeWindow();
}
BENCHMARK(BM_RegistryAddPersonInWindow)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

#include "bench/BareArchive.h"
#include "bench/Generator.h"
#include "bench/SideBySide.h"
#include "members/Anagrafica.h"
#include "members/ui/FormAnagrafica.h"
#include "members/ui/MembersWindows.h"
#include "ui/WindowRegistry.h"

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
#include <sqlite3.h>

namespace {

using namespace vb;

constexpr int kPersons = 100000;

// A registry of 100,000 persons, made once for every registry benchmark.
struct LargeRegistry {
    LargeRegistry()
    {
        auto db = folder.open();
        bench::generateArchive(*db, bench::GeneratorOptions::personsOnly(kPersons));
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

QTableView* grid(QWidget* w) { return w->findChild<QTableView*>(QStringLiteral("MSHFlexGrid1")); }
int gridRows(QWidget* w) { return grid(w)->model()->rowCount(); }

void clickLabel(QWidget* label)
{
    const QPointF at(2, 2);
    QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(label, &release);
}

// Counts the paints of a widget, to show that a timed step includes the view's repaint.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The grid's columns stepped through with the bare sqlite3 calls on the window's archive
// (opened with the program's settings), every cell read as text or number: the floor of
// the grid's fills.
struct BareSelect {
    BareSelect() : db(registry().folder.open()) {}

    int run(const char* where, std::initializer_list<std::pair<int, const char*>> texts = {},
            std::initializer_list<std::pair<int, int>> numbers = {})
    {
        return run(db->handle(), where, texts, numbers);
    }

    static int run(sqlite3* h, const char* where, std::initializer_list<std::pair<int, const char*>> texts = {},
            std::initializer_list<std::pair<int, int>> numbers = {})
    {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = QByteArrayLiteral("SELECT CodNom, Cognome, Nome, Telefono, Cell, CFiscale, NumTessera, "
                                                 "CodiceControllo FROM TabellaNominativi ")
            + where;
        sqlite3_prepare_v2(h, sql.constData(), int(sql.size()), &st, nullptr);
        for (const auto& [i, t] : texts)
            sqlite3_bind_text(st, i, t, -1, SQLITE_STATIC);
        for (const auto& [i, n] : numbers)
            sqlite3_bind_int(st, i, n);
        int rows = 0;
        size_t bytes = 0;
        sqlite3_int64 keys = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            keys += sqlite3_column_int64(st, 0) + sqlite3_column_int64(st, 7);
            for (int c = 1; c <= 6; ++c) {
                sqlite3_column_text(st, c);
                bytes += size_t(sqlite3_column_bytes(st, c));
            }
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(keys);
        return rows;
    }

    std::unique_ptr<db::Database> db;
};

// The whole registry into the grid and the grid repainted: the sort toggle refills it
// from the archive. Beside it, the bare SELECT of every person in the same order.
void BM_RegistryGridRefillBesideFloor(benchmark::State& state)
{
    FormAnagrafica* w = openWindow();
    w->resize(1024, 768);
    QCoreApplication::processEvents();
    QWidget* order = w->findChild<QWidget*>(QStringLiteral("LabelOrder"));
    PaintCounter painted(grid(w)->viewport());
    BareSelect bare;
    bench::SideBySide timing;
    bool ascending = true; // the first press sorts ascending
    for (auto _ : state) {
        timing.program([&] {
            clickLabel(order);
            QCoreApplication::processEvents();
        });
        timing.floor([&] { bare.run(ascending ? "ORDER BY CodNom ASC" : "ORDER BY CodNom DESC"); });
        ascending = !ascending;
    }
    timing.report(state, 2.0);
    state.counters["rows"] = double(gridRows(w));
    state.counters["paints"] = double(painted.paints) / double(state.iterations());
    closeWindow();
}
BENCHMARK(BM_RegistryGridRefillBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

// One key released in the search box holding "ro": the matches into the grid and the grid
// repainted. Beside it, the bare indexed SELECT of the same persons.
void BM_RegistrySearchKeystrokeBesideFloor(benchmark::State& state)
{
    FormAnagrafica* w = openWindow();
    w->resize(1024, 768);
    auto* search = w->findChild<QLineEdit*>(QStringLiteral("Text_Ricerca"));
    search->setText(QStringLiteral("ro"));
    QCoreApplication::processEvents();
    PaintCounter painted(grid(w)->viewport());
    BareSelect bare;
    bench::SideBySide timing;
    int matches = 0;
    for (auto _ : state) {
        timing.program([&] {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
            QCoreApplication::sendEvent(search, &release);
            QCoreApplication::processEvents();
        });
        timing.floor([&] {
            matches = bare.run("WHERE ChiaveCognome >= ?1 AND ChiaveCognome < ?2 ORDER BY Cognome ASC, CodNom ASC",
                               {{1, "ro"}, {2, "rp"}});
        });
    }
    timing.report(state, 2.0);
    state.counters["rows"] = double(gridRows(w));
    state.counters["floor_rows"] = matches;
    state.counters["paints"] = double(painted.paints) / double(state.iterations());
    closeWindow();
}
BENCHMARK(BM_RegistrySearchKeystrokeBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(30)->UseRealTime();

// The window opened and painted: its connection, the registry into the grid, the list of
// organisations, the heading. Beside it, a new bare connection and the SELECT of every
// person on it.
void BM_RegistryWindowOpenBesideFloor(benchmark::State& state)
{
    registry();
    registerMembersWindows();
    bench::SideBySide timing;
    for (auto _ : state) {
        timing.program([&] {
            QWidget* w = WindowRegistry::instance().show(QStringLiteral("FormAnagrafica"));
            w->resize(1024, 768);
            QCoreApplication::processEvents();
        });
        closeWindow();
        timing.floor([&] {
            sqlite3* h = bench::openBare(registry().folder.databasePath(), bench::BenchFolder::key());
            BareSelect::run(h, "ORDER BY CodNom DESC");
            sqlite3_close(h);
        });
    }
    timing.report(state, 0); // no goal set
}
BENCHMARK(BM_RegistryWindowOpenBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

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

#include "bench/BareArchive.h"
#include "bench/Generator.h"
#include "bench/SideBySide.h"
#include "core/MessageService.h"
#include "data/DataEnvironment.h"
#include "members/fees/FeePrintSelection.h"
#include "members/fees/ui/FeesWindows.h"
#include "members/fees/ui/FormOpzioniStampa.h"
#include "members/lists/MemberLists.h"
#include "members/lists/ReportSelections.h"
#include "members/lists/ui/FormVisualizzaStampa.h"
#include "members/lists/ui/ListsWindows.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportPreview.h"
#include "ui/WindowRegistry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <functional>
#include <vector>

namespace {

using namespace vb;

// 100,000 persons with the fees of the last years, made once for every list benchmark.
struct LargeMembers {
    LargeMembers()
    {
        bench::GeneratorOptions o;
        o.persons = 100000;
        o.feesPerPerson = 2;
        o.cashRows = 0;
        o.postFees = false;
        o.firstYear = 2019;
        o.years = 8; // fees of 2025 and 2026
        db = folder.open();
        bench::generateArchive(*db, o);
        bare = bench::openBare(folder.databasePath(), bench::BenchFolder::key());
    }
    ~LargeMembers() { sqlite3_close(bare); }
    bench::BenchFolder folder;
    std::unique_ptr<db::Database> db;
    sqlite3* bare = nullptr; // a second connection for the floors
};

LargeMembers& large()
{
    static LargeMembers m;
    return m;
}

db::Database& members() { return *large().db; }

// The scratch marks of one person as stored.
struct Marks {
    qint64 codNom = 0;
    qint64 addOK = 0, anni = 0, codiceControllo2 = 0;
    QByteArray compleanno;
    bool operator==(const Marks& o) const
    {
        return addOK == o.addOK && anni == o.anni && codiceControllo2 == o.codiceControllo2 && compleanno == o.compleanno;
    }
};

std::vector<Marks> storedMarks()
{
    std::vector<Marks> out;
    auto st = members().query(QStringLiteral(
        "SELECT CodNom, AddOK, Anni, CodiceControllo2, Compleanno FROM TabellaNominativi ORDER BY CodNom"));
    while (st.next())
        out.push_back({st.integer(0), st.integer(1), st.integer(2), st.integer(3), st.utf8(4).toByteArray()});
    return out;
}

// The rows whose marks differ between two states of a table (rows in key order), with
// their marks in |to|.
template <typename Row>
std::vector<Row> changes(const std::vector<Row>& from, const std::vector<Row>& to)
{
    std::vector<Row> out;
    for (size_t i = 0; i < to.size(); ++i) {
        if (!(from[i] == to[i]))
            out.push_back(to[i]);
    }
    return out;
}

// The floor of a marking: the rows whose marks change written by key with one prepared bare
// UPDATE, in one transaction.
void writeMarks(const std::vector<Marks>& rows)
{
    sqlite3* h = large().bare;
    sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h,
                       "UPDATE TabellaNominativi SET AddOK = ?1, Anni = ?2, CodiceControllo2 = ?3, Compleanno = ?4 "
                       "WHERE CodNom = ?5",
                       -1, &st, nullptr);
    for (const Marks& m : rows) {
        sqlite3_bind_int64(st, 1, m.addOK);
        sqlite3_bind_int64(st, 2, m.anni);
        sqlite3_bind_int64(st, 3, m.codiceControllo2);
        sqlite3_bind_text(st, 4, m.compleanno.constData(), int(m.compleanno.size()), SQLITE_STATIC);
        sqlite3_bind_int64(st, 5, m.codNom);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
}

// The persons' marks: stored, and the floor's writing of those that change.
struct PersonMarks {
    static std::vector<Marks> stored() { return storedMarks(); }
    static void write(const std::vector<Marks>& rows) { writeMarks(rows); }
};

// The print flag of one fee row as stored.
struct Flag {
    qint64 idRegistro = 0;
    qint64 validate = 0;
    bool operator==(const Flag& o) const { return validate == o.validate; }
};

// The fee rows' print flags: stored, and the floor's writing of those that change, by key
// with one prepared bare UPDATE in one transaction.
struct FeeFlags {
    static std::vector<Flag> stored()
    {
        std::vector<Flag> out;
        auto st = members().query(QStringLiteral("SELECT IDRegistro, Validate FROM RegistroQuoteSoci ORDER BY IDRegistro"));
        while (st.next())
            out.push_back({st.integer(0), st.integer(1)});
        return out;
    }
    static void write(const std::vector<Flag>& rows)
    {
        sqlite3* h = large().bare;
        sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "UPDATE RegistroQuoteSoci SET Validate = ?1 WHERE IDRegistro = ?2", -1, &st, nullptr);
        for (const Flag& f : rows) {
            sqlite3_bind_int64(st, 1, f.validate);
            sqlite3_bind_int64(st, 2, f.idRegistro);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    }
};

// Times a marking that takes a table from state A to state B beside the floor that writes
// only the rows changing from B to A: the same rows, each way once per iteration.
template <typename Table = PersonMarks>
void markingBesideFloor(benchmark::State& state, const std::function<void()>& markA, const std::function<void()>& markB)
{
    markA();
    const auto a = Table::stored();
    markB();
    const auto b = Table::stored();
    const auto toA = changes(b, a);
    bench::SideBySide timing;
    for (auto _ : state) {
        timing.floor([&] { Table::write(toA); });
        timing.program(markB);
    }
    timing.report(state, 2.0);
    state.counters["rows_changed"] = double(toA.size());
    if (!(Table::stored() == b))
        state.SkipWithError("the marking left other marks than its first run");
}

void BM_ListsFeeList(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        benchmark::DoNotOptimize(lists::feeList(db, 2026).lines.size());
}
BENCHMARK(BM_ListsFeeList)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ListsNumberedListRefill(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        benchmark::DoNotOptimize(lists::refillStampaSoci(db, 2026).lines.size());
}
BENCHMARK(BM_ListsNumberedListRefill)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The birthday option for January to March after one for April to June: the marks, and
// the list. Beside it, the rows whose marks change written by key.
void BM_ListsBirthdaysBesideFloor(benchmark::State& state)
{
    auto& db = members();
    const QDate today(2026, 12, 9);
    qsizetype lines = 0;
    markingBesideFloor(
        state, [&] { lists::birthdayList(db, 4, 6, today); },
        [&] { lines = lists::birthdayList(db, 1, 3, today).lines.size(); });
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_ListsBirthdaysBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The members in good standing of 2026 marked after those of 2025. Beside it, the rows
// whose mark changes written by key.
void BM_ListsGoodStandingMarkingBesideFloor(benchmark::State& state)
{
    auto& db = members();
    markingBesideFloor(
        state, [&] { lists::markSociEffettivi(db, 2025); }, [&] { lists::markSociEffettivi(db, 2026); });
}
BENCHMARK(BM_ListsGoodStandingMarkingBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The birthday option pressed in the members' lists window, January to March after April
// to June: the time until its list is shown, and the longest the window's event loop
// stood still meanwhile (a ticking 5 ms timer), which the option's work on its worker
// thread leaves to the showing of the lines.
void BM_ListsBirthdaysInWindow(benchmark::State& state)
{
    large();
    registerListsWindows();
    auto* w = WindowRegistry::instance().showAs<FormVisualizzaStampa>(QStringLiteral("FormVisualizzaStampa"));
    auto pick = [w](const char* combo, int index) {
        auto* c = w->findChild<QComboBox*>(QString::fromLatin1(combo));
        c->setCurrentIndex(index);
        Q_EMIT c->activated(index);
    };
    auto* option = w->findChild<QRadioButton*>(QStringLiteral("Option6"));
    double maxGap = 0;
    int lines = 0;
    for (auto _ : state) {
        for (const auto& [from, to] : {std::pair{3, 5}, std::pair{0, 2}}) {
            pick("Combo1", from);
            pick("Combo2", to);
            QElapsedTimer sinceTick;
            QTimer ticker;
            ticker.setInterval(5);
            QObject::connect(&ticker, &QTimer::timeout, [&] {
                maxGap = std::max(maxGap, double(sinceTick.nsecsElapsed()) / 1e6);
                sinceTick.restart();
            });
            // Only the second showing is timed.
            if (to == 2)
                state.ResumeTiming();
            else
                state.PauseTiming();
            sinceTick.start();
            ticker.start();
            option->click();
            w->waitForJobs();
            ticker.stop();
        }
        lines = int(w->listLines().size()) - 1;
    }
    state.counters["lines"] = lines;
    state.counters["max_ui_gap_ms"] = maxGap;
    WindowRegistry::instance().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_ListsBirthdaysInWindow)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The fee print options' selection, from one selection to another: a year after the year
// before (most rows change), a person after another (a few rows), the unpaid list of 2026
// after the payers of the current year, a member type after a year. Beside each, the rows
// whose flag changes written by key.
fees::FeeSelection selection(fees::SelectionMode mode, const QString& year = {}, qint64 codNom = 0,
                             const QString& tipoSocio = {})
{
    return {mode, year, codNom, tipoSocio};
}

using fees::SelectionMode;

void BM_FeePrintSelectionBesideFloor(benchmark::State& state, fees::FeeSelection from, fees::FeeSelection to)
{
    auto& db = members();
    markingBesideFloor<FeeFlags>(
        state, [&] { fees::markFeesForPrint(db, from, 2026); }, [&] { fees::markFeesForPrint(db, to, 2026); });
}
BENCHMARK_CAPTURE(BM_FeePrintSelectionBesideFloor, year, selection(SelectionMode::Year, QStringLiteral("2025")),
                  selection(SelectionMode::Year, QStringLiteral("2026")))
    ->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
// Two persons who paid fees of the last years.
void BM_FeePrintSelectionBesideFloor_person(benchmark::State& state)
{
    qint64 first = 0, second = 0;
    {
        auto payers =
            members().query(QStringLiteral("SELECT DISTINCT CodNom FROM RegistroQuoteSoci ORDER BY CodNom LIMIT 2"));
        payers.next();
        first = payers.integer(0);
        payers.next();
        second = payers.integer(0);
    }
    BM_FeePrintSelectionBesideFloor(state, selection(SelectionMode::Person, {}, first),
                                    selection(SelectionMode::Person, {}, second));
}
BENCHMARK(BM_FeePrintSelectionBesideFloor_person)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_CAPTURE(BM_FeePrintSelectionBesideFloor, unpaid, selection(SelectionMode::None),
                  selection(SelectionMode::Unpaid, QStringLiteral("2026")))
    ->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_CAPTURE(BM_FeePrintSelectionBesideFloor, member_type, selection(SelectionMode::Year, QStringLiteral("2025")),
                  selection(SelectionMode::MemberType, {}, 0, QStringLiteral("ORDINARI")))
    ->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The longest the window's event loop stood still while |run| ran, in milliseconds, as a
// timer ticking every 5 ms sees it.
double longestStall(const std::function<void()>& run)
{
    double longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();
    run();
    ticker.stop();
    return std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
}

// Answers every message box with its first button, keeping the last text.
class LastMessage final : public MessageService {
public:
    LastMessage() { setMessageService(this); }
    ~LastMessage() override { setMessageService(nullptr); }
    MsgResult message(const MessageRequest& r) override
    {
        text = r.text;
        return r.buttons == MsgButtons::YesNo || r.buttons == MsgButtons::YesNoCancel ? MsgResult::Yes : MsgResult::Ok;
    }
    QString input(const InputRequest&) override { return QString(); }
    QString text;
};

// The two spreadsheet exports of the members' lists window, the payers of 2026 (after
// their list is shown) and the mailing list: the time until each says where its file went,
// and the longest the window's event loop stood still meanwhile.
void BM_ListsExportsInWindow(benchmark::State& state)
{
    large();
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    LastMessage said;
    registerListsWindows();
    auto* w = WindowRegistry::instance().showAs<FormVisualizzaStampa>(QStringLiteral("FormVisualizzaStampa"));
    w->findChild<QLineEdit*>(QStringLiteral("TextAnno"))->setText(QStringLiteral("2026"));
    w->findChild<QRadioButton*>(QStringLiteral("Option1"))->click();
    w->waitForJobs();
    double maxGap = 0;
    for (auto _ : state) {
        for (const char* button : {"ExportExcel", "ComExpTXT"}) {
            maxGap = std::max(maxGap, longestStall([&] {
                                  w->findChild<QPushButton*>(QString::fromLatin1(button))->click();
                                  w->waitForJobs();
                              }));
            if (!said.text.startsWith(QStringLiteral("Esportazione completata")))
                state.SkipWithError(said.text.toUtf8().constData());
        }
    }
    state.counters["max_ui_gap_ms"] = maxGap;
    WindowRegistry::instance().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qputenv("HOME", oldHome);
}
BENCHMARK(BM_ListsExportsInWindow)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The fee print options' window printing the payers of 2026 after those of 2025: the time
// until the flags are written and the report's preview opens, and the longest the window's
// event loop stood still until the report's pages were ready.
void BM_FeePrintInWindow(benchmark::State& state)
{
    large();
    auto& env = data::DataEnvironment1::instance();
    env.Connection1().Open(large().folder.databasePath());
    registerFeesWindows();
    auto* w = WindowRegistry::instance().showAs<FormOpzioniStampa>(QStringLiteral("FormOpzioniStampa"));
    auto* years = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto print = [&](const QString& year) {
        const int i = years->findText(year);
        years->setCurrentIndex(i);
        Q_EMIT years->activated(i);
        w->findChild<QPushButton*>(QStringLiteral("ComStampa"))->click();
        w->waitForJobs();
    };
    auto ready = [] { reports::reportInstance(QStringLiteral("ReportQuoteSociali")).waitUntilReady(); };
    double maxGap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        print(QStringLiteral("2025"));
        ready();
        state.ResumeTiming();
        // The stall is watched until the report's pages are ready too; only the print is timed.
        maxGap = std::max(maxGap, longestStall([&] {
                              print(QStringLiteral("2026"));
                              state.PauseTiming();
                              ready();
                          }));
        state.ResumeTiming();
    }
    state.counters["max_ui_gap_ms"] = maxGap;
    if (auto* report = reports::existingReport(QStringLiteral("ReportQuoteSociali")))
        delete report->preview();
    WindowRegistry::instance().closeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    env.Connection1().Close();
}
BENCHMARK(BM_FeePrintInWindow)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ListsLapsedMarking(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        lists::markSociDecaduti(db, 2026);
}
BENCHMARK(BM_ListsLapsedMarking)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

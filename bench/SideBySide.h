#pragma once

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <type_traits>
#include <vector>

namespace vb::bench {

// A program path and its floor (the same work done with the bare library calls) timed in
// turn in the same run; the report gives their medians in milliseconds, the ratio of the
// path to the floor and the goal, and, where the runs return the size of what they wrote,
// those sizes and their ratio.
class SideBySide {
public:
    template <typename Run>
    void program(Run run)
    {
        time(run, m_program, m_programBytes);
    }
    template <typename Run>
    void floor(Run run)
    {
        time(run, m_floor, m_floorBytes);
    }

    void report(benchmark::State& state, double goal) const
    {
        const double program = median(m_program), floor = median(m_floor);
        state.counters["program_ms"] = program;
        state.counters["floor_ms"] = floor;
        state.counters["ratio"] = floor > 0 ? program / floor : 0;
        state.counters["goal"] = goal;
        if (m_programBytes == 0 && m_floorBytes == 0)
            return;
        state.counters["program_kb"] = double(m_programBytes) / 1024;
        state.counters["floor_kb"] = double(m_floorBytes) / 1024;
        state.counters["size_ratio"] = m_floorBytes > 0 ? double(m_programBytes) / double(m_floorBytes) : 0;
    }

private:
    template <typename Run>
    static void time(Run& run, std::vector<double>& times, qint64& bytes)
    {
        QElapsedTimer clock;
        clock.start();
        if constexpr (std::is_void_v<std::invoke_result_t<Run&>>)
            run();
        else
            bytes = run();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    static double median(std::vector<double> v)
    {
        if (v.empty())
            return 0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }

    std::vector<double> m_program, m_floor;
    qint64 m_programBytes = 0, m_floorBytes = 0;
};

} // namespace vb::bench

#pragma once

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace vb::bench {

// A path of the program timed beside its floor, the same work done with the bare library
// calls, in the same run: each iteration times the path once and the floor once. The
// benchmark's time is the path's (register it with UseManualTime()); the counters give
// the medians of both in milliseconds and their ratio, path over floor.
class SideBySide {
public:
    explicit SideBySide(benchmark::State& state) : m_state(state) {}
    SideBySide(const SideBySide&) = delete;
    SideBySide& operator=(const SideBySide&) = delete;
    ~SideBySide()
    {
        if (m_path.empty() || m_floor.empty())
            return;
        const double path = median(m_path);
        const double floor = median(m_floor);
        m_state.counters["path_ms"] = path * 1e3;
        m_state.counters["floor_ms"] = floor * 1e3;
        m_state.counters["ratio"] = floor > 0 ? path / floor : 0;
    }

    template <class F> void path(F&& work)
    {
        const double s = seconds(std::forward<F>(work));
        m_path.push_back(s);
        m_state.SetIterationTime(s);
    }
    template <class F> void floor(F&& work) { m_floor.push_back(seconds(std::forward<F>(work))); }

private:
    template <class F> static double seconds(F&& work)
    {
        QElapsedTimer t;
        t.start();
        work();
        return double(t.nsecsElapsed()) / 1e9;
    }
    static double median(std::vector<double> v)
    {
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }

    benchmark::State& m_state;
    std::vector<double> m_path;
    std::vector<double> m_floor;
};

} // namespace vb::bench

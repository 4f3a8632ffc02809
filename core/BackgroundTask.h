#pragma once

#include <atomic>
#include <functional>

namespace vb {

// How far a long job on a worker thread has got, and whether it was asked to stop. The
// user-interface thread reads it while the worker writes it (pages of a report, or steps of
// another job).
struct TaskProgress {
    std::atomic<int> done{0};        // pages laid out, written or printed so far
    std::atomic<int> total{0};       // pages in all; 0 while not known
    std::atomic<bool> cancelled{false};

    // Counts one more page; throws TaskCancelled when the job was asked to stop.
    void pageDone();
};

// Thrown inside a job that was asked to stop.
struct TaskCancelled {};

// Runs |work| on a worker thread of the program's own pool, then |done| on the thread of the
// user interface (queued, from its event loop). The program waits for running jobs when it
// ends. |work| must not touch widgets and reports its own errors; whatever it shares with |done| it passes through
// captured state, which |done| reads after |work| has finished.
void runInBackground(std::function<void()> work, std::function<void()> done);

// Processes events until |finished| returns true (the end of a job started with
// runInBackground); for callers that need the result before going on.
void waitFor(const std::function<bool()>& finished);

} // namespace vb

#pragma once

#include "core/BackgroundTask.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportPreview.h"
#include "reports/engine/ReportShow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace vb::bench {

// Times one showing of |report| as a window makes it, then its PDF from the preview:
// how long the window waits before the preview is painted (first paint), how long until
// the pages are all laid out or written (complete), and the longest the event loop stood
// still meanwhile (a ticking 5 ms timer). Sets them as counters in milliseconds.
inline void timeShowingAndPdf(benchmark::State& state, const QString& report, const reports::ShowOptions& options,
                              const QString& pdfPath)
{
    double firstPaint = 0, complete = 0, pdfStart = 0, pdfComplete = 0, maxGap = 0;
    size_t pages = 0;
    for (auto _ : state) {
        QElapsedTimer clock, sinceTick;
        QTimer ticker;
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            maxGap = std::max(maxGap, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });

        clock.start();
        reports::showReport(report, options);
        QCoreApplication::processEvents(); // the preview's first paint
        firstPaint = clock.nsecsElapsed() / 1e6;
        sinceTick.start();
        ticker.start();
        reports::ReportInstance& instance = reports::reportInstance(report);
        instance.waitUntilReady();
        complete = clock.nsecsElapsed() / 1e6;
        pages = size_t(instance.lastLayout().pageCount());

        reports::ReportPreview* preview = instance.preview();
        clock.restart();
        preview->startSaveAsPdf(pdfPath);
        QCoreApplication::processEvents();
        pdfStart = clock.nsecsElapsed() / 1e6;
        waitFor([preview] { return !preview->writing(); });
        pdfComplete = clock.nsecsElapsed() / 1e6;
        ticker.stop();
        delete preview;
    }
    state.counters["pages"] = double(pages);
    state.counters["show_first_paint_ms"] = firstPaint;
    state.counters["show_complete_ms"] = complete;
    state.counters["pdf_first_paint_ms"] = pdfStart;
    state.counters["pdf_complete_ms"] = pdfComplete;
    state.counters["max_ui_gap_ms"] = maxGap;
}

} // namespace vb::bench

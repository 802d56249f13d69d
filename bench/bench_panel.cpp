// The control panel on a 1920 x 1080 screen: opening it from the tray with
// a long list, the preview of a large photo and a large PNG, and an arrow
// key held down through a list of large photos.

#include "bench/PanelBench.h"
#include "panel/PanelWidgets.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<PanelBench> bench;

struct Photos {
    QString jpeg, png;
};

Photos& photos() {
    static Photos p{bench->photo(QStringLiteral("photo.jpg"), 6000, 4000),
                    bench->photo(QStringLiteral("picture.png"), 4000, 3000, "png")};
    return p;
}

// From the tray command to the panel painted with its preview.
void BM_OpenFromTray(benchmark::State& state) {
    PanelBench::fillList({photos().jpeg}, int(state.range(0)));
    for (auto _ : state) {
        frmMagicPanel* panel = PanelBench::openFromTray();
        state.PauseTiming();
        if (!panel->picImage->hasPicture())
            state.SkipWithError("no preview");
        PanelBench::close(panel);
        state.ResumeTiming();
    }
    state.counters["entries"] = double(state.range(0));
}

// One preview, forced, of a single selected picture.
void preview(benchmark::State& state, const QString& picture) {
    PanelBench::fillList({picture}, 1);
    frmMagicPanel* panel = PanelBench::openFromTray();
    for (auto _ : state)
        panel->DisplaySelectedEntry(true);
    state.counters["renders"] = panel->previewRenders();
    PanelBench::close(panel);
}

void BM_PreviewJpeg6000x4000(benchmark::State& state) {
    preview(state, photos().jpeg);
}

void BM_PreviewPng4000x3000(benchmark::State& state) {
    preview(state, photos().png);
}

// The Down key held through 200 entries of large photos, repeating every
// 33 ms as a keyboard does. Keys that fall due while a preview renders wait
// in the queue, as the window system keeps them, and are handled together.
void BM_HoldDownThrough200Photos(benchmark::State& state) {
    PanelBench::fillList({photos().jpeg}, 201);
    for (auto _ : state) {
        frmMagicPanel* panel = PanelBench::openFromTray();
        QTreeView* list = panel->lvEntries;
        list->setFocus();
        const int startRenders = panel->previewRenders();
        QElapsedTimer clock;
        clock.start();
        int sent = 0;
        qint64 lastKey = 0;
        int rendersAtLastKey = 0;
        while (sent < 200) {
            const int due = std::min(200, int(clock.elapsed() / 33) + 1);
            while (sent < due) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(list, &press);
                ++sent;
                lastKey = clock.elapsed();
                rendersAtLastKey = panel->previewRenders();
            }
            QApplication::processEvents();
            QThread::msleep(2);
        }
        while (panel->previewPending())
            QApplication::processEvents();
        const qint64 shown = clock.elapsed();
        state.counters["renders"] = panel->previewRenders() - startRenders;
        state.counters["renders_after_last_key"] = panel->previewRenders() - rendersAtLastKey;
        state.counters["last_key_to_preview_ms"] = double(shown - lastKey);
        state.counters["ends_on_entry_200"] = panel->CurrentEntry == 200 ? 1 : 0;
        state.PauseTiming();
        PanelBench::close(panel);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_OpenFromTray)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewJpeg6000x4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewPng4000x3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoldDownThrough200Photos)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    bench = std::make_unique<PanelBench>();
    photos();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench.reset();
    return 0;
}

// The wallpaper's hot path: load, turn, crop, place, logo and bitmap write,
// for a large camera photo and a large PNG, on a 1920 x 1080 screen.

#include "bench/Photos.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperRender.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

FixedScreen screen(1920, 1080);

struct Pictures {
    QTemporaryDir dir;
    QString jpeg = dir.path() + QStringLiteral("/photo.jpg");
    QString png = dir.path() + QStringLiteral("/picture.png");
    QString bitmap = dir.path() + QStringLiteral("/ZOZ.bmp");
    Pictures() {
        writePhoto(jpeg, photoLike(6000, 4000));
        writePhoto(png, photoLike(4000, 3000), "png");
    }
};

Pictures& pictures() {
    static Pictures p;
    return p;
}

void render(benchmark::State& state, const QString& path, int16_t placement, int16_t border) {
    services().screen = &screen;
    Options.Border = border;
    Options.DisplayMMessage = true;
    for (auto _ : state) {
        frmLeadControl host;
        int16_t position = placement;
        int32_t rotation = 0;
        if (BuildWallpaperImage(host, path, position, -1, 0, 0, 0, rotation) != 0 ||
            host.LEAD1.save(pictures().bitmap) != 0) {
            state.SkipWithError("rendering failed");
            break;
        }
        state.counters["width"] = host.LEAD1.width();
        state.counters["height"] = host.LEAD1.height();
    }
}

void BM_PhotoBestFit(benchmark::State& s) {
    render(s, pictures().jpeg, 4, 0);
}
void BM_PhotoCentre(benchmark::State& s) {
    render(s, pictures().jpeg, 2, 20);
}
void BM_PhotoStretch(benchmark::State& s) {
    render(s, pictures().jpeg, 3, 20);
}
void BM_PhotoTile(benchmark::State& s) {
    render(s, pictures().jpeg, 1, 20);
}
void BM_PngBestFit(benchmark::State& s) {
    render(s, pictures().png, 4, 0);
}
void BM_PngCentre(benchmark::State& s) {
    render(s, pictures().png, 2, 20);
}
void BM_PngStretch(benchmark::State& s) {
    render(s, pictures().png, 3, 20);
}
void BM_PngTile(benchmark::State& s) {
    render(s, pictures().png, 1, 20);
}

} // namespace

BENCHMARK(BM_PhotoBestFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoCentre)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoStretch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoTile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngBestFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngCentre)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngStretch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngTile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    pictures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

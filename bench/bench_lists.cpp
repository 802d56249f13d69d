// The list file and the searches over lists: loading and saving the largest
// list a file can hold, rebuilding the index over a full folder of lists,
// and the duplicate search, with how often it opened each picture.

#include "bench/ListFixtures.h"
#include "bench/PrintedErrors.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Folders {
    QTemporaryDir dir;
    QString pictures = dir.path() + QStringLiteral("/Pictures/");
    Folders() {
        Options.PrivateMagicListPath = dir.path() + QStringLiteral("/private/");
        Options.PublicMagicListPath = dir.path() + QStringLiteral("/public/");
        Options.PublicImagesPath = dir.path() + QStringLiteral("/Images/");
        Options.ListExtension = QStringLiteral("MLS");
        for (const QString& f :
             {Options.PrivateMagicListPath, Options.PublicMagicListPath, pictures})
            QDir().mkpath(f);
        QFile picture(pictures + QStringLiteral("first.jpg"));
        if (picture.open(QIODevice::WriteOnly))
            picture.write("picture");
    }
    QString firstPicture() const { return pictures + QStringLiteral("first.jpg"); }
};

Folders& folders() {
    static Folders f;
    return f;
}

constexpr int kLargest = 32767;

void BM_SaveLargestList(benchmark::State& state) {
    clsMagicList list;
    fillList(list, folders().firstPicture(), kLargest);
    list.ClearFilePath();
    list.Save();
    for (auto _ : state)
        benchmark::DoNotOptimize(list.Save());
    state.counters["entries"] = list.GetCount();
    state.counters["bytes"] = double(QFileInfo(list.GetFilePath()).size());
    QFile::remove(list.GetFilePath());
}

void BM_LoadLargestList(benchmark::State& state) {
    clsMagicList written;
    fillList(written, folders().firstPicture(), kLargest);
    written.ClearFilePath();
    written.Save();
    clsMagicList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.Load(written.GetFilePath()));
    state.counters["entries"] = list.GetCount();
    QFile::remove(written.GetFilePath());
}

void BM_BuildIndexFullFolder(benchmark::State& state) {
    QStringList made;
    for (int n = 0; n < 200; ++n) {
        clsMagicList list;
        fillList(list, folders().firstPicture(), 100);
        list.SetListName(QStringLiteral("List %1").arg(n + 1));
        list.ClearFilePath();
        list.Save();
        made.append(list.GetFilePath());
    }
    for (auto _ : state)
        BuildMagicListIndex();
    state.counters["lists"] = ListIndexCount;
    for (const QString& file : made)
        QFile::remove(file);
}

// 10,000 pictures of four sizes; every tenth one a copy of an earlier one.
void BM_RemoveDuplicates(benchmark::State& state) {
    const QString folder = folders().pictures + QStringLiteral("many/");
    QDir().mkpath(folder);
    constexpr int kPictures = 10000;
    clsMagicList original;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = folder + QStringLiteral("p%1.jpg").arg(i);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            const int source = i % 10 == 9 ? i - 9 : i;
            QByteArray bytes(1024 + 256 * (source % 4), char(source % 251));
            const QByteArray tag = QByteArray::number(source);
            bytes.replace(0, tag.size(), tag);
            file.write(bytes);
        }
        original.AddItem(path, 0, 4);
    }
    timeRemoveDuplicates(state, original);
    QDir(folder).removeRecursively();
}

} // namespace

BENCHMARK(BM_SaveLargestList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargestList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildIndexFullFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PrintedErrors presenter;
    setErrorPresenter(&presenter);
    folders();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

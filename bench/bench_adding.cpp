// Adding and taking out many pictures at once: a drop of 5,000 files on an
// empty list and in the middle of a full one (nothing copied), the
// duplicate search over 10,000 entries of which 1,000 are pictures of 1 MB
// in pairs (warm cache), and removing entries from large lists. Printed,
// never timed in the tests.

#include "bench/ListFixtures.h"
#include "bench/PrintedErrors.h"
#include "engine/MagicList.h"
#include "engine/MagicListDuplicates.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "panel/AddPictures.h"
#include "panel/PanelViews.h"
#include "platform/DriveTypes.h"
#include "platform/Folders.h"
#include "platform/Services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoViews final : public PanelViews {
public:
    QWidget* panelWindow() override { return nullptr; }
    void FillEntryList() override {}
    void StoreActiveList() override {}
    void FillListNames() override {}
    void UpdateSelectionState() override {}
    void DisplaySelectedEntry(bool) override {}
    void DeleteCurrentList() override {}
    void clearEntryList() override {}
    void focusEntryList() override {}
    int16_t currentEntry() const override { return -1; }
    void setCurrentEntry(int16_t) override {}
    int32_t currentListNumber() const override { return -1; }
    void setCurrentListName(const QString&) override {}
};

struct World {
    QTemporaryDir dir;
    FixedDriveClassifier drives; // every folder a local disk: nothing is copied
    FixedFolders folders = FixedFolders::under(dir.path());
    World() {
        services().drives = &drives;
        services().folders = &folders;
        Options.PrivateMagicListPath = dir.path() + QStringLiteral("/private/");
        Options.PublicMagicListPath = dir.path() + QStringLiteral("/public/");
        Options.ListExtension = QStringLiteral("MLS");
        QDir().mkpath(Options.PrivateMagicListPath);
        QDir().mkpath(Options.PublicMagicListPath);
    }
    // `count` files in a folder of their own, each of `size(i)` bytes.
    QStringList files(const QString& folder, int count,
                      const std::function<QByteArray(int)>& bytes) {
        const QString path = dir.path() + u'/' + folder + u'/';
        QDir().mkpath(path);
        QStringList made;
        for (int i = 0; i < count; ++i) {
            const QString file = path + QStringLiteral("IMG_%1.jpg").arg(i, 5, 10, QChar(u'0'));
            QFile f(file);
            if (f.open(QIODevice::WriteOnly))
                f.write(bytes(i));
            made << file;
        }
        return made;
    }
};

World& world() {
    static World w;
    return w;
}

const QStringList& fiveThousand() {
    static const QStringList files =
        world().files(QStringLiteral("drop"), 5000, [](int) { return QByteArray("picture"); });
    return files;
}

void BM_DropFiveThousandOnAnEmptyList(benchmark::State& state) {
    NoViews views;
    for (auto _ : state) {
        ActiveMagicList = clsMagicList();
        dropOnEntryList(views, fiveThousand(), -1);
    }
    state.counters["entries"] = ActiveMagicList.GetCount();
}

void BM_DropFiveThousandInTheMiddle(benchmark::State& state) {
    NoViews views;
    clsMagicList full;
    for (const QString& f : fiveThousand())
        full.AddItem(f, -1, -1);
    for (auto _ : state) {
        state.PauseTiming();
        ActiveMagicList = full;
        state.ResumeTiming();
        dropOnEntryList(views, fiveThousand(), 2);
    }
    state.counters["entries"] = ActiveMagicList.GetCount();
}

// 9,000 small pictures of sizes of their own and 1,000 pictures of 1 MB,
// each of them twice.
void BM_RemoveDuplicatesOfLargePictures(benchmark::State& state) {
    const QStringList small = world().files(
        QStringLiteral("small"), 9000, [](int i) { return QByteArray(100 + i, char(i % 256)); });
    const QStringList large = world().files(QStringLiteral("large"), 1000, [](int i) {
        QByteArray bytes(1 << 20, char(i / 2 % 251));
        const QByteArray tag = QByteArray::number(i / 2);
        bytes.replace(0, tag.size(), tag);
        return bytes;
    });
    clsMagicList original;
    for (const QStringList* files : {&small, &large}) {
        for (const QString& f : *files)
            original.AddItem(f, -1, -1);
    }
    timeRemoveDuplicates(state, original);
}

// Removing 1,000 entries that are the program's own copies from a list of
// 10,000, as the panel's Remove does: the entries one by one from the end,
// then the list file written and the copies deleted in one pass. Target:
// under a second (about 0.1 s here, from 66 s when every removal resolved
// the whole list and read the other lists again).
void BM_RemoveThousandOwnCopies(benchmark::State& state) {
    const QString copies = Options.PrivateMagicListPath + QStringLiteral("Other Images");
    QDir().mkpath(copies);
    clsMagicList original;
    for (const QString& f :
         world().files(QStringLiteral("keep"), 9000, [](int) { return QByteArray("kept"); }))
        original.AddItem(f, -1, -1);
    QStringList own;
    for (int i = 0; i < 1000; ++i)
        own << copies + QStringLiteral("/copy%1.jpg").arg(i);
    for (auto _ : state) {
        state.PauseTiming();
        clsMagicList list = original;
        for (const QString& path : own) {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write("copy");
            list.AddItem(path, -1, -1);
        }
        state.ResumeTiming();
        for (int16_t i = list.GetCount() - 1; i >= 9000; --i)
            list.DeleteItem(i);
        list.Save();
        benchmark::DoNotOptimize(list.GetCount());
        state.PauseTiming();
        if (QFileInfo::exists(own.first()))
            state.SkipWithError("the copies were not deleted");
        QFile::remove(list.GetFilePath());
        state.ResumeTiming();
    }
}

// Emptying the largest list a file can hold, entry by entry.
void BM_EmptyTheLargestList(benchmark::State& state) {
    const QString picture = fiveThousand().first();
    clsMagicList original;
    for (int i = 0; i < 32767; ++i)
        original.AddItem(picture, -1, -1);
    for (auto _ : state) {
        state.PauseTiming();
        clsMagicList list = original;
        state.ResumeTiming();
        for (int16_t i = list.GetCount() - 1; i >= 0; --i)
            list.DeleteItem(i);
        benchmark::DoNotOptimize(list.GetCount());
    }
    state.counters["entries"] = original.GetCount();
}

} // namespace

BENCHMARK(BM_DropFiveThousandOnAnEmptyList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropFiveThousandInTheMiddle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDuplicatesOfLargePictures)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RemoveThousandOwnCopies)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_EmptyTheLargestList)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrintedErrors presenter;
    setErrorPresenter(&presenter);
    world();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

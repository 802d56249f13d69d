#include "engine/DisplayEntry.h"
#include "engine/FileRoutines.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/PictureCopies.h"
#include "platform/FileRegistry.h"
#include "platform/ImageBox.h"
#include "platform/RecordingDesktop.h"
#include "platform/RegularFile.h"
#include "runtime/RuntimeError.h"
#include "tests/engine/test_magiclist_helpers.h"

#include <QFile>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Frees a reader caught opening the pipe, so that a fault fails the test
// instead of hanging it: while the work runs, the pipe is opened for
// writing now and then, which lets a waiting open return (and then read an
// end of file). Whether it ever had to is the finding.
class PipeWatchdog {
public:
    explicit PipeWatchdog(const QStringList& pipes) {
        for (const QString& p : pipes)
            pipes_.append(QFile::encodeName(p));
        thread_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            while (!cv_.wait_for(lock, 300ms, [this] { return done_; })) {
                for (const QByteArray& p : pipes_) {
                    // Succeeds only when someone has the pipe open for reading.
                    const int fd = ::open(p.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0) {
                        rescued_ = true;
                        ::close(fd);
                    }
                }
            }
        });
    }
    ~PipeWatchdog() { stop(); }
    PipeWatchdog(const PipeWatchdog&) = delete;
    PipeWatchdog& operator=(const PipeWatchdog&) = delete;

    // Ends the watch; true when a reader had to be freed.
    bool stop() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        cv_.notify_all();
        if (thread_.joinable())
            thread_.join();
        return rescued_;
    }

private:
    QList<QByteArray> pipes_;
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::atomic<bool> rescued_ = false;
    std::thread thread_;
};

class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        pipe = env.path(QStringLiteral("pipe.png"));
        secondPipe = env.path(QStringLiteral("pipe2.png"));
        for (const QString& p : {pipe, secondPipe})
            ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        services().desktop = &desktop;
    }

    TestEnvironment env;
    RecordingDesktop desktop;
    QString pipe, secondPipe;
};

} // namespace

TEST_F(RegularFileTest, APipeWherePicturesListsOrSettingsAreExpectedIsRefusedWithoutWaiting) {
    const struct {
        const char* what;
        std::function<void()> work;
    } cases[] = {
        {"size probe", [&] { EXPECT_FALSE(ImageBox::orientedSize(pipe)); }},
        {"picture load", [&] { EXPECT_EQ(ImageBox().load(pipe), imgerr::InvalidFormat); }},
        {"byte sum", [&] { EXPECT_EQ(GetFileChecksum(pipe), 0); }},
        {"list load",
         [&] {
             clsMagicList list;
             EXPECT_NE(list.loadQuietly(pipe), 0);
         }},
        {"rotation of a cropped entry",
         [&] {
             clsMagicList list;
             list.AddItem(writeImage(env, QStringLiteral("a.png"), 40, 30), -1, -1);
             list.SetEntryProperties(0, 1, 2, 10, 10);
             list.SetEntryPath(0, pipe);
             list.RotateEntry(0);
             EXPECT_EQ(list.GetEntryRotate(0), 0);
         }},
        {"duplicate search",
         [&] {
             clsMagicList list;
             addAll(list, {writePicture(env, QStringLiteral("a.png")),
                           writePicture(env, QStringLiteral("b.png"))});
             list.SetEntryPath(0, pipe);
             list.SetEntryPath(1, secondPipe);
             list.RemoveDuplicates();
             EXPECT_EQ(list.GetCount(), 2);
         }},
        {"showing the entry",
         [&] {
             clsMagicList list;
             list.AddItem(writePicture(env, QStringLiteral("a.png")), -1, -1);
             list.SetEntryPath(0, pipe);
             DisplayListEntry(list, 0, true);
             ASSERT_EQ(env.errors.calls.size(), 1);
             EXPECT_TRUE(env.errors.calls[0].message.contains(QStringLiteral("20009")));
             EXPECT_TRUE(desktop.applied.isEmpty());
         }},
        {"copy into the list folder",
         [&] {
             env.drives.fallback = drive::Removable;
             EXPECT_THROW(GetImageFolderName(pipe, QString()), RuntimeError);
         }},
        {"settings file",
         [&] {
             FileRegistry::Locations where;
             where.currentUserFile = pipe;
             where.localMachineFile = env.path(QStringLiteral("machine.reg"));
             FileRegistry registry(where);
             EXPECT_FALSE(
                 registry.value(Hive::CurrentUser, QStringLiteral("K"), QStringLiteral("A")));
         }},
    };
    for (const auto& c : cases) {
        env.errors.calls.clear();
        PipeWatchdog watchdog({pipe, secondPipe});
        c.work();
        EXPECT_FALSE(watchdog.stop()) << c.what << " waited on the pipe";
    }
}

TEST_F(RegularFileTest, OnlyRegularFilesOpen) {
    const QString file = writePicture(env, QStringLiteral("a.png"), "bytes");
    QFile opened;
    ASSERT_TRUE(openRegularFile(opened, file));
    EXPECT_EQ(opened.readAll(), QByteArray("bytes"));
    for (const QString& other :
         {pipe, env.folders.documents, env.path(QStringLiteral("missing.png")), QString()}) {
        QFile refused;
        EXPECT_FALSE(openRegularFile(refused, other)) << other.toStdString();
        EXPECT_FALSE(isRegularFile(other)) << other.toStdString();
    }
    EXPECT_TRUE(isRegularFile(file));
}

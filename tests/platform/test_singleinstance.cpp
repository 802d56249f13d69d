#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

const QString kCaption = QStringLiteral("Tapestrel Main");
const InstanceMessage kShowPanel{1025, 0, -32767};

// Serves events until the condition holds or the time has passed.
bool serveUntil(const std::function<bool()>& condition, int ms = 2000) {
    QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// A later copy's claim, made from another thread as from another process:
// it waits for the running copy, which needs this thread's events to answer.
bool claimFromElsewhere(const QString& folder, const InstanceMessage& m) {
    bool claimed = true, done = false;
    std::thread other([&] {
        LocalSocketInstance later(kCaption, folder);
        claimed = later.claim(m);
        done = true;
    });
    serveUntil([&] { return done; });
    other.join();
    return claimed;
}

TEST(SingleInstance, TheNameBelongsToTheCaptionAndTheUser) {
    LocalSocketInstance instance(kCaption, QStringLiteral("/run/user/1000"));
    EXPECT_EQ(instance.socketPath(),
              QStringLiteral("/run/user/1000/Tapestrel Main-") + LocalSocketInstance::userName());
    EXPECT_FALSE(LocalSocketInstance::userName().isEmpty());
}

TEST(SingleInstance, ALaterCopyHandsItsMessageToTheRunningOne) {
    QTemporaryDir dir;
    LocalSocketInstance first(kCaption, dir.path());
    ASSERT_TRUE(first.claim(kShowPanel));

    // Messages that come before the main form takes them are kept for it.
    EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
    EXPECT_FALSE(claimFromElsewhere(dir.path(), {1025, 0, 7}));
    serveUntil([] { return false; }, 200);
    QList<InstanceMessage> got;
    first.setHandler([&](const InstanceMessage& m) { got.append(m); });
    EXPECT_EQ(got, (QList<InstanceMessage>{kShowPanel, {1025, 0, 7}}));

    EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
    EXPECT_TRUE(serveUntil([&] { return got.size() == 3; }));
}

TEST(SingleInstance, ASocketLeftByACopyThatDiedIsTakenOver) {
    QTemporaryDir dir;
    LocalSocketInstance probe(kCaption, dir.path());
    const QByteArray path = QFile::encodeName(probe.socketPath());
    // A bound socket nobody listens on any more, as a killed copy leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof address.sun_path);
    memcpy(address.sun_path, path.constData(), path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(probe.socketPath()));

    LocalSocketInstance next(kCaption, dir.path());
    EXPECT_TRUE(next.claim(kShowPanel));
    EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
}

TEST(SingleInstance, AfterReleaseTheNextCopyRuns) {
    QTemporaryDir dir;
    {
        LocalSocketInstance first(kCaption, dir.path());
        ASSERT_TRUE(first.claim(kShowPanel));
        first.release();
        LocalSocketInstance second(kCaption, dir.path());
        EXPECT_TRUE(second.claim(kShowPanel));
    }
    // Nor does a copy that ended stand in the way.
    LocalSocketInstance third(kCaption, dir.path());
    EXPECT_TRUE(third.claim(kShowPanel));
}

TEST(SingleInstance, WithoutAPlaceForTheNameTheProgramStillRuns) {
    LocalSocketInstance lonely(kCaption, QStringLiteral("/nonexistent/folder"));
    EXPECT_TRUE(lonely.claim(kShowPanel));
}

TEST(SingleInstance, MessagesTravelAsThreeNumbers) {
    EXPECT_EQ(LocalSocketInstance::encode(kShowPanel), QByteArray("1025 0 -32767\n"));
    const struct {
        const char* line;
        bool ok;
    } cases[] = {{"1025 0 -32767\n", true},
                 {"1025 0 -32767", true},
                 {"1025 0\n", false},
                 {"1025 x -32767\n", false},
                 {"", false},
                 {"1 2 3 4\n", false}};
    for (const auto& c : cases) {
        InstanceMessage m{9, 9, 9};
        EXPECT_EQ(LocalSocketInstance::decode(c.line, m), c.ok) << c.line;
        EXPECT_EQ(m == kShowPanel, c.ok) << c.line;
    }
}

} // namespace

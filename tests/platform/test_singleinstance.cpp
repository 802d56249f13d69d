#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
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
// `token` is the activation token the later copy was started with.
bool claimFromElsewhere(const QString& folder, const InstanceMessage& m,
                        const QByteArray& token = {}) {
    bool claimed = true, done = false;
    std::thread other([&] {
        LocalSocketInstance later(kCaption, folder);
        later.setActivationToken(token);
        claimed = later.claim(m);
        done = true;
    });
    serveUntil([&] { return done; });
    other.join();
    return claimed;
}

// A local socket bound at the path (bind) or connected to it (connect), or -1.
int socketAt(const QString& path, int (*attach)(int, const sockaddr*, socklen_t)) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(name.size()) >= sizeof address.sun_path)
        return -1;
    memcpy(address.sun_path, name.constData(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && attach(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
int boundSocket(const QString& path) {
    return socketAt(path, ::bind);
}
int connectedSocket(const QString& path) {
    return socketAt(path, ::connect);
}

// What a connection gets back before the other end closes it (or two
// seconds pass: then `closed` stays false).
QByteArray readUntilClosed(int fd, bool& closed) {
    QByteArray got;
    closed = false;
    QDeadlineTimer deadline(2000);
    while (!deadline.hasExpired()) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            closed = true;
            break;
        }
        got.append(buffer, n);
    }
    return got;
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

TEST(SingleInstance, TheActivationTokenOfTheLaterCopyReachesTheRunningOne) {
    QTemporaryDir dir;
    LocalSocketInstance first(kCaption, dir.path());
    // The running copy's own token is not what it is handed.
    first.setActivationToken("first-copy's");
    ASSERT_TRUE(first.claim(kShowPanel));
    QList<InstanceMessage> got;
    first.setHandler([&](const InstanceMessage& m) { got.append(m); });

    // A token as GNOME hands it out, one of the most a message may carry,
    // and one that can't travel (it has a blank): the message still goes.
    const QByteArray gnome = "gnome-shell/Tapestrel/2745-3-host_TIME1234567";
    const QByteArray longest(LocalSocketInstance::kMaxTokenBytes, 'k');
    for (const QByteArray& token : {gnome, longest, QByteArray("a b")})
        EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel, token)) << token.constData();
    ASSERT_TRUE(serveUntil([&] { return got.size() == 3; }));
    EXPECT_EQ(got[0], (InstanceMessage{1025, 0, -32767, gnome}));
    EXPECT_EQ(got[1].activationToken, longest);
    EXPECT_EQ(got[2], kShowPanel);
}

TEST(SingleInstance, ASocketLeftByACopyThatDiedIsTakenOver) {
    QTemporaryDir dir;
    LocalSocketInstance probe(kCaption, dir.path());
    // A bound socket nobody listens on any more, as a killed copy leaves it.
    const int fd = boundSocket(probe.socketPath());
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(probe.socketPath()));

    LocalSocketInstance next(kCaption, dir.path());
    EXPECT_TRUE(next.claim(kShowPanel));
    EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
}

TEST(SingleInstance, ANameThatNeverAnswersIsTakenOver) {
    QTemporaryDir dir;
    LocalSocketInstance probe(kCaption, dir.path());
    // A hung copy: its socket takes connections but nobody ever reads them.
    const int hung = boundSocket(probe.socketPath());
    ASSERT_GE(hung, 0);
    ASSERT_EQ(::listen(hung, 8), 0);

    QElapsedTimer waited;
    waited.start();
    LocalSocketInstance next(kCaption, dir.path());
    EXPECT_TRUE(next.claim(kShowPanel));
    EXPECT_LT(waited.elapsed(), 8000);
    QList<InstanceMessage> got;
    next.setHandler([&](const InstanceMessage& m) { got.append(m); });
    EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
    EXPECT_TRUE(serveUntil([&] { return got.size() == 1; }));
    ::close(hung);
}

// Another user's copy at the name: its socket file, or only the process
// behind a socket file of ours. Needs the rights to be another user.
TEST(SingleInstance, AnotherUsersCopyIsNeitherToldNorObeyed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs to run as root to start a copy of another user";
    for (bool fileOfOther : {true, false}) {
        QTemporaryDir dir;
        ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
        LocalSocketInstance probe(kCaption, dir.path());
        int ready[2], told[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe2(told, O_NONBLOCK), 0);
        const pid_t other = ::fork();
        ASSERT_GE(other, 0);
        if (other == 0) {
            // The other user's copy: it answers every message as taken and
            // tells the test it got one.
            int fd = fileOfOther ? -1 : boundSocket(probe.socketPath());
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(1);
            if (fileOfOther)
                fd = boundSocket(probe.socketPath());
            if (fd < 0 || ::listen(fd, 8) != 0)
                ::_exit(1);
            [[maybe_unused]] ssize_t n = ::write(ready[1], "r", 1);
            for (;;) {
                const int c = ::accept(fd, nullptr, nullptr);
                if (c < 0)
                    ::_exit(0);
                char buffer[64];
                if (::read(c, buffer, sizeof buffer) > 0)
                    n = ::write(told[1], "m", 1);
                n = ::write(c, "OK\n", 3);
                ::close(c);
            }
        }
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);

        LocalSocketInstance next(kCaption, dir.path());
        EXPECT_TRUE(next.claim(kShowPanel)) << fileOfOther;
        EXPECT_LT(::read(told[0], &byte, 1), 1) << "the other user's copy was told";
        // The name is ours now.
        QList<InstanceMessage> got;
        next.setHandler([&](const InstanceMessage& m) { got.append(m); });
        EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
        EXPECT_TRUE(serveUntil([&] { return got.size() == 1; })) << fileOfOther;

        ::kill(other, SIGKILL);
        ::waitpid(other, nullptr, 0);
        for (int fd : {ready[0], ready[1], told[0], told[1]})
            ::close(fd);
    }
}

TEST(SingleInstance, AConnectionMaySendOneShortMessageAndNoMore) {
    QTemporaryDir dir;
    LocalSocketInstance first(kCaption, dir.path());
    ASSERT_TRUE(first.claim(kShowPanel));
    QList<InstanceMessage> got;
    first.setHandler([&](const InstanceMessage& m) { got.append(m); });

    const struct {
        const char* what;
        QByteArray sent;
        QByteArray answered;
        qsizetype delivered;
    } cases[] = {
        {"endless text", QByteArray(100000, 'x'), "", 0},
        {"two messages", "1025 0 1\n1025 0 2\n", "OK\n", 1},
        {"not a message", "hello\n", "", 0},
    };
    for (const auto& c : cases) {
        got.clear();
        QByteArray answered;
        bool closed = false, done = false;
        std::thread client([&] {
            const int fd = connectedSocket(first.socketPath());
            if (fd >= 0) {
                for (qsizetype at = 0; at < c.sent.size();) {
                    const ssize_t n = ::send(fd, c.sent.constData() + at,
                                             size_t(c.sent.size() - at), MSG_NOSIGNAL);
                    if (n <= 0)
                        break;
                    at += n;
                }
                answered = readUntilClosed(fd, closed);
                ::close(fd);
            }
            done = true;
        });
        serveUntil([&] { return done; }, 5000);
        client.join();
        serveUntil([] { return false; }, 100);
        EXPECT_TRUE(closed) << c.what;
        EXPECT_EQ(answered, c.answered) << c.what;
        EXPECT_EQ(got.size(), c.delivered) << c.what;
    }
    // The running copy still takes a proper message.
    got.clear();
    EXPECT_FALSE(claimFromElsewhere(dir.path(), kShowPanel));
    EXPECT_TRUE(serveUntil([&] { return got.size() == 1; }));
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
                 {"1 2 3 4\n", false},
                 // Fields that a later version may add are passed over.
                 {"1025 0 -32767 later=yes\n", true},
                 {"1025 0 -32767 token\n", false},
                 {"1025 0 -32767 =x\n", false},
                 {"1025 0 -32767  later=yes\n", false}};
    for (const auto& c : cases) {
        InstanceMessage m{9, 9, 9, "old"};
        EXPECT_EQ(LocalSocketInstance::decode(c.line, m), c.ok) << c.line;
        EXPECT_EQ(m == kShowPanel, c.ok) << c.line;
    }
}

TEST(SingleInstance, AnActivationTokenTravelsAsAFieldOfTheLine) {
    const InstanceMessage withToken{1025, 0, -32767, "kwin-4f1c_TIME99"};
    EXPECT_EQ(LocalSocketInstance::encode(withToken),
              QByteArray("1025 0 -32767 token=kwin-4f1c_TIME99\n"));
    InstanceMessage m;
    ASSERT_TRUE(LocalSocketInstance::decode(LocalSocketInstance::encode(withToken), m));
    EXPECT_EQ(m, withToken);
    ASSERT_TRUE(LocalSocketInstance::decode("1025 0 -32767 later=1 token=t=2\n", m));
    EXPECT_EQ(m.activationToken, QByteArray("t=2"));

    // What is not a token (blanks, control characters, empty, too long)
    // neither leaves nor is taken.
    const QByteArray tooLong(LocalSocketInstance::kMaxTokenBytes + 1, 'k');
    for (const QByteArray& bad :
         {QByteArray("a b"), QByteArray("a\tb"), QByteArray("\xc3\xa9"), QByteArray(), tooLong}) {
        EXPECT_EQ(LocalSocketInstance::encode({1025, 0, -32767, bad}),
                  QByteArray("1025 0 -32767\n"));
        if (!bad.isEmpty() && !bad.contains(' ')) {
            EXPECT_FALSE(LocalSocketInstance::decode("1025 0 -32767 token=" + bad, m));
        }
    }
    EXPECT_FALSE(LocalSocketInstance::decode("1025 0 -32767 token=", m));
    EXPECT_LE(LocalSocketInstance::encode({-2147483647, -2147483647, -2147483647,
                                           QByteArray(LocalSocketInstance::kMaxTokenBytes, 'k')})
                  .size(),
              LocalSocketInstance::kMaxMessageBytes);
}

} // namespace

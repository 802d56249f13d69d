#include "platform/Http.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/update/LocalHttpServer.h"

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(HttpRule, OnlyHttpsAndPlainHttpToALoopbackAddressOnlyWhileTheTestsSwitchItOn) {
    const struct {
        const char* url;
        bool allowed; // while the tests allow plain HTTP to loopback
    } cases[] = {
        {"https://updates.example.com/support/x.txt", true},
        {"HTTPS://updates.example.com/", true},
        {"https://203.0.113.5:8443/setup.run", true},
        {"http://127.0.0.1:8080/x", true},
        {"http://127.8.9.10/x", true},
        {"http://[::1]:8080/x", true},
        {"http://localhost:8080/x", false}, // a name could resolve anywhere
        {"http://updates.example.com/x", false},
        {"http://192.0.2.1/x", false},
        {"http://[::2]/x", false},
        {"http://128.0.0.1/x", false},
        {"ftp://127.0.0.1/x", false},
        {"file:///etc/passwd", false},
        {"setup.exe", false},
        {"https://", false},
        {"", false},
    };
    for (const auto& c : cases) {
        const QUrl url(QString::fromLatin1(c.url));
        Http::allowPlainHttpToLoopback(true);
        EXPECT_EQ(Http::isAllowed(url), c.allowed) << c.url;
        // As the program runs: HTTPS alone.
        Http::allowPlainHttpToLoopback(false);
        EXPECT_EQ(Http::isAllowed(url), c.allowed && url.scheme() == QStringLiteral("https"))
            << c.url;
    }
    // The program never switches it on: a fresh rule refuses the tests' server.
    const LocalHttpServer* server = new LocalHttpServer;
    EXPECT_TRUE(Http::isAllowed(QUrl(server->url(QStringLiteral("/x")))));
    delete server;
    EXPECT_FALSE(Http::isAllowed(QUrl(QStringLiteral("http://127.0.0.1:8080/x"))));
}

class HttpTest : public ::testing::Test {
protected:
    // Starts a GET and waits for its end; null when it never ended.
    HttpTransfer* fetch(const QString& url, int timeoutMs = 5000) {
        HttpTransfer* t = http.get(QUrl(url), &owner);
        waitFor([t] { return t->isFinished(); }, timeoutMs);
        return t->isFinished() ? t : nullptr;
    }

    LocalHttpServer server;
    Http http;
    QObject owner;
};

TEST_F(HttpTest, AnAnswerGivesItsStatusReasonAndBody) {
    server.serve(QStringLiteral("/record.txt"), LocalHttpServer::body("A|01.00.00|C"));
    HttpTransfer* ok = fetch(server.url(QStringLiteral("/record.txt")));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->error(), 0);
    EXPECT_EQ(ok->status(), 200);
    EXPECT_TRUE(ok->answeredOk());
    EXPECT_EQ(ok->readAll(), QByteArray("A|01.00.00|C"));

    HttpTransfer* missing = fetch(server.url(QStringLiteral("/nothing.txt")));
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->error(), 0);
    EXPECT_EQ(missing->status(), 404);
    EXPECT_EQ(missing->reason(), QStringLiteral("Not Found"));
    EXPECT_FALSE(missing->answeredOk());
}

TEST_F(HttpTest, AnAddressTheRuleRefusesEndsWithoutAnyConnection) {
    const QString byName = QStringLiteral("http://localhost:%1/record.txt").arg(server.port());
    for (const QString& url : {byName, QStringLiteral("http://192.0.2.1/record.txt")}) {
        QElapsedTimer clock;
        clock.start();
        HttpTransfer* t = fetch(url);
        ASSERT_NE(t, nullptr) << url.toStdString();
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_EQ(t->error(), QNetworkReply::ProtocolUnknownError);
        EXPECT_EQ(t->status(), 0);
        EXPECT_TRUE(t->errorText().contains(QStringLiteral("only HTTPS")));
    }
    EXPECT_EQ(server.connections, 0);
}

TEST_F(HttpTest, ARedirectIsFollowedOnlyWhereTheRuleAllows) {
    server.serve(QStringLiteral("/moved.txt"),
                 LocalHttpServer::redirect(QStringLiteral("/here.txt")));
    server.serve(QStringLiteral("/here.txt"), LocalHttpServer::body("here"));
    HttpTransfer* followed = fetch(server.url(QStringLiteral("/moved.txt")));
    ASSERT_NE(followed, nullptr);
    EXPECT_EQ(followed->error(), 0);
    EXPECT_EQ(followed->status(), 200);
    EXPECT_EQ(followed->readAll(), QByteArray("here"));

    server.requests.clear();
    const QString away = QStringLiteral("http://localhost:%1/here.txt").arg(server.port());
    server.serve(QStringLiteral("/away.txt"), LocalHttpServer::redirect(away));
    HttpTransfer* refused = fetch(server.url(QStringLiteral("/away.txt")));
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(refused->error(), QNetworkReply::InsecureRedirectError);
    EXPECT_EQ(refused->status(), 0);
    EXPECT_EQ(refused->readAll(), QByteArray());
    // The redirect's target was never asked for.
    EXPECT_EQ(server.requests, QStringList{QStringLiteral("/away.txt")});
}

TEST_F(HttpTest, ATransferWithoutDataEndsAfterTheNoDataTime) {
    LocalHttpServer::Route silent;
    silent.mode = LocalHttpServer::Mode::Silent;
    server.serve(QStringLiteral("/stalled.txt"), silent);
    http.noDataTimeoutMs = 200;
    QElapsedTimer clock;
    clock.start();
    HttpTransfer* t = fetch(server.url(QStringLiteral("/stalled.txt")));
    ASSERT_NE(t, nullptr);
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_EQ(t->error(), QNetworkReply::TimeoutError);
    EXPECT_FALSE(t->errorText().isEmpty());

    // Data that keeps coming keeps the transfer alive past that time.
    LocalHttpServer::Route held = LocalHttpServer::body(QByteArray(300, 'x'));
    held.mode = LocalHttpServer::Mode::Hold;
    held.holdAfter = 100;
    server.serve(QStringLiteral("/held.bin"), held);
    http.noDataTimeoutMs = 600;
    clock.restart();
    HttpTransfer* slow = http.get(QUrl(server.url(QStringLiteral("/held.bin"))), &owner);
    QTimer::singleShot(400, &server, [this] { server.release(); });
    QTimer::singleShot(800, &server, [this] { server.release(); });
    ASSERT_TRUE(waitFor([&] { return slow->isFinished(); }));
    EXPECT_GE(clock.elapsed(), 750);
    EXPECT_EQ(slow->error(), 0);
    EXPECT_EQ(slow->readAll().size(), 300);
}

TEST_F(HttpTest, ABodyCutShortIsAFailureAndAnAbortedTransferSaysNothing) {
    LocalHttpServer::Route cut = LocalHttpServer::body(QByteArray(3000, 'x'));
    cut.mode = LocalHttpServer::Mode::Truncated;
    server.serve(QStringLiteral("/cut.bin"), cut);
    HttpTransfer* t = fetch(server.url(QStringLiteral("/cut.bin")));
    ASSERT_NE(t, nullptr);
    EXPECT_NE(t->error(), 0);
    EXPECT_EQ(t->status(), 200);

    LocalHttpServer::Route silent;
    silent.mode = LocalHttpServer::Mode::Silent;
    server.serve(QStringLiteral("/stalled.txt"), silent);
    HttpTransfer* aborted = http.get(QUrl(server.url(QStringLiteral("/stalled.txt"))), &owner);
    int ends = 0;
    QObject::connect(aborted, &HttpTransfer::finished, [&] { ++ends; });
    waitFor([&] { return server.requests.contains(QStringLiteral("/stalled.txt")); });
    aborted->abort();
    waitFor([] { return false; }, 200);
    EXPECT_EQ(ends, 0);
    EXPECT_FALSE(aborted->isFinished());
}

TEST_F(HttpTest, ARedirectLoopEndsWithATextThatSaysSo) {
    server.serve(QStringLiteral("/loop.txt"),
                 LocalHttpServer::redirect(QStringLiteral("/loop.txt")));
    HttpTransfer* t = fetch(server.url(QStringLiteral("/loop.txt")));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->error(), QNetworkReply::TooManyRedirectsError);
    EXPECT_TRUE(t->errorText().startsWith(QStringLiteral("Too many redirects")))
        << t->errorText().toStdString();
    EXPECT_EQ(t->status(), 0);
    EXPECT_EQ(server.requests.size(), Http::kMaxRedirects + 1);
}

TEST_F(HttpTest, ABodyBeyondItsLimitAndATransferBeyondItsTimeEndAsFailed) {
    server.serve(QStringLiteral("/big.txt"), LocalHttpServer::body(QByteArray(64 * 1024, 'x')));
    HttpTransfer* big =
        http.get(QUrl(server.url(QStringLiteral("/big.txt"))), &owner, TransferLimits{4096, 0});
    ASSERT_TRUE(waitFor([big] { return big->isFinished(); }));
    EXPECT_EQ(big->error(), QNetworkReply::UnknownContentError);
    EXPECT_EQ(big->errorText(), QStringLiteral("The answer is larger than 4096 bytes"));
    EXPECT_LE(big->readAll().size(), 64 * 1024);

    // A byte now and then keeps the no-data time away, never the time limit.
    LocalHttpServer::Route trickle = LocalHttpServer::body(QByteArray(100, 'x'));
    trickle.mode = LocalHttpServer::Mode::Hold;
    trickle.holdAfter = 1;
    server.serve(QStringLiteral("/trickle.txt"), trickle);
    http.noDataTimeoutMs = 300;
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, &server, [this] { server.release(); });
    drip.start(100);
    QElapsedTimer clock;
    clock.start();
    HttpTransfer* slow =
        http.get(QUrl(server.url(QStringLiteral("/trickle.txt"))), &owner, TransferLimits{0, 800});
    ASSERT_TRUE(waitFor([slow] { return slow->isFinished(); }));
    EXPECT_GE(clock.elapsed(), 750);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(slow->error(), QNetworkReply::TimeoutError);
    EXPECT_EQ(slow->errorText(), QStringLiteral("The transfer took longer than 0.8 seconds"));
}

TEST(HttpService, TheUpdateServerComesFromTheBuild) {
    // Unset in a development build; a release build names its server.
    const Http http;
    EXPECT_TRUE(http.updateServer.isEmpty() || Http::isAllowed(QUrl(http.updateServer)));
    EXPECT_EQ(http.noDataTimeoutMs, 30000);
}

} // namespace

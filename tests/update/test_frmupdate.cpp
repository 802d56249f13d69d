#include "engine/FileRoutines.h"
#include "engine/INIFuncs.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/StartUp.h"
#include "runtime/Dates.h"
#include "tests/common/SmallFilesystem.h"
#include "tests/common/WriteFaults.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/update/UpdateWorld.h"
#include "update/UpdateCommand.h"
#include "update/UpdateRecord.h"
#include "update/frmupdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

using Route = LocalHttpServer::Route;
using Mode = LocalHttpServer::Mode;

const QString kNewer = QStringLiteral("99.01.00");

class UpdateWindowTest : public ::testing::Test {
protected:
    // The record, offering `version` with an installer of `size` bytes at `url`.
    void serveRecord(const QString& version, int32_t size, const QString& url) {
        serveRecord(version, QString::number(size), url);
    }
    // The same with field 5 as written.
    void serveRecord(const QString& version, const QString& size, const QString& url) {
        server.serve(frmupdate::kRecordPath,
                     LocalHttpServer::body(QStringLiteral("Tapestrel|%1|Orlevane|x|%2|%3|end")
                                               .arg(version, size, url)
                                               .toUtf8()));
    }
    // An installer of `size` bytes served at /files/setup.run.
    QByteArray serveInstaller(int size, Mode mode = Mode::Whole, qsizetype holdAfter = 0) {
        QByteArray bytes(size, '\0');
        for (int n = 0; n < size; ++n)
            bytes[n] = static_cast<char>(n * 7);
        Route route = LocalHttpServer::body(bytes);
        route.mode = mode;
        route.holdAfter = holdAfter;
        server.serve(QStringLiteral("/files/setup.run"), route);
        return bytes;
    }
    QString installerUrl() const { return server.url(QStringLiteral("/files/setup.run")); }
    QString updatesFolder() const {
        return world.env.folders.program + QStringLiteral("/updates/");
    }
    QStringList filesInUpdates() const {
        return QDir(updatesFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    frmupdate* open(int16_t mode = 3) {
        window = std::make_unique<frmupdate>();
        window->UpdateMode = mode;
        window->show();
        return window.get();
    }
    // Opens the window and runs the check up to its answer.
    frmupdate* check() {
        open();
        clickButton(window->cmdContinue);
        EXPECT_TRUE(waitFor([&] {
            return window->currentPage() == 6 || window->cmdContinue->isEnabled() ||
                   !window->isVisible();
        }));
        return window.get();
    }
    // Queues an OK to the next message box and notes its text.
    void answerMessage(QString& text) {
        answers.next<QMessageBox>([&text](QMessageBox* box) {
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
    }
    bool closed() {
        return waitFor([&] { return !window->isVisible(); });
    }

    std::optional<QString> lastUpdate() const {
        return world.env.registry.value(Hive::LocalMachine, kMachineProductKey,
                                        QStringLiteral("LastUpdate"));
    }
    // The date of the check was noted in the registry and in the settings.
    void expectCheckDateNoted() const {
        EXPECT_EQ(lastUpdate(), QStringLiteral("03/04/2024"));
        EXPECT_EQ(Options.LastUpdate, makeDateTime(2024, 3, 4));
    }

    // The text of every label on a page, in order.
    QStringList pageTexts(int page) const {
        QStringList out;
        for (QLabel* l : window->fraHolder[page - 1]->findChildren<QLabel*>()) {
            if (!l->text().isEmpty())
                out << l->text();
        }
        return out;
    }

    UpdateWorld world;
    LocalHttpServer& server = world.server;
    ModalAnswerer answers;
    std::unique_ptr<frmupdate> window;
};

TEST_F(UpdateWindowTest, EveryPageShowsItsTextsAndTheLogo) {
    open();
    EXPECT_EQ(window->cmdContinue->text(), QStringLiteral("Continue >>"));
    const QStringList heading{QStringLiteral("Software Updates:")};
    const QList<QStringList> pages = {
        {QStringLiteral("Keep your Tapestrel software up to date!"),
         QStringLiteral("Why would you want to update?"),
         QStringLiteral("The software update can contain software fixes, feature enhancements, "
                        "and even floss file updates.  It ensures you are using the latest "
                        "version of our products!"),
         QStringLiteral("How do you receive the update?"),
         QStringLiteral("We will use your Internet connection.  Once connected, we will see if "
                        "an update is available, and if so, it can be automatically downloaded "
                        "and installed to your computer."),
         QStringLiteral("Does it cost anything?"),
         QStringLiteral("No.  It simply allows you to keep your software current."),
         QStringLiteral("Press the Continue button to check for available updates ...")},
        {QStringLiteral("Communicating with Orlevane"), QStringLiteral("Your Current Version:"),
         QStringLiteral("Available Version:"), QStringLiteral("Update File Size:"),
         QStringLiteral("Press Continue to download the update ....."),
         QStringLiteral("Checking for Updates ..."),
         QStringLiteral("The update program is now connecting to the Tapestrel web site to "
                        "determine if an update is available.  This may take a few moments."),
         QStringLiteral("Please Wait ........")},
        {QStringLiteral("Downloading the update"), QStringLiteral("Communicating with Orlevane"),
         QStringLiteral("Please Wait ...")},
        {QStringLiteral("The download is complete:"),
         QStringLiteral("The update has been successfully downloaded to your computer.  We must "
                        "now execute the downloaded update to complete process."),
         QStringLiteral("Press the Finish button to complete the update.  Tapestrel will close, "
                        "and the update will automatically begin.  At the completion of the "
                        "update, Tapestrel will automatically be restarted and the update will "
                        "be completed."),
         QStringLiteral("Completing the update ..."),
         QStringLiteral("Press the Finish button to execute the update ...")},
        {QStringLiteral("The update download failed:"),
         QStringLiteral("The attempt to download the Tapestrel update failed.  Please check to "
                        "ensure your Internet connection is working properly, and retry the "
                        "update."),
         QStringLiteral("Failed URL:"),
         QStringLiteral("Press the Cancel button to exit the update ...")},
        {QStringLiteral("No update required:"), QStringLiteral("Your software is up to date!"),
         QStringLiteral("You are currently running the most up-to-date version of Tapestrel.  "
                        "No update is required."),
         QStringLiteral("Current Version:"),
         QStringLiteral("Don't forget to check from time-to-time to ensure you are always "
                        "running the most up to date software!"),
         QStringLiteral("Press the Cancel button to exit the update ...")},
    };
    for (int page = 1; page <= 6; ++page) {
        window->arrangePage(static_cast<int16_t>(page));
        EXPECT_EQ(pageTexts(page), heading + pages[page - 1]) << "page " << page;
        // One page at a time, where the window keeps its pages.
        for (int other = 0; other < 6; ++other)
            EXPECT_EQ(window->fraHolder[other]->isVisible(), other == page - 1);
        EXPECT_EQ(window->fraHolder[page - 1]->geometry(), QRect(6, 0, 454, 325));
        ASSERT_NE(window->picLogo[page - 1]->pixmap().isNull(), true);
        EXPECT_EQ(window->picLogo[page - 1]->pixmap().size(), QSize(236, 40));
        EXPECT_EQ(window->picLogo[page - 1]->palette().color(QPalette::Window), QColor(Qt::white));
    }
    EXPECT_EQ(window->cmdPrev->text(), QStringLiteral("<< Prev"));
    EXPECT_EQ(window->cmdCancel->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(window->picDownload->pixmap().isNull());
    EXPECT_EQ(window->cmdContinue->text(), QStringLiteral("Finish"));
}

TEST_F(UpdateWindowTest, TheSameVersionEndsOnPageSixAndNotesTheDay) {
    serveRecord(currentVersionText(), 1572864, installerUrl());
    check();
    EXPECT_EQ(window->currentPage(), 6);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->lblCurrentVersion->text(), currentVersionText());
    EXPECT_FALSE(window->cmdContinue->isEnabled());
    EXPECT_FALSE(window->cmdPrev->isEnabled());
    EXPECT_TRUE(window->cmdCancel->hasFocus());
    EXPECT_EQ(server.requests, QStringList{frmupdate::kRecordPath});
    expectCheckDateNoted();
    // The settings saved at exit carry the same day.
    SaveOptions();
    EXPECT_EQ(lastUpdate(), QStringLiteral("03/04/2024"));

    clickButton(window->cmdCancel);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(filesInUpdates().isEmpty());
}

TEST_F(UpdateWindowTest, ANewerVersionIsOfferedWithItsSize) {
    serveRecord(kNewer, 1572864, installerUrl());
    check();
    EXPECT_EQ(window->currentPage(), 2);
    EXPECT_FALSE(window->fraChecking->isVisible());
    EXPECT_EQ(window->lblCheckUpdatesTop->text(), QStringLiteral("Available Update"));
    EXPECT_EQ(window->lblUpdateStatus->text(),
              QStringLiteral("There are software updates available for your system.  Press the "
                             "Continue button to download and install the update.  You may "
                             "cancel the update now and return at any time in the future to "
                             "complete the update."));
    EXPECT_EQ(window->lblcurrentver->text(), currentVersionText());
    EXPECT_EQ(window->lblnewver->text(), kNewer);
    EXPECT_EQ(window->lblsize->text(), QStringLiteral("1.5 Megabytes"));
    EXPECT_TRUE(window->cmdPrev->isEnabled());
    EXPECT_TRUE(window->cmdContinue->isEnabled());
    expectCheckDateNoted();
    // "<< Prev" does nothing.
    clickButton(window->cmdPrev);
    EXPECT_EQ(window->currentPage(), 2);
}

TEST_F(UpdateWindowTest, TheDownloadFillsTheBarAndEndsOnPageFour) {
    const QByteArray installer = serveInstaller(4096, Mode::Hold, 2048);
    serveRecord(kNewer, 4096, installerUrl());
    // An earlier installer of the same name is no obstacle.
    QDir().mkpath(updatesFolder());
    QFile old(updatesFolder() + QStringLiteral("setup.run"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an old installer");
    old.close();

    check();
    QList<int> bar;
    QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged,
                     [&](int value) { bar << value; });
    clickButton(window->cmdContinue);
    EXPECT_EQ(window->currentPage(), 3);
    EXPECT_FALSE(window->cmdContinue->isEnabled());
    EXPECT_FALSE(window->cmdPrev->isEnabled());
    ASSERT_TRUE(waitFor([&] { return window->ProgressBar1->value() == 50; }));
    EXPECT_EQ(window->currentPage(), 3);
    server.release();
    ASSERT_TRUE(waitFor([&] { return window->currentPage() == 4; }));
    EXPECT_EQ(window->ProgressBar1->value(), 100);
    EXPECT_EQ(bar, (QList<int>{50, 100}));
    EXPECT_EQ(window->cmdContinue->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(window->cmdContinue->isEnabled());
    EXPECT_FALSE(window->cmdPrev->isEnabled());

    const QString target = updatesFolder() + QStringLiteral("setup.run");
    EXPECT_EQ(window->downloadTarget(), target);
    // The temporary file it was written to took the name: nothing else is left.
    EXPECT_EQ(filesInUpdates(), QStringList{QStringLiteral("setup.run")});
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), installer);
    EXPECT_EQ(QFileInfo(target).permissions() & 0x7777,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                  QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

TEST_F(UpdateWindowTest, ASmallInstallerNeverTakesTheBarPastAHundred) {
    serveInstaller(1000);
    serveRecord(kNewer, 1000, installerUrl()); // measured against 0 bytes
    check();
    clickButton(window->cmdContinue);
    ASSERT_TRUE(waitFor([&] { return window->currentPage() == 4; }));
    EXPECT_EQ(window->ProgressBar1->value(), 100);
}

TEST_F(UpdateWindowTest, EveryFailedCheckEndsWithItsMessageNotesTheDayAndHangsUp) {
    const QString refusedBase = QStringLiteral("http://localhost:%1").arg(server.port());
    const QString redirectAway = refusedBase + frmupdate::kRecordPath;
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, &server, [this] { server.release(); });
    int recordTimeLimitMs = 0;
    const struct {
        const char* name;
        std::function<void()> arrange;
        QString message;
    } cases[] = {
        {"404 on the record", [] {},
         QStringLiteral("Cannot Connect to the Update Web Site\nError:404\nNot Found")},
        {"an empty record",
         [&] { server.serve(frmupdate::kRecordPath, LocalHttpServer::body("   ")); },
         QStringLiteral("Error retrieving update information.")},
        {"an eighth field",
         [&] { server.serve(frmupdate::kRecordPath, LocalHttpServer::body("1|2|3|4|5|6|7|8")); },
         QStringLiteral("Subscript out of range")},
        {"a size that is no number",
         [&] {
             server.serve(frmupdate::kRecordPath,
                          LocalHttpServer::body("A|99.01.00|C|D|12x|https://h/s.run|G"));
         },
         QStringLiteral("Type mismatch")},
        {"a redirect away from loopback",
         [&] { server.serve(frmupdate::kRecordPath, LocalHttpServer::redirect(redirectAway)); },
         QStringLiteral("Cannot Connect to the Update Web Site\nError:%1\n")
             .arg(int(QNetworkReply::InsecureRedirectError))},
        {"plain HTTP to a host name", [&] { world.http.updateServer = refusedBase; },
         QStringLiteral("No update site is configured.")},
        {"plain HTTP to another machine",
         [&] { world.http.updateServer = QStringLiteral("http://192.0.2.1"); },
         QStringLiteral("No update site is configured.")},
        {"no update site", [&] { world.http.updateServer.clear(); },
         QStringLiteral("No update site is configured.")},
        {"a record that never comes",
         [&] {
             Route silent;
             silent.mode = Mode::Silent;
             server.serve(frmupdate::kRecordPath, silent);
             world.http.noDataTimeoutMs = 200;
         },
         QStringLiteral("Cannot Connect to the Update Web Site\nError:%1\n")
             .arg(int(QNetworkReply::TimeoutError))},
        {"a record that trickles in for ever",
         [&] {
             Route trickle = LocalHttpServer::body(QByteArray(200, '1'));
             trickle.mode = Mode::Hold;
             trickle.holdAfter = 1;
             server.serve(frmupdate::kRecordPath, trickle);
             world.http.noDataTimeoutMs = 300;
             recordTimeLimitMs = 700;
             drip.start(100);
         },
         QStringLiteral("Cannot Connect to the Update Web Site\nError:%1\n"
                        "The transfer took longer than 0.7 seconds")
             .arg(int(QNetworkReply::TimeoutError))},
        {"a record of 64 KB",
         [&] {
             server.serve(frmupdate::kRecordPath,
                          LocalHttpServer::body("A|99.01.00|C|D|5|https://h/s.run|" +
                                                QByteArray(64 * 1024, 'G')));
         },
         QStringLiteral("Cannot Connect to the Update Web Site\nError:%1\n"
                        "The answer is larger than 4096 bytes")
             .arg(int(QNetworkReply::UnknownContentError))},
        {"a redirect loop",
         [&] {
             server.serve(frmupdate::kRecordPath,
                          LocalHttpServer::redirect(frmupdate::kRecordPath));
         },
         QStringLiteral("Cannot Connect to the Update Web Site\nError:%1\nToo many redirects")
             .arg(int(QNetworkReply::TooManyRedirectsError))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A fresh start: no record served, a connection to dial.
        server.serve(frmupdate::kRecordPath,
                     Route{404, "Not Found", "Not Found", {}, Mode::Whole, 0});
        world.http.updateServer = server.base();
        world.http.noDataTimeoutMs = 5000;
        world.env.registry.deleteValue(Hive::LocalMachine, kMachineProductKey,
                                       QStringLiteral("LastUpdate"));
        world.connectivity.states = {ScriptedConnectivity::configured()};
        world.connectivity.dialSucceeds = true;
        world.connectivity.dialNumber = 77;
        world.connectivity.hungUp.clear();
        server.requests.clear();
        server.connections = 0;
        drip.stop();
        recordTimeLimitMs = frmupdate().recordTimeLimitMs;
        c.arrange();

        QString message;
        answerMessage(message);
        open();
        window->recordTimeLimitMs = recordTimeLimitMs;
        clickButton(window->cmdContinue);
        EXPECT_TRUE(closed());
        EXPECT_TRUE(message.startsWith(c.message)) << message.toStdString();
        expectCheckDateNoted();
        EXPECT_EQ(InternetState, 2);
        EXPECT_EQ(world.connectivity.hungUp, QList<int32_t>{77});
        EXPECT_EQ(answers.pending(), 0);
        if (c.message.startsWith(QStringLiteral("No update site"))) {
            EXPECT_EQ(server.connections, 0);
        } else if (!c.message.contains(QStringLiteral("redirects"))) {
            EXPECT_EQ(server.requests, QStringList{frmupdate::kRecordPath});
        }
        window.reset();
    }
}

TEST_F(UpdateWindowTest, AFailedDownloadShowsPageFiveAndKeepsNothing) {
    const QString byName = QStringLiteral("http://localhost:%1/files/setup.run").arg(server.port());
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, &server, [this] { server.release(); });
    int downloadTimeLimitMs = 0;
    const struct {
        const char* name;
        const char* recordSize;           // field 5 as the record writes it
        std::function<QString()> arrange; // the installer's address
        bool asked;                       // the server saw the request
    } cases[] = {
        {"404 on the installer", "4096",
         [&] { return server.url(QStringLiteral("/files/gone.run")); }, true},
        {"a body shorter than the record's size", "4096",
         [&] {
             serveInstaller(1000);
             return installerUrl();
         },
         true},
        {"a body longer than the record's size", "4096",
         [&] {
             serveInstaller(6000);
             return installerUrl();
         },
         true},
        {"a transfer cut short", "3000",
         [&] {
             serveInstaller(3000, Mode::Truncated);
             return installerUrl();
         },
         true},
        {"an empty body", "4096",
         [&] {
             serveInstaller(0);
             return installerUrl();
         },
         true},
        {"a download that trickles past its time", "3000",
         [&] {
             serveInstaller(3000, Mode::Hold, 10);
             world.http.noDataTimeoutMs = 300;
             downloadTimeLimitMs = 600;
             drip.start(100);
             return installerUrl();
         },
         true},
        {"a size of 0", "0",
         [&] {
             serveInstaller(3000);
             return installerUrl();
         },
         false},
        {"a negative size", "-3000",
         [&] {
             serveInstaller(3000);
             return installerUrl();
         },
         false},
        {"a size that is no whole number", "3000.4",
         [&] {
             serveInstaller(3000);
             return installerUrl();
         },
         false},
        {"plain HTTP to a host name", "4096",
         [&] {
             serveInstaller(4096);
             return byName;
         },
         false},
        {"an address without \"/\"", "4096", [] { return QStringLiteral("setup.run"); }, false},
        {"a name that climbs out", "4096", [&] { return server.url(QStringLiteral("/files/..")); },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        drip.stop();
        world.http.noDataTimeoutMs = 5000;
        downloadTimeLimitMs = frmupdate().downloadTimeLimitMs;
        const QString url = c.arrange();
        serveRecord(kNewer, QString::fromLatin1(c.recordSize), url);
        server.requests.clear();
        check();
        ASSERT_EQ(window->currentPage(), 2);
        window->downloadTimeLimitMs = downloadTimeLimitMs;
        clickButton(window->cmdContinue);
        ASSERT_TRUE(waitFor([&] { return window->currentPage() == 5; }));
        EXPECT_EQ(window->lblBadURL->text(), url);
        EXPECT_TRUE(window->lblBadURL->isVisible());
        EXPECT_FALSE(window->cmdContinue->isEnabled());
        EXPECT_FALSE(window->cmdPrev->isEnabled());
        EXPECT_TRUE(window->cmdCancel->hasFocus());
        EXPECT_TRUE(filesInUpdates().isEmpty()) << filesInUpdates().join(u' ').toStdString();
        EXPECT_EQ(server.requests.size(), c.asked ? 2 : 1);
        clickButton(window->cmdCancel);
        EXPECT_TRUE(closed());
        window.reset();
    }
}

TEST_F(UpdateWindowTest, CancelInTheMiddleOfTheDownloadLeavesNoFile) {
    serveInstaller(8192, Mode::Hold, 2048);
    serveRecord(kNewer, 8192, installerUrl());
    check();
    world.env.registry.deleteValue(Hive::LocalMachine, kMachineProductKey,
                                   QStringLiteral("LastUpdate"));
    clickButton(window->cmdContinue);
    ASSERT_TRUE(waitFor([&] { return window->ProgressBar1->value() == 25; }));
    // Half an installer never lies under the installer's name: a program
    // killed now leaves none.
    EXPECT_FALSE(filesInUpdates().contains(QStringLiteral("setup.run")));
    clickButton(window->cmdCancel);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(filesInUpdates().isEmpty());
    expectCheckDateNoted();
    // The rest of the body arrives at nobody.
    server.release();
    waitFor([] { return false; }, 200);
    EXPECT_EQ(window->currentPage(), 3);
    EXPECT_TRUE(filesInUpdates().isEmpty());
}

// An installer large enough that its bytes reach the disk while it is
// still arriving: it comes in three steps of more than the writer gathers
// before it writes.
class LargeDownloadTest : public UpdateWindowTest {
protected:
    static constexpr int kSize = 3 * 256 * 1024;
    static constexpr qsizetype kStep = 300 * 1000;

    void SetUp() override {
        installer = serveInstaller(kSize, Mode::Hold, kStep);
        serveRecord(kNewer, kSize, installerUrl());
    }
    QString target() const { return updatesFolder() + QStringLiteral("setup.run"); }
    // The one file in `updates` while the download runs, if it is a
    // temporary file beside the installer's name; "" otherwise.
    QString temporaryFile() const {
        const QStringList files = filesIn(updatesFolder());
        if (files.size() != 1 || !files[0].startsWith(QStringLiteral("setup.run.")))
            return {};
        return updatesFolder() + files[0];
    }
    // Waits until the temporary file holds at least `bytes`.
    bool grownTo(qint64 bytes) {
        return waitFor([&] {
            const QString file = temporaryFile();
            return !file.isEmpty() && QFileInfo(file).size() >= bytes;
        });
    }
    // Starts the download, lets the first step reach the disk, makes the
    // next write fail through `fault`, and checks the download ends on the
    // failure page with nothing left in `updates`.
    void expectAFailedWriteEndsOnPageFive(const std::function<void()>& fault) {
        check();
        ASSERT_EQ(window->currentPage(), 2);
        clickButton(window->cmdContinue);
        ASSERT_TRUE(grownTo(256 * 1024));
        fault();
        server.release();
        ASSERT_TRUE(waitFor([&] { return window->currentPage() == 5; }));
        EXPECT_EQ(window->lblBadURL->text(), installerUrl());
        EXPECT_TRUE(window->cmdCancel->hasFocus());
        EXPECT_TRUE(filesIn(updatesFolder()).isEmpty())
            << filesIn(updatesFolder()).join(u' ').toStdString();
        // The transfer was dropped: what else the server sends changes nothing.
        server.release();
        waitFor([] { return false; }, 200);
        EXPECT_EQ(window->currentPage(), 5);
        EXPECT_TRUE(filesIn(updatesFolder()).isEmpty());
        clickButton(window->cmdCancel);
        EXPECT_TRUE(closed());
    }

    QByteArray installer;
};

TEST_F(LargeDownloadTest, TheInstallerGrowsUnderATemporaryNameAndTakesItsNameWhenWhole) {
    check();
    clickButton(window->cmdContinue);
    ASSERT_TRUE(grownTo(256 * 1024));
    const QString temporary = temporaryFile();
    EXPECT_FALSE(QFileInfo::exists(target()));
    // Only its owner may read it, already while it arrives.
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther;
    EXPECT_FALSE(QFileInfo(temporary).permissions() & others);
    server.release();
    ASSERT_TRUE(grownTo(512 * 1024));
    // The same file, further on; still nothing under the installer's name.
    EXPECT_EQ(temporaryFile(), temporary);
    EXPECT_FALSE(QFileInfo::exists(target()));
    EXPECT_EQ(window->currentPage(), 3);

    server.release();
    ASSERT_TRUE(waitFor([&] { return window->currentPage() == 4; }));
    EXPECT_EQ(filesInUpdates(), QStringList{QStringLiteral("setup.run")});
    EXPECT_EQ(fileBytes(target()), installer);
}

TEST_F(LargeDownloadTest, AWriteThatFailsHalfWayEndsOnPageFiveAndLeavesNothing) {
    WriteWatch watch(target());
    expectAFailedWriteEndsOnPageFive([&] { watch.failAt(WriteStep::Write, EIO); });
}

TEST_F(LargeDownloadTest, ADiskThatFillsHalfWayEndsOnPageFiveAndLeavesNothing) {
    SmallFilesystem disk(updatesFolder(), 2048);
    if (!disk.mounted())
        GTEST_SKIP() << disk.why().toStdString();
    expectAFailedWriteEndsOnPageFive([&] { ASSERT_TRUE(disk.fill()); });
    window.reset();
}

TEST_F(UpdateWindowTest, AnInstallerThatCannotBeStoredWholeEndsOnPageFive) {
    serveInstaller(4096);
    serveRecord(kNewer, 4096, installerUrl());
    WriteWatch watch(updatesFolder() + QStringLiteral("setup.run"));
    for (const WriteStep step :
         {WriteStep::Open, WriteStep::Sync, WriteStep::Close, WriteStep::Rename}) {
        SCOPED_TRACE(int(step));
        watch.failAt(step, EIO);
        server.requests.clear();
        check();
        ASSERT_EQ(window->currentPage(), 2);
        clickButton(window->cmdContinue);
        ASSERT_TRUE(waitFor([&] { return window->currentPage() == 5; }));
        EXPECT_TRUE(filesInUpdates().isEmpty()) << filesInUpdates().join(u' ').toStdString();
        // Nowhere to put it: it is not fetched at all.
        EXPECT_EQ(server.requests.size(), step == WriteStep::Open ? 1 : 2);
        window.reset();
    }
}

TEST_F(UpdateWindowTest, TheCloseBoxTakesTheWholeCancelPath) {
    // The window dials for itself: the connection was only configured.
    world.connectivity.states = {ScriptedConnectivity::configured()};
    world.connectivity.dialSucceeds = true;
    world.connectivity.dialNumber = 77;
    serveInstaller(8192, Mode::Hold, 2048);
    serveRecord(kNewer, 8192, installerUrl());
    check();
    EXPECT_EQ(InternetState, 2);
    EXPECT_EQ(DialConnection, 77);
    world.env.registry.deleteValue(Hive::LocalMachine, kMachineProductKey,
                                   QStringLiteral("LastUpdate"));
    clickButton(window->cmdContinue);
    ASSERT_TRUE(waitFor([&] { return window->ProgressBar1->value() == 25; }));
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(filesInUpdates().isEmpty());
    expectCheckDateNoted();
    EXPECT_EQ(world.connectivity.hungUp, QList<int32_t>{77});

    // Only a window started by the user hangs up what it dialled.
    world.connectivity.hungUp.clear();
    InternetState = -1;
    open(0);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(world.connectivity.hungUp.isEmpty());
}

TEST_F(UpdateWindowTest, ADialThatStaysOfflineEndsTheCheck) {
    world.connectivity.states = {ScriptedConnectivity::offline()};
    answers.next<frmBadConnection>(
        [](frmBadConnection* notice) { clickButton(notice->cmdCancel); });
    QString message;
    answerMessage(message);
    open();
    clickButton(window->cmdContinue);
    EXPECT_TRUE(closed());
    EXPECT_EQ(message, QStringLiteral("Error connecting to Internet"));
    EXPECT_EQ(world.windows.notices, 1);
    EXPECT_TRUE(server.requests.isEmpty());
    expectCheckDateNoted();
}

// Notes, when the installer is started, what the list file and the
// settings held at that moment.
class WatchingLauncher final : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override {
        started.append({program, arguments});
        clsMagicList saved;
        saved.loadQuietly(ActiveMagicList.GetFilePath());
        entriesSaved = saved.GetCount();
        cropWidthSaved = services().registry->value(
            Hive::CurrentUser, QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
            QStringLiteral("FixedCropWidth"));
        return succeed;
    }
    void endThisProgram() override { ++ends; }

    QList<RecordingLauncher::Start> started;
    int entriesSaved = -1;
    std::optional<QString> cropWidthSaved;
    bool succeed = true;
    int ends = 0;
};

class FinishTest : public UpdateWindowTest {
protected:
    void SetUp() override {
        services().launcher = &launcher;
        // A list with one entry in its file and a second only in memory.
        QDir().mkpath(Options.PrivateMagicListPath);
        ActiveMagicList.SetListName(QStringLiteral("Mine"));
        ActiveMagicList.AddItem(world.env.writeFile(QStringLiteral("pics/a.bmp"), "BM"), 0, 2);
        ASSERT_TRUE(ActiveMagicList.Save());
        ActiveMagicList.AddItem(world.env.writeFile(QStringLiteral("pics/b.bmp"), "BM"), 0, 2);
        Options.FixedCropWidth = 321;
        installer = serveInstaller(4096);
        serveRecord(kNewer, 4096, installerUrl());
    }
    // The whole road through the control panel's command, with the window
    // shown modally: check, download, Finish.
    void runToFinish() {
        answers.next<frmupdate>([](frmupdate* w) {
            clickButton(w->cmdContinue);
            ASSERT_TRUE(
                waitFor([&] { return w->currentPage() == 2 && w->cmdContinue->isEnabled(); }));
            clickButton(w->cmdContinue);
            ASSERT_TRUE(waitFor([&] { return w->currentPage() == 4; }));
            clickButton(w->cmdContinue);
        });
        checkForSoftwareUpdates();
    }

    WatchingLauncher launcher;
    QByteArray installer;
};

TEST_F(FinishTest, FinishSavesTheWorkThenStartsTheInstallerAndEnds) {
    runToFinish();
    EXPECT_EQ(world.windows.updateModes, QList<int16_t>{3});
    const QString folder = world.env.folders.program;
    ASSERT_EQ(launcher.started.size(), 1);
    EXPECT_EQ(launcher.started[0].program, updatesFolder() + QStringLiteral("setup.run"));
    EXPECT_EQ(launcher.started[0].arguments,
              (QStringList{QStringLiteral("NP"), QStringLiteral("DP"), folder}));
    // The list and the settings were saved before the installer started.
    EXPECT_EQ(launcher.entriesSaved, 2);
    EXPECT_EQ(launcher.cropWidthSaved, QStringLiteral("321"));
    EXPECT_EQ(launcher.ends, 1);
    EXPECT_TRUE(ProgramEnding());
    expectCheckDateNoted();
    EXPECT_TRUE(world.env.errors.calls.isEmpty());
}

TEST_F(FinishTest, AnInstallerThatCannotStartIsReportedAndTheProgramRunsOn) {
    launcher.succeed = false;
    runToFinish();
    ASSERT_EQ(launcher.started.size(), 1);
    EXPECT_EQ(launcher.ends, 0);
    EXPECT_FALSE(ProgramEnding());
    ASSERT_EQ(world.env.errors.calls.size(), 1);
    EXPECT_TRUE(world.env.errors.calls[0].message.contains(launcher.started[0].program));
    // The work was saved all the same.
    EXPECT_EQ(launcher.entriesSaved, 2);
}

TEST_F(UpdateWindowTest, TheCommandNeedsWriteAccessToTheProgramsFolders) {
    ThisRun.writeProbeDone = true;
    ThisRun.writeProbeAnswer = false;
    QString message;
    QString title;
    answers.next<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    });
    checkForSoftwareUpdates();
    EXPECT_EQ(message, QStringLiteral("You do not have permission to perform this function"));
    EXPECT_EQ(title, QStringLiteral("Tapestrel"));
    EXPECT_TRUE(world.windows.updateModes.isEmpty());
    EXPECT_FALSE(lastUpdate());

    ThisRun.writeProbeAnswer = true;
    answers.next<frmupdate>([](frmupdate* w) {
        EXPECT_EQ(w->UpdateMode, 3);
        EXPECT_EQ(w->currentPage(), 1);
        clickButton(w->cmdCancel);
    });
    checkForSoftwareUpdates();
    EXPECT_EQ(world.windows.updateModes, QList<int16_t>{3});
    // Even a check cancelled on its first page notes the day.
    expectCheckDateNoted();
}

} // namespace

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A D-Bus session bus of the test's own, so that nothing reaches the
// session the tests run in. Services it knows of (xfconfd) are started on
// it when first called.
class PrivateBus {
public:
    PrivateBus() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return;
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address")});
        if (!daemon_.waitForStarted(5000))
            return;
        while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        if (daemon_.state() == QProcess::NotRunning)
            return;
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000)) {
            daemon_.kill();
            daemon_.waitForFinished(1000);
        }
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty when no bus could be started.
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

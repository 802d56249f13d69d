#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>

#include "tests/common/EndProcess.h"

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
    ~PrivateBus() { endProcess(daemon_); }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty when no bus could be started.
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

// An object served on a bus under a service name, from a thread of its
// own and over a connection of its own, as another process would serve it:
// a caller that blocks for the answer still gets one.
class ServedObject {
public:
    ServedObject(const QString& busAddress, const QString& service, const QString& path,
                 QObject* object, QDBusConnection::RegisterOptions options)
        : connectionName_(service), path_(path) {
        object->moveToThread(&thread_);
        thread_.start();
        QDBusConnection connection = QDBusConnection::connectToBus(busAddress, connectionName_);
        ok_ =
            connection.registerObject(path, object, options) && connection.registerService(service);
    }
    ~ServedObject() {
        thread_.quit();
        thread_.wait();
        QDBusConnection(connectionName_).unregisterObject(path_);
        QDBusConnection::disconnectFromBus(connectionName_);
    }
    ServedObject(const ServedObject&) = delete;
    ServedObject& operator=(const ServedObject&) = delete;

    bool ok() const { return ok_; }

private:
    QThread thread_;
    QString connectionName_, path_;
    bool ok_ = false;
};

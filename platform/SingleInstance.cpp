#include "platform/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <pwd.h>
#include <unistd.h>

namespace {

// Long enough for a copy that is busy drawing a wallpaper to get to its
// event loop, short enough that a hung copy does not hold the new one up.
constexpr int kConnectMs = 1000;
constexpr int kDeliverMs = 2000;

// Reads whole lines off a connection and hands each message on.
void readMessages(QLocalSocket* socket, const std::function<void(const InstanceMessage&)>& take) {
    while (socket->canReadLine()) {
        InstanceMessage m;
        if (LocalSocketInstance::decode(socket->readLine(), m))
            take(m);
        // One message per connection, as the sender writes it; closing
        // tells the sender that it was delivered.
        socket->disconnectFromServer();
        return;
    }
}

} // namespace

LocalSocketInstance::LocalSocketInstance(const QString& caption, const QString& folder) {
    QString base = folder;
    if (!base.endsWith(u'/'))
        base += u'/';
    path_ = base + caption + u'-' + userName();
}

LocalSocketInstance::~LocalSocketInstance() {
    release();
}

QString LocalSocketInstance::userName() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(getuid());
}

QByteArray LocalSocketInstance::encode(const InstanceMessage& m) {
    return QByteArray::number(m.message) + ' ' + QByteArray::number(m.wParam) + ' ' +
           QByteArray::number(m.lParam) + '\n';
}

bool LocalSocketInstance::decode(const QByteArray& line, InstanceMessage& m) {
    const QList<QByteArray> parts = line.trimmed().split(' ');
    if (parts.size() != 3)
        return false;
    bool ok[3];
    const InstanceMessage read{parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]),
                               parts[2].toInt(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2])
        return false;
    m = read;
    return true;
}

bool LocalSocketInstance::sendTo(const InstanceMessage& message) const {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    socket.write(encode(message));
    socket.waitForBytesWritten(kDeliverMs);
    // Like a sent window message, come back once the running copy took it.
    if (socket.state() == QLocalSocket::ConnectedState)
        socket.waitForDisconnected(kDeliverMs);
    return true;
}

bool LocalSocketInstance::listen(const InstanceMessage& message, bool& otherRuns) {
    otherRuns = false;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (server_->listen(path_))
        return true;
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        // Another copy may have claimed the name between our look and our
        // listen; if so it gets the message. If nobody answers, a copy that
        // died left its socket behind.
        if (sendTo(message)) {
            otherRuns = true;
        } else {
            QLocalServer::removeServer(path_);
            if (server_->listen(path_))
                return true;
        }
    }
    server_.reset();
    return false;
}

bool LocalSocketInstance::claim(const InstanceMessage& message) {
    if (sendTo(message))
        return false;
    bool otherRuns = false;
    if (listen(message, otherRuns)) {
        QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                         [this] { acceptConnections(); });
        return true;
    }
    // A name we cannot take (no runtime folder, say) should not keep the
    // program from running: it runs on, only later copies cannot reach it.
    return !otherRuns;
}

void LocalSocketInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto take = [this](const InstanceMessage& m) { deliver(m); };
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [socket, take] { readMessages(socket, take); });
        readMessages(socket, take);
    }
}

void LocalSocketInstance::deliver(const InstanceMessage& m) {
    if (handler_)
        handler_(m);
    else
        waiting_.append(m);
}

void LocalSocketInstance::setHandler(Handler handler) {
    handler_ = std::move(handler);
    if (!handler_)
        return;
    const QList<InstanceMessage> early = std::exchange(waiting_, {});
    for (const InstanceMessage& m : early)
        handler_(m);
}

void LocalSocketInstance::release() {
    if (!server_)
        return;
    server_->close();
    server_.reset();
}

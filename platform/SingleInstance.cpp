#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <algorithm>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Long enough for a copy that is busy drawing a wallpaper to get to its
// event loop, short enough that a hung copy does not hold the new one up
// for long: it is then taken over.
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;

// Whether the file at the path is a socket that this user owns.
bool isOwnSocket(const QString& path) {
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == ::geteuid();
}

// Whether the process at the other end of a connected local socket runs
// as this user.
bool peerIsThisUser(qintptr descriptor) {
    ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) !=
        0)
        return false;
    return credentials.uid == ::geteuid();
}

// Reads the one message line a connection may send, answers that it was
// taken and hands it on. A connection that sends more than a message, or
// something that is not one, is dropped.
void readMessage(QLocalSocket* socket, const std::function<void(const InstanceMessage&)>& take) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > LocalSocketInstance::kMaxMessageBytes)
            socket->abort();
        return;
    }
    // One message per connection: whatever comes after it is not read.
    QObject::disconnect(socket, &QLocalSocket::readyRead, nullptr, nullptr);
    InstanceMessage m;
    const bool ok = LocalSocketInstance::decode(socket->readLine(), m);
    if (ok) {
        // The answer goes first: what the message starts (a window, say)
        // may take a while, and the sender only waits for the answer.
        socket->write(LocalSocketInstance::answer());
        socket->flush();
    }
    socket->disconnectFromServer();
    if (ok)
        take(m);
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
    QByteArray line = QByteArray::number(m.message) + ' ' + QByteArray::number(m.wParam) + ' ' +
                      QByteArray::number(m.lParam);
    // A token that can't travel is left out rather than the message lost:
    // the window then comes forward where the desktop allows it anyway.
    if (isValidToken(m.activationToken))
        line += " token=" + m.activationToken;
    return line + '\n';
}

bool LocalSocketInstance::isValidToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kMaxTokenBytes)
        return false;
    return std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

bool LocalSocketInstance::decode(const QByteArray& line, InstanceMessage& m) {
    const QList<QByteArray> parts = line.trimmed().split(' ');
    if (parts.size() < 3)
        return false;
    bool ok[3];
    InstanceMessage read(parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]));
    if (!ok[0] || !ok[1] || !ok[2])
        return false;
    for (qsizetype i = 3; i < parts.size(); ++i) {
        const qsizetype equals = parts[i].indexOf('=');
        if (equals <= 0)
            return false;
        const QByteArray name = parts[i].left(equals);
        const QByteArray value = parts[i].mid(equals + 1);
        if (name == "token") {
            if (!isValidToken(value))
                return false;
            read.activationToken = value;
        }
    }
    m = read;
    return true;
}

LocalSocketInstance::Sent LocalSocketInstance::sendTo(const InstanceMessage& message) const {
    struct stat st = {};
    if (::lstat(QFile::encodeName(path_).constData(), &st) != 0)
        return Sent::NobodyThere;
    if (!isOwnSocket(path_))
        return Sent::NotOurs;
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(kConnectMs))
        return socket.error() == QLocalSocket::SocketTimeoutError ? Sent::NotAnswered
                                                                  : Sent::NobodyThere;
    if (!peerIsThisUser(socket.socketDescriptor()))
        return Sent::NotOurs;
    socket.write(encode(message));
    // Like a sent window message, come back once the running copy took it.
    const QDeadlineTimer deadline(kAnswerMs);
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
           !deadline.hasExpired())
        socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    if (socket.canReadLine() && socket.readLine() == answer())
        return Sent::Delivered;
    return Sent::NotAnswered;
}

bool LocalSocketInstance::listen(const InstanceMessage* askFirst, bool& otherRuns) {
    otherRuns = false;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (server_->listen(path_))
        return true;
    if (server_->serverError() == QAbstractSocket::AddressInUseError) {
        // Another copy may have claimed the name between our look and our
        // listen; if so it gets the message. Otherwise the socket is a dead
        // copy's, a hung one's or another user's, and is taken over.
        if (askFirst && sendTo(*askFirst) == Sent::Delivered) {
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

bool LocalSocketInstance::claim(const InstanceMessage& given) {
    InstanceMessage message = given;
    if (message.activationToken.isEmpty())
        message.activationToken = token_;
    const Sent sent = sendTo(message);
    if (sent == Sent::Delivered)
        return false;
    bool otherRuns = false;
    // Only where nobody was there can a copy have come since; a copy that
    // did not answer, or another user's, is not asked again.
    if (listen(sent == Sent::NobodyThere ? &message : nullptr, otherRuns)) {
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
        if (!peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        // A connection that never sends its message is not kept open.
        QTimer::singleShot(kAnswerMs, socket, [socket] { socket->abort(); });
        auto take = [this](const InstanceMessage& m) { deliver(m); };
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [socket, take] { readMessage(socket, take); });
        readMessage(socket, take);
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

#include "tests/update/LocalHttpServer.h"

#include "platform/Http.h"

#include <QTcpSocket>

LocalHttpServer::LocalHttpServer() {
    // This server speaks plain HTTP: the program's rule lets the tests
    // reach it while it exists.
    Http::allowPlainHttpToLoopback(true);
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &LocalHttpServer::onConnection);
}

LocalHttpServer::~LocalHttpServer() {
    for (QTcpSocket* s : findChildren<QTcpSocket*>())
        s->abort();
    Http::allowPlainHttpToLoopback(false);
}

QString LocalHttpServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

LocalHttpServer::Route LocalHttpServer::body(const QByteArray& bytes) {
    Route r;
    r.body = bytes;
    return r;
}

LocalHttpServer::Route LocalHttpServer::redirect(const QString& location) {
    Route r;
    r.status = 302;
    r.reason = "Found";
    r.headers.append({"Location", location.toUtf8()});
    return r;
}

void LocalHttpServer::onConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections;
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onData(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::onData(QTcpSocket* socket) {
    QByteArray& buffer = pending_[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    // "GET /path HTTP/1.1"
    const QList<QByteArray> words = buffer.left(buffer.indexOf("\r\n")).split(' ');
    pending_.remove(socket);
    const QString path = words.size() >= 2 ? QString::fromUtf8(words[1]) : QString();
    requests << path;
    answer(socket, path);
}

void LocalHttpServer::answer(QTcpSocket* socket, const QString& path) {
    Route route;
    if (routes_.contains(path)) {
        route = routes_.value(path);
    } else {
        route.status = 404;
        route.reason = "Not Found";
        route.body = "Not Found";
    }
    if (route.mode == Mode::Silent)
        return;
    const qsizetype announced =
        route.mode == Mode::Truncated ? route.body.size() + 1000 : route.body.size();
    QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + ' ' + route.reason +
                      "\r\nContent-Length: " + QByteArray::number(announced) +
                      "\r\nConnection: close\r\n";
    for (const auto& [name, value] : route.headers)
        head += name + ": " + value + "\r\n";
    head += "\r\n";
    if (route.mode == Mode::Hold) {
        socket->write(head + route.body.left(route.holdAfter));
        socket->flush();
        held_.append(Held{socket, route.body.mid(route.holdAfter), route.holdAfter});
        return;
    }
    socket->write(head + route.body);
    socket->disconnectFromHost();
}

void LocalHttpServer::release() {
    QList<Held> still;
    for (Held& h : held_) {
        if (!h.socket)
            continue;
        h.socket->write(h.rest.left(h.step));
        h.rest.remove(0, h.step);
        if (h.rest.isEmpty())
            h.socket->disconnectFromHost();
        else
            still.append(h);
    }
    held_ = still;
}

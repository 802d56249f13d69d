#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A small HTTP/1.1 server on a loopback port of its own, for the tests of
// the update check. Each path answers as its route says: a whole answer, an
// answer that never comes, a body held after its first bytes until the test
// releases it, a body shorter than its announced length, or a redirect.
// Paths without a route answer 404 "Not Found". While it exists, the
// program's HTTP rule lets requests reach it (plain HTTP to loopback).
class LocalHttpServer final : public QObject {
public:
    enum class Mode {
        Whole,     // status, headers and the whole body, then the connection closes
        Silent,    // the request is read and never answered
        Hold,      // headers and the first `holdAfter` bytes, as many more at each release()
        Truncated, // a Content-Length beyond the body, then the connection closes
    };
    struct Route {
        int status = 200;
        QByteArray reason = "OK";
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        Mode mode = Mode::Whole;
        qsizetype holdAfter = 0;
    };

    LocalHttpServer();
    ~LocalHttpServer() override;

    // "http://127.0.0.1:<port>".
    QString base() const;
    // The address of a path on this server.
    QString url(const QString& path) const { return base() + path; }
    quint16 port() const { return server_.serverPort(); }

    void serve(const QString& path, const Route& route) { routes_.insert(path, route); }
    static Route body(const QByteArray& bytes);
    static Route redirect(const QString& location);

    // Sends the next `holdAfter` bytes of every held body; a body sent
    // whole closes its connection.
    void release();

    // The paths asked for, in order, and how many connections came in.
    QStringList requests;
    int connections = 0;

private:
    void onConnection();
    void onData(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer server_;
    QHash<QString, Route> routes_;
    QHash<QTcpSocket*, QByteArray> pending_;
    struct Held {
        QPointer<QTcpSocket> socket;
        QByteArray rest;
        qsizetype step;
    };
    QList<Held> held_;
};

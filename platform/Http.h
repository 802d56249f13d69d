#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// One GET request under way. It reports the body as it comes and its end;
// it never blocks. A request the rules refuse ends without any connection
// being made.
class HttpTransfer : public QObject {
    Q_OBJECT
public:
    ~HttpTransfer() override;

    // The HTTP status and its reason phrase once the server has answered;
    // 0 and "" until then, and when there was no answer.
    int status() const { return status_; }
    QString reason() const { return reason_; }
    // True for an answer with a 2xx status.
    bool answeredOk() const { return status_ >= 200 && status_ <= 299; }
    // A failure of the transfer, numbered as QNetworkReply::NetworkError
    // numbers them (0 none), with its text. A server's error status alone
    // is no failure here: read status().
    int error() const { return error_; }
    QString errorText() const { return errorText_; }
    bool isFinished() const { return finished_; }

    // Body bytes received and not yet read.
    qint64 bytesAvailable() const;
    QByteArray read(qint64 maxSize);
    QByteArray readAll();

    // Stops the transfer at once. Nothing is reported after it.
    void abort();

signals:
    // Body bytes can be read.
    void readyRead();
    // The transfer has ended, with an answer or a failure.
    void finished();

private:
    friend class Http;
    HttpTransfer(QObject* parent, int noDataTimeoutMs);
    void start(QNetworkAccessManager& manager, const QUrl& url);
    void refuse(int error, const QString& text);
    void onRedirected(const QUrl& target);
    void onFinished();
    void onNoData();
    void noteAnswer();
    void finish();

    QPointer<QNetworkReply> reply_;
    QTimer* idle_ = nullptr;
    int noDataTimeoutMs_;
    int status_ = 0;
    QString reason_;
    int error_ = 0;
    QString errorText_;
    bool finished_ = false;
    bool aborted_ = false;
};

// The program's way onto the web. Only HTTPS is used, except plain HTTP to
// a literal loopback address (127.0.0.0/8 or ::1, never a host name), and
// the same rule holds for every redirect an answer asks for, so no answer
// can send a request on to a plain-HTTP host. A transfer that goes for the
// no-data time without receiving anything ends as failed.
class Http {
public:
    Http();
    ~Http();
    Http(const Http&) = delete;
    Http& operator=(const Http&) = delete;

    // The update server's base address ("https://host[:port]"), as the
    // build set it; "" when it set none.
    QString updateServer;
    // How long a transfer may go without receiving anything.
    int noDataTimeoutMs = 30000;

    // Whether the rule lets a request go to this address.
    static bool isAllowed(const QUrl& url);

    // Starts a GET; the transfer belongs to `parent`. Never null.
    HttpTransfer* get(const QUrl& url, QObject* parent);

private:
    std::unique_ptr<QNetworkAccessManager> manager_;
};

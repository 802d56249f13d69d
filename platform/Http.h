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

// Bounds of one transfer besides the no-data time. A body larger than
// `maxBodyBytes` (when above 0) and a transfer that runs longer than
// `timeLimitMs` (when above 0) end as failed.
struct TransferLimits {
    qint64 maxBodyBytes = 0;
    int timeLimitMs = 0;
};

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
    HttpTransfer(QObject* parent, int noDataTimeoutMs, const TransferLimits& limits);
    void start(QNetworkAccessManager& manager, const QUrl& url);
    void request(const QUrl& url);
    // Where the answer under way sends the request on; invalid when it is
    // no redirect.
    QUrl redirectTarget() const;
    // Goes on to the redirect's target when the answer is one and the rule
    // and the count allow it; false when the transfer ends here (with a
    // failure when the redirect was refused).
    bool followRedirect();
    void refuse(int error, const QString& text);
    void onFinished();
    void onNoData();
    void onTimeLimit();
    // Ends the transfer as failed with this error, while it is under way.
    void breakOff(int error, const QString& text);
    void noteAnswer();
    void finish();

    QNetworkAccessManager* manager_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QTimer* idle_ = nullptr;
    QTimer* overall_ = nullptr;
    int noDataTimeoutMs_;
    TransferLimits limits_;
    int redirects_ = 0;
    qint64 bytesRead_ = 0;
    int status_ = 0;
    QString reason_;
    int error_ = 0;
    QString errorText_;
    bool finished_ = false;
    bool aborted_ = false;
};

// The program's way onto the web. Only HTTPS is used, and the same rule
// holds for every redirect an answer asks for, so no answer can send a
// request on to a plain-HTTP host; a chain of more than kMaxRedirects
// redirects ends as failed. Tests talk to a plain-HTTP server on loopback:
// only they switch that on, in code (nothing the program reads can). A
// transfer that goes for the no-data time without receiving anything ends
// as failed.
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

    // Redirects followed for one request at most.
    static constexpr int kMaxRedirects = 10;

    // Whether the rule lets a request go to this address.
    static bool isAllowed(const QUrl& url);
    // For the tests' own server: plain HTTP to a literal loopback address
    // (127.0.0.0/8 or ::1, never a host name) is allowed while this is on.
    // Off in the program.
    static void allowPlainHttpToLoopback(bool allow);

    // Starts a GET; the transfer belongs to `parent`. Never null.
    HttpTransfer* get(const QUrl& url, QObject* parent, const TransferLimits& limits = {});

private:
    std::unique_ptr<QNetworkAccessManager> manager_;
};

#include "platform/Http.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#ifndef TAPESTREL_UPDATE_SERVER
#define TAPESTREL_UPDATE_SERVER ""
#endif

namespace {

bool plainHttpToLoopback = false; // program state: switched on by the tests only

QString refusedText(const QUrl& url) {
    return QStringLiteral("Refused to connect to %1: only HTTPS may be used")
        .arg(url.toDisplayString());
}

} // namespace

HttpTransfer::HttpTransfer(QObject* parent, int noDataTimeoutMs, const TransferLimits& limits)
    : QObject(parent), noDataTimeoutMs_(noDataTimeoutMs), limits_(limits) {}

namespace {

// Lets a reply go: nothing of it reaches the receiver any more, and taking
// it down stops its request.
void dropReply(QNetworkReply* reply, QObject* receiver) {
    reply->disconnect(receiver);
    reply->deleteLater();
}

} // namespace

HttpTransfer::~HttpTransfer() {
    if (reply_)
        dropReply(reply_, this);
}

void HttpTransfer::start(QNetworkAccessManager& manager, const QUrl& url) {
    manager_ = &manager;
    idle_ = new QTimer(this);
    idle_->setSingleShot(true);
    idle_->setInterval(noDataTimeoutMs_);
    connect(idle_, &QTimer::timeout, this, &HttpTransfer::onNoData);
    if (limits_.timeLimitMs > 0) {
        overall_ = new QTimer(this);
        overall_->setSingleShot(true);
        connect(overall_, &QTimer::timeout, this, &HttpTransfer::onTimeLimit);
        overall_->start(limits_.timeLimitMs);
    }
    request(url);
}

void HttpTransfer::request(const QUrl& url) {
    QNetworkRequest request(url);
    // Redirects are followed here, one request at a time, so that each is
    // checked against the rule and counted.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    reply_ = manager_->get(request);
    // Anything from the server counts as a sign of life.
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        idle_->start();
        noteAnswer();
    });
    connect(reply_, &QNetworkReply::readyRead, this, [this] {
        idle_->start();
        noteAnswer();
        // The body of a redirect is nobody's business.
        if (redirectTarget().isValid())
            return;
        if (limits_.maxBodyBytes > 0 &&
            bytesRead_ + reply_->bytesAvailable() > limits_.maxBodyBytes) {
            breakOff(
                QNetworkReply::UnknownContentError,
                QStringLiteral("The answer is larger than %1 bytes").arg(limits_.maxBodyBytes));
            return;
        }
        emit readyRead();
    });
    connect(reply_, &QNetworkReply::finished, this, &HttpTransfer::onFinished);
    idle_->start();
}

QUrl HttpTransfer::redirectTarget() const {
    if (!reply_)
        return {};
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 301 && status != 302 && status != 303 && status != 307 && status != 308)
        return {};
    const QUrl location(QString::fromUtf8(reply_->rawHeader("Location")), QUrl::StrictMode);
    return location.isValid() ? reply_->url().resolved(location) : QUrl();
}

void HttpTransfer::refuse(int error, const QString& text) {
    error_ = error;
    errorText_ = text;
    // Reported from the event loop, so that the caller has connected first.
    QTimer::singleShot(0, this, [this] { finish(); });
}

bool HttpTransfer::followRedirect() {
    const QUrl next = redirectTarget();
    if (!next.isValid())
        return false;
    dropReply(reply_, this);
    reply_ = nullptr;
    // The redirect's own status is no answer to the request.
    status_ = 0;
    reason_.clear();
    if (++redirects_ > Http::kMaxRedirects) {
        error_ = QNetworkReply::TooManyRedirectsError;
        errorText_ = QStringLiteral("Too many redirects: more than %1, the last to %2")
                         .arg(Http::kMaxRedirects)
                         .arg(next.toDisplayString());
        return false;
    }
    if (!Http::isAllowed(next)) {
        error_ = QNetworkReply::InsecureRedirectError;
        errorText_ = QStringLiteral("Refused to follow a redirect to %1: only HTTPS may be used")
                         .arg(next.toDisplayString());
        return false;
    }
    request(next);
    return true;
}

void HttpTransfer::onNoData() {
    breakOff(QNetworkReply::TimeoutError, QStringLiteral("No data received for %1 seconds")
                                              .arg(QString::number(noDataTimeoutMs_ / 1000.0)));
}

void HttpTransfer::onTimeLimit() {
    breakOff(QNetworkReply::TimeoutError, QStringLiteral("The transfer took longer than %1 seconds")
                                              .arg(QString::number(limits_.timeLimitMs / 1000.0)));
}

void HttpTransfer::breakOff(int error, const QString& text) {
    if (!reply_ || finished_ || error_ != 0)
        return;
    error_ = error;
    errorText_ = text;
    // The abort reports the end through onFinished, with this error.
    reply_->abort();
}

void HttpTransfer::noteAnswer() {
    if (error_ != 0 || !reply_)
        return;
    const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return;
    status_ = status.toInt();
    reason_ = reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
}

void HttpTransfer::onFinished() {
    if (!reply_)
        return;
    if (error_ == 0 && followRedirect())
        return;
    idle_->stop();
    if (overall_)
        overall_->stop();
    if (error_ == 0 && reply_) {
        noteAnswer();
        const QNetworkReply::NetworkError e = reply_->error();
        // A server's error status is an answer, read through status(); a
        // transfer that broke off is a failure even after a good status.
        const bool errorStatusOnly = status_ != 0 && !answeredOk() &&
                                     e >= QNetworkReply::ContentAccessDenied &&
                                     e <= QNetworkReply::UnknownServerError;
        if (e != QNetworkReply::NoError && !errorStatusOnly) {
            error_ = e;
            errorText_ = reply_->errorString();
        }
    }
    finish();
}

void HttpTransfer::finish() {
    if (finished_ || aborted_)
        return;
    finished_ = true;
    emit finished();
}

qint64 HttpTransfer::bytesAvailable() const {
    return reply_ && reply_->isOpen() ? reply_->bytesAvailable() : 0;
}

QByteArray HttpTransfer::read(qint64 maxSize) {
    const QByteArray bytes = reply_ && reply_->isOpen() ? reply_->read(maxSize) : QByteArray();
    bytesRead_ += bytes.size();
    return bytes;
}

QByteArray HttpTransfer::readAll() {
    const QByteArray bytes = reply_ && reply_->isOpen() ? reply_->readAll() : QByteArray();
    bytesRead_ += bytes.size();
    return bytes;
}

void HttpTransfer::abort() {
    aborted_ = true;
    if (idle_)
        idle_->stop();
    if (overall_)
        overall_->stop();
    if (reply_) {
        dropReply(reply_, this);
        reply_ = nullptr;
    }
}

Http::Http() : updateServer(QStringLiteral(TAPESTREL_UPDATE_SERVER)) {}

Http::~Http() = default;

bool Http::isAllowed(const QUrl& url) {
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QStringLiteral("https"))
        return true;
    if (scheme != QStringLiteral("http") || !plainHttpToLoopback)
        return false;
    // Only an address written as such: a name could resolve anywhere.
    QHostAddress address;
    return address.setAddress(url.host()) && address.isLoopback();
}

void Http::allowPlainHttpToLoopback(bool allow) {
    plainHttpToLoopback = allow;
}

HttpTransfer* Http::get(const QUrl& url, QObject* parent, const TransferLimits& limits) {
    auto* transfer = new HttpTransfer(parent, noDataTimeoutMs, limits);
    if (!isAllowed(url)) {
        transfer->refuse(QNetworkReply::ProtocolUnknownError, refusedText(url));
        return transfer;
    }
    if (!manager_)
        manager_ = std::make_unique<QNetworkAccessManager>();
    transfer->start(*manager_, url);
    return transfer;
}

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

QString refusedText(const QUrl& url) {
    return QStringLiteral("Refused to connect to %1: only HTTPS may be used")
        .arg(url.toDisplayString());
}

} // namespace

HttpTransfer::HttpTransfer(QObject* parent, int noDataTimeoutMs)
    : QObject(parent), noDataTimeoutMs_(noDataTimeoutMs) {}

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
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    reply_ = manager.get(request);
    idle_ = new QTimer(this);
    idle_->setSingleShot(true);
    idle_->setInterval(noDataTimeoutMs_);
    connect(idle_, &QTimer::timeout, this, &HttpTransfer::onNoData);
    // Anything from the server counts as a sign of life.
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
        idle_->start();
        noteAnswer();
    });
    connect(reply_, &QNetworkReply::readyRead, this, [this] {
        idle_->start();
        noteAnswer();
        emit readyRead();
    });
    connect(reply_, &QNetworkReply::redirected, this, &HttpTransfer::onRedirected);
    connect(reply_, &QNetworkReply::finished, this, &HttpTransfer::onFinished);
    idle_->start();
}

void HttpTransfer::refuse(int error, const QString& text) {
    error_ = error;
    errorText_ = text;
    // Reported from the event loop, so that the caller has connected first.
    QTimer::singleShot(0, this, [this] { finish(); });
}

void HttpTransfer::onRedirected(const QUrl& target) {
    if (!reply_)
        return;
    const QUrl next = reply_->url().resolved(target);
    if (Http::isAllowed(next)) {
        idle_->start();
        emit reply_->redirectAllowed();
        return;
    }
    error_ = QNetworkReply::InsecureRedirectError;
    errorText_ = QStringLiteral("Refused to follow a redirect to %1: only HTTPS may be used")
                     .arg(next.toDisplayString());
    // The redirect's own status is no answer to the request.
    status_ = 0;
    reason_.clear();
    reply_->abort();
}

void HttpTransfer::onNoData() {
    if (!reply_ || finished_)
        return;
    error_ = QNetworkReply::TimeoutError;
    errorText_ = QStringLiteral("No data received for %1 seconds")
                     .arg(QString::number(noDataTimeoutMs_ / 1000.0));
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
    idle_->stop();
    if (error_ == 0) {
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
    return reply_ && reply_->isOpen() ? reply_->read(maxSize) : QByteArray();
}

QByteArray HttpTransfer::readAll() {
    return reply_ && reply_->isOpen() ? reply_->readAll() : QByteArray();
}

void HttpTransfer::abort() {
    aborted_ = true;
    if (idle_)
        idle_->stop();
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
    if (scheme != QStringLiteral("http"))
        return false;
    // Only an address written as such: a name could resolve anywhere.
    QHostAddress address;
    return address.setAddress(url.host()) && address.isLoopback();
}

HttpTransfer* Http::get(const QUrl& url, QObject* parent) {
    auto* transfer = new HttpTransfer(parent, noDataTimeoutMs);
    if (!isAllowed(url)) {
        transfer->refuse(QNetworkReply::ProtocolUnknownError, refusedText(url));
        return transfer;
    }
    if (!manager_)
        manager_ = std::make_unique<QNetworkAccessManager>();
    transfer->start(*manager_, url);
    return transfer;
}

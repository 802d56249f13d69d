#include "platform/PlasmaScripting.h"

#include <QDBusError>
#include <QDBusMessage>

DBusPlasmaScripting::DBusPlasmaScripting(std::optional<QDBusConnection> connection, int timeoutMs)
    : connection_(std::move(connection)), timeoutMs_(timeoutMs) {}

PlasmaScripting::Reply DBusPlasmaScripting::evaluateScript(const QString& script) {
    using Outcome = Reply::Outcome;
    if (!connection_)
        connection_ = QDBusConnection::sessionBus();
    if (!connection_->isConnected()) {
        const QString why = connection_->lastError().message();
        return {Outcome::Refused,
                {},
                why.isEmpty() ? QStringLiteral("there is no D-Bus session bus")
                              : QStringLiteral("there is no D-Bus session bus (%1)").arg(why)};
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << script;
    // Starting a shell of our own would put a second desktop on the screen.
    call.setAutoStartService(false);
    // Block, not BlockWithGui: the minute timer and the tray must not run
    // another display while this one waits.
    const QDBusMessage answer = connection_->call(call, QDBus::Block, timeoutMs_);
    if (answer.type() == QDBusMessage::ReplyMessage) {
        const QVariantList arguments = answer.arguments();
        return {Outcome::Done, arguments.isEmpty() ? QString() : arguments.first().toString(), {}};
    }
    const QDBusError error(answer);
    if (error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout ||
        error.type() == QDBusError::TimedOut)
        return {Outcome::NoAnswer,
                {},
                QStringLiteral("plasmashell did not answer in time (%1)").arg(error.message())};
    // Without auto-start the bus answers NameHasNoOwner, which QtDBus has no
    // type for; with it, ServiceUnknown.
    if (error.type() == QDBusError::ServiceUnknown ||
        error.name() == u"org.freedesktop.DBus.Error.NameHasNoOwner")
        return {Outcome::Refused, {}, QStringLiteral("plasmashell is not running")};
    const QString message = error.message().isEmpty() ? error.name() : error.message();
    return {Outcome::Refused, {}, message.isEmpty() ? QStringLiteral("no reason given") : message};
}

QString javaScriptString(const QString& text) {
    QString literal;
    literal.reserve(text.size() + 2);
    literal += u'"';
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'"' || unit == u'\\') {
            literal += u'\\';
            literal += c;
        } else if (unit >= 0x20 && unit < 0x7f) {
            literal += c;
        } else {
            literal += QStringLiteral("\\u%1").arg(unsigned(unit), 4, 16, QLatin1Char('0'));
        }
    }
    literal += u'"';
    return literal;
}

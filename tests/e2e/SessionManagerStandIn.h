#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

// A session manager of the test's own, speaking the X session management
// protocol as xfce4-session and Plasma's ksmserver do: it listens where
// SESSION_MANAGER points, registers the clients that connect, asks each for
// a first save as those managers do, and notes the properties the clients
// set. Driven from the test's event loop.
class SessionManagerStandIn {
public:
    SessionManagerStandIn();
    ~SessionManagerStandIn();
    SessionManagerStandIn(const SessionManagerStandIn&) = delete;
    SessionManagerStandIn& operator=(const SessionManagerStandIn&) = delete;

    // The value for SESSION_MANAGER; empty when nothing could be set up
    // (`problem()` says why).
    QString address() const;
    QString problem() const;

    // What the clients did, in order: "register", "properties", "done",
    // "interact", "close".
    QStringList events() const;
    int clients() const;
    // The last value a client gave for a property of one byte, such as
    // "RestartStyleHint"; -1 when none was given.
    int cardinalProperty(const QString& name) const;
    // The last value of a list-of-strings property, such as
    // "RestartCommand".
    QStringList listProperty(const QString& name) const;

    // Asks every client to save, as before a logout (shutdown true) or for
    // a checkpoint.
    void saveYourself(bool shutdown);
    // Tells every client that the session ends.
    void die();

    // The restart hints of the protocol.
    static constexpr int kRestartIfRunning = 0;
    static constexpr int kRestartAnyway = 1;
    static constexpr int kRestartImmediately = 2;
    static constexpr int kRestartNever = 3;

    struct State;

private:
    std::unique_ptr<State> state_;
};

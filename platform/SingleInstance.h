#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QLocalServer;

// What one copy of the program tells the copy already running: a message
// number and its two values, as a window message carries them, and the
// desktop's permission to bring a window forward that the later copy was
// started with (empty when it had none), for the running copy to use.
struct InstanceMessage {
    InstanceMessage() = default;
    InstanceMessage(int32_t message, int32_t wParam, int32_t lParam, QByteArray token = {})
        : message(message), wParam(wParam), lParam(lParam), activationToken(std::move(token)) {}

    int32_t message = 0;
    int32_t wParam = 0;
    int32_t lParam = 0;
    QByteArray activationToken;
    bool operator==(const InstanceMessage&) const = default;
};

// One running copy per user: the first copy claims a name, later copies find
// it by that name, hand it a message and end.
class SingleInstance {
public:
    using Handler = std::function<void(const InstanceMessage&)>;
    virtual ~SingleInstance() = default;

    // Tries to become the running copy. False when another copy already
    // runs; it has then been given `message`.
    virtual bool claim(const InstanceMessage& message) = 0;
    // Where messages from later copies go. Messages that arrived before a
    // handler was set are kept and delivered to it now.
    virtual void setHandler(Handler handler) = 0;
    // Gives up the name (at exit).
    virtual void release() = 0;
};

// The real one: a local socket in the user's private runtime folder, named
// after the main window's caption and the user. Only a socket of this user,
// with a copy of this user behind it, is talked to; a message counts as
// handed over only when the running copy answers that it took it. A name
// that nobody of this user answers at is taken over.
class LocalSocketInstance final : public SingleInstance {
public:
    LocalSocketInstance(const QString& caption, const QString& folder);
    ~LocalSocketInstance() override;

    bool claim(const InstanceMessage& message) override;
    void setHandler(Handler handler) override;
    void release() override;

    // The activation token this copy was started with: a message handed
    // over to a running copy carries it unless it has one of its own.
    void setActivationToken(const QByteArray& token) { token_ = token; }

    // The socket's full path.
    QString socketPath() const { return path_; }
    // The user's login name, or the numeric id when there is none.
    static QString userName();

    // Text on the wire: the three numbers, blank-separated, then fields
    // of the form name=value (today only "token", the activation token),
    // one line; and the running copy's answer once it has taken them. A
    // field whose name is not known is passed over, so that later copies
    // may say more to this one; a message that is not of this form is not
    // taken.
    static QByteArray encode(const InstanceMessage& m);
    static bool decode(const QByteArray& line, InstanceMessage& m);
    static QByteArray answer() { return QByteArrayLiteral("OK\n"); }
    // An activation token as it may travel: printable ASCII without blanks,
    // at most kMaxTokenBytes.
    static bool isValidToken(const QByteArray& token);
    static constexpr qsizetype kMaxTokenBytes = 512;
    // The most a connection may send: one message line.
    static constexpr qint64 kMaxMessageBytes = 64 + kMaxTokenBytes;

private:
    // What became of a message sent to the name.
    enum class Sent {
        Delivered,   // a copy of this user took it
        NobodyThere, // no socket, or one that nobody listens on
        NotAnswered, // someone took the connection but never answered
        NotOurs,     // the socket or the copy behind it is another user's
    };
    Sent sendTo(const InstanceMessage& message) const;
    // Listens at the name, taking it over when a socket is in the way;
    // `askFirst` is sent to that socket before, and when it is delivered
    // otherRuns is set and nothing is taken.
    bool listen(const InstanceMessage* askFirst, bool& otherRuns);
    void acceptConnections();
    void deliver(const InstanceMessage& m);

    QString path_;
    std::unique_ptr<QLocalServer> server_;
    Handler handler_;
    QList<InstanceMessage> waiting_;
    QByteArray token_;
};

// The test stand-in: `running` says whether another copy is there; what it
// was sent and what the handler gets can be read back.
class FakeSingleInstance final : public SingleInstance {
public:
    bool claim(const InstanceMessage& message) override {
        ++claims;
        if (running)
            sent.append(message);
        return !running;
    }
    void setHandler(Handler h) override { handler = std::move(h); }
    void release() override { released = true; }
    // A later copy's message arrives.
    void receive(const InstanceMessage& m) {
        if (handler)
            handler(m);
    }

    bool running = false;
    bool released = false;
    int claims = 0;
    QList<InstanceMessage> sent;
    Handler handler;
};

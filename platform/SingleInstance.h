#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QLocalServer;

// What one copy of the program tells the copy already running: a message
// number and its two values, as a window message carries them.
struct InstanceMessage {
    int32_t message = 0;
    int32_t wParam = 0;
    int32_t lParam = 0;
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
// after the main window's caption and the user.
class LocalSocketInstance final : public SingleInstance {
public:
    LocalSocketInstance(const QString& caption, const QString& folder);
    ~LocalSocketInstance() override;

    bool claim(const InstanceMessage& message) override;
    void setHandler(Handler handler) override;
    void release() override;

    // The socket's full path.
    QString socketPath() const { return path_; }
    // The user's login name, or the numeric id when there is none.
    static QString userName();

    // Text on the wire: the three numbers, blank-separated, one line.
    static QByteArray encode(const InstanceMessage& m);
    static bool decode(const QByteArray& line, InstanceMessage& m);

private:
    bool sendTo(const InstanceMessage& message) const;
    bool listen(const InstanceMessage& message, bool& otherRuns);
    void acceptConnections();
    void deliver(const InstanceMessage& m);

    QString path_;
    std::unique_ptr<QLocalServer> server_;
    Handler handler_;
    QList<InstanceMessage> waiting_;
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

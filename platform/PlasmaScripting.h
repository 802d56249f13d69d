#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <optional>

// Runs a desktop script in the Plasma shell (its "evaluateScript" call).
class PlasmaScripting {
public:
    struct Reply {
        enum class Outcome {
            Done,     // the shell ran the script
            Refused,  // the shell did not run it, or the script failed
            NoAnswer, // no answer in time: the shell may still run it
        };
        Outcome outcome = Outcome::Refused;
        QString output; // what the shell answered, when done
        QString error;  // why not, otherwise
    };
    virtual ~PlasmaScripting() = default;
    virtual Reply evaluateScript(const QString& script) = 0;
};

// Calls the running plasmashell over D-Bus. It is never started for this:
// a session without one gets a refusal.
class DBusPlasmaScripting final : public PlasmaScripting {
public:
    // Without a connection, the session bus, joined at the first call.
    explicit DBusPlasmaScripting(std::optional<QDBusConnection> connection = std::nullopt,
                                 int timeoutMs = 10000);
    Reply evaluateScript(const QString& script) override;

private:
    std::optional<QDBusConnection> connection_;
    int timeoutMs_;
};

// Keeps the scripts and answers with a prepared reply.
class RecordingPlasmaScripting final : public PlasmaScripting {
public:
    Reply evaluateScript(const QString& script) override {
        scripts << script;
        return reply;
    }
    QStringList scripts;
    Reply reply{Reply::Outcome::Done, {}, {}};
};

// A JavaScript string literal, in double quotes, that reads back as text
// whatever it holds. Everything outside printable ASCII is written as a
// \u escape, so the script stays ASCII on its way through D-Bus.
QString javaScriptString(const QString& text);

#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class QObject;

// What the machine's network looks like at one moment.
struct ConnectionState {
    // The Internet can be reached.
    bool connected = false;
    // Not connected, but a connection is set up that could be used.
    bool configured = false;
    // The name of the connection in use (or that would be used); "" when none.
    QString name;
};

// The machine's Internet connection: whether it is up, and dialling it up
// and down again. Answers never block: they are read from what the system
// already knows.
class Connectivity {
public:
    virtual ~Connectivity() = default;
    virtual ConnectionState state() = 0;
    // Brings the named connection up; true with its number on success.
    virtual bool dial(const QString& name, int32_t& connection) = 0;
    virtual void hangUp(int32_t connection) = 0;
};

// The running system's connection, read from the kernel at every call: an
// up interface other than loopback with a default route (IPv4 or IPv6)
// counts as connected, one without a route as configured. A network
// information backend (NetworkManager, or GLib's monitor on machines
// without NetworkManager) may say otherwise only with an answer it reported
// since the routes last changed, such as a network found to have no way out;
// an answer it gave before (some backends keep their first one for the whole
// run) never holds against what the kernel says now. There is nothing to
// dial on this system: dialling succeeds when the machine is online, and
// hanging up does nothing.
class SystemConnectivity final : public Connectivity {
public:
    SystemConnectivity();
    ~SystemConnectivity() override;
    ConnectionState state() override;
    bool dial(const QString& name, int32_t& connection) override;
    void hangUp(int32_t connection) override;

    // The backend that answers, or "" when the interfaces do.
    QString backendName();

private:
    void loadBackend();
    bool loadTried_ = false;
    // Receives the backend's reports for as long as this object lives.
    std::unique_ptr<QObject> listener_;
    // A running count of what was seen: the kernel's answer changing, the
    // backend reporting. Whichever came last decides when they disagree.
    quint64 events_ = 0;
    quint64 kernelChangedAt_ = 0;
    quint64 backendReportedAt_ = 0;
    int lastKernelAnswer_ = -1;
};

// One network interface as the fallback sees it.
struct InterfaceInfo {
    QString name;
    QString displayName;
    bool up = false;
    bool loopback = false;
};

// The interfaces that have a usable default route, read from the kernel's
// route tables in the text form of /proc/net/route and /proc/net/ipv6_route
// (rejecting routes and loopback are left out).
QSet<QString> interfacesWithDefaultRoute(const QByteArray& ipv4Routes,
                                         const QByteArray& ipv6Routes);
// The state from the interfaces alone: an up, non-loopback interface with a
// default route is connected, one without is configured; the name is the
// interface's display name.
ConnectionState stateFromInterfaces(const QList<InterfaceInfo>& interfaces,
                                    const QSet<QString>& withDefaultRoute);

// A connection that answers from a script. Each query of the state takes
// the next entry of `states`; the last one stays. Dialling answers with
// `dialSucceeds` and `dialNumber`; dialled names and hung-up numbers are
// noted.
class ScriptedConnectivity final : public Connectivity {
public:
    ConnectionState state() override {
        ++queries;
        if (states.isEmpty())
            return {};
        return states.size() > 1 ? states.takeFirst() : states.first();
    }
    bool dial(const QString& name, int32_t& connection) override {
        dialled << name;
        if (dialSucceeds)
            connection = dialNumber;
        return dialSucceeds;
    }
    void hangUp(int32_t connection) override { hungUp << connection; }

    static ConnectionState online(const QString& name = QStringLiteral("eth0")) {
        return {true, false, name};
    }
    static ConnectionState configured(const QString& name = QStringLiteral("eth0")) {
        return {false, true, name};
    }
    static ConnectionState offline() { return {}; }

    QList<ConnectionState> states;
    int queries = 0;
    bool dialSucceeds = false;
    int32_t dialNumber = 0;
    QStringList dialled;
    QList<int32_t> hungUp;
};

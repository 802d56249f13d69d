#include "platform/Connectivity.h"

#include <QFile>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QObject>

namespace {

// Route flags of the kernel's tables.
constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteReject = 0x0200;

QByteArray readProcFile(const char* path) {
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Files under /proc report no size: read until the end.
    return file.readAll();
}

QList<InterfaceInfo> systemInterfaces() {
    QList<InterfaceInfo> out;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        out.append(InterfaceInfo{i.name(), i.humanReadableName(),
                                 flags.testFlag(QNetworkInterface::IsUp) &&
                                     flags.testFlag(QNetworkInterface::IsRunning),
                                 flags.testFlag(QNetworkInterface::IsLoopBack) ||
                                     i.type() == QNetworkInterface::Loopback});
    }
    return out;
}

ConnectionState stateFromSystemInterfaces() {
    return stateFromInterfaces(systemInterfaces(),
                               interfacesWithDefaultRoute(readProcFile("/proc/net/route"),
                                                          readProcFile("/proc/net/ipv6_route")));
}

} // namespace

QSet<QString> interfacesWithDefaultRoute(const QByteArray& ipv4Routes,
                                         const QByteArray& ipv6Routes) {
    QSet<QString> out;
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    const QList<QByteArray> v4 = ipv4Routes.split('\n');
    for (qsizetype n = 1; n < v4.size(); ++n) {
        const QList<QByteArray> f = v4[n].simplified().split(' ');
        if (f.size() < 8)
            continue;
        bool ok = false;
        const unsigned flags = f[3].toUInt(&ok, 16);
        if (!ok || f[1] != "00000000" || f[7] != "00000000")
            continue;
        if ((flags & kRouteUp) && !(flags & kRouteReject) && f[0] != "lo")
            out.insert(QString::fromLatin1(f[0]));
    }
    // Destination PrefixLength Source SourcePrefix NextHop Metric RefCnt Use Flags Iface
    for (const QByteArray& line : ipv6Routes.split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 10)
            continue;
        bool ok = false;
        const unsigned flags = f[8].toUInt(&ok, 16);
        if (!ok || f[0] != QByteArray(32, '0') || f[1] != "00")
            continue;
        if ((flags & kRouteUp) && !(flags & kRouteReject) && f[9] != "lo")
            out.insert(QString::fromLatin1(f[9]));
    }
    return out;
}

ConnectionState stateFromInterfaces(const QList<InterfaceInfo>& interfaces,
                                    const QSet<QString>& withDefaultRoute) {
    ConnectionState state;
    for (const InterfaceInfo& i : interfaces) {
        if (!i.up || i.loopback)
            continue;
        if (withDefaultRoute.contains(i.name))
            return ConnectionState{true, false, i.displayName};
        if (!state.configured) {
            state.configured = true;
            state.name = i.displayName;
        }
    }
    return state;
}

SystemConnectivity::SystemConnectivity() = default;
SystemConnectivity::~SystemConnectivity() = default;

void SystemConnectivity::loadBackend() {
    if (loadTried_)
        return;
    loadTried_ = true;
    if (!QNetworkInformation::instance())
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    if (QNetworkInformation* info = QNetworkInformation::instance()) {
        listener_ = std::make_unique<QObject>();
        QObject::connect(info, &QNetworkInformation::reachabilityChanged, listener_.get(),
                         [this] { backendReportedAt_ = ++events_; });
    }
}

QString SystemConnectivity::backendName() {
    loadBackend();
    QNetworkInformation* info = QNetworkInformation::instance();
    return info && info->supports(QNetworkInformation::Feature::Reachability) ? info->backendName()
                                                                              : QString();
}

ConnectionState SystemConnectivity::state() {
    loadBackend();
    const ConnectionState kernel = stateFromSystemInterfaces();
    if (lastKernelAnswer_ != int(kernel.connected)) {
        lastKernelAnswer_ = int(kernel.connected);
        kernelChangedAt_ = ++events_;
    }
    QNetworkInformation* info = QNetworkInformation::instance();
    if (!info || !info->supports(QNetworkInformation::Feature::Reachability))
        return kernel;
    const QNetworkInformation::Reachability reachability = info->reachability();
    if (reachability == QNetworkInformation::Reachability::Unknown)
        return kernel;
    const bool backendOnline = reachability == QNetworkInformation::Reachability::Online;
    // An answer from before the routes changed is about a network that is
    // no longer there.
    if (backendOnline == kernel.connected || backendReportedAt_ <= kernelChangedAt_)
        return kernel;
    if (backendOnline)
        return ConnectionState{true, false, kernel.name};
    // A network without a way out is set up, but not connected.
    return ConnectionState{false, true, kernel.name};
}

bool SystemConnectivity::dial(const QString&, int32_t& connection) {
    connection = 0;
    return state().connected;
}

void SystemConnectivity::hangUp(int32_t) {}

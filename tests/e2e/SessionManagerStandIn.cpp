#include "tests/e2e/SessionManagerStandIn.h"

#include <QObject>
#include <QSocketNotifier>
#include <X11/SM/SMlib.h>
#include <cstdlib>

struct SessionManagerStandIn::State {
    QString address;
    QString problem;
    QStringList events;
    QList<SmsConn> clients;
    QMap<QString, int> cardinals;
    QMap<QString, QStringList> lists;
    IceListenObj* listenObjects = nullptr;
    int listenCount = 0;
    QList<QSocketNotifier*> notifiers;
    QObject owner;
};

namespace {

using State = SessionManagerStandIn::State;

// Every client on this machine may connect: the test's own programs.
Bool acceptAnyHost(char*) {
    return True;
}

Status registerClient(SmsConn conn, SmPointer data, char* previousId) {
    auto* state = static_cast<State*>(data);
    if (previousId)
        std::free(previousId);
    char* id = SmsGenerateClientID(conn);
    if (!id)
        return 0;
    SmsRegisterClientReply(conn, id);
    std::free(id);
    state->events << QStringLiteral("register");
    state->clients << conn;
    // A new client is asked for its properties through a first save.
    SmsSaveYourself(conn, SmSaveLocal, False, SmInteractStyleNone, False);
    return 1;
}

void interactRequest(SmsConn conn, SmPointer data, int) {
    static_cast<State*>(data)->events << QStringLiteral("interact");
    SmsInteract(conn);
}

void interactDone(SmsConn, SmPointer, Bool) {}

void saveYourselfRequest(SmsConn conn, SmPointer, int, Bool, int, Bool, Bool) {
    SmsSaveYourself(conn, SmSaveLocal, False, SmInteractStyleNone, False);
}

void phase2Request(SmsConn conn, SmPointer) {
    SmsSaveYourselfPhase2(conn);
}

void saveYourselfDone(SmsConn, SmPointer data, Bool) {
    static_cast<State*>(data)->events << QStringLiteral("done");
}

void closeConnection(SmsConn conn, SmPointer data, int count, char** reasons) {
    auto* state = static_cast<State*>(data);
    state->events << QStringLiteral("close");
    state->clients.removeAll(conn);
    SmFreeReasons(count, reasons);
    IceConn ice = SmsGetIceConnection(conn);
    SmsCleanUp(conn);
    IceSetShutdownNegotiation(ice, False);
    IceCloseConnection(ice);
}

void setProperties(SmsConn, SmPointer data, int count, SmProp** properties) {
    auto* state = static_cast<State*>(data);
    for (int n = 0; n < count; ++n) {
        SmProp* p = properties[n];
        const QString name = QString::fromLatin1(p->name);
        const QString type = QString::fromLatin1(p->type);
        if (type == QLatin1String(SmCARD8) && p->num_vals > 0 && p->vals[0].length > 0) {
            state->cardinals[name] = *static_cast<unsigned char*>(p->vals[0].value);
        } else if (type == QLatin1String(SmLISTofARRAY8)) {
            QStringList values;
            for (int v = 0; v < p->num_vals; ++v)
                values << QString::fromLocal8Bit(static_cast<const char*>(p->vals[v].value),
                                                 p->vals[v].length);
            state->lists[name] = values;
        }
        SmFreeProperty(p);
    }
    std::free(properties);
    state->events << QStringLiteral("properties");
}

void deleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int n = 0; n < count; ++n)
        std::free(names[n]);
    std::free(names);
}

void getProperties(SmsConn conn, SmPointer) {
    SmsReturnProperties(conn, 0, nullptr);
}

State* currentState = nullptr; // the one stand-in of the process

Status newClient(SmsConn, SmPointer data, unsigned long* mask, SmsCallbacks* callbacks, char**) {
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {registerClient, data};
    callbacks->interact_request = {interactRequest, data};
    callbacks->interact_done = {interactDone, data};
    callbacks->save_yourself_request = {saveYourselfRequest, data};
    callbacks->save_yourself_phase2_request = {phase2Request, data};
    callbacks->save_yourself_done = {saveYourselfDone, data};
    callbacks->close_connection = {closeConnection, data};
    callbacks->set_properties = {setProperties, data};
    callbacks->delete_properties = {deleteProperties, data};
    callbacks->get_properties = {getProperties, data};
    return 1;
}

// Reads what a connected client sent; a connection that broke goes.
void serveConnection(State* state, IceConn ice, QSocketNotifier* notifier) {
    const IceProcessMessagesStatus status = IceProcessMessages(ice, nullptr, nullptr);
    if (status == IceProcessMessagesIOError) {
        notifier->setEnabled(false);
        notifier->deleteLater();
        state->notifiers.removeAll(notifier);
        IceSetShutdownNegotiation(ice, False);
        IceCloseConnection(ice);
    }
}

void acceptConnection(State* state, IceListenObj listener) {
    IceAcceptStatus status;
    IceConn ice = IceAcceptConnection(listener, &status);
    if (!ice || status != IceAcceptSuccess)
        return;
    auto* notifier =
        new QSocketNotifier(IceConnectionNumber(ice), QSocketNotifier::Read, &state->owner);
    state->notifiers << notifier;
    QObject::connect(notifier, &QSocketNotifier::activated, &state->owner,
                     [state, ice, notifier] { serveConnection(state, ice, notifier); });
}

} // namespace

SessionManagerStandIn::SessionManagerStandIn() : state_(std::make_unique<State>()) {
    char error[256] = {};
    if (currentState) {
        state_->problem = QStringLiteral("a second stand-in in one process");
        return;
    }
    if (!SmsInitialize(const_cast<char*>("tapestrel-tests"), const_cast<char*>("1.0"), newClient,
                       state_.get(), acceptAnyHost, sizeof error, error)) {
        state_->problem = QStringLiteral("SmsInitialize: ") + QString::fromLocal8Bit(error);
        return;
    }
    if (!IceListenForConnections(&state_->listenCount, &state_->listenObjects, sizeof error,
                                 error)) {
        state_->problem =
            QStringLiteral("IceListenForConnections: ") + QString::fromLocal8Bit(error);
        return;
    }
    currentState = state_.get();
    for (int n = 0; n < state_->listenCount; ++n) {
        IceListenObj listener = state_->listenObjects[n];
        IceSetHostBasedAuthProc(listener, acceptAnyHost);
        auto* notifier = new QSocketNotifier(IceGetListenConnectionNumber(listener),
                                             QSocketNotifier::Read, &state_->owner);
        State* state = state_.get();
        QObject::connect(notifier, &QSocketNotifier::activated, &state_->owner,
                         [state, listener] { acceptConnection(state, listener); });
    }
    char* ids = IceComposeNetworkIdList(state_->listenCount, state_->listenObjects);
    state_->address = QString::fromLocal8Bit(ids);
    std::free(ids);
}

SessionManagerStandIn::~SessionManagerStandIn() {
    qDeleteAll(state_->notifiers);
    state_->notifiers.clear();
    if (state_->listenObjects)
        IceFreeListenObjs(state_->listenCount, state_->listenObjects);
    if (currentState == state_.get())
        currentState = nullptr;
}

QString SessionManagerStandIn::address() const {
    return state_->address;
}
QString SessionManagerStandIn::problem() const {
    return state_->problem;
}
QStringList SessionManagerStandIn::events() const {
    return state_->events;
}
int SessionManagerStandIn::clients() const {
    return static_cast<int>(state_->clients.size());
}
int SessionManagerStandIn::cardinalProperty(const QString& name) const {
    return state_->cardinals.value(name, -1);
}
QStringList SessionManagerStandIn::listProperty(const QString& name) const {
    return state_->lists.value(name);
}

void SessionManagerStandIn::saveYourself(bool shutdown) {
    for (SmsConn conn : state_->clients)
        SmsSaveYourself(conn, SmSaveBoth, shutdown ? True : False, SmInteractStyleAny, False);
}

void SessionManagerStandIn::die() {
    for (SmsConn conn : state_->clients)
        SmsDie(conn);
}

#include "engine/INIFuncs.h"

#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"

namespace {

// A hive that cannot be written fails every write after the first, and one
// window in a run is enough to say so.
void reportFailure(Hive hive, int code) {
    bool& reported = hive == Hive::CurrentUser ? ThisRun.userHiveFailureReported
                                               : ThisRun.machineHiveFailureReported;
    if (reported)
        return;
    reported = true;
    QString text = QStringLiteral("Error ") + QString::number(code);
    if (const QString why = services().registry->hiveFailure(hive); !why.isEmpty())
        text += QStringLiteral("\r\n\r\n") + why;
    ShowErrorMessage(text, 48, QString());
}

// Makes the key, then writes the value; a failure of either is reported,
// once for the call.
void saveValue(Hive hive, const QString& key, const QString& name, const QString& value) {
    Registry& reg = *services().registry;
    const int created = reg.createKey(hive, key);
    if (created != 0) {
        reportFailure(hive, created);
        return;
    }
    const int written = reg.setValue(hive, key, name, value);
    if (written != 0)
        reportFailure(hive, written);
}

QString readValue(Hive hive, const QString& key, const QString& name, const QString& fallback) {
    const Registry& reg = *services().registry;
    if (!reg.keyExists(hive, key))
        return fallback;
    const std::optional<QString> v = reg.value(hive, key, name);
    if (!v)
        return fallback;
    return trimBlanks(CutAtNull(*v));
}

} // namespace

void SaveRegString(const QString& keyName, const QString& valueName, const QString& value,
                   bool absoluteKey, int16_t valueType) {
    Q_UNUSED(valueType); // every value is a string
    saveValue(Hive::CurrentUser, absoluteKey ? keyName : kProgramKey + keyName, valueName, value);
}

void SaveMachineRegString(const QString& keyName, const QString& valueName, const QString& value) {
    saveValue(Hive::LocalMachine, keyName, valueName, value);
}

QString GetRegString(const QString& keyName, const QString& valueName,
                     const QString& defaultValue) {
    return readValue(Hive::CurrentUser, kProgramKey + keyName, valueName, defaultValue);
}

QString GetMachineRegString(const QString& keyName, const QString& valueName,
                            const QString& defaultValue) {
    return readValue(Hive::LocalMachine, keyName, valueName, defaultValue);
}

void DeleteRegValue(const QString& keyName, const QString& valueName) {
    // Asked also when the key is gone: what the value stands for outside
    // the registry (the entry that starts the program at logon) may have
    // outlived it, and goes with it.
    services().registry->deleteValue(Hive::CurrentUser, keyName, valueName);
}

void reportUnusableHives() {
    for (Hive hive : {Hive::CurrentUser, Hive::LocalMachine}) {
        if (!services().registry->hiveFailure(hive).isEmpty())
            reportFailure(hive, winerr::AccessDenied);
    }
}

QString CutAtNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

#include "engine/INIFuncs.h"

#include "engine/ErrorWindow.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"

namespace {

void reportFailure(int code) {
    ShowErrorMessage(QStringLiteral("Error ") + QString::number(code), 48, QString());
}

// Makes the key, then writes the value; a failure of either is reported,
// once for the call.
void saveValue(Hive hive, const QString& key, const QString& name, const QString& value) {
    Registry& reg = *services().registry;
    const int created = reg.createKey(hive, key);
    if (created != 0) {
        reportFailure(created);
        return;
    }
    const int written = reg.setValue(hive, key, name, value);
    if (written != 0)
        reportFailure(written);
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
    Registry& reg = *services().registry;
    if (reg.keyExists(Hive::CurrentUser, keyName))
        reg.deleteValue(Hive::CurrentUser, keyName, valueName);
}

QString CutAtNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

#pragma once

#include <QString>
#include <cstdint>

// The program's only way into the registry. Relative keys lie under the
// program's own key, "Software\Orlevane\Tapestrel\" followed by a section.

inline const QString kProgramKey = QStringLiteral("Software\\Orlevane\\Tapestrel\\");
inline const QString kMachineProductKey = QStringLiteral("Software\\Orlevane\\Products\\7102");
inline const QString kRunKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString kRunValueName = QStringLiteral("Tapestrel");
constexpr int16_t REG_SZ = 1;

// Writes a value under HKEY_CURRENT_USER; a key that cannot be made, or a
// value that cannot be written, is reported as "Error " and the code, with
// the file and the reason when known: once per run for each hive.
void SaveRegString(const QString& keyName, const QString& valueName, const QString& value,
                   bool absoluteKey, int16_t valueType);
void SaveMachineRegString(const QString& keyName, const QString& valueName, const QString& value);
QString GetRegString(const QString& keyName, const QString& valueName, const QString& defaultValue);
QString GetMachineRegString(const QString& keyName, const QString& valueName,
                            const QString& defaultValue);
void DeleteRegValue(const QString& keyName, const QString& valueName);
QString CutAtNull(const QString& text);
// Reports a hive that cannot be used at all, before anything is written to
// it (a hive that is only read would otherwise go untold).
void reportUnusableHives();

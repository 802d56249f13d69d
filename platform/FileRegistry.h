#pragma once

#include "platform/Registry.h"

#include <QDateTime>

// Both hives as files in the registry export format. Every change replaces
// its file atomically; a file changed by someone else is read again. The
// start-at-logon value is mirrored as an XDG autostart entry.
class FileRegistry final : public Registry {
public:
    struct Locations {
        QString currentUserFile;
        QString localMachineFile;
        QString autostartFile;  // empty: no mirror
        QString executablePath; // what the autostart entry starts
    };

    explicit FileRegistry(Locations locations);
    // The usual places: the user's config folder, and the folder where the
    // program keeps its machine settings (its own folder, or where an
    // installed copy's link leads: the file itself is written there, never
    // over the link).
    static Locations standardLocations(const QString& machineDataFolder, const QString& executable);

    int createKey(Hive hive, const QString& key) override;
    int setValue(Hive hive, const QString& key, const QString& name, const QString& value) override;
    bool keyExists(Hive hive, const QString& key) const override;
    std::optional<QString> value(Hive hive, const QString& key, const QString& name) const override;
    int deleteValue(Hive hive, const QString& key, const QString& name) override;
    QStringList takeProblems() override;
    QString hiveFailure(Hive hive) const override;

    static QString autostartEntry(const QString& executablePath);

private:
    struct Store {
        QString file;
        QString rootName;
        HiveData data;
        QDateTime loadedStamp;
        qint64 loadedSize = -1;
        bool loaded = false;
        // The file is there but could not be read: it is never written over.
        bool unreadable = false;
        QString failure; // see hiveFailure()
    };

    Store& store(Hive hive) const;
    void refresh(Store& s) const;
    int persist(Store& s) const;
    int mirrorAutostart(Hive hive, const QString& key, const QString& name, bool present,
                        const QString& value);

    Locations locations_;
    mutable Store user_;
    mutable Store machine_;
    mutable QStringList problems_;
};

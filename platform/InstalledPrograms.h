#pragma once

#include <QMap>
#include <QString>

// Which programs are installed, by the name they are started with.
class InstalledPrograms {
public:
    virtual ~InstalledPrograms() = default;
    // The full path of the program; empty when it is not installed.
    virtual QString locate(const QString& program) const = 0;
};

// The programs on the search path (PATH).
class SearchPathPrograms final : public InstalledPrograms {
public:
    QString locate(const QString& program) const override;
};

// Exactly the programs listed, each at its path: what a test installs.
class ListedPrograms final : public InstalledPrograms {
public:
    QString locate(const QString& program) const override { return installed.value(program); }
    QMap<QString, QString> installed;
};

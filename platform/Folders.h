#pragma once

#include <QString>

// The folders the program is told about by the system. Paths have no
// trailing "/" except where noted; an unknown folder is an empty string.
class Folders {
public:
    virtual ~Folders() = default;
    // The folder of the running executable.
    virtual QString programFolder() const = 0;
    // The running executable itself.
    virtual QString programFilePath() const = 0;
    virtual QString documentsFolder() const = 0;
    // Where browsers keep the pictures they fetched.
    virtual QString internetCacheFolder() const = 0;
    virtual QString tempFolder() const = 0;
    // A folder only this user can write, for short-lived private files.
    virtual QString privateRuntimeFolder() const = 0;
};

class SystemFolders final : public Folders {
public:
    QString programFolder() const override;
    QString programFilePath() const override;
    QString documentsFolder() const override;
    QString internetCacheFolder() const override;
    QString tempFolder() const override;
    QString privateRuntimeFolder() const override;
};

class FixedFolders final : public Folders {
public:
    QString programFolder() const override { return program; }
    QString programFilePath() const override { return programFile; }
    QString documentsFolder() const override { return documents; }
    QString internetCacheFolder() const override { return cache; }
    QString tempFolder() const override { return temp; }
    QString privateRuntimeFolder() const override { return runtime; }

    // A home and a program folder of their own under `base`, made on disk.
    static FixedFolders under(const QString& base);

    QString program, programFile, documents, cache, temp, runtime;
};

#pragma once

#include <QString>

// The folders the program is told about by the system. Paths have no
// trailing "/" except where noted; an unknown folder is an empty string.
class Folders {
public:
    virtual ~Folders() = default;
    // The folder of the running executable, links resolved: a start
    // through a link opens the files beside the program itself.
    virtual QString programFolder() const = 0;
    // The program as it was started: the path the user (or the menu) ran,
    // which may be a link to it; what a later start should run again.
    virtual QString programFilePath() const = 0;
    // Where the program writes the files it keeps in its folder when it
    // may (the machine settings, its write probe): the program folder,
    // unless that folder holds the machine settings as a link, as an
    // installed copy does to keep its writable files out of the folder of
    // the program: then the folder the link leads into.
    virtual QString machineDataFolder() const = 0;
    virtual QString documentsFolder() const = 0;
    // Where browsers keep the pictures they fetched.
    virtual QString internetCacheFolder() const = 0;
    virtual QString tempFolder() const = 0;
    // A folder only this user can write, for short-lived private files.
    virtual QString privateRuntimeFolder() const = 0;
};

class SystemFolders final : public Folders {
public:
    SystemFolders();
    QString programFolder() const override;
    QString programFilePath() const override;
    QString machineDataFolder() const override;
    QString documentsFolder() const override;
    QString internetCacheFolder() const override;
    QString tempFolder() const override;
    QString privateRuntimeFolder() const override;

private:
    QString executable_; // links resolved
    QString started_;
};

// The program the user started, as a later start should name it: the
// first argument the program was given (made absolute against `workingFolder`,
// or looked up on the search path `searchPath` when it has no "/"), as long
// as it still leads to `executable`, the running program's resolved path;
// otherwise (the argument was made up, or the file has since been
// replaced) the executable itself.
QString startedProgramPath(const QString& firstArgument, const QString& workingFolder,
                           const QString& searchPath, const QString& executable);

// The folder that the machine settings file of a program folder really
// lies in: the program folder, or where its link of that name leads.
QString machineDataFolderOf(const QString& programFolder);

class FixedFolders final : public Folders {
public:
    QString programFolder() const override { return program; }
    QString programFilePath() const override { return programFile; }
    QString machineDataFolder() const override {
        return machineData.isEmpty() ? program : machineData;
    }
    QString documentsFolder() const override { return documents; }
    QString internetCacheFolder() const override { return cache; }
    QString tempFolder() const override { return temp; }
    QString privateRuntimeFolder() const override { return runtime; }

    // A home and a program folder of their own under `base`, made on disk.
    static FixedFolders under(const QString& base);

    QString program, programFile, documents, cache, temp, runtime;
    QString machineData; // empty: the program folder
};

#include "engine/Options.h"

#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/INIFuncs.h"
#include "engine/ProgramState.h"
#include "platform/Folders.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"
#include "runtime/Dates.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace {

const QString kSection = QStringLiteral("Options");

QString flagText(bool b) {
    return b ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

bool readFlag(const QString& text) {
    return text.toUpper() != u"FALSE";
}

// One step of the load: a failure is shown and loading goes on.
void step(const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& e) {
        ShowErrorMessage(e.description(), 0, QString());
    }
}

using Reader = QString (*)(const QString&, const QString&, const QString&);

void readFolder(Reader read, const QString& key, const QString& name, QString& field) {
    const QString stored = read(key, name, field);
    // An empty value would make every path lie "inside" the folder.
    if (stored.isEmpty())
        return;
    field = withSlash(stored);
}

// Numbers are read through the 16-bit conversion, also into wider fields.
template <typename Field>
void readNumber(Reader read, const QString& key, const QString& name, Field& field) {
    step([&] { field = cInt(read(key, name, QString::number(field))); });
}

void readFlagValue(Reader read, const QString& key, const QString& name, bool& field) {
    field = readFlag(read(key, name, QStringLiteral("TRUE")));
}

void readDate(Reader read, const QString& key, const QString& name, QDateTime& field) {
    if (const std::optional<QDateTime> d = parseDate(read(key, name, QStringLiteral("NEVER"))))
        field = *d;
}

// Made with its whole path: a fresh home may have no documents folder yet.
void makeFolder(const QString& path) {
    step([&] {
        if (QFileInfo(path).isDir())
            return;
        if (!QDir().mkpath(path))
            raiseError(QFileInfo(QFileInfo(path).absolutePath()).isDir() ? vberr::PathFileAccess
                                                                         : vberr::PathNotFound);
    });
}

void saveUser(const QString& name, const QString& value) {
    SaveRegString(kSection, name, value, false, REG_SZ);
}

} // namespace

QString programFolderSlash() {
    return withSlash(services().folders->programFolder());
}

QString startAtLogonCommand() {
    return u'"' + services().folders->programFilePath() + QStringLiteral("\" -SILENT");
}

void UpdateStartAtLogon() {
    if (Options.AutoRestart)
        SaveRegString(kRunKey, kRunValueName, startAtLogonCommand(), true, REG_SZ);
    else
        DeleteRegValue(kRunKey, kRunValueName);
}

void setListFolders() {
    const QString program = programFolderSlash();
    Options.ListExtension = QStringLiteral("MLS");
    Options.PublicMagicListPath = program + QStringLiteral("Magic Lists/");
    Options.PublicImagesPath = program + QStringLiteral("Images/");
    QString documents = GetSpecialFolderPath(0, 5);
    if (documents.isEmpty())
        documents = withSlash(QDir::homePath());
    Options.PrivateMagicListPath = withSlash(documents) + QStringLiteral("My Magic Lists/");
}

void LoadOptions() {
    for (const QString& problem : services().registry->takeProblems())
        ShowErrorMessage(problem, 0, QString());
    reportUnusableHives();

    Options.OverviewShownThisSession = false;
    ProgramHelpFile = programFolderSlash() + QStringLiteral("help/contents.html");

    Options.MakeDroppedActive = true;
    Options.PromptForNameOnDrop = true;
    setListFolders();

    Options.ActiveList.clear();
    Options.LastUpdateTime = defaultStamp();
    Options.LastUpdate = defaultStamp();
    Options.SysWallPaperPath = services().folders->programFolder();
    Options.AutoRestart = true;
    Options.Border = 0;
    Options.DisplayMMessage = false;
    Options.UpdateInterval = 0;
    Options.FixedCropWidth = 100;
    Options.FixedCropHeight = 100;
    Options.IsNTPlatform = GetWindowsVersion() >= 4;
    Options.ShowEmptyDialog = true;
    Options.ShowOverviewDialog = true;

    const Reader user = &GetRegString;
    readFolder(user, kSection, QStringLiteral("PrivateMagicListPath"),
               Options.PrivateMagicListPath);
    Options.ActiveList = GetRegString(kSection, QStringLiteral("ActiveList"), Options.ActiveList);
    Options.SysWallPaperPath =
        GetRegString(kSection, QStringLiteral("SysWallPaperPath"), Options.SysWallPaperPath);
    readNumber(user, kSection, QStringLiteral("Border"), Options.Border);
    readDate(user, kSection, QStringLiteral("LastUpdateTime"), Options.LastUpdateTime);
    readFlagValue(user, kSection, QStringLiteral("DisplayMMessage"), Options.DisplayMMessage);
    readNumber(user, kSection, QStringLiteral("FixedCropHeight"), Options.FixedCropHeight);
    readNumber(user, kSection, QStringLiteral("FixedCropWidth"), Options.FixedCropWidth);
    readFlagValue(user, kSection, QStringLiteral("ShowEmptyDialog"), Options.ShowEmptyDialog);
    readFlagValue(user, kSection, QStringLiteral("ShowOverviewDialog"), Options.ShowOverviewDialog);
    readFlagValue(user, kSection, QStringLiteral("MakeDroppedActive"), Options.MakeDroppedActive);
    readFlagValue(user, kSection, QStringLiteral("PromptForNameOnDrop"),
                  Options.PromptForNameOnDrop);

    const Reader machine = &GetMachineRegString;
    readFolder(machine, kMachineProductKey, QStringLiteral("PublicMagicListPath"),
               Options.PublicMagicListPath);
    readFolder(machine, kMachineProductKey, QStringLiteral("PublicImagesPath"),
               Options.PublicImagesPath);
    readDate(machine, kMachineProductKey, QStringLiteral("LastUpdate"), Options.LastUpdate);
    readNumber(machine, kMachineProductKey, QStringLiteral("UpdateInterval"),
               Options.UpdateInterval);
    readFlagValue(machine, kMachineProductKey, QStringLiteral("AutoRestart"), Options.AutoRestart);

    // Start at logon only as the user chose: a session that ends without
    // Exit must not bring back a program set not to restart.
    UpdateStartAtLogon();

    // The wallpaper bitmap is written to the documents folder.
    if (const QString documentsFolder = GetSpecialFolderPath(0, 5); !documentsFolder.isEmpty())
        makeFolder(documentsFolder);
    makeFolder(Options.PrivateMagicListPath);
    if (HasWriteAccess()) {
        makeFolder(Options.PublicMagicListPath);
        makeFolder(Options.PublicImagesPath);
    }
    SaveOptions();
}

void SaveOptions() {
    saveUser(QStringLiteral("PrivateMagicListPath"), Options.PrivateMagicListPath);
    saveUser(QStringLiteral("SysWallPaperPath"), Options.SysWallPaperPath);
    saveUser(QStringLiteral("Border"), QString::number(Options.Border));
    saveUser(QStringLiteral("DisplayMMessage"), flagText(Options.DisplayMMessage));
    saveUser(QStringLiteral("FixedCropHeight"), QString::number(Options.FixedCropHeight));
    saveUser(QStringLiteral("FixedCropWidth"), QString::number(Options.FixedCropWidth));
    saveUser(QStringLiteral("ShowEmptyDialog"), flagText(Options.ShowEmptyDialog));
    saveUser(QStringLiteral("ShowOverviewDialog"), flagText(Options.ShowOverviewDialog));
    saveUser(QStringLiteral("MakeDroppedActive"), flagText(Options.MakeDroppedActive));
    saveUser(QStringLiteral("PromptForNameOnDrop"), flagText(Options.PromptForNameOnDrop));

    if (!HasWriteAccess())
        return;
    SaveMachineRegString(kMachineProductKey, QStringLiteral("AutoRestart"),
                         flagText(Options.AutoRestart));
    SaveMachineRegString(kMachineProductKey, QStringLiteral("UpdateInterval"),
                         QString::number(Options.UpdateInterval));
    SaveMachineRegString(kMachineProductKey, QStringLiteral("LastUpdate"),
                         formatDate(Options.LastUpdate, QStringLiteral("mm/dd/yyyy")));
    SaveMachineRegString(kMachineProductKey, QStringLiteral("PublicMagicListPath"),
                         Options.PublicMagicListPath);
    SaveMachineRegString(kMachineProductKey, QStringLiteral("PublicImagesPath"),
                         Options.PublicImagesPath);
}

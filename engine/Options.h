#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

class clsMagicList;

// The program-wide settings. Folder paths always end in "/".
struct OptionsRecord {
    QString ListExtension;
    QString PublicMagicListPath;
    QString PrivateMagicListPath;
    QString PublicImagesPath;
    QString ActiveList;
    QDateTime LastUpdateTime;
    QString SysWallPaperPath;
    bool AutoRestart = true;
    int16_t Border = 0;
    bool DisplayMMessage = true;
    int16_t UpdateInterval = 0;
    QDateTime LastUpdate;
    int32_t FixedCropWidth = 100;
    int32_t FixedCropHeight = 100;
    bool IsNTPlatform = true;
    bool ShowEmptyDialog = true;
    bool ShowOverviewDialog = true;
    bool MakeDroppedActive = true;
    bool PromptForNameOnDrop = true;
    bool OverviewShownThisSession = false;
};

void LoadOptions();
void SaveOptions();
// The list files' extension and the folders of the lists and the public
// pictures: beside the program and in the user's documents (the home
// folder without them). LoadOptions starts with these.
void setListFolders();
// Loads the list named in the settings into the global list, or the first
// indexed list when that fails.
void LoadActiveMagicList();
// Loads the list file into `list` only if the whole file loads; otherwise
// reports why and leaves `list` as it was (a half-read list must never be
// saved over another). Returns Load's code, or -1 while the list is busy.
int16_t loadListWhole(clsMagicList& list, const QString& path);

// The start-at-logon command: the quoted executable and the switch.
QString startAtLogonCommand();
// Writes or removes the start-at-logon value to match AutoRestart.
void UpdateStartAtLogon();
// The program folder, with a "/" at the end.
QString programFolderSlash();

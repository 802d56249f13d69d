#include "engine/DisplayEntry.h"

#include "engine/ErrorWindow.h"
#include "engine/INIFuncs.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "platform/Clock.h"
#include "platform/ImageBox.h"
#include "platform/Services.h"
#include "runtime/Dates.h"

namespace {

const QString kSection = QStringLiteral("Options");

void offerRemoval(clsMagicList& list, int16_t index, const QString& path, int32_t code) {
    QString message, question;
    if (code == imgerr::FileNotFound) {
        message = QStringLiteral("Can not set Wallpaper Image:\r\n\r\nThe File is missing. ");
        question = QStringLiteral("Do you wish to remove this entry from your Magic List?");
    } else {
        message = QStringLiteral("Can not set Wallpaper Image\r\nError: ") + QString::number(code) +
                  QStringLiteral("  ") + GetImageErrorText(code);
        question = QStringLiteral("Do you want to remove this file from your Magic List?");
    }
    if (AskErrorQuestion(message, question, 0, QString()) != answer::Yes)
        return;
    // Timer ticks and tray commands run while the question is open and may
    // have changed the list: remove the entry only if it is still the one
    // that failed.
    if (index >= list.GetCount() || list.GetEntryPath(index) != path)
        return;
    list.DeleteItem(index);
    list.SelectOnlyAcitve();
}

} // namespace

void DisplayListEntry(clsMagicList& list, int16_t index, bool& stampTime) {
    if (index < 0 || index > list.GetCount())
        return;
    const QString path = list.GetEntryPath(index);
    const int32_t colour = list.GetEntryBackgroundColor(index);
    int16_t position = list.GetEntryPosition(index);
    const int32_t left = list.GetEntryLeft(index);
    const int32_t top = list.GetEntryTop(index);
    const int32_t width = list.GetEntryWidth(index);
    const int32_t height = list.GetEntryHeight(index);
    CurrentWallpaper.Rotation = list.GetEntryRotate(index);

    if (!CurrentWallpaper.Path.isEmpty()) {
        if (CurrentWallpaper.Path.compare(path, Qt::CaseInsensitive) == 0)
            stampTime = false;
    } else {
        stampTime = list.IsTimeToAutoUpdate(Options.LastUpdateTime);
    }

    const int32_t result = SetWallpaperImage(path, position, colour, left, top, width, height,
                                             CurrentWallpaper.Rotation);
    if (result == kWallpaperFailureShown)
        return; // told already; nothing changed, so nothing is recorded
    if (result != 0) {
        offerRemoval(list, index, path, result);
        return;
    }

    CurrentWallpaper.Path = path;
    const QString listFile = list.GetFilePath();
    SaveRegString(kSection, QStringLiteral("ActiveList"), listFile, false, REG_SZ);
    SaveRegString(kSection, QStringLiteral("ActiveItem"), QString::number(index), false, REG_SZ);
    list.SetActiveEntry(index);
    // Saving may have given a list without a file its first one.
    if (list.GetFilePath() != listFile)
        SaveRegString(kSection, QStringLiteral("ActiveList"), list.GetFilePath(), false, REG_SZ);
    if (stampTime) {
        const QDateTime now = services().clock->now();
        Options.LastUpdateTime = now;
        SaveRegString(kSection, QStringLiteral("LastUpdateTime"), formatGeneralDate(now), false,
                      REG_SZ);
    }
}

void DisplayListEntry(clsMagicList& list, int16_t index, bool&& stampTime) {
    DisplayListEntry(list, index, stampTime);
}

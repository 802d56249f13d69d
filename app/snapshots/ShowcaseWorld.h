#pragma once

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/DriveTypes.h"
#include "platform/Folders.h"
#include "platform/Launcher.h"
#include "platform/Random.h"
#include "platform/RecordingDesktop.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Shell.h"

#include <QStringList>
#include <QTemporaryDir>

// A world of its own for showing the windows: a clock that stands still,
// folders in a temporary directory, settings in memory, a 1920 x 1080
// screen at 96 dots to the inch, a desktop that only records, and a Magic
// List of pictures it draws itself. Nothing of the user's is read or changed.
class ShowcaseWorld {
public:
    // The pictures are drawn into picturesFolder when one is given (it must
    // be empty: nothing is written over), else into the temporary folder.
    explicit ShowcaseWorld(const QString& picturesFolder = QString());
    ~ShowcaseWorld();
    ShowcaseWorld(const ShowcaseWorld&) = delete;
    ShowcaseWorld& operator=(const ShowcaseWorld&) = delete;

    // The pictures of the sample list, in order.
    QStringList pictures;
    // False when the pictures folder given was not empty.
    bool ready = true;

    QTemporaryDir root;
    // A time of its own, so that the pictures come out the same each time
    // and show nothing of when or where they were made.
    ManualClock clock{makeDateTime(2024, 6, 14, 10, 45, 40)};
    SystemRandom random;
    MemoryRegistry registry;
    FixedScreen screen{1920, 1080, 15, 32};
    CountingBeeper beeper;
    FixedFolders folders;
    FixedDriveClassifier drives;
    RecordingShell shell;
    RecordingDesktop desktop;
    RecordingLauncher launcher;
};

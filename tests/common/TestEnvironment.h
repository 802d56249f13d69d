#pragma once

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/DriveTypes.h"
#include "platform/FileDialog.h"
#include "platform/Folders.h"
#include "platform/Help.h"
#include "platform/Launcher.h"
#include "platform/Random.h"
#include "platform/RecordingDesktop.h"
#include "platform/Registry.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "tests/common/QtPrinters.h"
#include "tests/common/ScriptedErrorPresenter.h"

#include <QTemporaryDir>

// A private world for one test: its own folders under a temporary
// directory, an in-memory registry, a clock that stands still, a 1024 x 768
// screen at 15 twips a pixel, a desktop that takes every wallpaper, and an
// error window that answers by script.
// Every piece of program state starts afresh and is cleared again after.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    // A path inside the temporary directory.
    QString path(const QString& relative) const;
    // Writes bytes to a file under the temporary directory, making folders.
    QString writeFile(const QString& relative, const QByteArray& bytes) const;

    QTemporaryDir root;
    ManualClock clock;
    SequenceRandom random{{0.5}};
    MemoryRegistry registry;
    FixedScreen screen;
    CountingBeeper beeper;
    FixedFolders folders;
    FixedDriveClassifier drives;
    RecordingShell shell;
    RecordingLauncher launcher;
    RecordingHelp help;
    ScriptedFileDialog fileDialog;
    // Takes every wallpaper; a test that looks at the desktop puts in its own.
    RecordingDesktop desktop;
    ScriptedErrorPresenter errors;

private:
    Services saved_;
};

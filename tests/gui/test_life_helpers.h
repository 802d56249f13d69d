#pragma once

#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "engine/Windows.h"
#include "gui/MainForm.h"
#include "gui/StartUp.h"
#include "gui/Tray.h"
#include "platform/RecordingDesktop.h"
#include "platform/SingleInstance.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/common/gui/ScriptedWindows.h"
#include "tests/engine/test_magiclist_helpers.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A run of the program inside the test: its own folders and registry, a
// recording desktop, a fake tray and instance, scripted windows that give
// plain widgets as the control panel and the drop window, and a fresh
// global list.
class LifeTest : public ::testing::Test {
protected:
    void SetUp() override {
        services().desktop = &desktop;
        services().tray = &tray;
        services().instance = &instance;
        windows.givePlainWindows();
        setProgramWindows(&windows);
        // Tests that run several starts in a row begin each one afresh.
        desktop.applied.clear();
        windows.calls.clear();
        windows.cropRequests.clear();
        tray.popUps.clear();
        ThisRun = RunFlags{};
        CurrentWallpaper = CurrentWallpaperRecord{};
        ActiveMagicList = clsMagicList();
        PanelLoaded = false;
        Options.Border = 0;
        Options.DisplayMMessage = false;
        QDir().mkpath(Options.PrivateMagicListPath);
    }
    void TearDown() override {
        if (ThisRun.ending)
            clearQuitRequest();
        delete DropWindow.data();
        delete MainForm;
        MainForm = nullptr;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ActiveMagicList = clsMagicList();
        setProgramWindows(nullptr);
        ThisRun = RunFlags{};
    }

    // A list of solid pictures named A, B, C... with the given active entry,
    // saved to the private folder and never due unless a test says so.
    void makeList(int count, int16_t active = 0, int16_t placement = 2) {
        ActiveMagicList.SetSchUpdateOption(3);
        for (int i = 0; i < count; ++i) {
            const QString name = QString(QChar(u'A' + i));
            const QString path = writeImage(env, QStringLiteral("pics/") + name + ".png", 40, 30);
            ActiveMagicList.AddItem(path, int32_t(0x102030), int16_t(placement));
        }
        if (count > 0)
            ActiveMagicList.SetActiveEntry(active);
        ActiveMagicList.Save();
    }
    // Loads the main form as the start does.
    void loadForm() {
        MainForm = createMainForm();
        MainForm->Form_Load();
    }
    // The list as its file now holds it.
    clsMagicList savedList() const {
        clsMagicList saved;
        saved.loadQuietly(ActiveMagicList.GetFilePath());
        return saved;
    }
    std::optional<QString> option(const QString& name) const {
        return env.registry.value(Hive::CurrentUser,
                                  QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"), name);
    }
    std::optional<QString> runValue() const {
        return env.registry.value(
            Hive::CurrentUser, QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
            QStringLiteral("Tapestrel"));
    }

    TestEnvironment env;
    RecordingDesktop desktop;
    FakeTray tray;
    FakeSingleInstance instance;
    ScriptedWindows windows;
};

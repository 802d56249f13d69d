#pragma once

#include "engine/MagicList.h"
#include "engine/MainForm.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/StartUp.h"
#include "engine/WallpaperImage.h"
#include "engine/Windows.h"
#include "platform/RecordingDesktop.h"
#include "platform/SingleInstance.h"
#include "platform/Tray.h"
#include "tests/common/TestEnvironment.h"
#include "tests/engine/test_magiclist_helpers.h"

#include <QApplication>
#include <QDir>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Stands in for the windows other parts of the program provide: counts
// what the tray asks of them and answers the crop dialog by script.
class FakeWindows final : public NoProgramWindows {
public:
    bool has(LaterWindow) const override { return present; }
    QWidget* createControlPanel() override {
        ++panelsCreated;
        panels.append(new QWidget);
        return panels.back();
    }
    void refreshMagicList(QWidget*) override { ++refreshes; }
    void runListPicker(ListPickerFields& fields) override {
        ++picks;
        if (listPicker)
            listPicker(fields);
        else
            fields.Cancelled = true;
    }
    CropAnswer runCropDialog(const CropRequest& request) override {
        requests.append(request);
        return cropDialog ? cropDialog(request) : CropAnswer{};
    }
    QWidget* createDropWindow() override { return new QWidget; }
    void showAboutBox() override { ++aboutBoxes; }

    bool present = true;
    int panelsCreated = 0, refreshes = 0, picks = 0, aboutBoxes = 0;
    QList<CropRequest> requests;
    std::function<CropAnswer(const CropRequest&)> cropDialog;
    std::function<void(ListPickerFields&)> listPicker;
    // The program owns the windows it is given; these watch them.
    QList<QPointer<QWidget>> panels;
    ~FakeWindows() override {
        for (const QPointer<QWidget>& p : panels)
            delete p.data();
    }
};

// A run of the program inside the test: its own folders and registry, a
// recording desktop, a fake tray and instance, and a fresh global list.
class LifeTest : public ::testing::Test {
protected:
    void SetUp() override {
        services().desktop = &desktop;
        services().tray = &tray;
        services().instance = &instance;
        setProgramWindows(&windows);
        // Tests that run several starts in a row begin each one afresh.
        desktop.applied.clear();
        windows.panelsCreated = 0;
        windows.requests.clear();
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
        MainForm = new frmMain;
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
    FakeWindows windows;
};

#pragma once

#include "engine/ProgramState.h"
#include "gui/MainForm.h"
#include "panel/PanelViews.h"
#include "platform/RecordingDesktop.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/ScriptedWindows.h"
#include "tests/engine/test_magiclist_helpers.h"

#include <QApplication>
#include <QDir>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// The control panel's procedures as the commands call them: each call is
// noted by name, in order; the list-name box and the preview's entry are
// plain values a test sets and reads.
class RecordingViews final : public PanelViews {
public:
    QWidget* panelWindow() override { return nullptr; }
    void FillEntryList() override { calls << QStringLiteral("FillEntryList"); }
    void StoreActiveList() override { calls << QStringLiteral("StoreActiveList"); }
    void FillListNames() override { calls << QStringLiteral("FillListNames"); }
    void UpdateSelectionState() override { calls << QStringLiteral("UpdateSelectionState"); }
    void DisplaySelectedEntry(bool force) override {
        calls << (force ? QStringLiteral("DisplaySelectedEntry(True)")
                        : QStringLiteral("DisplaySelectedEntry(False)"));
    }
    void DeleteCurrentList() override { calls << QStringLiteral("DeleteCurrentList"); }
    void clearEntryList() override { calls << QStringLiteral("clearEntryList"); }
    void focusEntryList() override { calls << QStringLiteral("focusEntryList"); }
    int16_t currentEntry() const override { return current; }
    void setCurrentEntry(int16_t index) override { current = index; }
    int32_t currentListNumber() const override { return listNumber; }
    void setCurrentListName(const QString& name) override { listNameShown = name; }

    QStringList calls;
    int16_t current = -1;
    int32_t listNumber = -1;
    QString listNameShown;
};

// A drag's data carrying the given files as the file managers send them.
inline std::unique_ptr<QMimeData> fileDrag(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    return data;
}

// A world for the list commands: the test's own folders, scripted dialogs
// and file dialog, a recording desktop, and a main form with an open
// control panel stand-in, so that refreshes can be counted.
class ListsTest : public ::testing::Test {
protected:
    ListsTest() {
        services().desktop = &desktop;
        setProgramWindows(&windows);
        QDir().mkpath(Options.PrivateMagicListPath);
        QDir().mkpath(Options.PublicMagicListPath);
        Options.DisplayMMessage = false;
    }
    ~ListsTest() override {
        delete panel.data();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A main form whose control panel is open.
    void openPanel() {
        MainForm = new frmMain;
        panel = new QWidget;
        MainForm->ControlPanel = panel;
        PanelLoaded = true;
    }
    // Pictures A, B, C... in the test's folder, added to the active list,
    // saved to the private folder.
    QStringList makeList(int count) {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << picture(QString(QChar(u'A' + i)));
        addAll(ActiveMagicList, paths);
        if (count > 0)
            ActiveMagicList.SetActiveEntry(0);
        ActiveMagicList.Save();
        return paths;
    }
    // Each picture of its own size, so that no two are duplicates.
    QString picture(const QString& name) {
        return writeImage(env, QStringLiteral("pics/") + name + QStringLiteral(".png"),
                          8 + pictures_++, 12);
    }
    QStringList selected() const {
        QStringList names;
        for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i) {
            if (ActiveMagicList.GetEntrySelected(i))
                names << ActiveMagicList.GetEntryName(i);
        }
        return names;
    }
    std::optional<QString> option(const QString& name) const {
        return env.registry.value(Hive::CurrentUser,
                                  QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"), name);
    }

    TestEnvironment env;
    RecordingDesktop desktop;
    ScriptedWindows windows;
    RecordingViews views;
    QPointer<QWidget> panel;

private:
    int pictures_ = 0;
};

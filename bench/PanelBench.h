#pragma once

#include "app/snapshots/ShowcaseWorld.h"
#include "bench/Photos.h"
#include "bench/PrintedErrors.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/MainForm.h"
#include "panel/PanelWindows.h"
#include "panel/frmMagicPanel.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

// A world of its own for the control panel's figures: a 1920 x 1080
// screen, a desktop that only records, the program's real windows and its
// main form, and photos drawn for the purpose. An error window would wait
// for a click: errors are counted instead.
class PanelBench {
public:
    PanelBench() {
        setErrorPresenter(&errors);
        setProgramWindows(&windows);
        Options.Border = 0;
        Options.DisplayMMessage = true;
        Options.ShowOverviewDialog = false;
        MainForm = new frmMain;
    }
    ~PanelBench() {
        delete MainForm;
        MainForm = nullptr;
        setProgramWindows(nullptr);
        setErrorPresenter(nullptr);
    }
    PanelBench(const PanelBench&) = delete;
    PanelBench& operator=(const PanelBench&) = delete;

    // A camera-like photo of that size, as JPEG or PNG.
    QString photo(const QString& name, int width, int height, const char* format = "jpeg") {
        return writePhoto(world.root.path() + u'/' + name, photoLike(width, height), format);
    }

    // A list of `count` entries taking the pictures in turn, the first
    // active.
    static void fillList(const QStringList& pictures, int count) {
        ActiveMagicList = clsMagicList();
        ActiveMagicList.SetListName(QStringLiteral("Photos"));
        for (int i = 0; i < count; ++i)
            ActiveMagicList.AddItem(pictures[i % pictures.size()], int32_t(0x202020), int16_t(0));
        ActiveMagicList.SetActiveEntry(0);
    }

    // "Tapestrel Control Panel" from the tray menu, up to the panel shown
    // with its preview and painted.
    static frmMagicPanel* openFromTray() {
        MainForm->mnuControlPanel->trigger();
        auto* panel = qobject_cast<frmMagicPanel*>(MainForm->ControlPanel.data());
        QApplication::processEvents();
        panel->finishPendingPreview();
        panel->repaint();
        return panel;
    }

    static void close(frmMagicPanel* panel) {
        panel->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    ShowcaseWorld world;
    PrintedErrors errors;
    PanelWindows windows;
};

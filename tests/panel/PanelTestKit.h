#pragma once

#include "engine/ErrorWindow.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "panel/frmMagicPanel.h"
#include "platform/RecordingDesktop.h"
#include "platform/Services.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/common/gui/ScriptedWindows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

// Scripted windows with the real control panel: the engine opens and
// refreshes it through them, every other window is answered by script.
class PanelWindowsForTest final : public ScriptedWindows {
public:
    PanelWindowsForTest() {
        controlPanel = [] { return new frmMagicPanel; };
    }
    void refreshMagicList(QWidget* panel) override {
        ScriptedWindows::refreshMagicList(panel);
        if (auto* p = qobject_cast<frmMagicPanel*>(panel))
            p->RefreshMagicList();
    }
    void offerToFillEmptyList(QWidget* panel) override {
        ScriptedWindows::offerToFillEmptyList(panel);
        if (auto* p = qobject_cast<frmMagicPanel*>(panel))
            p->offerToFillEmptyList();
    }
};

// A control panel over a list of pictures in a test's own world: a
// recording desktop, scripted windows (every window present unless a test
// takes it away) and a scripted error window.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A picture of one colour.
    QString picture(const QString& name, int width = 64, int height = 48,
                    QRgb colour = qRgb(40, 120, 200));
    // Fills the global list with `count` pictures named A, B, C... (each its
    // own colour, placement `placement`), makes `active` the active entry,
    // saves it in the private folder under `name` and rebuilds the index.
    void makeList(int count, int16_t active = 0, int16_t placement = 2,
                  const QString& name = QStringLiteral("Holiday"));
    // A list file beside the open one, with `count` pictures of its own.
    QString writeOtherList(const QString& name, int count, bool isPublic = false);

    // Opens the panel as the main form does and lets its loading finish.
    frmMagicPanel* openPanel();
    // Serves the events that are due, queued work and idle previews included.
    static void settle();

    QTreeView* entryList() const { return panel->lvEntries; }
    // The rows of the entry list that are selected, in order.
    QList<int> viewSelection() const;
    // The entries whose Selected flag is set.
    QList<int> flaggedEntries() const;
    // Clicks the entry list's row, with keyboard modifiers.
    void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  Qt::MouseButton button = Qt::LeftButton);
    // Selects exactly these rows, clicking them as the user does.
    void selectRows(const QList<int>& rows);
    // Presses a key in the entry list.
    void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QStringList entryNames() const;
    // The list as its file now holds it.
    clsMagicList savedList() const;

    TestEnvironment env;
    RecordingDesktop desktop;
    PanelWindowsForTest windows;
    QPointer<frmMagicPanel> panel;
};

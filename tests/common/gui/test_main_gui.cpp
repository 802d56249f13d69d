#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "gui/ErrorWindowForm.h"
#include "gui/MainForm.h"

#include <QApplication>
#include <gtest/gtest.h>

// The main of the tests of the windows: a widget application, the
// program's error window where a test installs no presenter, and the main
// form and the drop window taken down with the rest of the program state.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    useErrorWindowForm();
    setWindowStateReset(resetWindowState);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

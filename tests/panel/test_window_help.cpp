// The Help key in the windows that have no help context of their own: each
// opens the section of the help's contents that covers it.

#include "editors/frmOptions.h"
#include "engine/ProgramState.h"
#include "gui/forms/FormKit.h"
#include "panel/OverviewResources.h"
#include "panel/PanelResources.h"
#include "panel/frmAbout.h"
#include "panel/frmOverview.h"
#include "platform/Help.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/gui/FormTestKit.h"

#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(WindowHelpTest, TheHelpKeyOpensTheSectionThatCoversTheWindow) {
    TestEnvironment env;
    ProgramHelpFile = env.path(QStringLiteral("help/contents.html"));
    initPanelResources();
    initOverviewResources();
    const struct {
        const char* section;
        std::function<QWidget*()> make;
    } windows[] = {
        {"options", [] { return new frmOptions; }},
        {"about", [] { return new frmAbout; }},
        {"overview", [] { return new frmOverview; }},
    };
    for (const auto& w : windows) {
        std::unique_ptr<QWidget> window(w.make());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << w.section;
        QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
        env.help.requests.clear();
        QTest::keyClick(focus, Qt::Key_F1);
        ASSERT_EQ(env.help.requests.size(), 1) << w.section;
        EXPECT_EQ(env.help.requests[0].helpFile, ProgramHelpFile);
        EXPECT_EQ(env.help.requests[0].section, QString::fromLatin1(w.section));
        window->hide();
    }
    ProgramHelpFile.clear();
}

} // namespace

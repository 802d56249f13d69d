#include "editors/HelpCommands.h"
#include "engine/ProgramState.h"
#include "platform/Help.h"
#include "platform/Services.h"
#include "tests/common/TestEnvironment.h"

#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kCaption = QStringLiteral("Tapestrel Control Panel");

struct HelpItem {
    const char* name;
    std::function<void(const QString&)> command;
    uint32_t helpCommand;
    const char* page; // the page the desktop opens
};

const HelpItem items[] = {
    {"Contents", showHelpContents, helpcmd::Tab, "contents.html"},
    {"Index", showHelpIndex, helpcmd::PartialKey, "index.html"},
};

TEST(HelpCommands, WithoutAHelpFileBothSayThereIsNone) {
    for (const HelpItem& item : items) {
        TestEnvironment env;
        ProgramHelpFile.clear();
        item.command(kCaption);
        ASSERT_EQ(env.errors.calls.size(), 1) << item.name;
        EXPECT_EQ(env.errors.calls[0].message,
                  QStringLiteral("Unable to display Help Contents. There is no Help associated "
                                 "with this project."));
        EXPECT_EQ(env.errors.calls[0].buttons, 64);
        EXPECT_EQ(env.errors.calls[0].title, kCaption);
        EXPECT_TRUE(env.help.requests.isEmpty()) << item.name;
    }
}

TEST(HelpCommands, AskTheHelpForContentsOrIndex) {
    for (const HelpItem& item : items) {
        TestEnvironment env;
        ProgramHelpFile = env.path(QStringLiteral("program/help/contents.html"));
        item.command(kCaption);
        ASSERT_EQ(env.help.requests.size(), 1) << item.name;
        EXPECT_EQ(env.help.requests[0].helpFile, ProgramHelpFile);
        EXPECT_EQ(env.help.requests[0].command, item.helpCommand);
        EXPECT_EQ(env.help.requests[0].data, 0);
        EXPECT_TRUE(env.errors.calls.isEmpty()) << item.name;
    }
}

// With the real help over the recording shell: a page that is there is
// handed to the desktop; a missing one is reported with the error's text,
// no title and plain buttons.
TEST(HelpCommands, OpenThePageOrReportWhyNot) {
    for (const HelpItem& item : items) {
        for (const bool present : {true, false}) {
            TestEnvironment env;
            DesktopHelp help;
            services().help = &help;
            ProgramHelpFile = env.path(QStringLiteral("program/help/contents.html"));
            const QString page = env.path(QStringLiteral("program/help/")) + item.page;
            if (present)
                env.writeFile(QStringLiteral("program/help/") + item.page, "<html></html>");
            item.command(kCaption);
            if (present) {
                EXPECT_EQ(env.shell.opened, QStringList{QUrl::fromLocalFile(page).toString()})
                    << item.name;
                EXPECT_TRUE(env.errors.calls.isEmpty()) << item.name;
            } else {
                EXPECT_TRUE(env.shell.opened.isEmpty()) << item.name;
                ASSERT_EQ(env.errors.calls.size(), 1) << item.name;
                EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("File not found"));
                EXPECT_EQ(env.errors.calls[0].buttons, 0);
                EXPECT_EQ(env.errors.calls[0].title, QString());
            }
        }
    }
}

TEST(HelpCommands, ADesktopThatCannotOpenThePageIsReported) {
    TestEnvironment env;
    DesktopHelp help;
    services().help = &help;
    ProgramHelpFile = env.writeFile(QStringLiteral("program/help/contents.html"), "<html></html>");
    env.shell.succeed = false;
    showHelpContents(kCaption);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Path/File access error"));
    EXPECT_EQ(env.errors.calls[0].title, QString());
}

} // namespace

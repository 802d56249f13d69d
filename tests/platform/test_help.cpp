#include "platform/Help.h"
#include "platform/Services.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(HelpPages, EachCommandHasItsPageBesideTheContents) {
    const QString contents = QStringLiteral("/opt/tapestrel/help/contents.html");
    EXPECT_EQ(helpPage(contents, helpcmd::Tab, 0), contents);
    EXPECT_EQ(helpPage(contents, helpcmd::PartialKey, 0),
              QStringLiteral("/opt/tapestrel/help/index.html"));
    EXPECT_EQ(helpPage(contents, helpcmd::Context, 5),
              QStringLiteral("/opt/tapestrel/help/topic-5.html"));
    EXPECT_EQ(helpPage(contents, 2, 0), QString()); // a command the help does not know
}

class DesktopHelpTest : public ::testing::Test {
protected:
    DesktopHelpTest() { contents = env.writeFile(QStringLiteral("help/contents.html"), "<p>"); }

    TestEnvironment env;
    DesktopHelp help;
    QString contents;
};

TEST_F(DesktopHelpTest, APageThatIsThereGoesToTheDesktop) {
    const QString topic = env.writeFile(QStringLiteral("help/topic-9.html"), "<p>");
    EXPECT_EQ(help.show(contents, helpcmd::Tab, 0), 0);
    EXPECT_EQ(help.show(contents, helpcmd::Context, 9), 0);
    EXPECT_EQ(env.shell.opened, (QStringList{QUrl::fromLocalFile(contents).toString(),
                                             QUrl::fromLocalFile(topic).toString()}));
}

TEST_F(DesktopHelpTest, ASectionOpensTheContentsAtItsAnchor) {
    EXPECT_EQ(help.showSection(contents, QStringLiteral("options")), 0);
    EXPECT_EQ(env.shell.opened,
              QStringList{QUrl::fromLocalFile(contents).toString() + QStringLiteral("#options")});
    QFile::remove(contents);
    EXPECT_EQ(help.showSection(contents, QStringLiteral("about")), 53);
}

TEST_F(DesktopHelpTest, APageThatCannotBeShownGivesTheErrorNumber) {
    QDir().mkpath(env.path(QStringLiteral("help/topic-6.html"))); // a folder, not a page
    EXPECT_EQ(help.show(contents, helpcmd::PartialKey, 0), 53);   // no index page
    EXPECT_EQ(help.show(contents, helpcmd::Context, 77), 53);
    EXPECT_EQ(help.show(contents, helpcmd::Context, 6), 75);
    EXPECT_EQ(help.show(contents, 2, 0), 5);
    EXPECT_TRUE(env.shell.opened.isEmpty());
    env.shell.succeed = false;
    EXPECT_EQ(help.show(contents, helpcmd::Tab, 0), 75);
}

// The pages the program ships: contents, index and one per help context
// number the windows carry (the schedule 5, the crop 6, the colour picker
// 9), with every link leading to a page and a place on it that exist.
QString shippedHelp() {
    return QStringLiteral(TAPESTREL_SOURCE_DIR "/resources/help");
}

QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(ShippedHelp, EveryWindowHasItsPageAndEveryLinkLeadsSomewhere) {
    const QString folder = shippedHelp();
    for (const char* page :
         {"contents.html", "index.html", "topic-1.html", "topic-5.html", "topic-6.html",
          "topic-9.html", "topic-900.html", "topic-910.html", "help.css"})
        EXPECT_TRUE(QFileInfo(folder + u'/' + QString::fromLatin1(page)).isFile()) << page;

    // The sections of the contents that windows without a page open.
    for (const char* section : {"options", "overview", "about"})
        EXPECT_TRUE(read(folder + QStringLiteral("/contents.html"))
                        .contains(QStringLiteral("id=\"%1\"").arg(QString::fromLatin1(section))))
            << section;

    const QRegularExpression link(QStringLiteral(R"re(href="([^"]+)")re"));
    const QStringList pages = QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 5);
    for (const QString& page : pages) {
        const QString html = read(folder + u'/' + page);
        EXPECT_TRUE(html.contains(QStringLiteral("<title>Tapestrel Help"))) << page.toStdString();
        for (const auto& m : link.globalMatch(html)) {
            const QString target = m.captured(1);
            const QString file = target.section(u'#', 0, 0);
            const QString anchor = target.section(u'#', 1);
            const QString targetFile = folder + u'/' + (file.isEmpty() ? page : file);
            ASSERT_TRUE(QFileInfo(targetFile).isFile())
                << page.toStdString() << " links to " << target.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(read(targetFile).contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << page.toStdString() << " links to " << target.toStdString();
            }
        }
    }
}

TEST(ShippedHelp, TheBuildLaysThePagesBesideTheProgram) {
    const QString built = QStringLiteral(TAPESTREL_PROGRAM_DIR "/help");
    const QStringList pages = QDir(shippedHelp()).entryList(QDir::Files);
    for (const QString& page : pages)
        EXPECT_EQ(read(built + u'/' + page), read(shippedHelp() + u'/' + page))
            << page.toStdString();
}

} // namespace

#include "platform/FileDialog.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kFilter = QStringLiteral("All Graphics Files|*.jpg;*.JPEG;*.bmp;*.png;*.bmp");

bool matchesAny(const QStringList& patterns, const QString& name) {
    for (const QString& p : patterns) {
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p))
                .match(name)
                .hasMatch())
            return true;
    }
    return false;
}

TEST(FileDialogFilterTest, PatternsMatchWithoutRegardToCase) {
    const QStringList patterns = caseFreePatterns(kFilter);
    EXPECT_EQ(patterns.size(), 4); // the second "*.bmp" adds nothing
    EXPECT_EQ(patterns.first(), QStringLiteral("*.[jJ][pP][gG]"));
    EXPECT_EQ(filterName(kFilter), QStringLiteral("All Graphics Files"));
    const struct {
        const char* name;
        bool matches;
    } cases[] = {{"IMG_0001.JPG", true}, {"holiday.jpg", true}, {"Scan.Jpeg", true},
                 {"logo.PnG", true},     {"notes.txt", false},  {"jpg", false}};
    for (const auto& c : cases)
        EXPECT_EQ(matchesAny(patterns, QString::fromUtf8(c.name)), c.matches) << c.name;
}

class ChoosePicturesTest : public ::testing::Test {
protected:
    QString picture(const QString& name) { return writeImage(env, name, 8, 8, Qt::red); }
    TestEnvironment env;
};

TEST_F(ChoosePicturesTest, ACancelledDialogGivesTheCancelCode) {
    const FileDialogResult r = choosePictureFiles(nullptr, QStringLiteral("T"), kFilter);
    EXPECT_EQ(r.code, dlgerr::Cancelled);
    EXPECT_TRUE(r.paths.isEmpty());
    EXPECT_EQ(env.fileDialog.titles, QStringList{QStringLiteral("T")});
    EXPECT_EQ(env.fileDialog.filters, QStringList{kFilter});
}

TEST_F(ChoosePicturesTest, ChosenPicturesComeBackWhole) {
    // One file, and names with blanks and letters from other scripts.
    const QStringList one{picture(QStringLiteral("pics/my photo.png"))};
    const QStringList several{picture(QStringLiteral("pics/Ålesund sea.png")),
                              picture(QStringLiteral("pics/日本 1.PNG"))};
    env.fileDialog.answers = {one, several};
    EXPECT_EQ(choosePictureFiles(nullptr, {}, kFilter).paths, one);
    const FileDialogResult r = choosePictureFiles(nullptr, {}, kFilter);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.paths, several);
}

TEST_F(ChoosePicturesTest, AFileNoReaderKnowsIsAnInvalidFormat) {
    // Named like a picture, but text; a folder; a file that is gone.
    const QString text = env.writeFile(QStringLiteral("pics/fake.jpg"), "just some words");
    for (const QString& bad :
         {text, env.path(QStringLiteral("pics")), env.path(QStringLiteral("pics/gone.png"))}) {
        env.fileDialog.answers = {{picture(QStringLiteral("pics/good.png")), bad}};
        const FileDialogResult r = choosePictureFiles(nullptr, {}, kFilter);
        EXPECT_EQ(r.code, dlgerr::InvalidFormat) << bad.toStdString();
        EXPECT_TRUE(r.paths.isEmpty());
    }
}

} // namespace

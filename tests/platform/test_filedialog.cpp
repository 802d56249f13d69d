#include "platform/FileDialog.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>

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

// What the dialog offers: every format a reader knows here, under its
// usual extensions in any letter case, and nothing that no reader knows.
TEST(ReadablePatternsTest, TheFilterOffersWhatTheReadersRead) {
    const QStringList patterns = readablePicturePatterns().split(u';');
    QStringList formats;
    for (const QByteArray& f : QImageReader::supportedImageFormats())
        formats << QString::fromLatin1(f);
    for (const QString& f : formats)
        EXPECT_TRUE(patterns.contains(QStringLiteral("*.") + f)) << f.toStdString();
    // Usual extensions of the formats beside their own names.
    const struct {
        const char* format;
        const char* extension;
    } usual[] = {{"jpeg", "jpg"}, {"jpeg", "jpe"}, {"jpeg", "jfif"}, {"tiff", "tif"},
                 {"ppm", "pnm"},  {"pgm", "pnm"},  {"pbm", "pnm"}};
    for (const auto& u : usual) {
        if (formats.contains(QString::fromLatin1(u.format))) {
            EXPECT_TRUE(patterns.contains(QStringLiteral("*.") + QString::fromLatin1(u.extension)))
                << u.extension;
        }
    }
    // The wallpapers of the desktops and the usual formats of the web are
    // there with the plugins the program is built with.
    for (const char* e : {"webp", "gif", "xpm", "pgm", "ppm", "png", "bmp"})
        EXPECT_TRUE(patterns.contains(QStringLiteral("*.") + QString::fromLatin1(e))) << e;
    // Formats of other programs that nothing reads here are not offered.
    for (const char* e : {"psd", "pcx", "wmf", "eps", "cmp", "fpx", "wpg"}) {
        if (!formats.contains(QString::fromLatin1(e))) {
            EXPECT_FALSE(patterns.contains(QStringLiteral("*.") + QString::fromLatin1(e))) << e;
        }
    }
    EXPECT_EQ(patterns.size(), QSet<QString>(patterns.begin(), patterns.end()).size());
}

TEST(ReadablePatternsTest, PicturesOfEveryWritableFormatPassTheFilterAndTheProbe) {
    TestEnvironment env;
    const QString filter = QStringLiteral("All Graphics Files|") + readablePicturePatterns();
    const QStringList globs = caseFreePatterns(filter);
    const QStringList readable = readablePicturePatterns().split(u';');
    int written = 0;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
        const QString name = QString::fromLatin1(format);
        if (!readable.contains(QStringLiteral("*.") + name))
            continue;
        // Cameras and old programs write the extension in capitals.
        const QString file = env.path(QStringLiteral("pics/picture.") + name.toUpper());
        QDir().mkpath(env.path(QStringLiteral("pics")));
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        if (!QImageWriter(file, format).write(image))
            continue;
        ++written;
        EXPECT_TRUE(matchesAny(globs, QFileInfo(file).fileName())) << file.toStdString();
        env.fileDialog.answers = {{file}};
        EXPECT_EQ(choosePictureFiles(nullptr, {}, filter).code, 0) << file.toStdString();
    }
    EXPECT_GE(written, 5);
}

} // namespace

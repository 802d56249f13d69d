#include "gui/QtFileDialog.h"
#include "tests/common/PictureKit.h"
#include "tests/common/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The real dialog, answered as the user answers it: where it opens, and
// where it opens after files were chosen.
class DialogFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedHome = qgetenv("HOME");
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(env.path(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(env.path(QStringLiteral("home/.config"))));
        QDir().mkpath(env.path(QStringLiteral("home/.config")));
    }
    void TearDown() override {
        qputenv("HOME", savedHome);
        qputenv("XDG_CONFIG_HOME", savedConfig);
    }
    // Opens the dialog; notes the folder it shows, then chooses `file`
    // (or cancels when it is empty).
    QString openAndChoose(QtFileDialog& dialog, const QString& file,
                          QStringList* chosen = nullptr) {
        auto shown = std::make_shared<QString>();
        QTimer::singleShot(0, [shown, file] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            *shown = QDir(d->directory()).absolutePath();
            if (file.isEmpty()) {
                d->reject();
                return;
            }
            d->selectFile(file);
            static_cast<QDialog*>(d)->accept();
        });
        const QStringList result =
            dialog.chooseFiles(nullptr, QStringLiteral("Select a Wallpaper Image"),
                               QStringLiteral("All Graphics Files|*.png"));
        if (chosen)
            *chosen = result;
        return *shown;
    }
    TestEnvironment env;
    QByteArray savedHome, savedConfig;
};

TEST_F(DialogFolderTest, OpensInThePicturesFolderThenWhereTheUserLastChoseFrom) {
    const QString pictures = env.path(QStringLiteral("home/Bilder"));
    QDir().mkpath(pictures);
    env.writeFile(QStringLiteral("home/.config/user-dirs.dirs"),
                  "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    const QString elsewhere =
        writeImage(env, QStringLiteral("camera/DCIM/IMG_0001.png"), 8, 8, Qt::red);
    QtFileDialog dialog;
    EXPECT_EQ(openAndChoose(dialog, QString()), pictures);
    // A cancelled dialog changes nothing.
    EXPECT_EQ(openAndChoose(dialog, QString()), pictures);
    QStringList chosen;
    EXPECT_EQ(openAndChoose(dialog, elsewhere, &chosen), pictures);
    EXPECT_EQ(chosen, QStringList{elsewhere});
    EXPECT_EQ(openAndChoose(dialog, QString()), QFileInfo(elsewhere).absolutePath());
    // Another run starts in the pictures folder again.
    QtFileDialog nextRun;
    EXPECT_EQ(openAndChoose(nextRun, QString()), pictures);
}

TEST_F(DialogFolderTest, WithoutAPicturesFolderItOpensInTheHome) {
    QDir().mkpath(env.path(QStringLiteral("home")));
    QtFileDialog dialog;
    EXPECT_EQ(openAndChoose(dialog, QString()), env.path(QStringLiteral("home")));
}

} // namespace

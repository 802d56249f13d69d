#include "editors/frmColors.h"
#include "editors/frmCrop.h"
#include "editors/frmOptions.h"
#include "editors/frmSchedule.h"
#include "editors/frmSetFixedWidth.h"
#include "gui/forms/frmEndProg.h"
#include "gui/forms/frmError.h"
#include "gui/forms/frmSplash.h"
#include "panel/frmDrop.h"
#include "panel/frmListName.h"
#include "panel/frmMagicPanel.h"
#include "panel/frmNoFiles.h"
#include "panel/frmPickMList.h"
#include "panel/frmRename.h"
#include "tests/common/TestEnvironment.h"
#include "update/frmBadConnection.h"
#include "update/frmupdate.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every control of every window is named as a single control ("Frame1",
// "txtWidth") or as one of a control array ("optType(2)"), so that a test
// finds the controls of an array the same way in every window.
TEST(ControlNames, EveryControlIsANameOrANameWithAnIndex) {
    TestEnvironment env;
    const QRegularExpression valid(QStringLiteral("^[A-Za-z][A-Za-z0-9]*(\\([0-9]+\\))?$"));
    const std::function<QWidget*()> windows[] = {
        [] { return new frmColors; },        [] { return new frmCrop; },
        [] { return new frmOptions; },       [] { return new frmSchedule; },
        [] { return new frmSetFixedWidth; }, [] { return new frmEndProg; },
        [] { return new frmError(true); },   [] { return new frmSplash; },
        [] { return new frmDrop; },          [] { return new frmListName; },
        [] { return new frmMagicPanel; },    [] { return new frmNoFiles; },
        [] { return new frmPickMList; },     [] { return new frmRename; },
        [] { return new frmBadConnection; }, [] { return new frmupdate; },
    };
    for (const auto& make : windows) {
        const std::unique_ptr<QWidget> window(make());
        const std::string form = window->objectName().toStdString();
        EXPECT_TRUE(valid.match(window->objectName()).hasMatch()) << form;
        for (const QObject* child : window->findChildren<QObject*>()) {
            const QString name = child->objectName();
            // Qt names the parts it makes itself ("qt_spinbox_lineedit",
            // a main window's "_layout").
            if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")) || name.startsWith(u'_'))
                continue;
            EXPECT_TRUE(valid.match(name).hasMatch()) << form << ": " << name.toStdString();
        }
    }
}

// The arrays are found by those names.
TEST(ControlNames, ArraysAreFoundByNameAndIndex) {
    TestEnvironment env;
    frmColors colors;
    const char* const colourLabels[] = {"Red:", "Green:", "Blue:"};
    for (int i = 0; i < 3; ++i) {
        auto* label = colors.findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(i));
        EXPECT_EQ(label, colors.Label1[i]) << i;
        if (label) {
            EXPECT_EQ(label->text(), QString::fromLatin1(colourLabels[i]));
        }
    }
    frmSchedule schedule;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(schedule.findChild<QRadioButton*>(QStringLiteral("optType(%1)").arg(i)),
                  schedule.optType[i]);
        EXPECT_EQ(schedule.findChild<QLabel*>(QStringLiteral("lblExample(%1)").arg(i)),
                  schedule.lblExample[i]);
    }
    for (int d = 1; d <= 7; ++d)
        EXPECT_EQ(schedule.findChild<QCheckBox*>(QStringLiteral("chkDays(%1)").arg(d)),
                  schedule.chkDays[d]);
    frmNoFiles noFiles;
    for (int way = 0; way < 4; ++way) {
        EXPECT_EQ(noFiles.findChild<QRadioButton*>(QStringLiteral("optFileType(%1)").arg(way)),
                  noFiles.optFileType[way]);
        EXPECT_EQ(noFiles.findChild<QGroupBox*>(QStringLiteral("fraDetails(%1)").arg(way)),
                  noFiles.fraDetails[way]);
        EXPECT_NE(
            noFiles.fraDetails[way]->findChild<QLabel*>(QStringLiteral("lblDetail%1(1)").arg(way)),
            nullptr);
    }
    frmupdate update;
    for (int page = 0; page < 6; ++page)
        EXPECT_EQ(update.findChild<QFrame*>(QStringLiteral("fraHolder(%1)").arg(page)),
                  update.fraHolder[page]);
}

} // namespace

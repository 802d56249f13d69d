#include "app/snapshots/ShowcaseWorld.h"

#include "engine/ListIndex.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/MainForm.h"
#include "platform/Services.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace {

// A landscape-like picture: a sky gradient over hills, in one hue.
QImage drawPicture(int index, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    const int hue = (index * 57) % 360;
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(hue, 120, 250));
    sky.setColorAt(1, QColor::fromHsv((hue + 30) % 360, 200, 160));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int layer = 0; layer < 3; ++layer) {
        p.setBrush(QColor::fromHsv((hue + 90 + layer * 20) % 360, 160, 120 - layer * 30));
        const int base = size.height() * (6 + layer) / 10;
        QPolygon hills;
        hills << QPoint(0, size.height());
        for (int x = 0; x <= size.width(); x += size.width() / 8)
            hills << QPoint(x, base - ((x / 7 + index * 13 + layer * 29) % 60));
        hills << QPoint(size.width(), size.height());
        p.drawPolygon(hills);
    }
    return image;
}

} // namespace

ShowcaseWorld::ShowcaseWorld(const QString& picturesFolder) {
    const QString base = root.path();
    folders = FixedFolders::under(base);

    Services& s = services();
    s.clock = &clock;
    s.random = &random;
    s.registry = &registry;
    s.screen = &screen;
    s.beeper = &beeper;
    s.folders = &folders;
    s.drives = &drives;
    s.shell = &shell;
    s.desktop = &desktop;
    s.launcher = &launcher;

    setWindowStateReset(resetWindowState);
    resetProgramState();
    setListFolders();
    Options.LastUpdateTime = clock.now().addSecs(-45 * 60);
    QDir().mkpath(Options.PrivateMagicListPath);

    const QStringList names = {QStringLiteral("Alpine Meadow"), QStringLiteral("Harbour at Dusk"),
                               QStringLiteral("Red Canyon"),    QStringLiteral("Quiet Lake"),
                               QStringLiteral("Autumn Road"),   QStringLiteral("Northern Coast")};
    const QString folder =
        picturesFolder.isEmpty() ? base + QStringLiteral("/pictures") : picturesFolder;
    QDir().mkpath(folder);
    if (!QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        ready = false;
        return;
    }
    ActiveMagicList.SetListName(QStringLiteral("Our Vacation"));
    for (int i = 0; i < names.size(); ++i) {
        const QString path = folder + u'/' + names[i] + QStringLiteral(".jpg");
        drawPicture(i, QSize(1600, 1000)).save(path, "JPEG", 85);
        pictures << path;
        ActiveMagicList.AddItem(path, int32_t(0x303030), int16_t(0));
        ActiveMagicList.SetEntryName(static_cast<int16_t>(i), names[i]);
    }
    ActiveMagicList.SetActiveEntry(0);
    ActiveMagicList.Save();
    BuildMagicListIndex();
}

ShowcaseWorld::~ShowcaseWorld() {
    resetProgramState();
    services() = standInServices();
}

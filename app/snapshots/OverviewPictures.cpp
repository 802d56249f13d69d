#include "app/snapshots/OverviewPictures.h"

#include "app/snapshots/ShowcaseWorld.h"
#include "engine/DisplayEntry.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/forms/FormKit.h"
#include "panel/PanelResources.h"
#include "panel/PanelWindows.h"
#include "panel/frmDrop.h"
#include "panel/frmMagicPanel.h"
#include "platform/ScreenPicture.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTextStream>
#include <QThread>
#include <QUrl>
#include <memory>

namespace {

const QColor kBrown(0x3b, 0x24, 0x12);
const QColor kTeal(0x2f, 0x8f, 0x83);
const QColor kGold(0xd9, 0xa4, 0x41);
constexpr int kTitleBar = 14;
constexpr int kShadow = 3;

double scale() {
    return qApp->devicePixelRatio();
}

// Serves the events due, the panel's idle preview among them.
void settle() {
    for (int i = 0; i < 10; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        QThread::msleep(5);
    }
}

// A transparent picture of the logical size, at the screen's scale.
QImage canvas(QSize size) {
    QImage image(size * scale(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale());
    image.fill(Qt::transparent);
    return image;
}

// A grab of a widget's part, made smaller with proper averaging.
QImage shrunk(const QPixmap& grab, QSize size) {
    QImage image =
        grab.toImage().scaled(size * scale(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(scale());
    return image;
}

QImage shrunk(const QImage& picture, QSize size) {
    QImage image = picture.scaled(size * scale(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(scale());
    return image;
}

QSize widthKeepingShape(QSize size, int width) {
    return QSize(width, (size.height() * width + size.width() / 2) / size.width());
}

void shadow(QPainter& p, const QRect& r) {
    p.fillRect(r.translated(kShadow, kShadow), QColor(0, 0, 0, 55));
}

// A plain window of ours around a picture: a thin border, a title bar with
// the caption and three small boxes.
QRect drawWindow(QPainter& p, QPoint at, const QImage& content, const QString& caption) {
    const QSize client = content.deviceIndependentSize().toSize();
    const QRect outer(at, QSize(client.width() + 2, client.height() + kTitleBar + 2));
    shadow(p, outer);
    p.fillRect(outer, QColor(0x55, 0x55, 0x55));
    const QRect bar(outer.left() + 1, outer.top() + 1, client.width(), kTitleBar);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, kTeal.lighter(115));
    g.setColorAt(1, kTeal.darker(115));
    p.fillRect(bar, g);
    QFont f = p.font();
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(bar.adjusted(4, 0, -36, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
    for (int i = 0; i < 3; ++i) {
        const QRect box(bar.right() - 10 - i * 11, bar.top() + 3, 8, 8);
        p.fillRect(box, QColor(255, 255, 255, 70));
    }
    p.drawImage(QPoint(bar.left(), bar.bottom() + 1), content);
    return outer;
}

// A part of a window with a thin border.
QRect drawCutOut(QPainter& p, QPoint at, const QImage& content) {
    const QRect outer(at, content.deviceIndependentSize().toSize() + QSize(2, 2));
    shadow(p, outer);
    p.fillRect(outer, QColor(0x80, 0x80, 0x80));
    p.drawImage(at + QPoint(1, 1), content);
    return outer;
}

// A monitor on its stand around a picture of the desktop.
QRect drawMonitor(QPainter& p, QPoint at, const QImage& desktop, int screenWidth) {
    const QSize screen = widthKeepingShape(desktop.size(), screenWidth);
    const QRect bezel(at, screen + QSize(12, 14));
    const QRect base(bezel.center().x() - screenWidth / 5, bezel.bottom() + 10,
                     2 * (screenWidth / 5), 5);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x4a, 0x4a));
    QPainterPath neck;
    neck.moveTo(bezel.center().x() - 7, bezel.bottom());
    neck.lineTo(bezel.center().x() + 7, bezel.bottom());
    neck.lineTo(bezel.center().x() + 10, base.top() + 1);
    neck.lineTo(bezel.center().x() - 10, base.top() + 1);
    p.drawPath(neck);
    p.drawRoundedRect(base, 2, 2);
    QLinearGradient g(bezel.topLeft(), bezel.bottomLeft());
    g.setColorAt(0, QColor(0x3c, 0x3c, 0x3c));
    g.setColorAt(1, QColor(0x1e, 0x1e, 0x1e));
    p.setBrush(g);
    p.drawRoundedRect(bezel, 4, 4);
    p.setBrush(QColor(0x5f, 0xd0, 0x6a));
    p.drawEllipse(QPointF(bezel.center().x(), bezel.bottom() - 3.5), 1.2, 1.2);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawImage(bezel.topLeft() + QPoint(6, 5), shrunk(desktop, screen));
    return bezel.united(base);
}

// The desktop as the wallpaper routine leaves it for the active entry.
QImage composedDesktop(ShowcaseWorld& world) {
    DisplayListEntry(ActiveMagicList, ActiveMagicList.GetActiveEntry(), false);
    if (world.desktop.applied.isEmpty())
        return {};
    const DesktopValues values = world.desktop.applied.last();
    return composeScreen(QSize(world.screen.widthPixels(), world.screen.heightPixels()), values,
                         QImage(values.wallpaperPath), pixelColour(values.background.value_or(0)));
}

// The part of a widget of the panel, in the panel's own pixels.
QPixmap grabPart(frmMagicPanel* panel, QWidget* w, QRect inside) {
    return panel->grab(QRect(w->mapTo(panel, inside.topLeft()), inside.size()));
}

// The banner: the program's mark and name, and what the window is.
QImage banner() {
    QImage image = canvas(QSize(210, 41));
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(2, 4, 33, 33), programIcon().pixmap(QSize(33, 33), scale()));
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont name = p.font();
    name.setPixelSize(22);
    name.setBold(true);
    p.setFont(name);
    p.setPen(kBrown);
    p.drawText(QRect(42, 0, 168, 28), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Tapestrel"));
    QFont what = p.font();
    what.setPixelSize(11);
    what.setBold(false);
    what.setItalic(true);
    p.setFont(what);
    p.setPen(kTeal);
    p.drawText(QRect(43, 27, 167, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("a short tour"));
    return image;
}

// A web page in a plain browser of our drawing, a picture on the page, and
// the drop window lit as the picture is dragged onto it.
QImage browserAndDropWindow(const QImage& photo, const QPixmap& dropWindow) {
    const QSize client(186, 116);
    QImage page = canvas(client);
    {
        QPainter p(&page);
        p.fillRect(QRect(QPoint(0, 0), client), Qt::white);
        // The bar with the way back and forth and the address.
        p.fillRect(QRect(0, 0, client.width(), 18), QColor(0xe8, 0xe8, 0xe8));
        p.fillRect(QRect(0, 18, client.width(), 1), QColor(0xb0, 0xb0, 0xb0));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
        for (int i = 0; i < 2; ++i) {
            const double x = 8 + i * 13;
            const double d = i == 0 ? -2.5 : 2.5;
            p.drawLine(QPointF(x - d, 5), QPointF(x + d, 9));
            p.drawLine(QPointF(x + d, 9), QPointF(x - d, 13));
        }
        p.setPen(QColor(0xa0, 0xa0, 0xa0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(32.5, 3.5, client.width() - 37, 11), 5, 5);
        p.setRenderHint(QPainter::Antialiasing, false);
        QFont f = p.font();
        f.setPixelSize(8);
        p.setFont(f);
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(QRect(38, 3, client.width() - 46, 12), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("pictures.example.org/gallery"));
        // The page: a heading, lines of text and the picture.
        p.fillRect(QRect(10, 26, 90, 6), QColor(0x3b, 0x24, 0x12, 200));
        for (int i = 0; i < 6; ++i)
            p.fillRect(QRect(10, 40 + i * 9, i % 3 == 2 ? 42 : 58, 3), QColor(0xc8, 0xc8, 0xc8));
        p.drawImage(QPoint(76, 38), shrunk(photo, QSize(100, 64)));
    }
    const QSize dropSize = dropWindow.deviceIndependentSize().toSize();
    QImage image = canvas(QSize(client.width() + 2 + 30, client.height() + kTitleBar + 2 + 44));
    QPainter p(&image);
    drawWindow(p, QPoint(0, 0), page, QStringLiteral("Picture Gallery"));
    const QPoint drop(image.width() / scale() - dropSize.width() - kShadow,
                      image.height() / scale() - dropSize.height() - kShadow);
    shadow(p, QRect(drop, dropSize));
    p.drawPixmap(drop, dropWindow);
    // The picture on its way from the page to the drop window.
    const QImage ghost = shrunk(photo, QSize(34, 22));
    const QPoint ghostAt(drop.x() - 48, drop.y() + dropSize.height() / 2 - 4);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBrown, 1.2, Qt::DashLine));
    p.drawLine(QPointF(127, 86), QPointF(ghostAt.x() + 17, ghostAt.y()));
    p.setOpacity(0.8);
    p.drawImage(ghostAt, ghost);
    p.setOpacity(1);
    const double y = ghostAt.y() + 11;
    const double tip = drop.x() + 10;
    p.setPen(QPen(kBrown, 1.6));
    p.drawLine(QPointF(ghostAt.x() + 36, y), QPointF(tip - 2, y));
    p.setBrush(kBrown);
    p.drawPolygon(QPolygonF({QPointF(tip, y), QPointF(tip - 6, y - 4), QPointF(tip - 6, y + 4)}));
    p.setRenderHint(QPainter::Antialiasing, false);
    return image;
}

} // namespace

int writeOverviewPictures(ShowcaseWorld& world, const QString& folder) {
    QTextStream err(stderr);
    const QString suffix = scale() > 1.5 ? QStringLiteral("@2x") : QString();
    int failures = 0;
    const auto save = [&](const QString& name, const QImage& image) {
        const QString file = folder + u'/' + name + suffix + QStringLiteral(".png");
        if (image.isNull() || !image.save(file)) {
            err << "cannot write " << file << "\n";
            ++failures;
        }
    };

    // The panel with the program's windows, so that its commands look as
    // the user sees them; without the overview coming up over it.
    PanelWindows windows;
    setProgramWindows(&windows);
    Options.ShowOverviewDialog = false;
    const QImage desktop = composedDesktop(world);
    initPanelResources();
    std::unique_ptr<frmMagicPanel> panel(new frmMagicPanel);
    panel->setAttribute(Qt::WA_DeleteOnClose, false);
    panel->show();
    settle();
    // Adding pictures is the first thing the pages show the user.
    panel->cmdNewEntry->setEnabled(true);
    settle();

    // 1: the control panel window.
    const QPixmap whole = panel->grab();
    {
        const QSize client = widthKeepingShape(whole.deviceIndependentSize().toSize(), 250);
        QImage image = canvas(client + QSize(2 + kShadow, kTitleBar + 2 + kShadow));
        QPainter p(&image);
        drawWindow(p, QPoint(0, 0), shrunk(whole, client),
                   QStringLiteral("Tapestrel Control Panel"));
        p.end();
        save(QStringLiteral("ImageList1"), image);
    }

    // 2: a monitor showing the wallpaper.
    {
        QImage image = canvas(QSize(152, 112));
        QPainter p(&image);
        drawMonitor(p, QPoint(2, 2), desktop, 136);
        p.end();
        save(QStringLiteral("ImageList2"), image);
    }

    // 3: the list part of the panel.
    {
        const QPixmap list = grabPart(panel.get(), panel->Frame1,
                                      QRect(0, 0, panel->Frame1->width(), kit::pxY(3720)));
        const QSize size = widthKeepingShape(list.deviceIndependentSize().toSize(), 162);
        QImage image = canvas(size + QSize(2 + kShadow, 2 + kShadow));
        QPainter p(&image);
        drawCutOut(p, QPoint(0, 0), shrunk(list, size));
        p.end();
        save(QStringLiteral("ImageList3"), image);
    }

    // 4: a browser and the drop window.
    {
        frmDrop drop;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(world.pictures.value(1))});
        drop.show();
        drop.picDrop_OLEDragOver(&data, true);
        settle();
        save(QStringLiteral("ImageList4"),
             browserAndDropWindow(QImage(world.pictures.value(1)), drop.grab()));
        drop.hide();
    }

    // 5: the preview with the positions, and the background colours.
    {
        QWidget* right = panel->Frame2;
        const QPixmap top =
            grabPart(panel.get(), right, QRect(0, 0, right->width(), kit::pxY(2250)));
        const QPixmap colours = grabPart(
            panel.get(), right,
            QRect(kit::px(120) - 2, kit::pxY(2940) - 2, kit::px(1560) + 4, kit::pxY(2040) + 4));
        const QSize topSize = widthKeepingShape(top.deviceIndependentSize().toSize(), 196);
        const QSize colourSize = widthKeepingShape(colours.deviceIndependentSize().toSize(), 88);
        QImage image = canvas(
            QSize(196 + 2 + kShadow, topSize.height() + colourSize.height() + 2 + 2 + 8 + kShadow));
        QPainter p(&image);
        const QRect upper = drawCutOut(p, QPoint(0, 0), shrunk(top, topSize));
        drawCutOut(p, QPoint(14, upper.bottom() + 9), shrunk(colours, colourSize));
        p.end();
        save(QStringLiteral("ImageList5"), image);
    }

    // 6: the countdown to the next change.
    {
        const QPixmap countdown =
            grabPart(panel.get(), panel->Frame2,
                     QRect(kit::px(1750), kit::pxY(2850),
                           panel->Frame2->width() - kit::px(1750) - 4, kit::pxY(3955 - 2850)));
        QImage content = countdown.toImage();
        content.setDevicePixelRatio(scale());
        QImage image =
            canvas(countdown.deviceIndependentSize().toSize() + QSize(2 + kShadow, 2 + kShadow));
        QPainter p(&image);
        drawCutOut(p, QPoint(0, 0), content);
        p.end();
        save(QStringLiteral("ImageList6"), image);
    }

    // 7: the panel in front of the monitor with the wallpaper.
    {
        QImage image = canvas(QSize(232, 158));
        QPainter p(&image);
        drawMonitor(p, QPoint(92, 0), desktop, 126);
        const QSize client = widthKeepingShape(whole.deviceIndependentSize().toSize(), 160);
        drawWindow(p, QPoint(0, 158 - client.height() - kTitleBar - 2 - kShadow),
                   shrunk(whole, client), QStringLiteral("Tapestrel Control Panel"));
        p.end();
        save(QStringLiteral("ImageList7"), image);
    }

    // The banner, and the panel's add-pictures and schedule buttons.
    save(QStringLiteral("Image1"), banner());
    for (auto [button, name] : {std::pair{panel->cmdNewEntry, QStringLiteral("Image2")},
                                {panel->cmdSchedule, QStringLiteral("Image3")}}) {
        button->setFixedSize(42, 42);
        settle();
        QImage image = button->grab().toImage();
        image.setDevicePixelRatio(scale());
        save(name, image);
    }
    panel->close();
    panel.reset();
    setProgramWindows(nullptr);
    return failures;
}

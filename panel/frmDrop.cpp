#include "panel/frmDrop.h"

#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "gui/MainForm.h"
#include "gui/forms/FormKit.h"
#include "panel/AddPictures.h"
#include "panel/DropWindowPlacement.h"
#include "panel/PanelResources.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <qdrawutil.h>

namespace {

constexpr int kPictureSize = 50;

QLabel* look(QWidget* parent, const char* name, const QString& picture) {
    QLabel* l = kit::picture(parent, name);
    l->setPixmap(listPicture(picture).pixmap(QSize(kPictureSize, kPictureSize),
                                             parent->devicePixelRatioF()));
    l->setGeometry(-2 * kPictureSize, -2 * kPictureSize, kPictureSize, kPictureSize);
    l->hide();
    return l;
}

} // namespace

frmDrop::frmDrop(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmDrop"));
    setWindowTitle(QString());
    setWindowIcon(programIcon());
    fraHolder = kit::make<QFrame>(this, "fraHolder");
    fraHolder->setFrameShape(QFrame::Box);
    fraHolder->setFrameShadow(QFrame::Sunken);
    picDrop = kit::picture(fraHolder, "picDrop");
    picDrop->setAlignment(Qt::AlignCenter);
    picDrop->setAcceptDrops(true);
    picDrop->installEventFilter(this);
    img1 = look(this, "img1", QStringLiteral("drop-normal"));
    img2 = look(this, "img2", QStringLiteral("drop-lit"));
    Img3 = look(this, "Img3", QStringLiteral("drop-refused"));
    Form_Load();
}

void frmDrop::Form_Load() {
    const Screen& screen = *services().screen;
    const QRect work = screen.workArea();
    const DropWindowPlacement p =
        placeDropWindow(screen.twipsPerPixelX(), screen.twipsPerPixelY(), kDropWindowFrame,
                        kDropWindowBorder, work.x() + work.width(), work.y() + work.height());
    setFixedSize(kit::px(p.window.width()), kit::pxY(p.window.height()));
    move(kit::px(p.window.left()), kit::pxY(p.window.top()));
    // The inner boxes sit in the area inside the window's own frame.
    fraHolder->setGeometry(kit::px(p.holder.left()) + kDropWindowFrame,
                           kit::pxY(p.holder.top()) + kDropWindowFrame, kit::px(p.holder.width()),
                           kit::pxY(p.holder.height()));
    picDrop->setGeometry(
        kit::twipsRect(p.drop.left(), p.drop.top(), p.drop.width(), p.drop.height()));
    showLook(img1);
}

void frmDrop::showLook(QLabel* picture) {
    shown_ = picture;
    picDrop->setPixmap(picture->pixmap());
}

void frmDrop::picDrop_OLEDragOver(const QMimeData* data, bool entering) {
    if (!entering) {
        showLook(img1);
        return;
    }
    // Only local files can be added; nothing is taken while long work runs.
    showLook(bringsFiles(data) && !ProgramIsBusy() ? img2 : Img3);
}

void frmDrop::picDrop_OLEDragDrop(const QMimeData* data) {
    const QStringList files = droppedFiles(data);
    showLook(img1);
    if (files.isEmpty())
        return;
    // The files are added once the drop has ended, so the program that
    // dragged them is not kept waiting through a name question.
    QTimer::singleShot(0, this, [files] { kit::guarded([&] { collectDroppedFiles(files); }); });
}

void frmDrop::picDrop_MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton || !MainForm || ProgramIsBusy())
        return;
    MainForm->mnuMagicCollector->popup(QCursor::pos());
}

bool frmDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picDrop)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(event);
        // Taken in any case, so that leaving restores the normal look.
        e->acceptProposedAction();
        kit::guarded([&] { picDrop_OLEDragOver(e->mimeData(), true); });
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (bringsFiles(e->mimeData()) && !ProgramIsBusy())
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    case QEvent::DragLeave:
        kit::guarded([&] { picDrop_OLEDragOver(nullptr, false); });
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        e->acceptProposedAction();
        kit::guarded([&] { picDrop_OLEDragDrop(e->mimeData()); });
        return true;
    }
    case QEvent::MouseButtonPress: {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        kit::guarded([&] { picDrop_MouseDown(button); });
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmDrop::paintEvent(QPaintEvent*) {
    // The raised frame of a small dialog, which the window manager does not
    // draw for a window without a title bar.
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false, &palette().brush(QPalette::Window));
}

void frmDrop::closeEvent(QCloseEvent* event) {
    event->accept();
    // Closed other than through CloseDropWindow (by the window manager):
    // the collector is off, as if turned off from its menu.
    QTimer::singleShot(0, qApp, [] {
        if (DropWindow && !DropWindow->isVisible())
            CloseDropWindow();
    });
}

#include "gui/forms/frmSplash.h"

#include "engine/ProgramResources.h"
#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"

#include <QBitmap>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

QLabel* textLabel(QWidget* parent, const char* name, const QString& text, int pointSize,
                  bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

// The wallpaper logo, with its blue key colour shown as the window behind.
QPixmap logoPixmap() {
    initProgramResources();
    QPixmap logo(QStringLiteral(":/wallpaper/logo.bmp"));
    if (!logo.isNull())
        logo.setMask(logo.createMaskFromColor(QColor(0, 0, 255)));
    return logo;
}

} // namespace

QString frmSplash::versionText(int major, int minor, int revision) {
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tapestrel"));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->installEventFilter(this);

    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programIcon().pixmap(128, 128));
    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(logoPixmap());

    lblCompanyProduct =
        textLabel(Frame1, "lblCompanyProduct", QStringLiteral("Tapestrel"), 28, true);
    lblVersion = textLabel(
        Frame1, "lblVersion",
        versionText(TAPESTREL_VERSION_MAJOR, TAPESTREL_VERSION_MINOR, TAPESTREL_VERSION_PATCH), 11,
        false);
    Label1 = textLabel(Frame1, "Label1", QStringLiteral("Orlevane"), 11, true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblCompanyProduct);
    texts->addWidget(lblVersion);
    texts->addStretch();
    texts->addWidget(Label1);
    texts->addWidget(imgLogo);
    auto* row = new QHBoxLayout(Frame1);
    row->setContentsMargins(24, 24, 24, 24);
    row->setSpacing(24);
    row->addWidget(Image1, 0, Qt::AlignTop);
    row->addLayout(texts);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(Frame1);

    adjustSize();
    CenterForm(this, 1);
}

void frmSplash::keyPressEvent(QKeyEvent*) {
    close();
}

void frmSplash::Frame1_Click() {
    close();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

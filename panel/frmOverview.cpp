#include "panel/frmOverview.h"

#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/FormHelpers.h"
#include "panel/OverviewPlacement.h"
#include "panel/OverviewResources.h"
#include "panel/WebAddress.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

const QString kCaption = QStringLiteral("An Overview of Tapestrel:");

// The window's client area and the page panel inside its frame, in twips.
constexpr int kClientWidth = 8724;
constexpr int kClientHeight = 5604;
constexpr int kHolderWidth = 8250;
constexpr int kHolderHeight = 4560;
// Where a page shows inside the panel, and how far down it may reach:
// the hint to go on sits below it.
constexpr int kPageLeft = 360;
constexpr int kPageTop = 1215;
constexpr int kContinueTop = 4230;
constexpr int kPageHeight = kContinueTop - kPageTop - 45;
// The room kept between a page's texts and its picture.
constexpr int kTextGap = 150;

const QColor kTitleColour(0x3b, 0x24, 0x12);
const QColor kCaptionColour(0x2f, 0x6f, 0x66);

QByteArray indexedName(const char* name, qsizetype index) {
    return QByteArray(name) + '(' + QByteArray::number(index) + ')';
}

QFont scaledFont(const QFont& base, double factor, bool bold, bool italic = false) {
    QFont f = base;
    f.setPointSizeF(base.pointSizeF() * factor);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

void setWhite(QWidget* w) {
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Qt::white);
    w->setPalette(p);
}

// A bullet: a small square with a second one offset behind it as its
// shadow, 195 twips each.
class BulletShape final : public QWidget {
public:
    BulletShape(QWidget* parent, const QByteArray& name) : QWidget(parent) {
        setObjectName(QString::fromLatin1(name));
        const int side = kit::px(195);
        setFixedSize(side + 3, side + 3);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int side = kit::px(195);
        p.fillRect(QRect(3, 3, side, side), QColor(0x80, 0x80, 0x80));
        p.setPen(kTitleColour);
        p.setBrush(QColor(0xd9, 0xa4, 0x41));
        p.drawRect(QRect(0, 0, side - 1, side - 1));
    }
};

// Fills one page, top to bottom: the title (with a caption on its row),
// then the texts in a column that leaves the picture's side free.
class PageBuilder {
public:
    PageBuilder(frmOverview* form, QFrame* page, int textWidth)
        : form_(form), page_(page), layout_(new QVBoxLayout(page)) {
        layout_->setContentsMargins(0, 0, 0, 0);
        layout_->setSpacing(kit::pxY(120));
        column_ = new QWidget(page);
        column_->setObjectName(page->objectName() + QStringLiteral("Texts"));
        column_->setFixedWidth(textWidth);
        columnLayout_ = new QVBoxLayout(column_);
        columnLayout_->setContentsMargins(0, 0, 0, 0);
        columnLayout_->setSpacing(kit::pxY(75));
    }

    ~PageBuilder() {
        // Left as it is: an alignment would give the column the height of
        // its size hint, not the height its wrapped texts take at its width.
        layout_->addWidget(column_);
        layout_->addStretch(1);
    }

    // The page's title; a caption, when given, stands on the same row at
    // `captionLeft` twips.
    void title(int topic, const QString& text, const QString& caption = QString(),
               int captionLeft = 0) {
        auto* row = new QWidget(page_);
        QLabel* header = kit::label(row, indexedName("Headers", topic - 1).constData(), text);
        header->setFont(scaledFont(header->font(), 1.35, true));
        setTextColour(header, kTitleColour);
        header->adjustSize();
        form_->Headers[topic - 1] = header;
        int height = header->height();
        if (!caption.isEmpty()) {
            QLabel* c = newLabel(row, caption);
            c->setFont(scaledFont(c->font(), 1.05, false, true));
            setTextColour(c, kCaptionColour);
            c->adjustSize();
            // On the title's baseline.
            const int baseline = QFontMetrics(header->font()).ascent();
            c->move(kit::px(captionLeft), baseline - QFontMetrics(c->font()).ascent());
            height = std::max(height, c->geometry().bottom() + 1);
        }
        row->setFixedHeight(height);
        layout_->addWidget(row);
    }

    QLabel* text(const QString& words) {
        QLabel* l = newLabel(column_, words);
        l->setWordWrap(true);
        columnLayout_->addWidget(l);
        return l;
    }

    // A text with a bullet before it.
    QLabel* bullet(const QString& words) { return bulletInto(columnLayout_, words); }

    // Short texts with bullets, and a picture on their right.
    void bullets(const QStringList& items, QWidget* picture) {
        auto* row = new QHBoxLayout;
        row->setSpacing(kit::px(240));
        auto* list = new QVBoxLayout;
        list->setSpacing(kit::pxY(45));
        for (const QString& item : items)
            bulletInto(list, item)->setWordWrap(false);
        row->addLayout(list);
        row->addWidget(picture, 0, Qt::AlignVCenter);
        row->addStretch(1);
        columnLayout_->addLayout(row);
    }

    // A text with a picture on its right.
    QLabel* textBeside(const QString& words, QWidget* picture) {
        auto* row = new QHBoxLayout;
        row->setSpacing(kit::px(120));
        QLabel* l = newLabel(column_, words);
        l->setWordWrap(true);
        row->addWidget(l, 1);
        row->addWidget(picture, 0, Qt::AlignVCenter);
        columnLayout_->addLayout(row);
        return l;
    }

    // One of the maker's addresses, under the text that introduces it.
    QLabel* address(const char* name, const QString& value) {
        QLabel* l = kit::label(column_, name, value);
        l->setFont(scaledFont(l->font(), 1.0, true));
        l->setContentsMargins(kit::px(360), 0, 0, 0);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        columnLayout_->addWidget(l);
        return l;
    }

    QWidget* column() const { return column_; }

private:
    QLabel* bulletInto(QBoxLayout* layout, const QString& words) {
        auto* row = new QHBoxLayout;
        row->setSpacing(kit::px(120));
        auto* shape = new BulletShape(column_, indexedName("Shape1", form_->Shape1.size()));
        form_->Shape1.append(shape);
        row->addWidget(shape, 0, Qt::AlignTop);
        QLabel* l = newLabel(column_, words);
        l->setWordWrap(true);
        row->addWidget(l, 1);
        layout->addLayout(row);
        return l;
    }

    // A text of the page, as a caption shows it: "&&" as one "&".
    QLabel* newLabel(QWidget* parent, const QString& words) {
        QLabel* l = kit::label(parent, indexedName("Labels", form_->Labels.size()).constData(),
                               kit::withoutAccessKeys(words));
        form_->Labels.append(l);
        return l;
    }

    frmOverview* form_;
    QFrame* page_;
    QVBoxLayout* layout_;
    QWidget* column_;
    QVBoxLayout* columnLayout_;
};

QLabel* smallPicture(QWidget* parent, const char* name) {
    QLabel* l = kit::picture(parent, name);
    const QPixmap p = overviewPixmap(QString::fromLatin1(name));
    l->setPixmap(p);
    l->setFixedSize(p.deviceIndependentSize().toSize());
    return l;
}

// Runs one of the load steps; a step that fails is left out and the next
// one runs.
template <class Step> void loadStep(Step step) {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

frmOverview::frmOverview(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmOverview", kCaption);
    kit::setHelpSection(this, QStringLiteral("overview"));
    setFixedSize(kit::px(kClientWidth), kit::pxY(kClientHeight));

    Frame3 = kit::frame(this, "Frame3");
    Frame3->setGeometry(kit::twipsRect(45, -45, 8610, 4965));
    picHolder = kit::make<QWidget>(Frame3, "picHolder");
    picHolder->setGeometry(kit::twipsRect(180, 225, kHolderWidth, kHolderHeight));
    setWhite(picHolder);

    Image1 = smallPicture(picHolder, "Image1");
    Image1->move(kit::px(135), kit::pxY(150));
    Line1 = kit::make<QFrame>(picHolder, "Line1");
    Line1->setGeometry(kit::px(135), kit::pxY(810), kit::px(7965 - 135), 1);
    Line3 = kit::make<QFrame>(picHolder, "Line3");
    Line3->setGeometry(kit::px(180), kit::pxY(855), kit::px(8010 - 180), 1);
    for (auto [line, role] : {std::pair{Line1, QPalette::WindowText}, {Line3, QPalette::Dark}}) {
        line->setAutoFillBackground(true);
        QPalette p = line->palette();
        p.setColor(QPalette::Window, p.color(role));
        line->setPalette(p);
    }

    lblCount = kit::label(picHolder, "lblCount");
    lblCount->setGeometry(kit::twipsRect(6420, 540, 7965 - 6420, 255));
    setTextColour(lblCount, QColor(0xc0, 0xc0, 0xc0));
    lblContinue = kit::label(picHolder, "lblContinue");
    lblContinue->setGeometry(kit::twipsRect(135, kContinueTop, 5000, 255));
    setTextColour(lblContinue, QColor(0xc0, 0x00, 0x00));
    imgMain = kit::picture(picHolder, "imgMain");

    for (int i = 0; i < 7; ++i)
        ImageList[i] = overviewPixmap(QStringLiteral("ImageList%1").arg(i + 1));

    for (int topic = 1; topic <= kOverviewTopics; ++topic)
        fraHolder[topic - 1] = makePage(topic);
    imgMain->raise();

    cmdPrev = kit::button(this, "cmdPrev", QStringLiteral("<< Back"));
    cmdPrev->setGeometry(kit::twipsRect(4815, 5085, 1140, 420));
    cmdNext = kit::button(this, "cmdNext", QStringLiteral("Next >>"));
    cmdNext->setGeometry(kit::twipsRect(6030, 5085, 1140, 420));
    cmdClose = kit::button(this, "cmdClose", QStringLiteral("Close"));
    cmdClose->setGeometry(kit::twipsRect(7515, 5085, 1140, 420));
    setDefaultButton(cmdClose);
    chkDontShow =
        kit::checkBox(this, "chkDontShow", QStringLiteral("Don't show me this window again"));
    // Wider than the form had it, so that the caption fits in any font.
    chkDontShow->setGeometry(kit::twipsRect(90, 5130, 4500, 285));

    kit::on(cmdPrev, &QPushButton::clicked, this, &frmOverview::cmdPrev_Click);
    kit::on(cmdNext, &QPushButton::clicked, this, &frmOverview::cmdNext_Click);
    kit::on(cmdClose, &QPushButton::clicked, this, &frmOverview::cmdClose_Click);
}

QFrame* frmOverview::makePage(int topic) {
    auto* page = kit::make<QFrame>(picHolder, indexedName("fraHolder", topic - 1).constData());
    setWhite(page);
    page->setFrameShape(QFrame::NoFrame);
    page->setGeometry(
        kit::twipsRect(kPageLeft, kPageTop, kHolderWidth - kPageLeft - 120, kPageHeight));
    page->hide();

    // The texts keep to the left of the page's picture.
    const OverviewPicture picture = topicPicture(int16_t(topic));
    const QSize size = ImageList[picture.index - 1].deviceIndependentSize().toSize();
    const QPoint at = overviewPicturePosition(
        QSize(kHolderWidth, kHolderHeight),
        QSize(kit::twipsX(size.width()), kit::twipsY(size.height())), picture.atBottom);
    PageBuilder b(this, page, kit::px(at.x() - kPageLeft - kTextGap));

    switch (topic) {
    case 1:
        b.title(topic, QStringLiteral("Welcome to Tapestrel:"));
        b.text(QStringLiteral("This quick overview will help you get the most out of Tapestrel."));
        b.text(QStringLiteral("Let us teach you what Tapestrel can do, and how it does it."));
        b.text(QStringLiteral("The overview only takes a minute, and is worth the time to get to "
                              "know the software."));
        break;
    case 2:
        b.title(topic, QStringLiteral("What is Tapestrel?"));
        b.bullet(QStringLiteral("Tapestrel lets you build a list of images that you want to use "
                                "as your desktop wallpaper.  The images can reside anywhere on "
                                "your computer or on your network."));
        b.bullet(QStringLiteral("Each entry in your magic list has it\u2019s own settings for "
                                "position and background color. The positions include center, "
                                "best fit, stretch, and tile."));
        b.bullet(QStringLiteral("Once your list is built, you can setup a schedule that will "
                                "automatically update your desktop wallpaper with the images you "
                                "have selected."));
        break;
    case 3:
        b.title(topic, QStringLiteral("The Magic List:"), QStringLiteral("Your list of images"),
                2295);
        b.text(QStringLiteral("This list keeps track of the images you want to use as well as "
                              "where the image is located.  The images can be stored in any "
                              "folder on your computer, or even on a network drive."));
        b.text(QStringLiteral("Vellamore also supports multi-user Windows operating systems like "
                              "Windows XP.  Each user will have their own Magic List with their "
                              "own image selections."));
        break;
    case 4:
        b.title(topic, QStringLiteral("The Magic List:"),
                QStringLiteral("How do y ou add entries?"), 2295);
        b.text(QStringLiteral("We make it easy to add wallpaper selections to your Magic List.  "
                              "There are three different ways to do it:"));
        Image2 = smallPicture(b.column(), "Image2");
        b.bullets({QStringLiteral("Open Window:"), QStringLiteral("Drag && Drop:"),
                   QStringLiteral("The Radur Eradeziro")},
                  Image2);
        b.text(QStringLiteral("You can multi-select images from the open window and add them at "
                              "once.  You can also Drag and Drop images to the control panel "
                              "list from other Windows programs!"));
        break;
    case 5:
        b.title(topic, QStringLiteral("Images from the Internet"));
        b.text(QStringLiteral("The Radur Eradeziro is designed to work directly with your "
                              "Internet Browser!"));
        b.text(QStringLiteral("When you turn it on, an Icon is displayed in the corner of your "
                              "screen.  Its designed to stay on top of all other windows so you "
                              "can always see it."));
        b.text(QStringLiteral("Drag the image from your browser and drop it on the icon.   The "
                              "image is automatically added to your list and made active."));
        break;
    case 6:
        b.title(topic, QStringLiteral("Individual Wallpaper Properties:"));
        b.text(QStringLiteral("Each wallpaper entry has it's own defined properties including "
                              "your choice of background color and image position. Images can "
                              "also be displayed rotated (without effecting the original)."));
        b.text(QStringLiteral("The control panel preview screen lets you see exactly how your "
                              "desktop will appear. "));
        break;
    case 7:
        b.title(topic, QStringLiteral("Automatic Updates:"),
                QStringLiteral("Keep your desktop fresh"), 2835);
        b.text(QStringLiteral("Finally, setup Tapestrel to automatically change your desktop "
                              "background as often as you like.  Enter the number of minutes, "
                              "hours, or days between changes and let Tapestrel cycle through "
                              "your images."));
        Image3 = smallPicture(b.column(), "Image3");
        b.textBeside(QStringLiteral("Just click this button to bring up the schedule options "
                                    "window. "),
                     Image3);
        break;
    case 8:
        b.title(topic, QStringLiteral("That's it!"));
        b.text(QStringLiteral("Now you know a little more about what Tapestrel can do.  We hope "
                              "you enjoy using it!"));
        b.text(QStringLiteral("Do you still have some Questions?  Let us help you.  Our email "
                              "address is:"));
        lblEmail = b.address("lblEmail", projectSupportEmail());
        b.text(QStringLiteral("Visit us online at:"));
        lblWebSite = b.address("lblWebSite", projectWebAddress());
        break;
    default:
        break;
    }
    return page;
}

void frmOverview::Form_Load() {
    loadStep([this] {
        chkDontShow->setVisible(Options.ShowOverviewDialog && !Options.OverviewShownThisSession);
    });
    loadStep([this] { chkDontShow->setChecked(!Options.ShowOverviewDialog); });
    loadStep([] { Options.OverviewShownThisSession = true; });
    loadStep([this] {
        const Screen& screen = *services().screen;
        const QSize window(kit::twipsX(frameGeometry().width()),
                           kit::twipsY(frameGeometry().height()));
        const std::optional<QPoint> at = overviewWindowPosition(
            FormLeft, FormTop, window, QSize(screen.widthTwips(), screen.heightTwips()));
        if (at)
            move(kit::px(at->x()), kit::pxY(at->y()));
        else
            CenterForm(this, 1);
    });
    loadStep([this] {
        CurrentTopic = 1;
        ShowOverviewTopic(CurrentTopic);
    });
    loadStep([this] { setWindowTitle(kCaption); });
}

void frmOverview::ShowOverviewTopic(int16_t& topic) {
    topic = clampOverviewTopic(topic);
    lblCount->setText(QStringLiteral("Topic %1 of %2").arg(topic).arg(kOverviewTopics));

    const OverviewPicture picture = topicPicture(topic);
    imgMain->hide();
    const QPixmap& pixmap = ImageList[picture.index - 1];
    imgMain->setPixmap(pixmap);
    const QSize size = pixmap.deviceIndependentSize().toSize();
    imgMain->resize(size);
    const QPoint at = overviewPicturePosition(
        QSize(kit::twipsX(picHolder->width()), kit::twipsY(picHolder->height())),
        QSize(kit::twipsX(size.width()), kit::twipsY(size.height())), picture.atBottom);
    imgMain->move(kit::px(at.x()), kit::pxY(at.y()));
    imgMain->show();
    imgMain->raise();

    for (int i = 0; i < kOverviewTopics; ++i) {
        QFrame* page = fraHolder[i];
        const bool current = i == topic - 1;
        page->move(current ? kit::px(kPageLeft) : width() + kit::px(100), kit::pxY(kPageTop));
        page->setVisible(current);
    }

    if (topic == kOverviewTopics) {
        lblContinue->setText(QStringLiteral("Press the Close button to end the overview ..."));
        cmdNext->setEnabled(false);
        cmdClose->setFocus();
    } else {
        lblContinue->setText(QStringLiteral("Press the Next button below to continue ..."));
        cmdNext->setEnabled(true);
        cmdNext->setFocus();
    }
}

void frmOverview::cmdNext_Click() {
    ++CurrentTopic;
    ShowOverviewTopic(CurrentTopic);
}

void frmOverview::cmdPrev_Click() {
    --CurrentTopic;
    ShowOverviewTopic(CurrentTopic);
}

void frmOverview::cmdClose_Click() {
    Options.ShowOverviewDialog = !chkDontShow->isChecked();
    SaveOptions();
    hide();
}

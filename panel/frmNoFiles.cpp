#include "panel/frmNoFiles.h"

#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "panel/PanelResources.h"
#include "panel/WrappedOption.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kFormWidth = 9960;
constexpr int kFormHeight = 4920;
constexpr int kFrameLeft = 120;
constexpr int kFrameTop = 60;
constexpr int kFrameHeight = 4140;
constexpr int kButtonsTop = 4380;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

QLabel* heading(QWidget* parent, const QByteArray& name, const QString& text) {
    QLabel* l = kit::label(parent, name.constData(), text);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.25);
    l->setFont(f);
    return l;
}

// The texts of each way's frame are an array of their own: "lblDetail2(3)".
QLabel* text(QWidget* parent, int way, int part, const QString& text) {
    const QByteArray array = "lblDetail" + QByteArray::number(way);
    return kit::wrappedLabel(parent, kit::indexedName(array.constData(), part).constData(), text);
}

QLabel* picture(QWidget* parent, const char* name, const QString& picture, QSize size) {
    QLabel* l = kit::picture(parent, name);
    l->setPixmap(listPicture(picture).pixmap(size, parent->devicePixelRatioF()));
    l->setFixedSize(size);
    return l;
}

} // namespace

frmNoFiles::frmNoFiles(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmNoFiles", QStringLiteral("Add Wallpaper Images"));
    setFixedSize(kit::px(kFormWidth), kit::pxY(kFormHeight));
    const QRect frameRect =
        kit::twipsRect(kFrameLeft, kFrameTop, kFormWidth - 2 * kFrameLeft, kFrameHeight);

    Frame1 = kit::frame(this, "Frame1");
    Frame1->setGeometry(frameRect);
    lblHeading = heading(Frame1, "lblHeading", QStringLiteral("Your Magic List is Empty!"));
    lblIntro = kit::wrappedLabel(
        Frame1, "lblIntro",
        QStringLiteral("To use Tapestrel, you need to add some images to your current magic "
                       "list.  There are several different ways you can do this.  Select one of "
                       "the options from the following list and click OK to add images to your "
                       "list."));
    const QString captions[] = {
        QStringLiteral("Browse your computer for compatible image files"),
        QStringLiteral("Drag and Drop files from Windows Explorer directly into your magic list "
                       "on the Tapestrel Control Panel"),
        QStringLiteral("Use the Radur Eradeziro to drag images from other programs such as your "
                       "Internet browser into your Magic List"),
        QStringLiteral("Copy the Tapestrel sample images into your Magic List"),
    };
    for (int i = 0; i < 4; ++i)
        optFileType[i] = kit::make<WrappedOption>(
            Frame1, kit::indexedName("optFileType", i).constData(), captions[i]);
    auto* first = new QVBoxLayout(Frame1);
    first->setContentsMargins(kit::px(240), kit::pxY(180), kit::px(240), kit::pxY(180));
    first->addWidget(lblHeading);
    first->addSpacing(kit::pxY(120));
    first->addWidget(lblIntro);
    first->addSpacing(kit::pxY(180));
    // On the page from the top: samples, browse, drag, drop window.
    for (int way : {3, 0, 1, 2})
        first->addWidget(optFileType[way]);
    first->addStretch();

    for (int way = 0; way < 4; ++way) {
        fraDetails[way] = makeDetails(way);
        fraDetails[way]->setGeometry(frameRect);
        fraDetails[way]->hide();
    }

    chkDontShow =
        kit::checkBox(this, "chkDontShow", QStringLiteral("Don't show me this window again"));
    chkDontShow->setGeometry(kit::twipsRect(kFrameLeft + 120, kButtonsTop + 30, 5000, 315));
    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdCancel->setGeometry(kit::twipsRect(kFormWidth - kFrameLeft - kButtonWidth, kButtonsTop,
                                          kButtonWidth, kButtonHeight));
    cmdOK->setGeometry(kit::twipsRect(kFormWidth - kFrameLeft - 2 * kButtonWidth - 120, kButtonsTop,
                                      kButtonWidth, kButtonHeight));
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    kit::on(cmdOK, &QPushButton::clicked, this, &frmNoFiles::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmNoFiles::cmdCancel_Click);
}

QGroupBox* frmNoFiles::makeDetails(int way) {
    auto* frame = kit::frame(this, kit::indexedName("fraDetails", way).constData());
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(kit::px(240), kit::pxY(180), kit::px(240), kit::pxY(180));
    column->setSpacing(kit::pxY(120));
    // A text with a picture on its right.
    auto besides = [&](QLabel* words, QWidget* picture) {
        auto* row = new QHBoxLayout;
        row->setSpacing(kit::px(240));
        row->addWidget(words, 1);
        row->addWidget(picture, 0, Qt::AlignVCenter);
        column->addLayout(row);
    };
    // Widgets one below the other, from the top.
    auto stacked = [](std::initializer_list<QWidget*> widgets) {
        auto* box = new QVBoxLayout;
        box->setSpacing(kit::pxY(120));
        for (QWidget* w : widgets)
            box->addWidget(w);
        box->addStretch();
        return box;
    };
    // Texts on the left, pictures on the right.
    auto sideBySide = [&](QLayout* words, QLayout* pictures) {
        auto* row = new QHBoxLayout;
        row->setSpacing(kit::px(240));
        row->addLayout(words, 1);
        row->addLayout(pictures);
        column->addLayout(row);
    };
    const QByteArray headingName = kit::indexedName("lblDetailHeading", way);
    switch (way) {
    case 0: {
        column->addWidget(heading(frame, headingName, QStringLiteral("Browsing for Image Files")));
        column->addWidget(text(
            frame, way, 1,
            QStringLiteral("When you click the OK button, you will see a standard Windows dialog "
                           "for selecting files.  You can choose more than one file at a time by "
                           "holding down the CTRL key and clicking the mouse on multiple file "
                           "names.")));
        cmdAddPicture =
            kit::pictureButton(frame, "cmdAddPicture", listPicture(QStringLiteral("add-pictures")),
                               QStringLiteral("Add images to your list"));
        cmdAddPicture->setIconSize(QSize(32, 32));
        cmdAddPicture->setFixedSize(QSize(42, 42));
        cmdAddPicture->setFocusPolicy(Qt::NoFocus);
        besides(text(frame, way, 2,
                     QStringLiteral("If you want to add more images later using this dialog, you "
                                    "can click the button that looks like this on the Tapestrel "
                                    "Control Panel.")),
                cmdAddPicture);
        break;
    }
    case 1: {
        column->addWidget(
            heading(frame, headingName, QStringLiteral("Dragging Files from Windows Explorer")));
        sideBySide(
            stacked({text(frame, way, 1,
                          QStringLiteral("When you click the OK button, you will be returned to "
                                         "the Tapestrel Control Panel.  ")),
                     text(frame, way, 2,
                          QStringLiteral("You can add images to your Magic List by clicking them "
                                         "in Windows Explorer and dragging them into the circled "
                                         "area on the Control Panel."))}),
            stacked({picture(frame, "picDragToPanel", QStringLiteral("drag-to-panel"),
                             QSize(160, 104))}));
        break;
    }
    case 2: {
        column->addWidget(heading(frame, headingName, QStringLiteral("Using the Radur Eradeziro")));
        besides(text(frame, way, 1,
                     QStringLiteral("When you click the OK button, the Tapestrel Radur Eradeziro "
                                    "will be activated.  The Radur Eradeziro is an always on top "
                                    "window that you can drag images from other programs into.")),
                picture(frame, "picDropNormal", QStringLiteral("drop-normal"), QSize(50, 50)));
        column->addWidget(text(frame, way, 2,
                               QStringLiteral("For example, you can click and drag a picture from "
                                              "your Internet browser into the Radur Eradeziro, "
                                              "and the picture will automatically be added to "
                                              "your current magic list and be set to the current "
                                              "selection.")));
        besides(text(frame, way, 3,
                     QStringLiteral("The Radur Eradeziro will \"light up\" if you can use this "
                                    "picture as a wallpaper file.")),
                picture(frame, "picDropLit", QStringLiteral("drop-lit"), QSize(50, 50)));
        besides(text(frame, way, 4,
                     QStringLiteral("If Tapestrel does not support the selected file type, the "
                                    "Radur Eradeziro will look like this.")),
                picture(frame, "picDropRefused", QStringLiteral("drop-refused"), QSize(50, 50)));
        break;
    }
    default: {
        column->addWidget(
            heading(frame, headingName, QStringLiteral("Load the Tapestrel Sample Images")));
        sideBySide(
            stacked({text(frame, way, 1,
                          QStringLiteral("When you click the OK button, the Tapestrel sample "
                                         "images will automatically be copied into your current "
                                         "Magic List.")),
                     text(frame, way, 2,
                          QStringLiteral("This is a great way for you to experiment and learn to "
                                         "use the Tapestrel software before you start looking for "
                                         "your own personalized images to use as your "
                                         "wallpapers!"))}),
            stacked(
                {picture(frame, "picSample1", QStringLiteral("sample-dunes"), QSize(128, 72)),
                 picture(frame, "picSample2", QStringLiteral("sample-weave"), QSize(128, 72))}));
        break;
    }
    }
    column->addStretch();
    return frame;
}

void frmNoFiles::Form_Load() {
    NoFilesChoice = -1;
    optFileType[3]->setChecked(true);
    showFirstPage();
}

void frmNoFiles::showFirstPage() {
    page_ = 1;
    for (QGroupBox* details : fraDetails)
        details->hide();
    Frame1->show();
    chkDontShow->show();
}

void frmNoFiles::cmdOK_Click() {
    if (page_ == 2) {
        hide();
        return;
    }
    page_ = 2;
    NoFilesChoice = 3;
    for (int way = 0; way < 4; ++way) {
        if (optFileType[way]->isChecked())
            NoFilesChoice = static_cast<int16_t>(way);
    }
    if (chkDontShow->isChecked())
        Options.ShowEmptyDialog = false;
    fraDetails[NoFilesChoice]->setGeometry(Frame1->geometry());
    fraDetails[NoFilesChoice]->show();
    fraDetails[NoFilesChoice]->raise();
    Frame1->hide();
    chkDontShow->hide();
}

void frmNoFiles::cmdCancel_Click() {
    if (page_ == 2) {
        // Back to the choice; a cleared setting stays cleared.
        fraDetails[NoFilesChoice]->hide();
        showFirstPage();
        NoFilesChoice = -1;
        return;
    }
    if (chkDontShow->isChecked())
        Options.ShowEmptyDialog = false;
    hide();
}

void frmNoFiles::titleBarClose() {
    NoFilesChoice = -1;
    hide();
}

#include "editors/frmCrop.h"

#include "editors/CropPicture.h"
#include "editors/frmSetFixedWidth.h"
#include "engine/BusyPointer.h"
#include "engine/ErrorWindow.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/WallpaperImage.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kFreeHand = QStringLiteral("Free Hand");

// A colour as stored (red in the low byte); -1, no colour, is black.
QColor backColour(int32_t colour) {
    if (colour == -1)
        return Qt::black;
    return QColor(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff);
}

void fillWith(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

const Screen& programScreen() {
    return *services().screen;
}

} // namespace

frmCrop::frmCrop(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmCrop", QStringLiteral("Select Picture Area"), 6);
    setFixedSize(kit::twipsSize(7800, 8070));

    Frame1 = kit::frame(this, "Frame1",
                        QStringLiteral("Select a part of your picture to use as your desktop "));
    Frame1->setGeometry(kit::twipsRect(120, 90, 7560, 7260));
    lblFileName = kit::label(Frame1, "lblFileName");
    lblFileName->setGeometry(kit::twipsRect(180, 300, 7200, 255));
    lblFileName->hide();
    Frame2 = kit::make<QFrame>(Frame1, "Frame2");
    Frame2->setFrameShape(QFrame::Box);
    Frame2->setFrameShadow(QFrame::Sunken);
    Frame2->setGeometry(kit::twipsRect(180, 300, 7230, 5430));
    picHolder = kit::make<QFrame>(Frame2, "picHolder");
    picHolder->setGeometry(kit::twipsRect(15, 15, 7200, 5400));
    lpicCrop = kit::make<CropPicture>(picHolder, "lpicCrop");
    lpicCrop->setGeometry(QRect(QPoint(0, 0), picHolder->size()));

    cmbCropType = kit::comboBox(Frame1, "cmbCropType");
    cmbCropType->setGeometry(kit::twipsRect(180, 5880, 3000, 345));
    cmdMinus = kit::button(Frame1, "cmdMinus", QStringLiteral("-"));
    cmdMinus->setGeometry(kit::twipsRect(3300, 5865, 420, 375));
    cmdPlus = kit::button(Frame1, "cmdPlus", QStringLiteral("+"));
    cmdPlus->setGeometry(kit::twipsRect(3780, 5865, 420, 375));
    cmdChangeSize = kit::button(Frame1, "cmdChangeSize", QStringLiteral("Change Size"));
    cmdChangeSize->setGeometry(kit::twipsRect(4380, 5865, 1500, 375));
    lblCropArea = kit::label(Frame1, "lblCropArea");
    lblCropArea->setGeometry(kit::twipsRect(180, 6330, 4500, 255));
    Label1 = kit::wrappedLabel(Frame1, "Label1");
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(kit::twipsRect(180, 6630, 7200, 480));

    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setGeometry(kit::twipsRect(5160, 7500, 1200, 405));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdCancel->setGeometry(kit::twipsRect(6480, 7500, 1200, 405));
    for (QPushButton* b : {cmdMinus, cmdPlus, cmdChangeSize, cmdCancel})
        b->setAutoDefault(false);
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    // The list reacts to the user's choice; the code's own choices call
    // the handler themselves (selectCropType).
    kit::onCall(cmbCropType, &QComboBox::activated, this, [this](int) { cmbCropType_Click(); });
    kit::on(cmdOK, &QPushButton::clicked, this, &frmCrop::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmCrop::cmdCancel_Click);
    kit::on(cmdChangeSize, &QPushButton::clicked, this, &frmCrop::cmdChangeSize_Click);
    kit::on(cmdMinus, &QPushButton::pressed, this, &frmCrop::cmdMinus_MouseDown);
    kit::on(cmdMinus, &QPushButton::released, this, &frmCrop::cmdMinus_MouseUp);
    kit::on(cmdPlus, &QPushButton::pressed, this, &frmCrop::cmdPlus_MouseDown);
    kit::on(cmdPlus, &QPushButton::released, this, &frmCrop::cmdPlus_MouseUp);
    kit::on(Timer1, &QTimer::timeout, this, &frmCrop::Timer1_Timer);
    kit::onCall(lpicCrop, &CropPicture::mouseDown, this,
                [this](int b, int s, float x, float y) { lpicCrop_MouseDown(b, s, x, y); });
    kit::onCall(lpicCrop, &CropPicture::mouseMove, this,
                [this](int b, int s, float x, float y) { lpicCrop_MouseMove(b, s, x, y); });
    kit::onCall(lpicCrop, &CropPicture::mouseUp, this,
                [this](int b, int s, float x, float y) { lpicCrop_MouseUp(b, s, x, y); });
    kit::on(lpicCrop, &CropPicture::selectionDrawn, this, &frmCrop::lpicCrop_SelectionDrawn);
}

void frmCrop::setFileName(const QString& path) {
    kit::guarded([&] {
        if (!formLoaded_)
            loadForm();
        lblFileName->setText(path);
        lblFileName_Change();
    });
    // Nothing to show: the caller gets a cancel.
    if (!loaded_)
        Cancelled = true;
}

void frmCrop::showModal() {
    if (!loaded_)
        return;
    FormDialog::showModal();
}

void frmCrop::Form_Load() {
    if (!formLoaded_)
        loadForm();
}

void frmCrop::loadForm() {
    formLoaded_ = true;
    const QColor colour = backColour(CropBackColor);
    fillWith(picHolder, colour);
    lpicCrop->setBackColor(colour);
    ScreenWidth = programScreen().widthPixels();
    ScreenHeight = programScreen().heightPixels();
    types_ = cropTypesFor(QSize(ScreenWidth, ScreenHeight),
                          QSize(Options.FixedCropWidth, Options.FixedCropHeight));
    cmbCropType->clear();
    cmbCropType->addItems(types_.captions);
    cmbCropType->setCurrentIndex(-1);
    if (FitArea.isEmpty())
        FitArea = picHolder->size();
}

void frmCrop::lblFileName_Change() {
    loaded_ = false;
    CropPictureFile file;
    {
        const BusyPointer busy;
        file = loadCropPicture(lblFileName->text(), CropRotation, FitArea);
    }
    if (file.code != 0) {
        // Without a picture there is nothing to crop (and no size to scale by).
        ShowErrorMessage(GetImageErrorText(file.code), 0, QString());
        return;
    }
    fit_ = file.fit;
    lpicCrop->setPicture(file.shown);
    lpicCrop->setGeometry((picHolder->width() - fit_.displayed.width()) / 2, 0,
                          fit_.displayed.width(), fit_.displayed.height());

    fitTypesToPicture(types_, fit_.picture);
    cmbCropType->clear();
    cmbCropType->addItems(types_.captions);
    cmbCropType->setCurrentIndex(-1);
    // The settings keep the fixed size the user chose; this picture gets
    // what fits.
    types_.setSlot(
        croptype::FixedSize,
        fixedSizeWithin(QSize(Options.FixedCropWidth, Options.FixedCropHeight), fit_.picture));
    loaded_ = true;
    GetScaledDimensions();
    SetInitialState();
}

void frmCrop::GetScaledDimensions() {
    types_.setSlot(croptype::Scaled,
                   scaledDimensions(fit_.picture, QSize(ScreenWidth, ScreenHeight)));
}

void frmCrop::SetInitialState() {
    if (CropLeft == -1) {
        selectCropType(croptype::EntirePicture);
        return;
    }
    SettingInitialState = true;
    const QSize stored(CropWidth, CropHeight);
    // The stored rectangle is shown where it was, not centred.
    showSelection(storedSelection(QRect(QPoint(CropLeft, CropTop), stored), fit_));
    lblCropArea->setText(cropAreaCaption(stored));
    const int match = firstTypeOfSize(types_, stored);
    if (match >= 0) {
        selectCropType(match);
        if (match == croptype::FreeHand)
            lpicCrop->setFreeDrawing(true);
    } else if (hasScreenShape(stored, QSize(ScreenWidth, ScreenHeight))) {
        selectCropType(croptype::Scaled);
        types_.setSlot(croptype::Scaled, stored);
    } else {
        selectCropType(croptype::FreeHand);
        types_.setSlot(croptype::FreeHand, stored);
        lpicCrop->setFreeDrawing(true);
    }
    SettingInitialState = false;
}

void frmCrop::SetHelpText() {
    Label1->setText(cropTypeHelpText(selectedType()));
}

int frmCrop::selectedType() const {
    return cmbCropType->currentIndex();
}

void frmCrop::selectCropType(int item) {
    cmbCropType->setCurrentIndex(item);
    cmbCropType_Click();
}

void frmCrop::showSelection(const CropSelection& selection) {
    lpicCrop->setSelection(selection);
}

void frmCrop::cmbCropType_Click() {
    const int i = selectedType();
    SetHelpText();
    cmdPlus->setEnabled(i == croptype::Scaled);
    cmdMinus->setEnabled(i == croptype::Scaled);
    cmdChangeSize->setEnabled(i == croptype::FixedSize);
    if (SettingInitialState || i == -1)
        return;
    if (i == croptype::FreeHand) {
        lpicCrop->setSelectionShown(false);
        lpicCrop->setFreeDrawing(true);
        lblCropArea->setText(QString());
        return;
    }
    lpicCrop->setFreeDrawing(false);
    const QSize slot = types_.slot(i);
    showSelection(centredSelection(slot, fit_));
    lblCropArea->setText(cropAreaCaption(slot));
}

void frmCrop::cmdOK_Click() {
    hide();
    QCoreApplication::processEvents();
    Cancelled = false;
    const int i = selectedType();
    // Nothing drawn yet under "Free Hand": the caller's values stay, so an
    // entry without a crop keeps none.
    if (lpicCrop->selection().shown && i >= 0) {
        const QRect crop = pictureRectangle(lpicCrop->selection(), types_.slot(i), fit_);
        CropTop = crop.top();
        CropLeft = crop.left();
        CropHeight = crop.height();
        CropWidth = crop.width();
    }
    hide();
}

void frmCrop::cmdCancel_Click() {
    Cancelled = true;
    hide();
}

void frmCrop::cmdChangeSize_Click() {
    frmSetFixedWidth dialog(this);
    dialog.ImageHeight = fit_.picture.height();
    dialog.ImageWidth = fit_.picture.width();
    dialog.showModal();
    if (dialog.Cancelled)
        return;
    Options.FixedCropWidth = dialog.CropAreaWidth;
    Options.FixedCropHeight = dialog.CropAreaHeight;
    types_.setSlot(croptype::FixedSize, QSize(Options.FixedCropWidth, Options.FixedCropHeight));
    cmbCropType_Click();
}

bool frmCrop::InTheBox(float& x, float& y) const {
    return ::InTheBox(lpicCrop->selection(), x, y, programScreen().twipsPerPixelX(),
                      programScreen().twipsPerPixelY());
}

void frmCrop::lpicCrop_MouseDown(int, int, float x, float y) {
    Dragging = false;
    if (cmbCropType->currentText() != kFreeHand) {
        if (!InTheBox(x, y))
            return;
        lpicCrop->setMousePointer(5);
        const QPoint p =
            pressPixel(x, y, programScreen().twipsPerPixelX(), programScreen().twipsPerPixelY());
        DragX = p.x();
        DragY = p.y();
        Dragging = true;
        return;
    }
    lpicCrop->setMousePointer(2);
    // A second button during a drawing starts nothing new.
    if (!lpicCrop->drawing())
        beforeDrawing_ = lpicCrop->selection();
    lpicCrop->setSelectionShown(false);
}

void frmCrop::lpicCrop_MouseMove(int Button, int, float x, float y) {
    if (cmbCropType->currentText() == kFreeHand || Button != 1 || !Dragging)
        return;
    // A point outside the selection is passed over; the selection catches
    // up when the pointer comes back inside it.
    if (!InTheBox(x, y))
        return;
    const QPoint cur =
        movePixel(x, y, programScreen().twipsPerPixelX(), programScreen().twipsPerPixelY());
    showSelection(
        movedSelection(lpicCrop->selection(), cur.x() - DragX, cur.y() - DragY, fit_.displayed));
    DragX = cur.x();
    DragY = cur.y();
}

void frmCrop::lpicCrop_MouseUp(int, int, float, float) {
    if (cmbCropType->currentText() != kFreeHand)
        lpicCrop->setMousePointer(0);
}

void frmCrop::lpicCrop_SelectionDrawn() {
    const std::optional<DrawnArea> area = drawnArea(lpicCrop->selection().rect(), fit_);
    if (!area) {
        // A click, or a line: the selection before the press stays.
        showSelection(beforeDrawing_);
        lpicCrop->setMousePointer(0);
        return;
    }
    showSelection(area->selection);
    types_.setSlot(croptype::FreeHand, area->size);
    lblCropArea->setText(cropAreaCaption(area->size));
    lpicCrop->setMousePointer(0);
}

void frmCrop::timerStart(const QString& tag) {
    Timer1Tag = tag;
    Timer1->setInterval(kFirstRepeatInterval);
    Timer1->start();
}

void frmCrop::cmdMinus_MouseDown() {
    timerStart(QStringLiteral("MINUS"));
}

void frmCrop::cmdMinus_MouseUp() {
    Timer1->stop();
}

void frmCrop::cmdPlus_MouseDown() {
    timerStart(QStringLiteral("PLUS"));
}

void frmCrop::cmdPlus_MouseUp() {
    Timer1->stop();
}

void frmCrop::Timer1_Timer() {
    CropSelection selection = lpicCrop->selection();
    if (!selection.shown)
        return;
    const bool grow = Timer1Tag == QStringLiteral("PLUS");
    if (!grow && Timer1Tag != QStringLiteral("MINUS"))
        return;
    // A refused step changes nothing, the interval included.
    const std::optional<QSize> next = scaledStep(types_.slot(croptype::Scaled), grow, selection,
                                                 fit_, QSize(ScreenWidth, ScreenHeight));
    if (!next)
        return;
    selection.width = next->width() * fit_.scaleX;
    selection.height = next->height() * fit_.scaleY;
    showSelection(selection);
    types_.setSlot(croptype::Scaled, *next);
    lblCropArea->setText(cropAreaCaption(*next));
    Timer1->setInterval(nextRepeatInterval(Timer1->interval()));
}

CropAnswer showCropDialog(const CropRequest& request) {
    frmCrop dialog;
    dialog.CropLeft = request.CropLeft;
    if (request.CropLeft != -1) {
        dialog.CropTop = request.CropTop;
        dialog.CropWidth = request.CropWidth;
        dialog.CropHeight = request.CropHeight;
        dialog.CropBackColor = request.CropBackColor;
    }
    dialog.CropRotation = request.CropRotation;
    dialog.setFileName(request.FileName);
    dialog.showModal();
    CropAnswer answer;
    answer.Cancelled = dialog.Cancelled;
    answer.CropLeft = dialog.CropLeft;
    answer.CropTop = dialog.CropTop;
    answer.CropWidth = dialog.CropWidth;
    answer.CropHeight = dialog.CropHeight;
    return answer;
}

#pragma once

#include "editors/CropGeometry.h"
#include "engine/Windows.h"
#include "gui/forms/FormKit.h"

#include <QSize>
#include <QString>
#include <cstdint>

class CropPicture;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

// "Select Picture Area": the user chooses the part of one entry's picture
// that becomes the wallpaper. The caller sets the crop fields and the
// rotation, then the picture's path with setFileName (which loads the form
// and the picture), shows the dialog and reads the fields back unless
// Cancelled. The dialog stores nothing in the list; Change Size writes the
// fixed crop size into the settings.
class frmCrop final : public FormDialog {
    Q_OBJECT
public:
    explicit frmCrop(QWidget* parent = nullptr);

    // Picture pixels; CropLeft -1: the entry has no crop.
    int32_t CropLeft = -1;
    int32_t CropTop = 0;
    int32_t CropWidth = 0;
    int32_t CropHeight = 0;
    // True after Cancel, the close box, or a picture that can't be shown.
    bool Cancelled = false;
    int32_t CropRotation = 0;
    // The colour around the picture (red in the low byte); -1, an entry
    // without a colour, shows black.
    int32_t CropBackColor = 0;
    // The area the picture is fitted into (down or up, keeping its shape:
    // fitPicture), in pixels; the picture holder's size unless set before
    // setFileName.
    QSize FitArea;

    // Loads the form on first use, then the picture at `path`.
    void setFileName(const QString& path);
    // Shows the dialog modally, unless its picture could not be loaded.
    void showModal();

    bool InTheBox(float& x, float& y) const;
    void GetScaledDimensions();
    void SetInitialState();
    void SetHelpText();

    void cmbCropType_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdChangeSize_Click();
    void lpicCrop_MouseDown(int Button, int Shift, float x, float y);
    void lpicCrop_MouseMove(int Button, int Shift, float x, float y);
    void lpicCrop_MouseUp(int Button, int Shift, float x, float y);
    void lpicCrop_SelectionDrawn();
    void cmdMinus_MouseDown();
    void cmdMinus_MouseUp();
    void cmdPlus_MouseDown();
    void cmdPlus_MouseUp();
    void Timer1_Timer();

    // What the dialog works with, for those who look on.
    const DisplayFit& displayFit() const { return fit_; }
    bool pictureLoaded() const { return loaded_; }
    // "MINUS" or "PLUS": the button whose repeat Timer1 runs.
    const QString& timerTag() const { return Timer1Tag; }

    QGroupBox* Frame1;
    QFrame* Frame2;
    QFrame* picHolder;
    CropPicture* lpicCrop;
    QComboBox* cmbCropType;
    QPushButton* cmdChangeSize;
    QPushButton* cmdMinus;
    QPushButton* cmdPlus;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QLabel* lblCropArea;
    QLabel* Label1;
    QLabel* lblFileName;
    QTimer* Timer1;

protected:
    void Form_Load() override;

private:
    void loadForm();
    void lblFileName_Change();
    // Chooses an item as the code does: the click handler runs.
    void selectCropType(int item);
    int selectedType() const;
    void showSelection(const CropSelection& selection);
    void timerStart(const QString& tag);

    bool formLoaded_ = false;
    bool loaded_ = false;
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
    CropTypes types_;
    DisplayFit fit_;
    int32_t DragX = 0;
    int32_t DragY = 0;
    bool Dragging = false;
    bool SettingInitialState = false;
    QString Timer1Tag;
    // The selection a press of "Free Hand" hid, shown again when the
    // drawing comes to nothing.
    CropSelection beforeDrawing_;
};

// The crop dialog on a request: what both crop commands open.
CropAnswer showCropDialog(const CropRequest& request);

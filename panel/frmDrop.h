#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QMimeData;

// The drop window: a small square that stays on top of the other windows
// in the bottom-right corner of the screen while the collector is on.
// Files dragged onto it are added to the active list; its right button
// opens the main form's drop-window menu. The main form opens and closes
// it (ShowDropWindow, CloseDropWindow).
class frmDrop : public QWidget {
    Q_OBJECT
public:
    explicit frmDrop(QWidget* parent = nullptr);

    QFrame* fraHolder;
    QLabel* picDrop;
    // The three looks, kept outside the visible area: normal, lit while
    // files are dragged over, refused while anything else is.
    QLabel* img1;
    QLabel* img2;
    QLabel* Img3;

    // Which of the three looks picDrop shows now.
    const QLabel* shownPicture() const { return shown_; }

    // Sizes and places the window.
    void Form_Load();
    // A drag entering (true) or leaving (false) the drop area.
    void picDrop_OLEDragOver(const QMimeData* data, bool entering);
    void picDrop_OLEDragDrop(const QMimeData* data);
    void picDrop_MouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showLook(QLabel* look);

    const QLabel* shown_ = nullptr;
};

// The frame width the window draws around itself, and the thin border the
// placement leaves below it, in pixels.
constexpr int kDropWindowFrame = 3;
constexpr int kDropWindowBorder = 1;

#pragma once

#include <QDialog>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

// The program's own message window: a message, an optional question and a
// column of buttons. Always above other windows. It grows with its text
// when it is shown, up to the height of the screen's work area; past that
// the message and the question scroll.
class frmError : public QDialog {
    Q_OBJECT
public:
    explicit frmError(bool yesNoMode, QWidget* parent = nullptr);

    bool YesNoMode = false;
    int16_t MessageResult = 0;

    QFrame* Picture1;
    QLabel* Label1;
    QLabel* lblError;
    QLabel* lblQuestion;
    // Holds the message and the question, and scrolls them when the window
    // can grow no more.
    QScrollArea* textArea;
    QPushButton* cmdOK;
    QPushButton* cmdYes;
    QPushButton* cmdNo;
    QPushButton* cmdCancel;

    // The button that Escape presses, if any.
    QPushButton* escapeButton = nullptr;

    // Places a button at a top given in twips.
    void placeButton(QPushButton* button, int topTwips);

public slots:
    void cmdOK_Click();
    void cmdYes_Click();
    void cmdNo_Click();
    void cmdCancel_Click();

    // Makes the window as wide and tall as its texts need, within the
    // work area, and centres it again; the button column keeps to the
    // right, OK at its top and the others at its bottom.
    void fitToText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    int grownAcross_ = 0;
    int grownDown_ = 0;
};

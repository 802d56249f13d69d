#pragma once

#include <QDialog>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

// The program's own message window: a message, an optional question and a
// column of buttons. Always above other windows.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
};

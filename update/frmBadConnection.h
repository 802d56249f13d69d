#pragma once

#include "gui/forms/FormKit.h"

class QLabel;
class QPushButton;
class QTimer;

// Asks the user to connect to the Internet by other means after dialling
// failed, and waits until the machine is online or the user gives up. The
// wait polls the connection on a timer; the window ends its own modal show.
class frmBadConnection : public FormDialog {
    Q_OBJECT
public:
    explicit frmBadConnection(QWidget* parent = nullptr);

    // How often the connection is asked while the notice waits.
    static constexpr int kPollIntervalMs = 250;

    QLabel* Label1;
    QLabel* Label2;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QTimer* Timer1;

    // Both buttons only ask the wait to stop; the wait closes the window.
    void cmdOK_Click();
    void cmdCancel_Click();
    // One look at the connection: the window closes when the machine is
    // online or a stop was asked for.
    void Timer1_Timer();

protected:
    void Form_Load() override;
    // The close box asks to stop, as the buttons do.
    void titleBarClose() override;

private:
    bool stopRequested_ = false;
};

#include "update/frmBadConnection.h"

#include "engine/Internet.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

frmBadConnection::frmBadConnection(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmBadConnection", QStringLiteral("Internet Connection"), 910);
    setFixedSize(kit::twipsSize(5400, 2235));

    Label1 = kit::wrappedLabel(
        this, "Label1",
        QStringLiteral("An error has occurred while dialing your default internet connection."));
    Label1->setGeometry(kit::twipsRect(240, 180, 4920, 480));
    Label2 = kit::wrappedLabel(this, "Label2",
                               QStringLiteral("To complete this operation, please connect your "
                                              "computer to the internet and click the OK button."));
    Label2->setGeometry(kit::twipsRect(240, 780, 4920, 660));

    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setGeometry(kit::twipsRect(2640, 1620, 1170, 390));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdCancel->setGeometry(kit::twipsRect(3990, 1620, 1170, 390));
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    kit::on(cmdOK, &QPushButton::clicked, this, &frmBadConnection::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmBadConnection::cmdCancel_Click);
    kit::on(Timer1, &QTimer::timeout, this, &frmBadConnection::Timer1_Timer);
}

void frmBadConnection::Form_Load() {
    // The caller may have left the hourglass up.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    stopRequested_ = false;
    // The first look comes at once, the others at the poll interval.
    Timer1->setInterval(10);
    Timer1->start();
}

void frmBadConnection::Timer1_Timer() {
    Timer1->setInterval(kPollIntervalMs);
    if (IsInternetConnected() != 1 && !stopRequested_)
        return;
    Timer1->stop();
    hide();
}

void frmBadConnection::cmdOK_Click() {
    stopRequested_ = true;
    Timer1_Timer();
}

void frmBadConnection::cmdCancel_Click() {
    stopRequested_ = true;
    Timer1_Timer();
}

void frmBadConnection::titleBarClose() {
    cmdCancel_Click();
}

#pragma once

#include "gui/forms/FormKit.h"
#include "platform/Registry.h"

#include <cstdint>

class QLabel;
class QPushButton;

// The about box: the product, its version, and a button that starts the
// system-information tool the local machine names. One box serves the
// whole run; OK closes it.
class frmAbout : public FormDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The version the box names: the program's own unless set before the
    // box is shown.
    int32_t VersionMajor;
    int32_t VersionMinor;
    int32_t VersionRevision;

    QLabel* imgLogo;
    QLabel* lblCompanyProduct;
    QLabel* lblVersion;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Starts the system-information tool, or says that there is none.
    void StartSysInfo();
    // Reads a string value of the local machine or the user into keyVal,
    // only reading: true when it was read; false, with keyVal empty, when
    // the key or the value is missing or the value is too long for the
    // reader.
    bool GetKeyValue(Hive keyRoot, const QString& keyName, const QString& subKeyRef,
                     QString& keyVal);

    static const QString kUnavailable;

protected:
    void Form_Load() override;
};

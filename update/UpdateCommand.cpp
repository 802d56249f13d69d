#include "update/UpdateCommand.h"

#include "engine/FileRoutines.h"
#include "engine/Windows.h"

#include <QMessageBox>

void checkForSoftwareUpdates(QWidget* parent) {
    if (!HasWriteAccess()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tapestrel"),
                        QStringLiteral("You do not have permission to perform this function"),
                        QMessageBox::Ok, parent);
        box.setObjectName(QStringLiteral("NoPermissionMessage"));
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    programWindows().runUpdateWindow(3);
}

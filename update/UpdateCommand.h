#pragma once

class QWidget;

// The control panel's "Check for Software Updates": a user who may not
// write in the program's folders is told so in a plain message box (over
// `parent`); anyone else gets the update window, in mode 3, shown modally.
// The window may end the program after it started a downloaded installer.
void checkForSoftwareUpdates(QWidget* parent = nullptr);

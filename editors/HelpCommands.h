#pragma once

#include <QString>

// The Help menu's commands that open the program's help: its contents page
// and its index page, shown by the desktop's handler for web pages. The
// title is the control panel's caption, which the message for a program
// without help carries; a page that cannot be shown is reported with the
// error's own text.
void showHelpContents(const QString& panelCaption);
void showHelpIndex(const QString& panelCaption);

// What a program without help says.
QString noHelpMessage();

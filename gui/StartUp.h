#pragma once

#include <QStringList>
#include <cstdint>

class frmMain;

// Starts the program with the command-line arguments (without the program
// name): hands over to a copy that already runs, or loads the settings and
// lists, puts up the tray icon and shows the due entry. True when this copy
// runs on (the caller then serves events until the program ends), false
// when it should end now.
bool Main(const QStringList& arguments);

// A new main form whose Exit ends the program (EndProgram, asking first).
frmMain* createMainForm();

// The one way out: saves the list, asks first when told to (and returns if
// the user cancels), stores the settings and takes the main form down; the
// event loop then ends.
void EndProgram(bool askFirst);
// Ends the program without the question once an installer has been
// started to replace it: the settings are stored, the tray icon goes, and
// the launcher ends the event loop (a test's launcher only notes it).
void EndProgramForInstaller();
// True once the program has started to end.
bool ProgramEnding();

// Logging out, SIGTERM, SIGINT and SIGHUP end the program as Exit does,
// without the question; when the process ends through exit() for another
// reason (the X connection broke), the list and the settings are still
// written on the way out. Call once, after the application object exists.
void installSessionEndHandlers();

// The splash wait's test: true once `second` is more than 3 past the start
// second. A start second above `second` means the minute has turned; 60 is
// then taken off it (written back), as the wait does.
bool splashTimeIsUp(int16_t& startSecond, int second);
// Serves events until the splash has been up long enough.
void waitOutSplash(int16_t startSecond);

// Whether the command line keeps the program in the tray: the arguments,
// joined by blanks, are "-SILENT" in any letter case.
bool isSilentStart(const QStringList& arguments);

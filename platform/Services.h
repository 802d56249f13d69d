#pragma once

class Clock;
class RandomSource;
class Registry;
class Screen;
class Beeper;
class Folders;
class DriveClassifier;
class Shell;
class Desktop;
class SingleInstance;
class Tray;
class Launcher;
class Help;
class Connectivity;
class Http;
class FileDialog;

// The system services the program calls, in one place so that tests can
// put stand-ins in. app/ wires the real ones at start, before any of the
// program's code runs. A service nobody set answers as a harmless stand-in
// (standInServices), never as a null pointer; the tray, which belongs to
// the windows, is reached through programTray() (gui/Tray.h) for the same
// reason.
struct Services {
    Clock* clock = nullptr;
    RandomSource* random = nullptr;
    Registry* registry = nullptr;
    Screen* screen = nullptr;
    Beeper* beeper = nullptr;
    Folders* folders = nullptr;
    DriveClassifier* drives = nullptr;
    Shell* shell = nullptr;
    Desktop* desktop = nullptr;
    SingleInstance* instance = nullptr;
    Tray* tray = nullptr;
    Launcher* launcher = nullptr;
    Help* help = nullptr;
    Connectivity* connectivity = nullptr;
    Http* http = nullptr;
    FileDialog* fileDialog = nullptr;
};

Services& services();

// Stand-ins that change nothing outside the process: a clock that stands
// still, random numbers of 0.5, an empty registry in memory, a screen of
// 1024 x 768, a beep that is only counted, folders in a temporary
// directory of their own, a shell, a launcher and help that only note what
// they were asked, a desktop that refuses every wallpaper (it is not
// there), no other copy of the program, no connection, no update site and
// a file dialog that is cancelled. services() starts with them.
Services standInServices();

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
// put stand-ins in. app/ wires the real ones at start; every member is set
// before any of the program's code runs.
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

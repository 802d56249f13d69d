#pragma once

// Flags that live for one run.
struct RunFlags {
    // The program has started to end.
    bool ending = false;
    // A stop asked for (by a signal) before the main form was up.
    bool endPending = false;
    // A desktop that refuses the wallpaper is reported once per run.
    bool desktopFailureReported = false;
    // The answer of the write probe, once it has run.
    bool writeProbeDone = false;
    bool writeProbeAnswer = false;
    // A settings file that fails has been reported: the user's, the machine's.
    bool userHiveFailureReported = false;
    bool machineHiveFailureReported = false;
    // Nobody may be there to answer (the end comes from a signal, a logout
    // or a display that went away): the error window writes to standard
    // error instead and counts what it was given.
    bool unattended = false;
    int unattendedReports = 0;
    // The minute timer is showing the next entry on its own.
    bool savingOnSchedule = false;
};
// Defined with the rest of the program state (ProgramState.cpp), and put
// back with it.
extern RunFlags ThisRun;

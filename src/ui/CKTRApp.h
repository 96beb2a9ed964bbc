#pragma once

// The program: sets the process up, runs the main window until it is closed, and takes it
// down again in order.
class CKTRApp {
public:
    // The process's exit status: 0, or 2 for a command line it does not understand.
    int Run(int argc, char* argv[]);
};

#pragma once

#include "TerminalOptions.h"

// The program's windows in turn: the configuration dialog first (skipped when the command line
// names the port); when it is confirmed, the main dialog of the chosen family, and after each
// new configuration confirmed in a main dialog, the main dialog of the new settings. The
// program ends when a main dialog ends otherwise. Each main dialog's Log is kept in a session
// journal, removed when the dialog ends; journals left by sessions that did not end cleanly
// are offered for recovery to the first main dialog.
class CTerminalApp
{
public:
    explicit CTerminalApp(CTerminalOptions options = {});

    int Run();

private:
    CTerminalOptions m_options;
};

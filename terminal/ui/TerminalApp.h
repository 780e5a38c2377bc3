#pragma once

// The program's windows in turn: the configuration dialog first; when it is confirmed, the main
// dialog of the chosen family, and after each new configuration confirmed in a main dialog,
// the main dialog of the new settings. The program ends when a main dialog ends otherwise.
class CTerminalApp
{
public:
    int Run();
};

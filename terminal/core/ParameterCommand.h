#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// One write to the device. The pause after it gives the device time to take the command
// before the next one arrives.
struct CCommandStep
{
    std::string bytes;
    int pauseMs = 0;
    bool clearTerminalAfter = false; // after the pause: clear the Classic page and g_nLineCount

    bool operator==(const CCommandStep&) const = default;
};

// What a parameter command (Get, Set, Reset, Show All) does, for the main dialog to carry out
// in this order: reset the alarms when asked; show the refusal and stop, or show the warnings,
// write the steps with their pauses, let the record take the controls, show the message (the
// device's replies arrive while it is open), parse the Classic page's text when the listing was
// asked for, and last take the display format. A command whose link closes or whose write
// fails on the way goes no further: it says so with its notDone text, the record keeps what it
// had and the display format goes back to what it was.
struct CParameterCommand
{
    bool resetAlarms = false; // the Display page's alarm outputs go off, refused or not
    std::string refusal;
    std::vector<std::string> warnings;
    std::vector<CCommandStep> steps;
    // Once every step went out: the record takes the controls that were sent.
    std::function<void()> takeControls;
    std::string message;
    bool readsListing = false;
    const char* notDone = "";     // "Parameters have not been set", ...
    int displayFormatAfter = -1;  // the Zelnar SDx once the command went through; -1 keeps it
    int displayFormatBefore = -1; // the Zelnar SDx again when it did not; -1 keeps it

    void Write(std::string bytes, int pauseMs = 0);
    // Writes only when send is true. A command left out still leaves the device its pause
    // after the commands before it.
    void WriteIf(bool send, std::string bytes, int pauseMs = 0);

    // A command refused with text: nothing is written.
    static CParameterCommand Refused(const char* text);
};

// key, the values separated by one blank, and CR: one parameter command as the device takes it.
std::string ParameterLine(const char* key, std::initializer_list<std::string> values);

#pragma once

#include <functional>
#include <span>
#include <string_view>

class CReplyPage;

// One write to the port and the pause the caller keeps after it.
struct CWriteStep
{
    std::string_view bytes;
    int pauseMs = 0;
};

enum class CommandKind
{
    Write,         // write the steps in order, pausing after each as given
    ShowMessage,   // show the message in a message box; nothing is written
    Nothing,       // do nothing, silently
    SimulatedRun,  // simulation mode: play a simulated run instead of writing
    SimulatedStop, // simulation mode: stop the simulated run instead of writing
};

// What a command button or menu item must do. The texts point to static storage.
struct CCommandAction
{
    CommandKind kind = CommandKind::Nothing;
    std::span<const CWriteStep> steps;
    std::string_view message;
};

inline constexpr std::string_view kEsc = "\x1b";
inline constexpr std::string_view kNotConnected = "COM Port is not connected!";

// The commands of the Zelnar main dialog; Stop is also Escape and Enter outside the Classic page.
enum class ZelnarCommand
{
    DT,
    DM,
    DF,
    VT,
    VM,
    DR,
    SO,
    TP,
    ID,
    HW,
    Stop,
};

// Decides a Zelnar command from g_bConnected, g_bSimulation and the display format SDx. A command
// to be written begins a new binary stream (BeginBinaryStream).
CCommandAction ZelnarCommandAction(ZelnarCommand command);

// UM_SEND_LINE: g_strReceived holds a typed line ending in a line feed. Writes it with a carriage
// return in place of the line feed, then leaves the bare line in g_strReceived, marks it as an
// echo, counts it in g_nLogLines and notifies the Log page; the line begins a new binary stream.
// An empty g_strReceived does nothing.
void SendTypedLine(const std::function<void(std::string_view)>& write, CReplyPage& logPage);

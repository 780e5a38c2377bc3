#pragma once

#include "ParameterCommand.h"

#include <functional>
#include <vector>

class CLink;
class QEventLoop;
class QWidget;

// Runs a parameter command (Get, Set, Reset, Show All) of a main dialog: its writes, with the
// pauses in which the dialog keeps handling events, its messages and its listing. Whatever
// would close the link or the dialog in a pause stops the sequence first; a sequence whose link
// closed or whose write failed goes no further and says so once, never with its success text.
// Keys the operator sends to the device meanwhile go out after the sequence, as they would
// have from a dialog that was busy.
class CParameterSequence
{
public:
    // What a command needs of its dialog besides the link.
    struct CHooks
    {
        std::function<void()> resetAlarms;
        std::function<void()> clearTerminal;
        // Parses the Classic page's listing into the record and shows it; false when the page
        // holds no whole listing.
        std::function<bool()> readListing;
        // The command's last step; wentThrough says every write went out and the listing, when
        // asked for, was read.
        std::function<void(const CParameterCommand&, bool wentThrough)> done;
    };

    // Why a sequence is stopped.
    enum class Stop
    {
        LinkClosing,   // the link closes while the dialog stays: the operator is told
        DialogClosing, // the dialog closes: the sequence ends without a word
    };

    CParameterSequence(QWidget& owner, CLink& link);
    ~CParameterSequence();
    CParameterSequence(const CParameterSequence&) = delete;
    CParameterSequence& operator=(const CParameterSequence&) = delete;

    bool IsRunning() const { return m_bRunning; }
    // Runs the command; a sequence already running ignores it.
    void Run(const CParameterCommand& command, const CHooks& hooks);
    // Takes no further step of the running sequence; nothing when none runs.
    void StopRunning(Stop why);
    // Runs the action now, or after the running sequence ended.
    void AfterSequence(std::function<void()> action);

private:
    // The steps, the message and the listing; false when the command did not go through.
    bool RunSteps(const CParameterCommand& command, const CHooks& hooks);
    void Write(const std::string& bytes);
    void Pause(int ms);
    // False, and the operator told why unless the dialog closes, once the sequence must end.
    bool GoesOn(const CParameterCommand& command);
    void Message(const char* text);

    QWidget& m_owner;
    CLink& m_link;
    bool m_bRunning = false;
    bool m_bStopped = false;
    bool m_bDialogClosing = false;
    bool m_bWriteFailed = false;
    QEventLoop* m_pPause = nullptr; // the pause under way
    std::vector<std::function<void()>> m_afterwards;
};

#include "ParameterSequence.h"

#include "Link.h"
#include "ParameterTexts.h"
#include "TerminalState.h"
#include "UserDialogs.h"

#include <QEventLoop>
#include <QTimer>

#include <utility>

CParameterSequence::CParameterSequence(QWidget& owner, CLink& link) : m_owner(owner), m_link(link)
{
}

CParameterSequence::~CParameterSequence() = default;

void CParameterSequence::Run(const CParameterCommand& command, const CHooks& hooks)
{
    if (m_bRunning)
        return;
    m_bRunning = true;
    m_bStopped = m_bDialogClosing = m_bWriteFailed = false;
    if (command.resetAlarms)
        hooks.resetAlarms();
    if (!command.refusal.empty()) {
        Message(command.refusal.c_str());
    } else {
        const bool wentThrough = RunSteps(command, hooks);
        hooks.done(command, wentThrough);
    }
    m_bRunning = false;
    std::vector<std::function<void()>> afterwards = std::exchange(m_afterwards, {});
    if (m_bDialogClosing)
        return;
    for (const std::function<void()>& action : afterwards)
        action();
}

bool CParameterSequence::RunSteps(const CParameterCommand& command, const CHooks& hooks)
{
    for (const std::string& warning : command.warnings) {
        Message(warning.c_str());
        if (!GoesOn(command))
            return false;
    }
    for (const CCommandStep& step : command.steps) {
        Write(step.bytes);
        if (!GoesOn(command))
            return false;
        Pause(step.pauseMs);
        if (!GoesOn(command))
            return false;
        if (step.clearTerminalAfter)
            hooks.clearTerminal();
    }
    if (command.takeControls)
        command.takeControls();
    if (!command.message.empty())
        Message(command.message.c_str());
    if (!command.readsListing)
        return true;
    // The listing arrived while the message was open: a link that closed meanwhile cut it.
    if (!GoesOn(command))
        return false;
    if (hooks.readListing())
        return true;
    Message(ParameterTexts::NoListing);
    return false;
}

void CParameterSequence::Write(const std::string& bytes)
{
    const int length = static_cast<int>(bytes.size());
    m_bWriteFailed = g_bConnected && m_link.WritePort(bytes.data(), length) != length;
}

void CParameterSequence::Pause(int ms)
{
    if (ms <= 0)
        return;
    // The replies keep arriving and the dialog keeps drawing while the device takes a command.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    m_pPause = &loop;
    loop.exec();
    m_pPause = nullptr;
}

bool CParameterSequence::GoesOn(const CParameterCommand& command)
{
    const bool closed = m_bStopped || !g_bConnected;
    if (!closed && !m_bWriteFailed)
        return true;
    if (!m_bDialogClosing) {
        const char* reason =
            m_bWriteFailed ? ParameterTexts::WriteFailed : ParameterTexts::LinkClosed;
        Message((std::string(command.notDone) + ": " + reason).c_str());
    }
    return false;
}

void CParameterSequence::StopRunning(Stop why)
{
    if (!m_bRunning)
        return;
    m_bStopped = true;
    m_bDialogClosing = m_bDialogClosing || why == Stop::DialogClosing;
    if (m_pPause)
        m_pPause->quit();
}

void CParameterSequence::AfterSequence(std::function<void()> action)
{
    if (m_bRunning)
        m_afterwards.push_back(std::move(action));
    else
        action();
}

void CParameterSequence::Message(const char* text)
{
    CUserDialogs::ShowMessage(&m_owner, QString::fromUtf8(text));
}

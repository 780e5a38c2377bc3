#include "MeterSession.h"

#include "TerminalState.h"

#include <QDateTime>
#include <QEventLoop>

namespace {

constexpr int kAnswerMs = 5000;
constexpr int kRetryMs = 1000;
constexpr int kQuietMs = 100;
constexpr int kDrainMs = 1000;

// The listing's line of the key is whole: it starts a line and its CR LF has arrived.
bool HasWholeLine(const std::string& text, std::string_view key)
{
    for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        if ((at == 0 || text[at - 1] == '\n') && text.find("\r\n", at) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

CMeterSession::CMeterSession(const CRecorderOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_pFamily(CMeterFamily::Make(options.family))
{
    g_bConnected = false;
    g_bSimulation = false;
    g_nLineCount = 0;
    g_nLogLines = 0;
    CLinkSettings settings;
    settings.portName = options.port;
    settings.baudRate = options.baudRate;
    m_link.SetSettings(settings);
    m_link.SetReceiver([this](std::string_view chunk) {
        m_pFamily->Dispatch(chunk, QDateTime::currentMSecsSinceEpoch(), m_listing);
        TryFinishGet();
        if (m_quiet)
            m_quiet->start();
    });
    m_link.SetLostHandler([this](const std::string&) { LoseLink("serial link lost"); });
    m_pFamily->SetReadingHandler([this](const CReading& reading) {
        if (m_bMeasuring && m_handler)
            m_handler(reading);
    });
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, &CMeterSession::RunGetStep);
    m_answerTimer.setSingleShot(true);
    m_answerTimer.setInterval(kAnswerMs);
    connect(&m_answerTimer, &QTimer::timeout, this,
            [this] { LoseLink("no parameter listing from the meter"); });
    m_retryTimer.setInterval(kRetryMs);
    connect(&m_retryTimer, &QTimer::timeout, this, &CMeterSession::TryAgain);
}

CMeterSession::~CMeterSession()
{
    m_link.ClosePort();
}

bool CMeterSession::Start(std::string& error)
{
    if (!m_link.OpenPort()) {
        const std::string failure = m_link.FailureText();
        error = failure.substr(failure.find('\n') + 1);
        return false;
    }
    StartGet();
    return true;
}

void CMeterSession::Stop()
{
    m_stepTimer.stop();
    m_answerTimer.stop();
    m_retryTimer.stop();
    if (g_bConnected) {
        for (const CWriteStep& step : m_pFamily->StopSteps())
            Write(step.bytes);
        // What the meter measured before it took the ESC is on the line still: it is taken
        // until the line is quiet.
        QEventLoop draining;
        QTimer quiet;
        quiet.setSingleShot(true);
        connect(&quiet, &QTimer::timeout, &draining, &QEventLoop::quit);
        QTimer::singleShot(kDrainMs, &draining, &QEventLoop::quit);
        m_quiet = &quiet;
        quiet.start(kQuietMs);
        draining.exec();
        m_quiet = nullptr;
    }
    m_bMeasuring = false;
    m_link.ClosePort();
}

void CMeterSession::StartGet()
{
    m_bMeasuring = false;
    m_get = m_pFamily->Get();
    m_nGetStep = 0;
    m_listing.text.clear();
    m_listing.collecting = true;
    RunGetStep();
}

void CMeterSession::RunGetStep()
{
    if (m_nGetStep > 0 && m_get.steps[m_nGetStep - 1].clearTerminalAfter) {
        m_listing.text.clear();
        g_nLineCount = 0;
    }
    if (m_nGetStep == m_get.steps.size()) {
        m_answerTimer.start();
        TryFinishGet();
        return;
    }
    const CCommandStep& step = m_get.steps[m_nGetStep++];
    Write(step.bytes);
    m_stepTimer.start(step.pauseMs);
}

void CMeterSession::TryFinishGet()
{
    if (!m_listing.collecting || !m_answerTimer.isActive() ||
        !HasWholeLine(m_listing.text, m_pFamily->LastListingKey()))
        return;
    m_answerTimer.stop();
    m_listing.collecting = false;
    m_pFamily->GetDone(m_listing.text);
    StartCommand();
}

void CMeterSession::StartCommand()
{
    m_bMeasuring = true;
    for (const CWriteStep& step : m_pFamily->CommandSteps(m_options.command))
        Write(step.bytes);
    emit Measuring();
}

void CMeterSession::Write(std::string_view bytes)
{
    m_link.WritePort(bytes.data(), static_cast<int>(bytes.size()));
}

void CMeterSession::LoseLink(const QString& reason)
{
    m_stepTimer.stop();
    m_answerTimer.stop();
    m_bMeasuring = false;
    m_listing.collecting = false;
    m_link.ClosePort();
    m_retryTimer.start();
    emit Lost(reason);
}

void CMeterSession::TryAgain()
{
    if (!m_link.OpenPort())
        return;
    m_retryTimer.stop();
    StartGet();
}

void CMeterSession::CListing::OnData()
{
    if (collecting)
        text.append(g_strReceived);
}

#include "SerialLink.h"

#include "HandOver.h"
#include "PortNames.h"
#include "PortReader.h"
#include "TerminalState.h"

#include <algorithm>

namespace {

constexpr qsizetype kChunkSize = 100;

} // namespace

CSerialLink::CSerialLink(QObject* parent) : QObject(parent)
{
    m_thread.setObjectName(QStringLiteral("reader"));
}

CSerialLink::~CSerialLink()
{
    ClosePort();
}

bool CSerialLink::event(QEvent* event)
{
    CHandOver::Take();
    return QObject::event(event);
}

template <class Call> void CSerialLink::CallReader(Call&& call, Qt::ConnectionType type)
{
    CHandOver::Post();
    {
        const CHandOver::CQtPart qt;
        QMetaObject::invokeMethod(m_pReader.get(), std::forward<Call>(call), type);
    }
    CHandOver::Take();
}

bool CSerialLink::OpenPort()
{
    if (g_bConnected)
        return false;
    m_pReader = std::make_unique<CPortReader>(PortPath(m_settings.portName));
    m_pReader->moveToThread(&m_thread);
    const unsigned opening = ++m_nOpening;
    connect(m_pReader.get(), &CPortReader::BatchRead, this,
            [this, opening](const QByteArray& bytes) { Deliver(opening, bytes); });
    connect(m_pReader.get(), &CPortReader::PortFailed, this, [this, opening] { Lost(opening); });
    m_thread.start();

    std::string reason;
    bool opened = false;
    CallReader([&] { opened = m_pReader->Open(m_settings, reason); }, Qt::BlockingQueuedConnection);
    if (!opened) {
        StopReader();
        Fail(kConnectFailedText, reason);
        return false;
    }
    // Set before the reader runs: it hands nothing over while the flag is false.
    g_bConnected = true;
    CallReader(&CPortReader::StartReading, Qt::QueuedConnection);
    emit Opened();
    return true;
}

bool CSerialLink::ConfigurePort()
{
    std::string reason = "The port is not open.";
    bool configured = false;
    if (m_pReader)
        CallReader([&] { configured = m_pReader->Configure(m_settings, reason); },
                   Qt::BlockingQueuedConnection);
    if (!configured)
        Fail(kConfigureFailedText, reason);
    return configured;
}

void CSerialLink::ClosePort()
{
    if (!m_pReader)
        return;
    g_bConnected = false;
    StopReader();
    emit Closed();
}

int CSerialLink::WritePort(const char* bytes, int length)
{
    if (!m_pReader || !g_bConnected || length <= 0)
        return 0;
    qint64 written = 0;
    CallReader([&] { written = m_pReader->Write(bytes, length); }, Qt::BlockingQueuedConnection);
    return static_cast<int>(written);
}

void CSerialLink::Deliver(unsigned opening, const QByteArray& bytes)
{
    // The receiver may close the link on any chunk; the rest of the batch is then nobody's.
    for (qsizetype at = 0; at < bytes.size() && opening == m_nOpening; at += kChunkSize) {
        const qsizetype length = std::min(kChunkSize, bytes.size() - at);
        if (m_receiver)
            m_receiver(std::string_view(bytes.constData() + at, static_cast<std::size_t>(length)));
    }
    if (opening == m_nOpening)
        CallReader(&CPortReader::BatchTaken, Qt::QueuedConnection);
}

void CSerialLink::Lost(unsigned opening)
{
    if (opening != m_nOpening)
        return;
    ClosePort();
    if (m_lostHandler)
        m_lostHandler(std::string(kConnectionLostText));
}

void CSerialLink::StopReader()
{
    ++m_nOpening;
    CallReader(&CPortReader::Close, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    CHandOver::Take();
    m_pReader.reset();
}

void CSerialLink::Fail(std::string_view headline, const std::string& reason)
{
    m_strFailure = std::string(headline) + '\n' + reason;
}

#include "PortReader.h"

#include "HandOver.h"
#include "PortFailure.h"
#include "PortNames.h"
#include "TerminalState.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <optional>
#include <poll.h>
#include <unistd.h>

namespace {

// At the device's full rate a hand-over per line would cost more than the line itself: what
// arrives is handed over in batches, at most one per kHandOverMs.
constexpr qint64 kBatchSize = 4096;
constexpr int kHandOverMs = 20;
// A write may take 50 ms per byte and 2 s more before it is given up.
constexpr qint64 kWriteMsPerByte = 50;
constexpr qint64 kWriteMs = 2000;

bool HungUp(int descriptor)
{
    pollfd line{descriptor, POLLIN, 0};
    return ::poll(&line, 1, 0) != 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL));
}

} // namespace

CPortReader::CPortReader(std::string path)
    : m_strPath(std::move(path)), m_pHome(QThread::currentThread())
{
}

bool CPortReader::event(QEvent* event)
{
    CHandOver::Take();
    const bool handled = QObject::event(event);
    CHandOver::Post();
    return handled;
}

bool CPortReader::Open(const CLinkSettings& settings, std::string& reason)
{
    m_pPort = std::make_unique<QSerialPort>(QString::fromStdString(m_strPath));
    if (!m_pPort->open(QIODevice::ReadWrite)) {
        reason = PortFailureReason(m_strPath, m_pPort->error(), m_pPort->errorString());
        m_pPort.reset();
        return false;
    }
    if (!Configure(settings, reason)) {
        m_pPort.reset();
        return false;
    }
    // Whatever arrived before the link was open is nobody's reply.
    m_pPort->clear(QSerialPort::Input);
    connect(m_pPort.get(), &QSerialPort::readyRead, this, &CPortReader::ReadStep);
    connect(m_pPort.get(), &QSerialPort::errorOccurred, this, &CPortReader::PortError);
    return true;
}

bool CPortReader::Configure(const CLinkSettings& settings, std::string& reason)
{
    if (!m_pPort || !m_pPort->isOpen()) {
        reason = "The port is not open.";
        return false;
    }
    if (!DataBitsOf(settings.dataBits)) {
        reason =
            m_strPath + ": " + std::to_string(settings.dataBits) + " data bits are not possible";
        return false;
    }
    m_pPort->clearError();
    if (!Apply(settings)) {
        reason = PortFailureReason(m_strPath, m_pPort->error(), m_pPort->errorString());
        if (m_applied)
            Apply(*m_applied);
        return false;
    }
    m_applied = settings;
    return true;
}

bool CPortReader::Apply(const CLinkSettings& settings)
{
    const auto stopBits = StopBitsOf(settings.stopBitsIndex);
    return m_pPort->setBaudRate(settings.baudRate) &&
           m_pPort->setDataBits(*DataBitsOf(settings.dataBits)) &&
           m_pPort->setParity(ParityOf(settings.parityIndex)) &&
           (!stopBits || m_pPort->setStopBits(*stopBits));
}

void CPortReader::StartReading()
{
    m_bReading = true;
    ReadStep();
}

void CPortReader::BatchTaken()
{
    m_bBatchOut = false;
    ReadStep();
}

void CPortReader::ReadStep()
{
    if (!m_bReading || m_bBatchOut || !g_bConnected || m_pPort->bytesAvailable() <= 0)
        return;
    m_bBatchOut = true;
    CHandOver::Post();
    {
        // The batch's bytes are shared with the user-interface thread's copy; whichever side
        // lets go last frees them, inside Qt's part of the hand-over.
        const CHandOver::CQtPart qt;
        emit BatchRead(m_pPort->read(kBatchSize));
    }
    // Resting here rather than in the event loop lets what arrives meanwhile gather in the
    // driver, to be read at once when the batch is taken, instead of waking this thread for
    // every line.
    QThread::msleep(kHandOverMs);
}

void CPortReader::PortError(QSerialPort::SerialPortError error)
{
    // The device went away, or reading failed on a line that hung up. A read error on a line
    // still up is a read that found nothing after a stale notice, and a failed write alone is
    // no lost connection either.
    const bool lost =
        error == QSerialPort::ResourceError ||
        (error == QSerialPort::ReadError && HungUp(static_cast<int>(m_pPort->handle())));
    if (!m_bReading || !lost)
        return;
    m_bReading = false;
    m_pPort->close();
    CHandOver::Post();
    {
        const CHandOver::CQtPart qt;
        emit PortFailed();
    }
}

qint64 CPortReader::Write(const char* bytes, qint64 length)
{
    if (!m_pPort || !m_pPort->isOpen())
        return 0;
    // Written on the port's descriptor rather than through QSerialPort: its wait for written
    // bytes reads the port as well and leaves the event loop a stale read notice, which then
    // reads nothing and reports a read error.
    const int descriptor = static_cast<int>(m_pPort->handle());
    const QDeadlineTimer deadline(kWriteMsPerByte * length + kWriteMs);
    qint64 written = 0;
    while (written < length) {
        const auto count =
            ::write(descriptor, bytes + written, static_cast<std::size_t>(length - written));
        if (count > 0) {
            written += count;
            continue;
        }
        if (count < 0 && errno != EAGAIN && errno != EINTR)
            break;
        pollfd writable{descriptor, POLLOUT, 0};
        if (deadline.hasExpired() ||
            ::poll(&writable, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            break;
    }
    return written;
}

void CPortReader::Close()
{
    m_bReading = false;
    m_pPort.reset();
    moveToThread(m_pHome);
}

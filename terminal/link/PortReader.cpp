#include "PortReader.h"

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

constexpr qint64 kChunkSize = 100;
// A write may take 50 ms per byte and 2 s more before it is given up.
constexpr qint64 kWriteMsPerByte = 50;
constexpr qint64 kWriteMs = 2000;

} // namespace

CPortReader::CPortReader(const CLinkSettings& settings)
    : m_settings(settings), m_pHome(QThread::currentThread())
{
}

std::string CPortReader::Path() const
{
    return PortPath(m_settings.portName);
}

bool CPortReader::Open(std::string& reason)
{
    m_pPort = std::make_unique<QSerialPort>(QString::fromStdString(Path()));
    if (!m_pPort->open(QIODevice::ReadWrite)) {
        reason = PortFailureReason(Path(), m_pPort->error(), m_pPort->errorString());
        m_pPort.reset();
        return false;
    }
    if (!Configure(m_settings, reason)) {
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
    const auto dataBits = DataBitsOf(settings.dataBits);
    if (!m_pPort || !dataBits) {
        reason = m_pPort ? Path() + ": " + std::to_string(settings.dataBits) +
                               " data bits are not possible"
                         : "The port is not open.";
        return false;
    }
    const auto stopBits = StopBitsOf(settings.stopBitsIndex);
    m_pPort->clearError();
    const bool configured = m_pPort->setBaudRate(settings.baudRate) &&
                            m_pPort->setDataBits(*dataBits) &&
                            m_pPort->setParity(ParityOf(settings.parityIndex)) &&
                            (!stopBits || m_pPort->setStopBits(*stopBits));
    if (!configured) {
        reason = PortFailureReason(Path(), m_pPort->error(), m_pPort->errorString());
        return false;
    }
    m_settings = settings;
    return true;
}

void CPortReader::StartReading()
{
    m_bReading = true;
    ReadStep();
}

void CPortReader::ChunkTaken()
{
    m_bChunkOut = false;
    ReadStep();
}

void CPortReader::ReadStep()
{
    if (!m_bReading || m_bChunkOut || !g_bConnected)
        return;
    char bytes[kChunkSize];
    const qint64 count = m_pPort->read(bytes, kChunkSize);
    if (count <= 0)
        return;
    m_bChunkOut = true;
    emit ChunkRead(QByteArray(bytes, static_cast<int>(count)));
}

void CPortReader::PortError(QSerialPort::SerialPortError error)
{
    // Reading failed or the device went away; a failed write alone is no lost connection.
    if (!m_bReading || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError))
        return;
    m_bReading = false;
    m_pPort->close();
    emit PortFailed();
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

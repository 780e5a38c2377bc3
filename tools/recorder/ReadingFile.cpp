#include "ReadingFile.h"

#include "ReadingText.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace {

constexpr std::size_t kBufferSize = std::size_t{64} << 10;

std::string SystemError(const std::string& path)
{
    return path + ": " + std::strerror(errno);
}

// readings.csv at 14:03:27 on 17 May 2024 becomes readings-20240517-140327.csv; a second file
// within the same second gets -2, -3, ...
std::filesystem::path RotatedName(const std::filesystem::path& path)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "-%Y%m%d-%H%M%S", &local);
    const std::string stem = path.stem().string() + stamp;
    std::filesystem::path name = path.parent_path() / (stem + path.extension().string());
    for (int n = 2; std::filesystem::exists(name); ++n)
        name = path.parent_path() / (stem + "-" + std::to_string(n) + path.extension().string());
    return name;
}

} // namespace

CReadingFile::CReadingFile(std::string path, bool zelnar, std::string separator, char decimal,
                           std::uint64_t rotateBytes)
    : m_strPath(std::move(path)), m_bZelnar(zelnar), m_strSeparator(std::move(separator)),
      m_cDecimal(decimal), m_nRotateBytes(rotateBytes)
{
}

CReadingFile::~CReadingFile()
{
    if (m_pFile)
        std::fclose(m_pFile);
}

bool CReadingFile::Open(std::string& error)
{
    m_pFile = std::fopen(m_strPath.c_str(), "ab");
    if (!m_pFile) {
        error = SystemError(m_strPath);
        return false;
    }
    std::setvbuf(m_pFile, nullptr, _IOFBF, kBufferSize);
    std::fseek(m_pFile, 0, SEEK_END);
    const long size = std::ftell(m_pFile);
    m_nBytes = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    if (m_nBytes > 0)
        return true;
    const std::string columns = m_bZelnar ? "Time;Distance;Speed;Strength;Temperature;Error;Q1;Q2;Current"
                                          : "Time;Distance;Error;Q1;Current";
    m_strRow.clear();
    for (const char c : columns) {
        if (c == ';')
            m_strRow += m_strSeparator;
        else
            m_strRow += c;
    }
    m_strRow += "\r\n";
    if (std::fwrite(m_strRow.data(), 1, m_strRow.size(), m_pFile) != m_strRow.size() ||
        std::fflush(m_pFile) != 0) {
        error = SystemError(m_strPath);
        return false;
    }
    m_nBytes = m_strRow.size();
    return true;
}

void CReadingFile::AppendNumber(const std::optional<double>& value, int decimals)
{
    m_strRow += m_strSeparator;
    if (value)
        AppendFixed(m_strRow, *value, decimals, m_cDecimal);
}

void CReadingFile::AppendFlag(const std::optional<bool>& value)
{
    m_strRow += m_strSeparator;
    if (value)
        m_strRow += *value ? '1' : '0';
}

void CReadingFile::Write(const CReading& reading)
{
    if (!m_pFile)
        return;
    m_strRow.assign(m_time.Format(reading.timeMs));
    AppendNumber(reading.distance, kDistanceDecimals);
    if (m_bZelnar) {
        AppendNumber(reading.speed, kDistanceDecimals);
        AppendNumber(reading.strength, kStrengthDecimals);
        AppendNumber(reading.temperature, kTemperatureDecimals);
    }
    m_strRow += m_strSeparator;
    m_strRow += reading.error;
    AppendFlag(reading.q1);
    if (m_bZelnar)
        AppendFlag(reading.q2);
    AppendNumber(reading.current, kCurrentDecimals);
    m_strRow += "\r\n";
    if (m_nRotateBytes > 0 && m_nBytes + m_strRow.size() > m_nRotateBytes && !Rotate(m_strError))
        return;
    if (std::fwrite(m_strRow.data(), 1, m_strRow.size(), m_pFile) != m_strRow.size())
        m_strError = SystemError(m_strPath);
    m_nBytes += m_strRow.size();
}

bool CReadingFile::Rotate(std::string& error)
{
    const std::string row = std::move(m_strRow);
    if (std::fclose(m_pFile) != 0)
        error = SystemError(m_strPath);
    m_pFile = nullptr;
    std::error_code failure;
    std::filesystem::rename(m_strPath, RotatedName(m_strPath), failure);
    if (failure && error.empty())
        error = m_strPath + ": " + failure.message();
    const bool opened = Open(error);
    // A file that could not be renamed goes on growing, by the limit at a time.
    if (failure)
        m_nBytes = 0;
    m_strRow = row;
    return opened;
}

bool CReadingFile::Flush(std::string& error)
{
    // A file that could not be opened again after its rotation is tried again now.
    if (!m_pFile && !Open(error))
        return false;
    if (std::fflush(m_pFile) != 0) {
        error = SystemError(m_strPath);
        std::clearerr(m_pFile);
        return false;
    }
    if (!m_strError.empty()) {
        error = std::exchange(m_strError, {});
        return false;
    }
    return true;
}

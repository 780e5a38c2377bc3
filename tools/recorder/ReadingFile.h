#pragma once

#include "IsoTime.h"
#include "Reading.h"

#include <cstdint>
#include <cstdio>
#include <string>

// The CSV file of a recorder: a header, then one row per reading with its time (ISO 8601 with
// milliseconds) and the decoded values, in the separators a spreadsheet of the operator's
// language reads. An existing file is appended to. At its size limit the file is renamed with
// the time of the change (readings.csv becomes readings-20240517-140327.csv) and a new one
// begins.
class CReadingFile
{
public:
    // zelnar: the Zelnar columns (Time, Distance, Speed, Strength, Temperature, Error, Q1, Q2,
    // Current), otherwise the Quorin ones (Time, Distance, Error, Q1, Current). rotateBytes 0:
    // one file for ever.
    CReadingFile(std::string path, bool zelnar, std::string separator, char decimal,
                 std::uint64_t rotateBytes);
    ~CReadingFile();
    CReadingFile(const CReadingFile&) = delete;
    CReadingFile& operator=(const CReadingFile&) = delete;

    bool Open(std::string& error);
    // Rows wait in a buffer until Flush, at the latest.
    void Write(const CReading& reading);
    // Hands what waits to the system; false with the reason when that fails (a full disk).
    bool Flush(std::string& error);

private:
    bool Rotate(std::string& error);
    void AppendNumber(const std::optional<double>& value, int decimals);
    void AppendFlag(const std::optional<bool>& value);

    const std::string m_strPath;
    const bool m_bZelnar;
    const std::string m_strSeparator;
    const char m_cDecimal;
    const std::uint64_t m_nRotateBytes;
    std::FILE* m_pFile = nullptr;
    std::uint64_t m_nBytes = 0;
    std::string m_strRow;
    std::string m_strError; // a failed write, told by the next Flush
    CIsoTime m_time;
};

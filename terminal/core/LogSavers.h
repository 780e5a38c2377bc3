#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class CLineList;

// What the save-file dialog of a log file proposes.
struct CSaveFileDialog
{
    std::string_view extension;
    std::string_view name;
    std::string_view filter;
};

inline constexpr std::string_view kCanNotSaveFile = "Can not save file!";

enum class LogFileKind
{
    Text,    // every entry as it is listed
    ExcelZL, // Zelnar measurement columns, separated by ";" with decimal commas
    ExcelQR, // Quorin distance column, separated by ";" with decimal commas
};

// Writes the entries from first up to, not including, last (both limited to the list) as a
// file of the kind. The file is written beside the target and then renamed over it, so a
// failed save leaves an existing file as it was. Returns the message to show: empty on success,
// kCanNotSaveFile on failure.
std::string_view SaveLog(const std::string& path, LogFileKind kind, const CLineList& entries,
                         std::size_t first, std::size_t last);

// The Excel row of one log entry, with the point number n advanced for it; false and n
// unchanged when the entry makes no row.
bool ExcelRowZL(std::string_view entry, int& n, std::string& row);
bool ExcelRowQR(std::string_view entry, int& n, std::string& row);

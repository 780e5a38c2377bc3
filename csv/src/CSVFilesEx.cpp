#include "CSVFile.h"

#include "Strings.h"

namespace {

// A line of an all-columns file in the merged convention: fields separated by ";", decimal
// comma. Field by field, so that a "," separator and a "." decimal point cannot be confused,
// and the date and time fields keep their points.
std::string MergedLineText(const std::string& text, const CCSVFile& file)
{
    std::string merged;
    int position = 0;
    for (int index = 0; position < static_cast<int>(text.size()); ++index) {
        std::string field = GetNextCSV(text, file.m_strSeparator.c_str(), position);
        if (index != file.m_nDateColumn && index != file.m_nTimeColumn)
            ReplaceAll(field, file.m_strDecimal, ",");
        merged += (index ? ";" : "") + field;
    }
    return merged;
}

} // namespace

int CCSVFilesEx::CSVCompile(int master, int withFunctionNames, std::ostream& out, std::ostream& err,
                            CProgressWindowBase* progress)
{
    const CCSVFile* settings = master >= 0 && master < GetSize() ? GetAt(master)
                               : IsEmpty()                       ? nullptr
                                                                 : GetAt(0);
    err << "Parameters:\n";
    for (const auto& file : *this)
        err << " \"" << file->GetParams() << "\"";
    err << FormatString(" -MASTER=%d", master + 1);
    if (settings)
        err << " -FS=\"" << settings->m_strSeparator << "\" -DP=\"" << settings->m_strDecimal
            << "\"";
    err << "\n";

    out << "Date;Time";
    for (const auto& file : *this)
        out << file->GetHeader(1, withFunctionNames);
    out << "\n";

    if (master < 0) {
        err << "Error: Not implemented yet!\n";
        return 0;
    }
    if (master >= GetSize()) {
        err << "Error: there is no master file " << master + 1 << "!\n";
        return 0;
    }
    for (const auto& file : *this) {
        if (!file->StartData()) {
            err << "Error: " << file->m_strName << " cannot be read again from its start\n";
            return 0;
        }
    }

    CConsoleProgress console;
    CProgressWindowBase& shown = progress ? *progress : console;
    CCSVFile& masterFile = *GetAt(master);
    shown.SetTitle("Processing master file...");
    shown.SetRange(0, masterFile.GetLength());

    // Master lines without a valid time bound no range.
    std::int64_t previous = 0;
    while (previous == 0 && masterFile.CSVGetNextTime(previous)) {
    }
    std::int64_t time = 0;
    CCSVRange range;
    std::string value;
    while (masterFile.CSVGetNextTime(time)) {
        if (time == 0)
            continue;
        range.SetTimeRange(previous, time - 1);
        shown.SetPos(masterFile.GetPosition());
        if (shown.IsCancelled())
            break;
        out << ExportDate(time) << ";" << ExportTime(time);
        for (const auto& file : *this) {
            if (file->m_bAllColumns) {
                if (file->CSVGetField(-1, &range, value, 0))
                    out << ";" << MergedLineText(value, *file);
                else
                    out << std::string(static_cast<std::size_t>(file->m_Format.GetSize()), ';');
                continue;
            }
            for (int i = 0; i < file->m_Functions.GetSize(); ++i) {
                file->CSVGetField(i, &range, value, i > 0);
                out << ";" << value;
            }
        }
        out << "\n";
        previous = time;
    }
    return 1;
}

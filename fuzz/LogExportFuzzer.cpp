// Received text cut into Log entries by either family's Log page, then saved as the text file
// and the spreadsheet file of the marked entries and read back. Byte 1 chooses the family and
// the time prefix, byte 2 the chunk length; the rest is what arrived.

#include "FuzzFile.h"
#include "FuzzInput.h"
#include "FuzzPages.h"
#include "LineBatch.h"
#include "LogBookQR.h"
#include "LogBookZL.h"
#include "TerminalState.h"

#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr std::size_t kLongestChunk = 100;

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t RowCount(std::string_view text)
{
    std::size_t rows = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2))
        ++rows;
    return rows;
}

void Export(CFuzzInput& input, std::size_t chunkLength, CLogBook& log, std::string_view header)
{
    static const CFuzzFile textFile(".txt");
    static const CFuzzFile excelFile(".csv");
    log.StartLog();
    while (!input.Empty()) {
        g_strReceived.assign(input.Take(chunkLength));
        log.OnData();
        g_arrDisplayLines.Clear();
    }
    log.StopLog();

    FUZZ_CHECK(log.SaveText(textFile.Path()).empty());
    std::string listed;
    for (std::size_t i = 0; i < log.Entries().size(); ++i)
        listed.append(log.Entries()[i]).append("\r\n");
    FUZZ_CHECK(Contents(textFile.Path()) == listed);

    log.StopLog();
    FUZZ_CHECK(log.SaveExcel(excelFile.Path()).empty());
    const std::string excel = Contents(excelFile.Path());
    FUZZ_CHECK(excel.compare(0, header.size(), header) == 0);
    // The header and at most one row per entry.
    FUZZ_CHECK(RowCount(excel) <= 1 + log.Entries().size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const std::uint8_t settings = input.Byte();
    const std::size_t chunkLength = input.Byte() % kLongestChunk + 1;
    g_nLogLines = 0;
    g_bEchoTypedLine = false;
    ZelnarParameters.SDx = 0;
    if (settings & 1) {
        CLogBookQR log(FixedLogTime);
        log.SetTime(settings & 2);
        Export(input, chunkLength, log, "Point Number;Time;Distance\r\n");
    } else {
        CLogBookZL log(FixedLogTime);
        log.SetTime(settings & 2);
        Export(input, chunkLength, log,
               "Point number;Time;Speed;Distance;Strength;Temperature\r\n");
    }
    return 0;
}

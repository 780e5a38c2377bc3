// Bytes from a device, in the chunks the reader hands over, through the reply assembly of
// either family and the pages' work behind it: Log cutting, Classic line counting, decoding
// with alarms and current, graph points. Byte 1 chooses the family and its settings, byte 2
// the chunk length; the rest is what the device sent.

#include "BenchPages.h"
#include "FuzzInput.h"
#include "FuzzPages.h"
#include "LogBookQR.h"
#include "LogBookZL.h"
#include "ReplyAssembly.h"
#include "ReplyTestSupport.h"

namespace {

constexpr std::size_t kLongestChunk = 100;

// Settings bits: 1-2 SDx (3 is no format the device knows), 3-4 SDy, 5-6 SE, 7 Log time.
void SetUpZelnar(std::uint8_t settings)
{
    CZelnarParameters& p = ZelnarParameters;
    p.SDx = settings >> 1 & 3;
    p.SDy = settings >> 3 & 3;
    p.SE = settings >> 5 & 3;
    p.SF = 1.0;
    p.QAx = 0.0;
    p.QAy = 25.0;
    p.Q1w = 10.0;
    p.Q1x = 5.0;
    p.Q1y = 0.5;
    p.Q1z = 1;
    p.Q2w = 20.0;
    p.Q2x = 3.0;
    p.Q2y = 0.2;
    p.Q2z = 0;
    ResetGraphSettingsZL();
    g_nPointsNumber = 16;
    CreateGraphTablesZL();
}

// Settings bits: 1-2 output format ("d", "h", none, "x"), 3 temperature request, 4 alarm on
// outside, 5-6 SE, 7 Log time.
void SetUpQuorin(std::uint8_t settings)
{
    static constexpr const char* kFormats[] = {"d", "h", "", "x"};
    g_strQuorinFormat = kFormats[settings >> 1 & 3];
    g_bTempRequest = (settings & 8) != 0;
    CQuorinParameters& p = QuorinParameters;
    p.SE = settings >> 5 & 3;
    p.SF = 1.0;
    p.RB = 0.0;
    p.RE = 20.0;
    p.AC = 5.0;
    p.AW = 10.0;
    p.AH = settings & 16 ? -0.5 : 0.5;
    ResetGraphSettingsQR();
    g_nPointsNumberQR = 16;
    CreateGraphTableQR();
}

template <class Dispatch>
void Feed(CFuzzInput& input, std::size_t chunkLength, const CLogBook& log, Dispatch&& dispatch)
{
    while (!input.Empty()) {
        dispatch(input.Take(chunkLength));
        FUZZ_CHECK(log.Cutter().Tail().size() < CLogCutter::kLongestTail);
        FUZZ_CHECK(static_cast<std::size_t>(g_nLogLines) == log.Entries().size());
        FUZZ_CHECK(g_arrDisplayLines.empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const std::uint8_t settings = input.Byte();
    const std::size_t chunkLength = input.Byte() % kLongestChunk + 1;
    ResetReplyState();
    g_DisplayZL = CZelnarDisplay{};
    g_DisplayQR = CQuorinDisplay{};
    if (settings & 1) {
        SetUpQuorin(settings);
        CLogBookQR log(FixedLogTime);
        log.SetTime(settings & 128);
        CBenchNoPage classic;
        CFuzzDisplayQR display;
        Feed(input, chunkLength, log, [&](std::string_view chunk) {
            DispatchQuorinReply(chunk, {log, classic, display});
        });
        return 0;
    }
    SetUpZelnar(settings);
    CLogBookZL log(FixedLogTime);
    log.SetTime(settings & 128);
    CFuzzClassicZL classic;
    CBenchDisplayPage display;
    const CRecordLengths lengths = BinaryRecordLengths(ZelnarParameters.SDy);
    Feed(input, chunkLength, log, [&](std::string_view chunk) {
        DispatchZelnarReply(chunk, {log, classic, display});
        // Bits without a record to close them are dropped before they grow past a record.
        FUZZ_CHECK(g_strBinaryPending.size() <= lengths.longer);
    });
    return 0;
}

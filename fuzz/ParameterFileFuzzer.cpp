// The text of a parameter file of either family, loaded as the Load button does. Byte 1
// chooses the family; the rest is the file. A file that loads must save to a file that loads
// the same controls again; a file that is refused changes nothing.

#include "FuzzInput.h"
#include "QuorinParameterFile.h"
#include "TerminalState.h"
#include "ZelnarParameterFile.h"

#include <string>

namespace {

constexpr int kUnchangedBaudRate = 4711;

void LoadZelnar(const std::string& text)
{
    CZelnarParameters record;
    record.BR = kUnchangedBaudRate;
    const std::optional<CZelnarParameterControls> controls = LoadZelnarParameters(text, record);
    if (!controls) {
        FUZZ_CHECK(record.BR == kUnchangedBaudRate);
        return;
    }
    const std::string saved = SaveZelnarParameters(*controls, record);
    FUZZ_CHECK(LoadZelnarParameters(saved, record) == controls);
}

void LoadQuorin(const std::string& text)
{
    const std::optional<CQuorinParameterControls> controls = LoadQuorinParameters(text);
    if (!controls)
        return;
    CQuorinParameters record;
    const std::string saved = SaveQuorinParameters(*controls, record);
    FUZZ_CHECK(LoadQuorinParameters(saved) == controls);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const bool quorin = input.Byte() & 1;
    const std::string text(input.Rest());
    g_bSimulation = false;
    if (quorin)
        LoadQuorin(text);
    else
        LoadZelnar(text);
    return 0;
}

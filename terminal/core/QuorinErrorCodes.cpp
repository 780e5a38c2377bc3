#include "QuorinErrorCodes.h"

#include "FieldText.h"

int CQuorinErrorCounts::Count(std::string_view line)
{
    const std::string_view digits = Mid(line, 1, 2);
    for (std::size_t i = 0; i < QuorinErrorCodes.size(); ++i) {
        if (digits == QuorinErrorCodes[i].strCode.substr(1)) {
            ++m_Counts[i];
            return static_cast<int>(i);
        }
    }
    return -1;
}

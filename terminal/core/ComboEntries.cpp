#include "ComboEntries.h"

#include <strings.h>

int FindComboEntry(ComboEntries entries, const std::string& text)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (strcasecmp(entries[i], text.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

std::string ComboEntryText(ComboEntries entries, int index)
{
    return ComboSelection(entries, index) < 0 ? std::string{}
                                              : entries[static_cast<std::size_t>(index)];
}

int ComboSelection(ComboEntries entries, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < entries.size() ? index : -1;
}

bool IsComboSelection(ComboEntries entries, int index)
{
    return index == -1 || ComboSelection(entries, index) == index;
}

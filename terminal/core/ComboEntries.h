#pragma once

#include <span>
#include <string>

// A parameter combo box as the core sees it: its fixed entries and a selection index, -1 for
// no selection (what a combo box reports when nothing is selected).
using ComboEntries = std::span<const char* const>;

// The index of the entry equal to text regardless of case, or -1.
int FindComboEntry(ComboEntries entries, const std::string& text);
// The text of the entry at index, empty when index selects none.
std::string ComboEntryText(ComboEntries entries, int index);
// index when it selects an entry, else -1.
int ComboSelection(ComboEntries entries, int index);
// Whether index selects an entry or is -1 (no selection).
bool IsComboSelection(ComboEntries entries, int index);

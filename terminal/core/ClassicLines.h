#pragma once

#include <string>

// What a Classic page does with one notification, in this order: empty its text,
// remove the selection and scroll the caret into view, insert at the caret, empty its text.
struct CClassicUpdate
{
    bool clearBefore = false;
    bool scroll = false;
    std::string insert; // nothing when empty
    bool clearAfter = false;

    bool operator==(const CClassicUpdate&) const = default;
};

// The page holds at most 40 lines: past line 39 it starts empty again. In the text formats the
// reply assembly counts the lines (g_nLineCount) and the chunk that arrives while the count is
// 0 is not shown; in binary format (SDx 2) each record in g_strBinaryRecord is a line of its
// own, counted here.
CClassicUpdate ZelnarClassicData(int SDx);

// Enter on the Zelnar Classic page: the typed line counts as a line, up to line 39.
void ZelnarClassicEnter();

// The Quorin page scrolls to the caret and inserts every chunk, except a lone line feed on an
// emptied page; once 41 lines have arrived it starts empty again after showing the chunk.
CClassicUpdate QuorinClassicData();

// Enter on the Quorin Classic page: the typed line counts as a line.
void QuorinClassicEnter();

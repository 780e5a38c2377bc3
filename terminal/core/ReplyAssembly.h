#pragma once

#include "ReplyPage.h"

#include <cstddef>
#include <string_view>

// The display format SDx in which the Zelnar device sends binary records instead of text.
inline constexpr int kBinaryOutput = 2;

// The reply assembly of one read step (ReadAndDispatch, second half); nothing happens for no
// bytes. Both families put the chunk into g_strReceived and count its carriage returns in
// g_nLineCount. Each complete line the Log page hands over in g_arrDisplayLines reaches the
// Display page in its own notification, in g_strMeasLine or g_strQuorinLine; a chunk without
// such a line notifies the Display page once.

// Zelnar text formats notify Log, Classic, Display. In binary format (SDx 2) the bits go to
// g_strBinaryPending, and each framed record is delivered in g_strBinaryRecord to Display, Log,
// Classic.
void DispatchZelnarReply(std::string_view bytes, const CReplyPages& pages);

// Quorin notifies Classic, Log, Display.
void DispatchQuorinReply(std::string_view bytes, const CReplyPages& pages);

// The two lengths in bits a binary record with one start may have for the output selection SDy.
struct CRecordLengths
{
    std::size_t shorter = 0; // without speed
    std::size_t longer = 0;  // with speed
};
CRecordLengths BinaryRecordLengths(int SDy);

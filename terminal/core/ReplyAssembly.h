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
// Classic. A record runs from its start byte to the next one; the bits after the last start wait
// for the next chunk, and are delivered without a following start only when they can no longer
// grow: at the length of a record with speed, or at the length without speed once the stream is
// known to carry no speed.
void DispatchZelnarReply(std::string_view bytes, const CReplyPages& pages);

// What is known of the binary records the device sends now: whether they carry a speed.
enum class BinaryStream
{
    Unknown,
    WithoutSpeed, // DT, DM, DF
    WithSpeed,    // VT, VM
};
extern BinaryStream g_BinaryStream;

// Every command written to the device begins a new stream: a measurement command tells what its
// records carry, any other leaves it to the records themselves.
void BeginBinaryStream(std::string_view command);

// Quorin notifies Classic, Log, Display. A temperature request (g_bTempRequest) goes with the
// last line of the first chunk that completes a line.
void DispatchQuorinReply(std::string_view bytes, const CReplyPages& pages);

// The two lengths in bits a binary record with one start may have for the output selection SDy.
struct CRecordLengths
{
    std::size_t shorter = 0; // without speed
    std::size_t longer = 0;  // with speed
};
CRecordLengths BinaryRecordLengths(int SDy);

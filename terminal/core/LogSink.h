#pragma once

#include <cstdint>
#include <string_view>

// Where a Log page's entries go besides its list, such as a journal on disk. Called on the
// thread that lists them, with each entry as it is listed; the views are valid during the call
// only.
class CLogSink
{
public:
    // The entry is head followed by tail (the time prefix and the line); timeMs is the time it
    // was listed, in milliseconds since 1970-01-01 00:00:00 UTC.
    virtual void Entry(std::int64_t timeMs, std::string_view head, std::string_view tail) = 0;
    // The list was emptied.
    virtual void Cleared() = 0;

protected:
    ~CLogSink() = default;
};

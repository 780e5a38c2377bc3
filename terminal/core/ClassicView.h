#pragma once

#include "ClassicLines.h"

// What a Classic page has yet to show: the updates of the chunks since it last showed them,
// folded into one. A text view lays out every insertion anew, so at the device's full rate the
// page shows the fold on its dialog's timer instead of once per chunk. Each chunk's line ends
// become line feeds as it is taken, so the fold shows what the chunks one by one would have.
class CClassicView
{
public:
    void Take(const CClassicUpdate& update);
    // Empty the text first (clearBefore), then scroll, then insert; clearAfter stays false.
    const CClassicUpdate& Pending() const { return m_pending; }
    bool HasPending() const
    {
        return m_pending.clearBefore || m_pending.scroll || !m_pending.insert.empty();
    }
    void Shown();

private:
    void Clear();

    CClassicUpdate m_pending;
};

#pragma once

#include "ClassicLines.h"

// What a Classic page has yet to show: the updates of the chunks since it last showed them,
// folded into one. A text view lays out every insertion anew, so at the device's full rate the
// page shows the fold on its dialog's timer instead of once per chunk. Line ends become line
// feeds as the chunks are taken: CR LF, or a CR alone, is one line break. A CR that ends a
// chunk waits for the next one, whose LF may belong to it.
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
    // A CR waits at the end of what was taken: the text ends a line that the page does not show
    // yet.
    bool HoldsLineEnd() const { return m_bHeldCr; }
    // The page's text was emptied: nothing waits.
    void Reset();

private:
    void Clear();

    CClassicUpdate m_pending;
    bool m_bHeldCr = false;
};

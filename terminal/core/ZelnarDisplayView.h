#pragma once

#include "ZelnarDisplay.h"

// What the Zelnar Display page has yet to show: the results of the lines decoded since it last
// showed them, folded into one. Lines arrive far faster than anyone can read them; the page
// shows the fold on its timer instead of repainting for every line.
class CZelnarDisplayView
{
public:
    // The latest value of each control wins; a flag stays set until Shown.
    void Take(const CZelnarDisplayResult& result);
    // Flags say which controls changed since the last Shown.
    const CZelnarDisplayResult& Pending() const { return m_pending; }
    void Shown();

private:
    CZelnarDisplayResult m_pending;
};

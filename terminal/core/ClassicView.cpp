#include "ClassicView.h"

void CClassicView::Take(const CClassicUpdate& update)
{
    if (update.clearBefore)
        Clear();
    m_pending.scroll = m_pending.scroll || update.scroll;
    // The device ends its lines with CR LF; a text view knows one line break.
    const std::string& text = update.insert;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        m_pending.insert += text[i] == '\r' ? '\n' : text[i];
    }
    if (update.clearAfter)
        Clear();
}

void CClassicView::Shown()
{
    m_pending.clearBefore = false;
    m_pending.scroll = false;
    m_pending.insert.clear();
}

void CClassicView::Clear()
{
    m_pending.clearBefore = true;
    m_pending.scroll = false;
    m_pending.insert.clear();
}

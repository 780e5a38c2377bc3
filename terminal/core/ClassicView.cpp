#include "ClassicView.h"

void CClassicView::Take(const CClassicUpdate& update)
{
    if (update.clearBefore)
        Clear();
    m_pending.scroll = m_pending.scroll || update.scroll;
    // The device ends its lines with CR LF; a text view knows one line break.
    const std::string& text = update.insert;
    std::size_t i = 0;
    if (m_bHeldCr && !text.empty()) {
        m_bHeldCr = false;
        m_pending.insert += '\n';
        if (text.front() == '\n')
            i = 1;
    }
    for (; i < text.size(); ++i) {
        if (text[i] != '\r') {
            m_pending.insert += text[i];
        } else if (i + 1 == text.size()) {
            m_bHeldCr = true;
        } else {
            if (text[i + 1] == '\n')
                ++i;
            m_pending.insert += '\n';
        }
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

void CClassicView::Reset()
{
    Shown();
    m_bHeldCr = false;
}

void CClassicView::Clear()
{
    m_pending.clearBefore = true;
    m_pending.scroll = false;
    m_pending.insert.clear();
    m_bHeldCr = false;
}

#pragma once

#include <utility>

// A value a control shows: the latest one the decoded lines want and the one the control
// holds. Pages take every line into their values and put them on the controls on a timer, so
// showing once after many lines shows the last line's value, and a control whose value did not
// change is not touched at all.
template <class T> class CShownValue
{
public:
    explicit CShownValue(T initial = T{}) : m_Wanted(initial), m_Shown(std::move(initial)) {}

    // Assigning into the kept value reuses its buffer: taking a line allocates nothing.
    template <class U> void Set(const U& value) { m_Wanted = value; }
    // Takes value only when the line sets the control; other lines leave what it wants.
    template <class U> void SetIf(bool set, const U& value)
    {
        if (set)
            m_Wanted = value;
    }
    const T& Get() const { return m_Wanted; }
    bool IsChanged() const { return !(m_Wanted == m_Shown); }

    // Hands the wanted value to show when the control does not hold it yet.
    template <class Show> void ShowChange(Show&& show)
    {
        if (!IsChanged())
            return;
        show(m_Wanted);
        m_Shown = m_Wanted;
    }

    // The control was given value directly (a button wrote it): nothing is left to show.
    template <class U> void SetShown(const U& value)
    {
        m_Wanted = value;
        m_Shown = m_Wanted;
    }

private:
    T m_Wanted;
    T m_Shown;
};

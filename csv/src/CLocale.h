#pragma once

#include <clocale>
#include <locale.h>

// The "C" locale, for the *_l functions of the C library.
inline locale_t CLocaleHandle()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}

// Makes the C library's number formatting of this thread use the "C" locale while it lives,
// so that files get "." as the decimal point whatever locale the program runs in.
class CLocaleC
{
public:
    CLocaleC() : m_Previous(uselocale(CLocaleHandle())) {}
    ~CLocaleC() { uselocale(m_Previous); }
    CLocaleC(const CLocaleC&) = delete;
    CLocaleC& operator=(const CLocaleC&) = delete;

private:
    locale_t m_Previous;
};

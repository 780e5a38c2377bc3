#include "HandOver.h"

#if defined(__SANITIZE_THREAD__)
#define TELVAN_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TELVAN_THREAD_SANITIZER 1
#endif
#endif

#ifdef TELVAN_THREAD_SANITIZER

#include <sanitizer/tsan_interface.h>

extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();

namespace {

// One order for all of the link's hand-overs, as there is one event queue per thread.
char g_HandOverOrder;

} // namespace

void CHandOver::Post()
{
    __tsan_release(&g_HandOverOrder);
}

void CHandOver::Take()
{
    __tsan_acquire(&g_HandOverOrder);
}

CHandOver::CQtPart::CQtPart()
{
    __tsan_ignore_thread_begin();
}

CHandOver::CQtPart::~CQtPart()
{
    __tsan_ignore_thread_end();
}

#else

void CHandOver::Post() {}
void CHandOver::Take() {}
CHandOver::CQtPart::CQtPart() = default;
CHandOver::CQtPart::~CQtPart() = default;

#endif

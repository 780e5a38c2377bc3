#include "Tell.h"

#include <cstdio>

void Tell(const std::string& text)
{
    std::fprintf(stderr, "telvan-recorder: %s\n", text.c_str());
    std::fflush(stderr);
}

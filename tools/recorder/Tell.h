#pragma once

#include <string>

// One line on standard error, "telvan-recorder: " and the text, written at once: a service's
// journal keeps it with its time.
void Tell(const std::string& text);

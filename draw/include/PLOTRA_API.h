#pragma once

// Marks what the drawing library exports; everything else stays hidden inside the shared library.
#define PLOTRA_API __attribute__((visibility("default")))

#pragma once

// Marks what the CSV library exports; everything else stays hidden inside the shared library.
#define CSV_API __attribute__((visibility("default")))

#pragma once

#include <QFont>

// A font of the face whose lines are at most height pixels high, ascent and descent together,
// as a Windows font of that (cell) height.
QFont CellHeightFont(const char* face, long height, int weight = QFont::Normal, bool italic = false,
                     bool underline = false);

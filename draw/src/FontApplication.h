#pragma once

// Fonts need a graphical application. A console program that draws pictures has none of its
// own: on its first text the library makes one without a display (Qt's offscreen platform),
// kept to the end of the program. Where none can be made (a console application of another
// kind exists, or the text is drawn on another thread than the program's first), this warns
// once (qWarning) and returns false.
bool EnsureFontApplication();

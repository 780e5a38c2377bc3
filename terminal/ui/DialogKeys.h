#pragma once

#include <QKeyEvent>

// The keys a dialog would take for closing it (Escape) or for its default button (Enter);
// the terminal's dialogs and pages handle them themselves.
inline bool IsDialogKey(const QKeyEvent& event)
{
    const int key = event.key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

#pragma once

#include <QKeyEvent>

// The keys a dialog would take for closing it (Escape) or for its default button (Enter);
// the terminal's dialogs and pages handle them themselves.
inline bool IsDialogKey(const QKeyEvent& event)
{
    const int key = event.key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Takes such a key away from the default handling, so that it does nothing; false for any
// other key.
inline bool ConsumeDialogKey(QKeyEvent& event)
{
    if (!IsDialogKey(event))
        return false;
    event.accept();
    return true;
}

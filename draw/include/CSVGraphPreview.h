#pragma once

#include "PLOTRA_API.h"

#include <memory>

class CCSVGraphPreviewDlg;
class CCSVTable2Graph;

// A graph shown in a window of its own beside the program's windows, on the user-interface
// thread. A preview opened as not closable can be closed by the user only once WaitForClose
// has made it closable.
class PLOTRA_API CCSVGraphPreview
{
public:
    explicit CCSVGraphPreview(int unused = 0);
    ~CCSVGraphPreview();
    CCSVGraphPreview(const CCSVGraphPreview&) = delete;
    CCSVGraphPreview& operator=(const CCSVGraphPreview&) = delete;

    // 1 when the window opened; 0 when a preview is already open or there is no application
    // for windows.
    int Open(CCSVTable2Graph* graph, int closable);
    // Repaints the graph at once; 0 when no preview is open.
    int Update();
    void SetGraph(CCSVTable2Graph* graph);
    // Makes the window closable and waits, handling events, until it is closed; the value the
    // window ended with (0 when it was closed by Close or never opened).
    int WaitForClose();
    // Closes the window at once.
    void Close();

    bool IsOpen() const { return m_pDlg != nullptr; }
    int GetResult() const { return m_nResult; }
    // The user asked to close the window since it was opened.
    bool IsClosedByUser() const { return m_bClosedByUser; }
    CCSVGraphPreviewDlg* GetDialog() const { return m_pDlg.get(); }

private:
    void Forget();

    std::unique_ptr<CCSVGraphPreviewDlg> m_pDlg;
    int m_nResult = 0;
    bool m_bClosedByUser = false;
};

#pragma once

#include "PLOTRA_API.h"

#include <QDialog>

class CCSVGraph2Static;
class CCSVTable2Graph;

// The window of a graph preview, titled "Image", sized to the graph. Closing it by the close
// box, Esc or Enter works only while it is closable; a click on the graph always closes it.
class PLOTRA_API CCSVGraphPreviewDlg : public QDialog
{
    Q_OBJECT

public:
    // The values the window ends with.
    static constexpr int ResultOK = 1;
    static constexpr int ResultCancel = 2;

    explicit CCSVGraphPreviewDlg(QWidget* parent = nullptr);

    // Shows the graph and fits the window to the graph's size.
    void SetGraph(CCSVTable2Graph* graph);
    void SetClosable(bool closable) { m_bClosable = closable; }
    bool IsClosable() const { return m_bClosable; }
    CCSVGraph2Static* GetGraphStatic() const { return m_pGraph; }

    void OnOK();
    void OnCancel();
    void OnGraph();

signals:
    // The user asked to close the window, closable or not.
    void CancelledByUser();

protected:
    void accept() override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_bClosable = false;
    CCSVGraph2Static* m_pGraph; // a child of the window
};

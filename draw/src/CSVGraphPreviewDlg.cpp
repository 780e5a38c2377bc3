#include "CSVGraphPreviewDlg.h"

#include "CSVGraph2Static.h"
#include "CSVTable2Graph.h"

#include <QKeyEvent>
#include <QMouseEvent>

CCSVGraphPreviewDlg::CCSVGraphPreviewDlg(QWidget* parent)
    : QDialog(parent), m_pGraph(new CCSVGraph2Static(this))
{
    setWindowTitle("Image");
    m_pGraph->setProperty("controlId", 1000);
    m_pGraph->setGeometry(0, 0, 0, 0);
    m_pGraph->installEventFilter(this);
}

void CCSVGraphPreviewDlg::SetGraph(CCSVTable2Graph* graph)
{
    m_pGraph->SetGraph(graph);
    if (!graph)
        return;
    m_pGraph->setGeometry(0, 0, graph->m_nWidth, graph->m_nHeight);
    m_pGraph->update();
    setFixedSize(graph->m_nWidth, graph->m_nHeight);
}

void CCSVGraphPreviewDlg::OnOK()
{
    if (m_bClosable)
        done(ResultOK);
}

void CCSVGraphPreviewDlg::OnCancel()
{
    emit CancelledByUser();
    if (m_bClosable)
        done(ResultCancel);
}

void CCSVGraphPreviewDlg::OnGraph()
{
    done(ResultOK);
}

void CCSVGraphPreviewDlg::accept()
{
    OnOK();
}

// The close box and Esc come here.
void CCSVGraphPreviewDlg::reject()
{
    OnCancel();
}

void CCSVGraphPreviewDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CCSVGraphPreviewDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pGraph && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OnGraph();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

#include "CSVGraphPreview.h"

#include "CSVGraph2Static.h"
#include "CSVGraphPreviewDlg.h"

#include <QApplication>
#include <QEventLoop>

CCSVGraphPreview::CCSVGraphPreview(int) {}

CCSVGraphPreview::~CCSVGraphPreview()
{
    Close();
}

int CCSVGraphPreview::Open(CCSVTable2Graph* graph, int closable)
{
    if (m_pDlg || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    m_bClosedByUser = false;
    m_nResult = 0;
    m_pDlg = std::make_unique<CCSVGraphPreviewDlg>();
    CCSVGraphPreviewDlg* dlg = m_pDlg.get();
    dlg->SetClosable(closable != 0);
    dlg->SetGraph(graph);
    QObject::connect(dlg, &CCSVGraphPreviewDlg::CancelledByUser, dlg,
                     [this] { m_bClosedByUser = true; });
    QObject::connect(dlg, &QDialog::finished, dlg, [this](int result) {
        m_nResult = result;
        Forget();
    });
    dlg->show();
    return 1;
}

int CCSVGraphPreview::Update()
{
    if (!m_pDlg)
        return 0;
    m_pDlg->GetGraphStatic()->repaint();
    return 1;
}

void CCSVGraphPreview::SetGraph(CCSVTable2Graph* graph)
{
    if (m_pDlg)
        m_pDlg->SetGraph(graph);
}

int CCSVGraphPreview::WaitForClose()
{
    if (m_pDlg) {
        m_pDlg->SetClosable(true);
        QEventLoop loop;
        QObject::connect(m_pDlg.get(), &QDialog::finished, &loop, &QEventLoop::quit);
        QObject::connect(m_pDlg.get(), &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_nResult;
}

void CCSVGraphPreview::Close()
{
    // Taken out first: the window may report its end while it is being destroyed.
    std::unique_ptr<CCSVGraphPreviewDlg> dlg = std::move(m_pDlg);
}

void CCSVGraphPreview::Forget()
{
    // The window is inside its own signal here: it goes once the signal has returned.
    if (m_pDlg)
        m_pDlg.release()->deleteLater();
}

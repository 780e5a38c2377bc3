#include "PageTabCtrl.h"

CPageTabCtrl::CPageTabCtrl(QWidget* parent) : QTabWidget(parent) {}

bool CPageTabCtrl::AddPage(const QString& title, QWidget* page, unsigned templateId)
{
    if (m_nPages == kMaxPages)
        return false;
    m_titles[m_nPages] = title;
    m_pages[m_nPages] = page;
    m_templateIds[m_nPages] = templateId;
    page->setParent(this);
    page->hide();
    ++m_nPages;
    return true;
}

void CPageTabCtrl::CreatePages()
{
    for (int i = count(); i < m_nPages; ++i)
        insertTab(i, m_pages[i], m_titles[i]);
    setCurrentIndex(0);
}

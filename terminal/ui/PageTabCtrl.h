#pragma once

#include <QTabWidget>

#include <array>

// The tab control of a main dialog: up to 16 pages, registered first and then shown as tabs in
// the order they were added.
class CPageTabCtrl : public QTabWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxPages = 16;

    explicit CPageTabCtrl(QWidget* parent = nullptr);

    // False when 16 pages are registered already. The tab control takes the page as its child.
    bool AddPage(const QString& title, QWidget* page, unsigned templateId);
    // Puts every registered page on its tab and shows the first.
    void CreatePages();

    int PageCount() const { return m_nPages; }
    unsigned TemplateId(int index) const { return m_templateIds.at(index); }

private:
    std::array<QString, kMaxPages> m_titles;
    std::array<unsigned, kMaxPages> m_templateIds{};
    std::array<QWidget*, kMaxPages> m_pages{};
    int m_nPages = 0;
};

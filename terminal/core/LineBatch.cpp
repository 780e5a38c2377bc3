#include "LineBatch.h"

CLineBatch g_arrDisplayLines;

void CLineBatch::Add(std::string_view line)
{
    if (m_nCount < m_lines.size())
        m_lines[m_nCount].assign(line);
    else
        m_lines.emplace_back(line);
    ++m_nCount;
}

#include "LogListModel.h"

#include "LineList.h"

#include <climits>

namespace {

// A view counts its rows in int.
std::size_t ViewRows(std::size_t size)
{
    return size < std::size_t{INT_MAX} ? size : std::size_t{INT_MAX};
}

} // namespace

CLogListModel::CLogListModel(const CLineList& lines, QObject* parent)
    : QAbstractListModel(parent), m_lines(lines)
{
}

int CLogListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_nRows);
}

QVariant CLogListModel::data(const QModelIndex& index, int role) const
{
    const auto row = static_cast<std::size_t>(index.row());
    // Rows the view has not been told of yet, or that a clear took away, show nothing.
    if (role != Qt::DisplayRole || !index.isValid() || row >= m_nRows || row >= m_lines.size())
        return {};
    const std::string_view line = m_lines[row];
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

void CLogListModel::Sync()
{
    const std::size_t size = ViewRows(m_lines.size());
    if (size < m_nRows) {
        beginResetModel();
        m_nRows = size;
        endResetModel();
    } else if (size > m_nRows) {
        beginInsertRows({}, static_cast<int>(m_nRows), static_cast<int>(size - 1));
        m_nRows = size;
        endInsertRows();
    }
}

#pragma once

#include <QAbstractListModel>

#include <cstddef>

class CLineList;

// The entries of a Log page for a list view. The list grows line by line; the view learns of
// the new rows in one step when Sync is called, so millions of lines cost no work per line.
class CLogListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit CLogListModel(const CLineList& lines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Tells the view what was added since the last call, or starts it again after a clear.
    void Sync();

private:
    const CLineList& m_lines;
    std::size_t m_nRows = 0;
};

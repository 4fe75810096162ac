#include <grid/GridHeaderModel.h>

int GridHeaderModel::rowCount(const QModelIndex&) const
{
    return 0;
}

int GridHeaderModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridHeaderModel::data(const QModelIndex&, int) const
{
    return {};
}

QVariant GridHeaderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].heading;
    if (role == Qt::TextAlignmentRole)
        return int((m_columns[section].align | Qt::AlignVCenter).toInt());
    return {};
}

int GridHeaderModel::insertColumn(int index, const QString& heading, Qt::Alignment align)
{
    const int at = (index < 0 || index > int(m_columns.size())) ? int(m_columns.size()) : index;
    beginInsertColumns(QModelIndex(), at, at);
    m_columns.insert(m_columns.begin() + at, Column{heading, align & Qt::AlignHorizontal_Mask});
    endInsertColumns();
    return at;
}

Qt::Alignment GridHeaderModel::alignment(int column) const
{
    if (column < 0 || column >= int(m_columns.size()))
        return Qt::AlignLeft;
    return m_columns[column].align;
}

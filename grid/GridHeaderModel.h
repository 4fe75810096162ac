#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The column headings and alignments of a grid, as a model without rows for
// the grid's header view.
class GridHeaderModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Inserts a column at index (clamped to the end); returns its index.
    int insertColumn(int index, const QString& heading, Qt::Alignment align);
    Qt::Alignment alignment(int column) const;

private:
    struct Column {
        QString heading;
        Qt::Alignment align;
    };
    std::vector<Column> m_columns;
};

#pragma once

#include <QSortFilterProxyModel>

// Orders the resolution list widest first and, among equal widths, tallest
// first. A text that is not "width * height" sorts before everything.
class customProxyModel : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &source_left, const QModelIndex &source_right) const override;
};

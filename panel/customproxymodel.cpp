#include "customproxymodel.h"

#include "listtexts.h"

bool customProxyModel::lessThan(const QModelIndex &source_left,
                                const QModelIndex &source_right) const
{
    int leftWidth = 0;
    int leftHeight = 0;
    int rightWidth = 0;
    int rightHeight = 0;
    if (!ListTexts::resolution(source_left.data().toString(), &leftWidth, &leftHeight) ||
        !ListTexts::resolution(source_right.data().toString(), &rightWidth, &rightHeight))
        return true;
    if (leftWidth != rightWidth)
        return leftWidth > rightWidth;
    return leftHeight > rightHeight;
}

#include "reportcontent.h"

bool ReportItem::isNumber() const
{
    return value.userType() == QMetaType::Double || value.userType() == QMetaType::Float;
}

QString ReportItem::text() const
{
    return isNumber() ? QString::number(value.toDouble()) : value.toString();
}

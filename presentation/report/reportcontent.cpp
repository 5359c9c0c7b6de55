#include "reportcontent.h"

#include "fenwardeversion.h"

#include <QPainter>

bool ReportItem::isNumber() const
{
    return value.userType() == QMetaType::Double || value.userType() == QMetaType::Float;
}

QString ReportItem::text() const
{
    return isNumber() ? QString::number(value.toDouble()) : value.toString();
}

QImage ReportContent::flatPicture() const
{
    if (picture.isNull())
        return QImage();
    QImage flat;
    if (picture.hasAlphaChannel()) {
        flat = QImage(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        QImage source = picture;
        source.setDevicePixelRatio(1.0);
        painter.drawImage(0, 0, source);
    } else {
        // Opaque pictures compress faster as three channels.
        flat = picture.convertToFormat(QImage::Format_RGB32);
    }
    flat.setDevicePixelRatio(1.0);
    return flat;
}

QString reportCreator()
{
    return QStringLiteral("Fenwarde " FENWARDE_VERSION);
}

#include "scaledlength.h"

#include "iwidgetbase.h"

#include <QLoggingCategory>
#include <QWidget>

#include <cmath>

// Off by default; QT_LOGGING_RULES="fenwarde.kit.debug=true" shows each
// scaled child with its size.
Q_LOGGING_CATEGORY(lcKitScale, "fenwarde.kit", QtInfoMsg)

namespace
{

int ClampedLength(qreal value)
{
    if (!(value > 0)) // also catches NaN
        return 0;
    if (value >= QWIDGETSIZE_MAX)
        return QWIDGETSIZE_MAX;
    return static_cast<int>(value);
}

bool IsSet(qreal length)
{
    return std::fabs(length) > 1e-12;
}

} // namespace

int TruncatedLength(qreal value)
{
    return ClampedLength(std::trunc(value));
}

int RoundedLength(qreal value)
{
    return ClampedLength(std::round(value));
}

QFont ScaledFont(const QFont &font, qreal scale)
{
    QFont scaled = font;
    if (font.pixelSize() > 0) {
        scaled.setPixelSize(qMax(1, TruncatedLength(font.pixelSize() * scale)));
    } else if (font.pointSizeF() > 0) {
        const qreal points = font.pointSizeF() * scale;
        scaled.setPointSizeF(std::isfinite(points) && points >= 1 ? qMin(points, 4096.0) : 1.0);
    }
    return scaled;
}

void ApplyFixedSize(QWidget *widget, qreal baseWidth, qreal baseHeight, qreal scale)
{
    if (IsSet(baseWidth))
        widget->setFixedWidth(TruncatedLength(baseWidth * scale));
    if (IsSet(baseHeight))
        widget->setFixedHeight(TruncatedLength(baseHeight * scale));
}

void ScaleKitChildren(QWidget *parent, qreal scale, const char *caller)
{
    const QList<QWidget *> children =
        parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (!child->inherits("IWidgetBase"))
            continue;
        if (IWidgetBase *kit = qobject_cast<IWidgetBase *>(child)) {
            kit->SetScale(scale);
            qCDebug(lcKitScale) << caller << child->objectName() << child->size();
        }
    }
}

bool SameScale(qreal a, qreal b)
{
    return qFuzzyCompare(a, b);
}

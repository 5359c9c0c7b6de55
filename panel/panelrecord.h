#pragma once

#include "sceneparams.h"

#include <QList>
#include <QMap>
#include <QString>

namespace Ui
{
class Widget;
}

// The record the planning panel's controls stand for, as it hands it to the
// scene: each field from its control, the codes from the lists' texts, the
// resolution split from its item and the sensor's millimetres looked up by
// its format's name in sensors (width, height). A resolution that does not
// split in two, or a format missing from the table, leaves zeros.
class PanelRecord final
{
public:
    static SceneParams of(const Ui::Widget &ui, const QMap<QString, QList<qreal>> &sensors);
};

#pragma once

#include <QList>
#include <QMap>
#include <QString>

class QObject;
struct SceneParams;

namespace Ui
{
class Widget;
}

// Which control of the planning panel shows which field of a record. The
// controls take their ranges from the record fields' window ranges, and a
// record is loaded into them through their own signals, so every rule
// between controls runs as if the user had set the values.
class PanelRecord final
{
public:
    // The lists' items: the codes' texts in the loaded language, the
    // resolutions sorted as customProxyModel orders them (its models owned
    // by owner) and the sensor formats sorted by name.
    static void fillLists(Ui::Widget &ui, QObject *owner);
    static void applyRanges(Ui::Widget &ui);

    // The lists that load presets go first: scenario, sensor and install
    // mode; then every other field, the resolution before the pixel limits
    // it caps, and the limits in the order that never crosses them. A
    // record the window cannot show (RecordFields::outsideWindow) ends up
    // as near as the controls allow.
    static void load(Ui::Widget &ui, const SceneParams &record);

    // The record the controls stand for, as the panel hands it to the
    // scene: the codes from the lists' texts, the resolution split from its
    // item and the sensor's millimetres looked up by its format's name in
    // sensors (width, height). A resolution that does not split in two, or
    // a format missing from the table, leaves zeros.
    static SceneParams of(const Ui::Widget &ui, const QMap<QString, QList<qreal>> &sensors);
};

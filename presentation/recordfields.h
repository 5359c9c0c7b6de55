#pragma once

#include "sceneparams.h"

#include <QSize>
#include <QString>
#include <QVector>

#include <optional>

// The fields of a camera record in the record's order: the names records
// and plan files give them, what each accepts, the preset a new plan starts
// from and the range of the planning window's control. The planning panel
// loads the presets and takes its ranges and resolutions from here;
// fenwarde-calc reads records by these names, where a field left out keeps
// the value of a new scene widget (SceneParams' own). A plan file holds
// only records the window can show as they are.
class RecordFields final
{
public:
    enum class Type { Bool, Int, Double };

    // What the window's control offers: lowest to highest, with decimals
    // places after the point.
    struct WindowRange {
        double lowest;
        double highest;
        int decimals;
    };

    struct Field {
        const char *name;
        Type type;
        // The one member of the type's kind; the others are null.
        bool SceneParams::*boolMember;
        qint32 SceneParams::*intMember;
        double SceneParams::*doubleMember;
        // The range an Int field accepts. A Double field is a length and
        // accepts any finite value that is not negative.
        qint32 lowest;
        qint32 highest;
        const char *accepted; // the accepted values in words
        // What the panel loads on start, on a change of scenario, sensor or
        // install mode and on reset; none for what its lists keep. The
        // horizontal angle's preset holds in the turned install mode only.
        std::optional<double> preset;
        // None for the fields the window sets from a list: scenario, plate
        // type, install mode, sensor and resolution.
        std::optional<WindowRange> window;
    };

    static const QVector<Field> &all();
    // The field of that name, or null.
    static const Field *find(const QString &name);

    // A new record with every preset applied.
    static SceneParams presets();

    // The resolutions the window's list offers, in the order it first holds
    // them, and the highest pixel limit the window allows at any of them.
    static const QVector<QSize> &resolutions();
    static constexpr int PixelCap = 1080;

    // Empty when the planning window shows the record exactly as it is;
    // otherwise why not, in English, naming the field.
    static QString outsideWindow(const SceneParams &record);

    // True when both records hold the same value in every field.
    static bool same(const SceneParams &a, const SceneParams &b);
};

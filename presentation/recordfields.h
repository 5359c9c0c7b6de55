#pragma once

#include "sceneparams.h"

#include <QVector>

#include <optional>

// The fields of a camera record in the record's order: the names records
// and plan files give them, what each accepts, and the preset a new plan
// starts from. The planning panel loads the presets; fenwarde-calc reads
// records by these names, where a field left out keeps the value of a new
// scene widget (SceneParams' own).
class RecordFields final
{
public:
    enum class Type { Bool, Int, Double };

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
    };

    static const QVector<Field> &all();
    // The field of that name, or null.
    static const Field *find(const QString &name);

    // A new record with every preset applied.
    static SceneParams presets();
};

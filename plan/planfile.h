#pragma once

#include "plan.h"

#include <QByteArray>
#include <QString>

// A plan as a file: UTF-8 JSON with the format version, the site's name
// and note and the poles, each with its name, note and every record field
// by the names fenwarde-calc reads. A pole's record is read by the same
// code as fenwarde-calc's records and must also be one the planning window
// can show as it is (RecordFields::outsideWindow). Members this program
// does not know are kept, at every level, and written back.
class PlanFile final
{
public:
    static constexpr int FormatVersion = 1;
    // Far above any real site, and small enough to read at once.
    static constexpr qint64 MaxBytes = 16 * 1024 * 1024;

    static QString suffix() { return QStringLiteral("fenwarde"); }

    // Reads the file at path. Only a regular file of at most MaxBytes is
    // read. False, with the reason in English, when it is no plan this
    // program can open; plan is then left as it was.
    static bool read(const QString &path, Plan *plan, QString *reason);
    static bool parse(const QByteArray &bytes, Plan *plan, QString *reason);

    static QByteArray text(const Plan &plan);

    // Replaces the file at path with the plan only once every byte is
    // written; a failed write leaves the old file as it was. A folder, a
    // pipe or a device at the name is refused.
    static bool write(const QString &path, const Plan &plan, QString *reason);
};

#pragma once

#include "jsonobjectscanner.h"
#include "recordfields.h"

#include <QByteArray>
#include <QString>

// How a JSON member becomes the value of a record field, for the records
// fenwarde-calc reads and the poles of a plan file alike. JSON has one
// number type: an integer field takes only whole numbers that fit 32 bits,
// so nothing is silently rounded or wrapped, and a length takes any finite
// number that is not negative. On failure the reason names the field.
namespace RecordValue
{
bool toBool(const QString &name, const JsonObjectScanner::Member &member, bool *value,
            QString *reason);
bool toInt(const QString &name, const JsonObjectScanner::Member &member, qint32 lowest,
           qint32 highest, qint32 *value, QString *reason);
bool toLength(const QString &name, const JsonObjectScanner::Member &member, double *value,
              QString *reason);

// The member as the field of the record.
bool assign(const RecordFields::Field &field, const JsonObjectScanner::Member &member,
            SceneParams *record, QString *reason);

// The shortest text that reads back to the same double.
QByteArray exactNumber(double value);
} // namespace RecordValue

#pragma once

#include "bytelinereader.h"
#include "sceneparams.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads camera records, one JSON object per line, for the command-line
// calculator. A record names any of the SceneParams fields with their exact
// names, each at most once; fields it leaves out keep the values of a new
// scene widget. Blank lines are skipped but still counted, so error messages
// name the line a user sees in an editor.
class RecordReader final
{
public:
    enum class Status { Record, Invalid, End, ReadError };

    explicit RecordReader(QIODevice *input);

    // Moves to the next non-blank line and parses it. After ReadError the
    // input is given up; reason() tells why.
    Status next();

    // Of the line last returned by next(), counting from 1.
    qint64 lineNumber() const { return m_lineNumber; }
    const SceneParams &params() const { return m_params; }
    const QString &reason() const { return m_reason; }

    // Fills params from one line; on failure leaves a short reason and
    // returns false.
    static bool parseRecord(const QByteArray &line, SceneParams *params, QString *reason);

    // One line per field: name, type, default and accepted values, for the
    // usage text.
    static QString fieldList();

private:
    ByteLineReader m_lines;
    qint64 m_lineNumber = 0;
    SceneParams m_params;
    QString m_reason;
};

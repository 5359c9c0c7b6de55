#pragma once

#include "bytelinereader.h"
#include "sceneparams.h"
#include "settingsearch.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads camera records, one JSON object per line, for the command-line
// calculator. A record names any of the SceneParams fields with their exact
// names, each at most once; fields it leaves out keep the values of a new
// scene widget. Blank lines are skipped but still counted, so error messages
// name the line a user sees in an editor. Reading wishes, a record may also
// carry the wish fields, and must carry a wish that suits its scenario.
class RecordReader final
{
public:
    enum class Status { Record, Invalid, End, ReadError };
    enum class Mode { Records, Wishes };

    explicit RecordReader(QIODevice *input, Mode mode = Mode::Records);

    // Moves to the next non-blank line and parses it. After ReadError the
    // input is given up; reason() tells why.
    Status next();

    // Of the line last returned by next(), counting from 1.
    qint64 lineNumber() const { return m_lineNumber; }
    const SceneParams &params() const { return m_params; }
    const SolveWish &wish() const { return m_wish; }
    const QString &reason() const { return m_reason; }

    // Fills params from one line; on failure leaves a short reason and
    // returns false.
    static bool parseRecord(const QByteArray &line, SceneParams *params, QString *reason);
    static bool parseWish(const QByteArray &line, SceneParams *params, SolveWish *wish,
                          QString *reason);

    // One line per field: name, type, default and accepted values, for the
    // usage text.
    static QString fieldList();
    static QString wishFieldList();

    // The whole record as a JSON object that reads back to the same values.
    // An integer this reader refuses is left out: a scenario or plate type
    // of 0 stands for a field left out.
    static QByteArray recordObject(const SceneParams &params);

private:
    static bool parse(const QByteArray &line, SceneParams *params, SolveWish *wish,
                      QString *reason);

    ByteLineReader m_lines;
    Mode m_mode;
    qint64 m_lineNumber = 0;
    SceneParams m_params;
    SolveWish m_wish;
    QString m_reason;
};

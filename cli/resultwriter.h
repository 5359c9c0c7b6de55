#pragma once

#include "sceneresult.h"
#include "settingsearch.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes the command-line calculator's answers, one JSON object per line, with
// the keys in a fixed order and doubles that read back bit for bit. A write
// the device refuses is remembered, so a caller can tell lost output from
// success.
class ResultWriter final
{
public:
    explicit ResultWriter(QIODevice *output);

    void writeResult(const SceneResult &result);
    // A pole's result: the result line with the pole's name added last.
    void writePoleResult(const SceneResult &result, const QString &pole);
    void writeInputError(qint64 lineNumber, const QString &reason);
    void writeSuggestions(const QVector<SettingSearch::Suggestion> &suggestions);
    void writeSolveError(const QString &reason);

    // A write failed; the device's error string says why.
    bool failed() const { return m_failed; }

    // The line for one result, without the line break.
    static QByteArray resultLine(const SceneResult &result);
    static QByteArray inputErrorLine(qint64 lineNumber, const QString &reason);
    // {"suggestions": [...]}: each the whole record followed by its result's
    // members, in one object.
    static QByteArray suggestionsLine(const QVector<SettingSearch::Suggestion> &suggestions);
    static QByteArray solveErrorLine(const QString &reason);

private:
    void writeLine(const QByteArray &line);

    QIODevice *m_output;
    bool m_failed = false;
};

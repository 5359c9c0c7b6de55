#pragma once

#include "guidelines.h"
#include "sceneresult.h"
#include "settingsearch.h"
#include "viewchecks.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes the command-line calculator's answers, one JSON object per line, with
// the keys in a fixed order and doubles that read back bit for bit. A write
// the device refuses is remembered, so a caller can tell lost output from
// success. Each result is judged against the viewing-angle guidelines given.
class ResultWriter final
{
public:
    explicit ResultWriter(QIODevice *output, const Guidelines &guidelines = Guidelines::builtIn());

    // The result line of a record's calculation.
    void writeResult(const SceneParams &params, const SceneResult &result);
    // A pole's result: the result line with the pole's name added last.
    void writePoleResult(const SceneParams &params, const SceneResult &result, const QString &pole);
    void writeInputError(qint64 lineNumber, const QString &reason);
    void writeSuggestions(const QVector<SettingSearch::Suggestion> &suggestions);
    void writeSolveError(const QString &reason);

    // A write failed; the device's error string says why.
    bool failed() const { return m_failed; }

    // The line for one result, without the line break: the calculation's
    // members, to which writeResult appends viewAngles and checks.
    static QByteArray resultLine(const SceneResult &result);
    // ,"viewAngles":[...],"checks":[...] for the end of a result line.
    static QByteArray viewMembers(const ViewAngles &angles, const QVector<ViewCheck> &checks);
    static QByteArray inputErrorLine(qint64 lineNumber, const QString &reason);
    // {"suggestions": [...]}: each the whole record followed by its result's
    // members, in one object.
    static QByteArray suggestionsLine(const QVector<SettingSearch::Suggestion> &suggestions);
    static QByteArray solveErrorLine(const QString &reason);

private:
    // The result line up to its closing brace, the view members included.
    QByteArray openResultLine(const SceneParams &params, const SceneResult &result) const;
    void writeLine(const QByteArray &line);

    QIODevice *m_output;
    Guidelines m_guidelines;
    bool m_failed = false;
};

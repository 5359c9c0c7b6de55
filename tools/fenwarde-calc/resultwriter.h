#pragma once

#include "sceneresult.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes the command-line calculator's answers, one JSON object per line, with
// the keys in a fixed order and doubles that read back bit for bit.
class ResultWriter final
{
public:
    explicit ResultWriter(QIODevice *output);

    void writeResult(const SceneResult &result);
    void writeInputError(int lineNumber, const QString &reason);

    // The line for one result, without the line break.
    static QByteArray resultLine(const SceneResult &result);
    static QByteArray inputErrorLine(int lineNumber, const QString &reason);

private:
    void writeLine(const QByteArray &line);

    QIODevice *m_output;
};

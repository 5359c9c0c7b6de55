#pragma once

#include "recordloop.h"

#include <QString>

class QIODevice;
class ResultWriter;

// The --solve mode: reads records that carry a wish and answers each with
// the settings of focal length and pitch that meet it, or with why none
// does. A line the reader refuses is answered with an input error, as
// without --solve.
class Solver final
{
public:
    Solver(QIODevice *input, ResultWriter &writer);

    // Answers every line in order (RecordLoop).
    RecordLoop::Outcome run();

    // What --help says about --solve and the wish fields.
    static QString usage();

private:
    QIODevice *m_input;
    ResultWriter &m_writer;
};

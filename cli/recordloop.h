#pragma once

#include <functional>

class RecordReader;
class ResultWriter;

// Answers every line of the input in order, with and without --solve: a
// line the reader refuses gets its input error, a good record goes to the
// given answer. Reading stops when the output is lost; a read failure is
// reported on standard error.
class RecordLoop final
{
public:
    enum class Outcome { AllGood, BadLines, ReadFailed, WriteFailed };
    using Answer = std::function<void(const RecordReader &reader)>;

    static Outcome run(RecordReader &reader, ResultWriter &writer, const Answer &answer);
};

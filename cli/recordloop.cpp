#include "recordloop.h"

#include "recordreader.h"
#include "resultwriter.h"

#include <QTextStream>

RecordLoop::Outcome RecordLoop::run(RecordReader &reader, ResultWriter &writer,
                                    const Answer &answer)
{
    bool allGood = true;
    for (;;) {
        const RecordReader::Status status = reader.next();
        if (status == RecordReader::Status::End)
            break;
        if (status == RecordReader::Status::ReadError) {
            QTextStream(stderr) << "Cannot read standard input: " << reader.reason() << ".\n";
            return Outcome::ReadFailed;
        }
        if (status == RecordReader::Status::Invalid) {
            writer.writeInputError(reader.lineNumber(), reader.reason());
            allGood = false;
        } else {
            answer(reader);
        }
        if (writer.failed())
            return Outcome::WriteFailed;
    }
    return allGood ? Outcome::AllGood : Outcome::BadLines;
}

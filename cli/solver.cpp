#include "solver.h"

#include "recordreader.h"
#include "resultwriter.h"
#include "searchwording.h"
#include "settingsearch.h"

Solver::Solver(QIODevice *input, ResultWriter &writer) : m_input(input), m_writer(writer)
{
}

RecordLoop::Outcome Solver::run()
{
    RecordReader reader(m_input, RecordReader::Mode::Wishes);
    return RecordLoop::run(reader, m_writer, [this](const RecordReader &record) {
        const SettingSearch search(record.params(), record.wish());
        if (search.suggestions().isEmpty()) {
            m_writer.writeSolveError(
                SearchWording::text(search.failure(), record.params(), record.wish()));
        } else {
            m_writer.writeSuggestions(search.suggestions());
        }
    });
}

QString Solver::usage()
{
    return QStringLiteral(
               "\nWith --solve, each line is a record with a wish, answered by one line\n"
               "{\"suggestions\": [...]} holding up to three settings, best first, of\n"
               "focalLength (1 to 400 mm in steps of 0.1) and pitchAngle (0 to 45 degrees);\n"
               "every other field stays as given. Each suggestion is the whole record with\n"
               "those two fields replaced, followed by its result fields.\n"
               "  Scenarios 1 and 2 wish for a band from wantNear to wantFar metres: the\n"
               "picture must show the band whole (errorIndex 0) with L2 <= wantNear and\n"
               "L3 >= wantFar. The least band beyond the wish ranks first.\n"
               "  Scenario 3 wishes for wantPlatePixels, wantFacePixels or both at the\n"
               "capture point, which must lie in the picture (errorIndex 0). The shortest\n"
               "lens ranks first.\n"
               "  Among equals the steeper pitch ranks first. When no setting meets a wish,\n"
               "its line is {\"solveError\": \"...\"}, naming the limit that stops it and what\n"
               "comes closest; that is an answer, not an error, for the exit status. The\n"
               "wish fields, read with --solve only:\n"
               "\n") +
           RecordReader::wishFieldList();
}

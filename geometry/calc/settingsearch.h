#pragma once

#include "sceneparams.h"
#include "sceneresult.h"
#include "searchfailure.h"

#include <QVector>

#include <array>
#include <optional>

// What a planner wants from a camera, for the search over lens and tilt.
// Scenarios 1 and 2 want a band covering wantNear to wantFar metres;
// scenario 3 wants pixel counts at the capture point.
struct SolveWish {
    std::optional<double> wantNear;
    std::optional<double> wantFar;
    std::optional<qint32> wantPlatePixels;
    std::optional<qint32> wantFacePixels;

    // Why the wish does not suit the record's scenario, naming the field;
    // no failure when it does.
    SearchFailure problem(const SceneParams &record) const;
};

// Searches the planning window's focal lengths (1 to 400 mm in steps of
// 0.1) and pitch angles (0 to 45 degrees) for the settings that meet a
// wish, keeping every other field of the record. Scenarios 1 and 2 rank by
// the least band beyond the wish, scenario 3 by the shortest lens; either
// then prefers the steeper pitch.
class SettingSearch final
{
public:
    struct Suggestion {
        SceneParams params;
        SceneResult result;
    };

    static constexpr int LowestFocalStep = 10; // tenths of a millimetre
    static constexpr int HighestFocalStep = 4000;
    static constexpr int LowestPitch = 0;
    static constexpr int HighestPitch = 45;
    static constexpr int MostSuggestions = 3;

    // Runs the search. The wish must suit the record (SolveWish::problem).
    SettingSearch(const SceneParams &record, const SolveWish &wish);

    // Best first; empty when nothing in the ranges meets the wish.
    const QVector<Suggestion> &suggestions() const { return m_suggestions; }
    // Without suggestions: which limit stops the wish and what comes closest.
    const SearchFailure &failure() const { return m_failure; }
    // How many scenes the search calculated.
    qint64 calculations() const { return m_calculations; }

private:
    struct Candidate {
        double rank; // lower is better
        int pitch;
        int focalStep;
        SceneResult result;
    };

    // A stretch of focal steps, both ends included.
    struct Run {
        int first;
        int last;
    };
    // What the search learns about one pitch in scenarios 1 and 2: the
    // steps whose band covers the wish, from low to high, and the runs of
    // steps whose band the picture shows whole.
    struct PitchBand {
        int low = 0;
        int high = -1;
        QVector<Run> runs;
        bool runsKnown = false;
    };

    SceneParams at(int pitch, int focalStep) const;
    SceneResult evaluate(int pitch, int focalStep);
    bool recordIsSolvable();
    void offer(const Candidate &candidate);
    bool fullAndBetterThan(double rank) const;

    void searchBand();
    QVector<Run> wholeBandRuns(int pitch);
    void explainBand(std::array<PitchBand, HighestPitch + 1> &pitches);
    void searchCapture();
    bool meetsCounts(const SceneResult &r) const;
    void explainCapture();
    void setClosest(int pitch, int focalStep, const SceneResult &result);
    void finish();

    SceneParams m_record;
    SolveWish m_wish;
    QVector<Candidate> m_best;
    QVector<Suggestion> m_suggestions;
    SearchFailure m_failure;
    qint64 m_calculations = 0;
};

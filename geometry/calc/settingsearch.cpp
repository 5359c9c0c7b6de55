#include "settingsearch.h"

#include "scenecalculation.h"
#include "textid.h"

#include <algorithm>
#include <cmath>

namespace
{

double focalOf(int step)
{
    return step / 10.0;
}

// The first step in [low, high] where holds() is true, for a predicate false
// below some step and true from there on; high + 1 when it never holds.
template <typename Predicate> int firstStep(int low, int high, Predicate holds)
{
    int end = high + 1;
    while (low < end) {
        const int middle = low + (end - low) / 2;
        if (holds(middle))
            end = middle;
        else
            low = middle + 1;
    }
    return low;
}

// The last step in [low, high] where holds() is true, for a predicate true up
// to some step and false beyond; low - 1 when it never holds.
template <typename Predicate> int lastStep(int low, int high, Predicate holds)
{
    return firstStep(low, high, [&](int step) { return !holds(step); }) - 1;
}

// The band's near end lies at or beyond the lower picture edge. Unturned,
// this holds from some focal length on: the near end and the depth at the
// lower edge both grow with the lens, the near end faster once it has
// caught up. Turned, the two scale differently and it may hold twice.
bool nearEndInPicture(const SceneResult &r)
{
    return r.rangeEmitted && r.bandNear >= r.L1;
}

// The far end or the lower picture edge lies beyond what the picture or
// scene shows; a longer lens only moves them further.
bool beyondPicture(const SceneResult &r)
{
    return r.rangeEmitted && (r.L1 > r.drawDepth || (r.L4 != -1 && r.bandFar > r.L4));
}

// Why the calculation does not take a band as it stands, in the order the
// reasons weigh with a planner; false when it takes it.
bool cutOf(const SceneResult &r, SearchFailure::Cut *cut)
{
    using Kind = SearchFailure::Cut::Kind;
    if (!r.rangeEmitted)
        *cut = {Kind::TurnedTooFar, r.drawDepth};
    else if (r.L1 > r.drawDepth)
        *cut = {Kind::LowerEdgeBeyond, r.drawDepth};
    else if (r.bandNear < r.L1)
        *cut = {Kind::NearBeforeLowerEdge, r.drawDepth};
    else if (r.L4 != -1 && r.bandFar > r.L4)
        *cut = {Kind::FarBeyondUpperEdge, r.drawDepth};
    else
        return false;
    return true;
}

SearchFailure failureOf(SearchFailure::Reason reason,
                        SearchFailure::Field field = SearchFailure::Field::None)
{
    SearchFailure failure;
    failure.reason = reason;
    failure.field = field;
    return failure;
}

} // namespace

SearchFailure SolveWish::problem(const SceneParams &record) const
{
    using Reason = SearchFailure::Reason;
    using Field = SearchFailure::Field;
    switch (record.scenario) {
    case Scenario::Person:
    case Scenario::Lanes:
        if (wantPlatePixels)
            return failureOf(Reason::WishOfOtherScenarios, Field::WantPlatePixels);
        if (wantFacePixels)
            return failureOf(Reason::WishOfOtherScenarios, Field::WantFacePixels);
        if (!wantNear)
            return failureOf(Reason::WishMissing, Field::WantNear);
        if (!wantFar)
            return failureOf(Reason::WishMissing, Field::WantFar);
        if (*wantNear > *wantFar)
            return failureOf(Reason::NearBeyondFar);
        return SearchFailure();
    case Scenario::Capture:
        if (wantNear)
            return failureOf(Reason::WishOfOtherScenarios, Field::WantNear);
        if (wantFar)
            return failureOf(Reason::WishOfOtherScenarios, Field::WantFar);
        if (!wantPlatePixels && !wantFacePixels)
            return failureOf(Reason::CountMissing);
        return SearchFailure();
    default:
        return failureOf(Reason::ScenarioMissing);
    }
}

SettingSearch::SettingSearch(const SceneParams &record, const SolveWish &wish)
    : m_record(record), m_wish(wish)
{
    m_failure = wish.problem(record);
    if (m_failure.failed() || !recordIsSolvable())
        return;
    if (record.scenario == Scenario::Capture)
        searchCapture();
    else
        searchBand();
    finish();
}

SceneParams SettingSearch::at(int pitch, int focalStep) const
{
    SceneParams params = m_record;
    params.pitchAngle = pitch;
    params.focalLength = focalOf(focalStep);
    return params;
}

SceneResult SettingSearch::evaluate(int pitch, int focalStep)
{
    ++m_calculations;
    return computeScene(at(pitch, focalStep));
}

// The search leans on every setting having a picture and, in scenarios 1
// and 2, a band that runs outward; a record without them gets a reason.
bool SettingSearch::recordIsSolvable()
{
    using Reason = SearchFailure::Reason;
    using Field = SearchFailure::Field;
    const auto mustBePositive = [this](Field field) {
        m_failure = failureOf(Reason::NotPositive, field);
        return false;
    };
    if (!(m_record.sensorWidth > 0))
        return mustBePositive(Field::SensorWidth);
    if (!(m_record.sensorHeight > 0))
        return mustBePositive(Field::SensorHeight);
    if (m_record.resolutionWidth <= 0)
        return mustBePositive(Field::ResolutionWidth);
    if (m_record.scenario == Scenario::Capture) {
        if (m_wish.wantFacePixels && m_record.targetHeight > m_record.ipcHeight) {
            m_failure = failureOf(Reason::FaceAboveCamera);
            return false;
        }
        return true;
    }
    if (m_record.minPixels <= 0)
        return mustBePositive(Field::MinPixels);
    if (m_record.maxPixels <= 0)
        return mustBePositive(Field::MaxPixels);
    if (m_record.minPixels > m_record.maxPixels) {
        m_failure = failureOf(Reason::LimitsBackwards);
        return false;
    }
    return true;
}

void SettingSearch::offer(const Candidate &candidate)
{
    const auto better = [](const Candidate &a, const Candidate &b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.pitch != b.pitch)
            return a.pitch > b.pitch;
        return a.focalStep < b.focalStep;
    };
    const auto at = std::upper_bound(m_best.begin(), m_best.end(), candidate, better);
    m_best.insert(at, candidate);
    if (m_best.size() > MostSuggestions)
        m_best.removeLast();
}

// True when nothing ranked rank or worse can enter the suggestions. The
// slack keeps a rounding in the last digit from hiding an equal rank.
bool SettingSearch::fullAndBetterThan(double rank) const
{
    if (m_best.size() < MostSuggestions)
        return false;
    const double worst = m_best.constLast().rank;
    return rank > worst + 1e-9 * std::max(1.0, std::abs(worst));
}

// Where at one pitch the picture shows the band whole, as runs of focal
// steps. Below the guard of a turned camera there is no picture; a longer
// lens moves the far end and the lower picture edge outward and the upper
// edge inward, so past some step they leave the picture or the scene. In
// between only the near end can fall before the lower edge. Where that edge
// turns past the vertical, the picture starts at the pole and the near end
// moving outward stays in it. Beyond, the edge follows
// Hc (f - s tan p) / (f tan p + s), s half the sensor height, which bends
// toward its limit while the near end runs on straight: their gap is convex
// in the focal length, so the near end falls before the edge over at most
// one stretch around the gap's least value.
QVector<SettingSearch::Run> SettingSearch::wholeBandRuns(int pitch)
{
    const auto nearInPicture = [&](int step) { return nearEndInPicture(evaluate(pitch, step)); };
    const auto gap = [&](int step) {
        const SceneResult r = evaluate(pitch, step);
        return r.bandNear - r.L1;
    };
    const int from = firstStep(LowestFocalStep, HighestFocalStep,
                               [&](int step) { return evaluate(pitch, step).rangeEmitted; });
    const int to = lastStep(from, HighestFocalStep,
                            [&](int step) { return !beyondPicture(evaluate(pitch, step)); });
    QVector<Run> runs;
    const auto add = [&runs](int first, int last) {
        if (first > last)
            return;
        if (!runs.isEmpty() && runs.last().last + 1 >= first)
            runs.last().last = last;
        else
            runs.append({first, last});
    };
    if (from > to)
        return runs;
    const int onGround =
        firstStep(from, to, [&](int step) { return evaluate(pitch, step).L1 > 0; });
    add(firstStep(from, onGround - 1, nearInPicture), onGround - 1);
    if (onGround <= to) {
        const int least =
            firstStep(onGround, to - 1, [&](int step) { return gap(step + 1) >= gap(step); });
        if (gap(least) >= 0) {
            add(onGround, to);
        } else {
            add(onGround, lastStep(onGround, least, nearInPicture));
            add(firstStep(least, to, nearInPicture), to);
        }
    }
    return runs;
}

// At a fixed pitch both band ends move outward with the focal length, so
// the settings whose band covers the wish form one run of focal steps,
// found by bisection; where it meets the runs that show the band whole,
// every step meets the wish. The band beyond the wish grows with the focal
// length, so the first such steps are the best ones of the pitch.
void SettingSearch::searchBand()
{
    const double wantNear = *m_wish.wantNear;
    const double wantFar = *m_wish.wantFar;
    const SceneResult sample = evaluate(HighestPitch, HighestFocalStep);
    if (!sample.rangeEmitted && sample.errorIndex == TextId::ErrorNoBand) {
        m_failure =
            failureOf(m_record.scenario == Scenario::Person ? SearchFailure::Reason::TargetAtPole
                                                            : SearchFailure::Reason::NoPoleHeight);
        return;
    }
    // The longest lens has the narrowest view: if it is turned too far,
    // every lens is.
    if (sample.errorIndex == TextId::ErrorHorizontalAngle) {
        m_failure = failureOf(SearchFailure::Reason::TurnedTooFar);
        return;
    }

    std::array<PitchBand, HighestPitch + 1> pitches;
    for (int pitch = HighestPitch; pitch >= LowestPitch; --pitch) {
        PitchBand &band = pitches[pitch];
        band.low = firstStep(LowestFocalStep, HighestFocalStep, [&](int step) {
            const SceneResult r = evaluate(pitch, step);
            return r.rangeEmitted && r.bandFar >= wantFar;
        });
        band.high = lastStep(LowestFocalStep, HighestFocalStep, [&](int step) {
            const SceneResult r = evaluate(pitch, step);
            return !r.rangeEmitted || r.bandNear <= wantNear;
        });
        if (band.low > band.high)
            continue;
        band.runs = wholeBandRuns(pitch);
        band.runsKnown = true;
        int found = 0;
        for (const Run &run : qAsConst(band.runs)) {
            const int last = std::min(run.last, band.high);
            for (int step = std::max(run.first, band.low); step <= last && found < MostSuggestions;
                 ++step) {
                const SceneResult r = evaluate(pitch, step);
                if (r.errorIndex == 0 && r.L2 <= wantNear && r.L3 >= wantFar) {
                    offer({(wantNear - r.L2) + (r.L3 - wantFar), pitch, step, r});
                    ++found;
                }
            }
        }
    }
    if (m_best.isEmpty())
        explainBand(pitches);
}

void SettingSearch::explainBand(std::array<PitchBand, HighestPitch + 1> &pitches)
{
    const double wantNear = *m_wish.wantNear;
    const double wantFar = *m_wish.wantFar;
    bool farReached = false;
    bool nearReached = false;
    bool covered = false;
    m_failure = failureOf(SearchFailure::Reason::BandNotMet);
    for (int pitch = HighestPitch; pitch >= LowestPitch; --pitch) {
        const PitchBand &band = pitches[pitch];
        farReached |= band.low <= HighestFocalStep;
        nearReached |= band.high >= LowestFocalStep;
        if (band.low > band.high)
            continue;
        covered = true;
        for (int step : {band.low, band.high}) {
            SearchFailure::Cut cut{};
            if (cutOf(evaluate(pitch, step), &cut) && !m_failure.cuts.contains(cut))
                m_failure.cuts << cut;
        }
    }

    using Limit = SearchFailure::Limit;
    if (!farReached)
        m_failure.limit = Limit::FarNotReached;
    else if (!nearReached)
        m_failure.limit = Limit::NearNotReached;
    else if (!covered)
        m_failure.limit = Limit::BandTooShort;
    else
        m_failure.limit = Limit::PictureCuts;

    // The closest band the picture shows whole has the least shortfall. At
    // a pitch the shortfall falls with the lens until the far end reaches
    // the wish and grows after, so in each run of whole bands the best is
    // the step nearest that point.
    const auto shortfall = [&](const SceneResult &r) {
        return std::max(0.0, r.L2 - wantNear) + std::max(0.0, wantFar - r.L3);
    };
    double closest = -1;
    for (int pitch = HighestPitch; pitch >= LowestPitch; --pitch) {
        PitchBand &band = pitches[pitch];
        if (!band.runsKnown)
            band.runs = wholeBandRuns(pitch);
        for (const Run &run : qAsConst(band.runs)) {
            const int nearest = std::clamp(band.low, run.first, run.last);
            const int last = std::min(run.last, nearest + 1);
            for (int step = std::max(run.first, nearest - 1); step <= last; ++step) {
                const SceneResult r = evaluate(pitch, step);
                if (r.errorIndex == 0 && (closest < 0 || shortfall(r) < closest)) {
                    closest = shortfall(r);
                    setClosest(pitch, step, r);
                }
            }
        }
    }
}

void SettingSearch::setClosest(int pitch, int focalStep, const SceneResult &result)
{
    m_failure.hasClosest = true;
    m_failure.closestPitch = pitch;
    m_failure.closestFocalLength = focalOf(focalStep);
    m_failure.closest = result;
}

bool SettingSearch::meetsCounts(const SceneResult &r) const
{
    return (!m_wish.wantPlatePixels || r.plateAtCapture >= *m_wish.wantPlatePixels) &&
           (!m_wish.wantFacePixels || r.faceAtCapture >= *m_wish.wantFacePixels);
}

// At a fixed pitch the counts at the capture point grow with the focal
// length, while the picture, narrowing, keeps the capture point only up to
// some focal length: the shortest lens that reaches the counts is the
// pitch's best, and it does so when the capture point is in its picture.
void SettingSearch::searchCapture()
{
    for (int pitch = HighestPitch; pitch >= LowestPitch; --pitch) {
        const int first = firstStep(LowestFocalStep, HighestFocalStep,
                                    [&](int step) { return meetsCounts(evaluate(pitch, step)); });
        const int last = std::min(HighestFocalStep, first + MostSuggestions - 1);
        for (int step = first; step <= last && !fullAndBetterThan(step); ++step) {
            const SceneResult r = evaluate(pitch, step);
            if (r.errorIndex != 0)
                break;
            if (meetsCounts(r))
                offer({double(step), pitch, step, r});
        }
    }
    if (m_best.isEmpty())
        explainCapture();
}

void SettingSearch::explainCapture()
{
    const double distance = m_record.captureDistance;
    m_failure = failureOf(SearchFailure::Reason::CountsNotMet);

    // Where the capture point is in the picture, the longest such lens of
    // a pitch gives it the most pixels there; the closest setting is the
    // one that gets nearest the wish in its weakest count.
    const auto share = [this](const SceneResult &r) {
        double least = 1e300;
        if (m_wish.wantPlatePixels)
            least = std::min(least, double(r.plateAtCapture) / *m_wish.wantPlatePixels);
        if (m_wish.wantFacePixels)
            least = std::min(least, double(r.faceAtCapture) / *m_wish.wantFacePixels);
        return least;
    };
    double best = -1;
    int bestPitch = 0;
    int bestStep = 0;
    for (int pitch = HighestPitch; pitch >= LowestPitch; --pitch) {
        const int last = lastStep(LowestFocalStep, HighestFocalStep,
                                  [&](int step) { return evaluate(pitch, step).errorIndex == 0; });
        if (last < LowestFocalStep)
            continue;
        const SceneResult r = evaluate(pitch, last);
        if (share(r) > best) {
            best = share(r);
            bestPitch = pitch;
            bestStep = last;
            setClosest(pitch, last, r);
        }
    }

    using Limit = SearchFailure::Limit;
    if (best < 0)
        m_failure.limit = Limit::CaptureOutside;
    else if (bestStep == HighestFocalStep)
        m_failure.limit = Limit::LongestLensShort;
    else if (evaluate(bestPitch, bestStep + 1).L1 > distance)
        m_failure.limit = Limit::LowerEdgePasses;
    else
        m_failure.limit = Limit::UpperEdgeNears;
}

void SettingSearch::finish()
{
    for (const Candidate &c : qAsConst(m_best))
        m_suggestions.append({at(c.pitch, c.focalStep), c.result});
}

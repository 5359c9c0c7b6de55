#pragma once

#include "sceneresult.h"

#include <QVector>

// Why a search over lens and tilt (SettingSearch) gives no setting, as codes
// and the numbers the search found; the words are the caller's, who also
// holds the record and the wish the failure refers to.
struct SearchFailure {
    enum class Reason {
        None,
        // The wish does not suit the record.
        WishOfOtherScenarios, // field is a wish the record's scenario does not take
        WishMissing,          // field is missing
        NearBeyondFar,
        CountMissing, // neither count is wished for
        ScenarioMissing,
        // The record cannot be searched.
        NotPositive,     // field must be above 0
        FaceAboveCamera, // face counts wished, target above the camera
        LimitsBackwards, // minPixels above maxPixels
        // No setting has a band at all.
        TargetAtPole, // person scenario: target not below the camera
        NoPoleHeight, // vehicle lanes: camera at height 0
        TurnedTooFar, // horizontal angle past 90 with even the longest lens
        // Settings were searched and none meets the wish; see limit.
        BandNotMet,
        CountsNotMet,
    };

    enum class Field {
        None,
        WantNear,
        WantFar,
        WantPlatePixels,
        WantFacePixels,
        SensorWidth,
        SensorHeight,
        ResolutionWidth,
        MinPixels,
        MaxPixels,
    };

    // What stops the wish after the search.
    enum class Limit {
        None,
        FarNotReached,    // even the longest lens's band ends before wantFar
        NearNotReached,   // even the shortest lens's band starts beyond wantNear
        BandTooShort,     // the pixel limits make every band shorter than the wish
        PictureCuts,      // every band that covers the wish is cut; see cuts
        CaptureOutside,   // no setting's picture holds the capture point
        LongestLensShort, // the counts fall short even at the longest lens
        LowerEdgePasses,  // a longer lens moves the lower edge past the capture point
        UpperEdgeNears,   // a longer lens brings the upper edge nearer than it
    };

    // Why the calculation cuts a band, in the order they weigh with a
    // planner; sceneDepth is how deep the scene reaches, for LowerEdgeBeyond.
    struct Cut {
        enum class Kind { TurnedTooFar, LowerEdgeBeyond, NearBeforeLowerEdge, FarBeyondUpperEdge };
        Kind kind;
        double sceneDepth;

        bool operator==(const Cut &other) const
        {
            return kind == other.kind && sceneDepth == other.sceneDepth;
        }
    };

    Reason reason = Reason::None;
    Field field = Field::None;
    Limit limit = Limit::None;
    // Each once, in the order the search met them.
    QVector<Cut> cuts;

    // The setting that comes closest, when there is one: its band lies
    // wholly in the picture, or its picture holds the capture point.
    bool hasClosest = false;
    int closestPitch = 0;
    double closestFocalLength = 0.0;
    SceneResult closest;

    bool failed() const { return reason != Reason::None; }
};

#pragma once

// What a scene shows beyond its fixed parts. Whoever asks for a picture
// decides: the scene widget keeps the user's choice, a picture made for a
// record takes it from its caller, and a new set shows today's picture.
struct SceneOptions {
    // The ground each pixel-density class covers, under the band, with a
    // legend entry per class drawn.
    bool densityZones = false;

    bool operator==(const SceneOptions &other) const { return densityZones == other.densityZones; }
};

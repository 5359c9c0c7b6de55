#pragma once

#include <QColor>
#include <QtGlobal>

// The picture footprint's and the detection band's colours of a scene.
// Painting the vehicle-lane scenario switches both to its own, and whatever
// is painted next with the colours it handed on keeps them: the scene widget
// carries them from one repaint to the next, so after the lanes its other
// scenarios use them too, while a picture made for a single record starts
// from the first colours.
struct SceneColours {
    QColor footprint = QColor(140, 152, 161, 200);
    QColor band = QColor(54, 205, 225, 200);

    // The colours a scene of this scenario is painted in, which are also the
    // ones it hands on.
    SceneColours forScenario(qint32 scenario) const;

    bool operator==(const SceneColours &other) const;
};

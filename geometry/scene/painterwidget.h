#pragma once

#include "scenecolours.h"
#include "sceneoptions.h"
#include "sceneparams.h"
#include "sceneresult.h"

#include <QString>
#include <QWidget>

class QPaintEvent;

// The scene widget of the planning panel. It holds the camera record the panel
// hands over, recomputes the geometry on every repaint, reports the numbers
// through its signals and draws the scene. A hidden widget that is not
// repainted reports nothing.
class painterWidget : public QWidget
{
    Q_OBJECT

public:
    explicit painterWidget(QWidget *parent);

    // Copies the record and schedules a repaint; the repaint recomputes and
    // re-emits everything.
    void setSceneParams(const SceneParams &params);

    const SceneParams &sceneParams() const { return m_params; }

    // Shows or hides the pixel-density zones from the next repaint on.
    void setDensityZones(bool shown);
    bool densityZones() const { return m_options.densityZones; }
    // The result of the last repaint; a default result before the first one.
    const SceneResult &sceneResult() const { return m_result; }

signals:
    void RangeValueSignal(qreal L1, qreal W1, qreal L2, qreal W2, qreal L3, qreal W3, qreal L4,
                          qreal W4);
    void IdentificationPixelValue(const QString &plate, const QString &vehicle, const QString &face,
                                  const QString &person);
    void error(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SceneParams m_params;
    SceneResult m_result;
    // Handed from one repaint to the next, so the lanes' colours stay.
    SceneColours m_colours;
    SceneOptions m_options;
};

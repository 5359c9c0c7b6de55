#include "painterwidget.h"

#include "languagetable.h"
#include "scenecalculation.h"
#include "scenepainter.h"
#include "screenscale.h"

#include <QPaintEvent>
#include <QPainter>

painterWidget::painterWidget(QWidget *parent) : QWidget(parent)
{
}

void painterWidget::setSceneParams(const SceneParams &params)
{
    m_params = params;
    update();
}

void painterWidget::setDensityZones(bool shown)
{
    if (m_options.densityZones == shown)
        return;
    m_options.densityZones = shown;
    update();
}

void painterWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    m_result = computeScene(m_params);
    const SceneResult &r = m_result;
    if (r.rangeEmitted)
        emit RangeValueSignal(r.L1, r.W1, r.L2, r.W2, r.L3, r.W3, r.L4, r.W4);
    if (r.identificationEmitted)
        emit IdentificationPixelValue(r.plateRange, r.vehicleRange, r.faceRange, r.personRange);

    // Scene drawing: one call that paints the scene from m_params and m_result.
    {
        QPainter painter(this);
        m_colours = ScenePainter::render(painter, m_params, m_result, size(), GetScreenScale(this),
                                         m_colours, m_options);
    }

    // Last, after the drawing, so the panel's pop-up follows what is on screen.
    emit error(r.errorIndex == 0 ? QString() : languageText(r.errorIndex));
}

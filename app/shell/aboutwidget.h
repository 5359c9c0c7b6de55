#pragma once

#include "lxclientbasewidget.h"

#include <memory>

class QMoveEvent;
class QShowEvent;

namespace Ui
{
class aboutWidget;
}

// The small frameless about window: the program's icon, name and version and
// a notice on the GUI toolkit. The panel creates one hidden instance and
// shows it on request; closing it only hides it. It re-scales itself when it
// moves to a screen of another density.
class aboutWidget : public LxClientBaseWidget
{
    Q_OBJECT

public:
    explicit aboutWidget(QWidget *parent = nullptr);
    ~aboutWidget() override;

    // Fixes both dimensions at the design size times `scale`, then scales the
    // kit children.
    void SetScale(qreal scale) override;

    // The scale factor last applied; 0 before the first showing.
    qreal appliedScale() const { return m_scale; }

protected:
    void moveEvent(QMoveEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::aboutWidget> ui;
    qreal m_scale = 0;
    bool m_placed = false;
};

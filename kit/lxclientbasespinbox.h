#pragma once

#include "istylesheetbase.h"
#include "iwidgetbase.h"
#include "spinboxlook.h"

#include <QSpinBox>

// The kit's integer field with up and down arrows from the skin; its size,
// font and style sheet follow the scale. Editing behaves as in Qt.
class LxClientBaseSpinBox : public QSpinBox, public IWidgetBase, public IStyleSheetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase)

public:
    explicit LxClientBaseSpinBox(QWidget *parent = nullptr);
    ~LxClientBaseSpinBox() override;

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

private:
    SpinBoxLook m_look;
};

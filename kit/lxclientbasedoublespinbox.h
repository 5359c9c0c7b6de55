#pragma once

#include "istylesheetbase.h"
#include "iwidgetbase.h"
#include "spinboxlook.h"

#include <QDoubleSpinBox>

// The kit's real number field with up and down arrows from the skin; its size,
// font and style sheet follow the scale. Editing behaves as in Qt, except that
// a field showing a decimal point also takes a typed comma as one: keypads
// and habits of many countries give the comma.
class LxClientBaseDoubleSpinBox : public QDoubleSpinBox, public IWidgetBase, public IStyleSheetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase)

public:
    explicit LxClientBaseDoubleSpinBox(QWidget *parent = nullptr);
    ~LxClientBaseDoubleSpinBox() override;

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

    QValidator::State validate(QString &text, int &pos) const override;

private:
    SpinBoxLook m_look;
};

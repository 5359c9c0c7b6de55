#pragma once

#include "istylesheetbase.h"
#include "iwidgetbase.h"

#include <QScrollBar>
#include <QString>

// The kit's thin scroll bar: a rounded handle on a transparent groove and no
// arrow buttons, in either orientation.
class LxClientScrollBar : public QScrollBar, public IWidgetBase, public IStyleSheetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase)

public:
    explicit LxClientScrollBar(QWidget *parent = nullptr);
    explicit LxClientScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);
    ~LxClientScrollBar() override;

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

private:
    QString m_grooveColor;
    QString m_handleColor;
    QString m_handlePressedColor;
};

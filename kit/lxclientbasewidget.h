#pragma once

#include "istylesheetbase.h"
#include "iwidgetbase.h"

#include <QString>
#include <QWidget>

// The kit's plain container: paints a flat background colour and, when
// scaled, fixes its height and passes the factor on to its direct kit
// children. Title bars and the about window derive from it.
class LxClientBaseWidget : public QWidget, public IWidgetBase, public IStyleSheetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase)

public:
    explicit LxClientBaseWidget(QWidget *parent = nullptr);
    ~LxClientBaseWidget() override;

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

    // Takes effect at the next paint.
    void SetBackgroundColor(const QColor &color);
    QString GetBackgroundColor() const { return m_backgroundColor; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_backgroundColor;
};

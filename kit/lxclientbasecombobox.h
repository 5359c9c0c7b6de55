#pragma once

#include "istylesheetbase.h"
#include "iwidgetbase.h"

#include <QComboBox>
#include <QFont>
#include <QList>
#include <QMargins>
#include <QStringList>

// The kit's drop-down list. By default it is editable with a read-only line
// edit that always shows the beginning of a long item text. Colours and
// lengths are stored unscaled and written into the style sheet at SetScale.
class LxClientBaseComboBox : public QComboBox, public IWidgetBase, public IStyleSheetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase IStyleSheetBase)

public:
    explicit LxClientBaseComboBox(QWidget *parent = nullptr);
    ~LxClientBaseComboBox() override;

    void SetEditable(bool editable);

    // These store only; the look changes at the next SetScale.
    void SetColors(const QColor &border, const QColor &borderHoverFocus, const QColor &background,
                   const QColor &text);
    void SetBorderMetrics(qreal borderWidth, qreal borderRadius, qreal dropDownWidth);
    void SetFont(const QFont &font);

    void SetScale(qreal scale) override;
    void UpdateStyleSheet(qreal scale) override;

    // Opens the list as a pop-up of the desktop, under the box or, where the
    // screen's bottom would cut it, above it, with every item of a short
    // list in view.
    void showPopup() override;

private slots:
    void ShowTextStart();

private:
    void ConnectLineEdit();

    QMargins m_padding;
    bool m_lineEditConnected = false;
    QFont m_font;
    // 0 border, 1 border on hover and focus, 2 background, 3 text, 4 list
    // border, 5 list background, 6 selected item text, 7 selected item
    // background.
    QStringList m_colors;
    // 0 border width, 1 border radius, 2 drop-down width and arrow size, 3 list
    // border width, 4 list border radius, 5 item height.
    QList<qreal> m_lengths;
};

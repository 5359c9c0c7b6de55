#pragma once

#include <QFont>
#include <QMargins>
#include <QString>
#include <QtGlobal>

class QAbstractSpinBox;
class QLineEdit;

// The look shared by the kit's integer and real number fields: design values
// and the style-sheet text, which differ between the two only in the class
// name written into the style sheet.
class SpinBoxLook
{
public:
    SpinBoxLook();

    // Fixes size, font and text margins of `box` for `scale`.
    void Apply(QAbstractSpinBox *box, QLineEdit *edit, qreal baseWidth, qreal baseHeight,
               qreal scale) const;
    QString StyleSheet(const QString &className, qreal scale) const;

    QMargins m_textMargins;
    qreal m_borderRadius;
    qreal m_borderWidth;
    qreal m_buttonWidth; // of the up and down buttons, unscaled
    QString m_textColor;
    QString m_backgroundColor;
    QString m_borderColor;
    QString m_upImage;
    QString m_downImage;
    QFont m_font;
};

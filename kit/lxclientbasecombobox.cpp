#include "lxclientbasecombobox.h"

#include "hostwindow.h"
#include "icolorconfig.h"
#include "ifontconfig.h"
#include "resourcepath.h"
#include "scaledlength.h"

#include <QLineEdit>
#include <QListView>

LxClientBaseComboBox::LxClientBaseComboBox(QWidget *parent)
    : QComboBox(parent), m_padding(10, 0, 0, 0),
      m_font(GetFont()), m_colors{GetColor(2), GetColor(3), GetColor(4),  GetColor(0),
                                  GetColor(2), GetColor(4), GetColor(15), GetColor(16)},
      m_lengths{2, 5, 16, 2, 5, 35}
{
    m_baseWidth = 200;
    m_baseHeight = 35;
    setEditable(true);
    lineEdit()->setReadOnly(true);
    ConnectLineEdit();
    setView(new QListView(this));
    // A list this long still fits a screen; longer ones scroll.
    setMaxVisibleItems(16);
}

LxClientBaseComboBox::~LxClientBaseComboBox() = default;

void LxClientBaseComboBox::ConnectLineEdit()
{
    if (m_lineEditConnected || !lineEdit())
        return;
    connect(lineEdit(), &QLineEdit::textChanged, this, &LxClientBaseComboBox::ShowTextStart);
    m_lineEditConnected = true;
}

void LxClientBaseComboBox::ShowTextStart()
{
    // A long item would otherwise show its end; the beginning says more.
    if (QLineEdit *edit = lineEdit())
        edit->home(false);
}

void LxClientBaseComboBox::showPopup()
{
    QComboBox::showPopup();
    QWidget *popup = view()->window();
    if (popup == window() || !window()->graphicsProxyWidget() || count() == 0)
        return;
    // Qt placed the list from the hidden panel's origin; place it again from
    // where the box really is on screen.
    const QRect anchor = GlobalRect(this);
    const int rows = qMin(count(), maxVisibleItems());
    const int frame = popup->height() - view()->viewport()->height();
    const QSize wanted(qMax(popup->width(), anchor.width()),
                       frame + rows * view()->sizeHintForRow(0));
    popup->setGeometry(PopupRect(anchor, wanted, AvailableAreaAt(anchor.center())));
    view()->scrollTo(view()->currentIndex());
}

void LxClientBaseComboBox::SetEditable(bool editable)
{
    if (!editable && lineEdit() && m_lineEditConnected)
        disconnect(lineEdit(), &QLineEdit::textChanged, this, &LxClientBaseComboBox::ShowTextStart);
    // Turning editing off deletes the line edit, and its connection with it,
    // so the flag must not survive: a later line edit needs a new connection.
    if (!editable)
        m_lineEditConnected = false;
    setEditable(editable);
    if (editable && lineEdit()) {
        lineEdit()->setReadOnly(true);
        ConnectLineEdit();
    }
}

void LxClientBaseComboBox::SetColors(const QColor &border, const QColor &borderHoverFocus,
                                     const QColor &background, const QColor &text)
{
    m_colors[0] = ColorToString(border);
    m_colors[1] = ColorToString(borderHoverFocus);
    m_colors[2] = ColorToString(background);
    m_colors[3] = ColorToString(text);
}

void LxClientBaseComboBox::SetBorderMetrics(qreal borderWidth, qreal borderRadius,
                                            qreal dropDownWidth)
{
    m_lengths[0] = borderWidth;
    m_lengths[1] = borderRadius;
    m_lengths[2] = dropDownWidth;
}

void LxClientBaseComboBox::SetFont(const QFont &font)
{
    m_font = font;
}

void LxClientBaseComboBox::SetScale(qreal scale)
{
    ApplyFixedSize(this, m_baseWidth, m_baseHeight, scale);
    const QFont font = ScaledFont(m_font, scale);
    setFont(font);
    if (QLineEdit *edit = lineEdit()) {
        edit->setTextMargins(
            RoundedLength(m_padding.left() * scale), RoundedLength(m_padding.top() * scale),
            RoundedLength(m_padding.right() * scale), RoundedLength(m_padding.bottom() * scale));
        edit->setFont(font);
    }
    UpdateStyleSheet(scale);
    // An empty sheet set again would only make the list take its style
    // from the box once more, which the box's new sheet has just done.
    if (!view()->styleSheet().isEmpty())
        view()->setStyleSheet(QString());
    view()->setFont(font);
    ScaleKitChildren(this, scale, "LxClientBaseComboBox::SetScale 143");
}

void LxClientBaseComboBox::UpdateStyleSheet(qreal scale)
{
    const QList<qreal> &L = m_lengths;
    const QStringList &C = m_colors;
    QString style = QString("QComboBox{border:%1px solid %3;border-radius:%2px;background:%4;}")
                        .arg(L.at(0) * scale)
                        .arg(L.at(1) * scale)
                        .arg(C.at(0), C.at(2));
    if (!isEditable())
        style += QString("QComboBox{padding: %1px %2px %3px %4px;}")
                     .arg(m_padding.top() * scale)
                     .arg(m_padding.right() * scale)
                     .arg(m_padding.bottom() * scale)
                     .arg(m_padding.left() * scale);
    style += QString("QComboBox:hover,QComboBox:focus{border:%1px solid %2;}")
                 .arg(L.at(0) * scale)
                 .arg(C.at(1));
    style += QString("QComboBox::drop-down{subcontrol-origin: padding;subcontrol-position: top "
                     "right;outline: 0px;border:0px;width: %1px;}")
                 .arg(L.at(2) * scale);
    style += QString("QComboBox::down-arrow{width: %1px;height: %1px;image: url(%2);border: 0px;}")
                 .arg(L.at(2) * scale)
                 .arg(GetResourcePath("playback/TimeDown", Png, true));
    style += QString("QComboBox QAbstractItemView{background-color:%1;outline: 0px;border: %2px "
                     "solid %3;border-radius: %4px;}")
                 .arg(C.at(5))
                 .arg(L.at(3) * scale)
                 .arg(C.at(4))
                 .arg(L.at(4) * scale);
    style +=
        QString("QComboBox QAbstractItemView:item{height:%1px;outline: 0px;}").arg(L.at(5) * scale);
    style += QString("QComboBox QAbstractItemView::item:selected,QComboBox "
                     "QAbstractItemView::item:hover{color:%1;background:%2}")
                 .arg(C.at(6), C.at(7));
    style += QString("QComboBox:enabled{color:%1;}").arg(C.at(3));
    setStyleSheet(style);
    if (QLineEdit *edit = lineEdit())
        edit->setStyleSheet(
            QString("border-radius:%1px;background: %2").arg(L.at(0) * scale).arg(C.at(2)));
}

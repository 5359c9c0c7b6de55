#include "lxdialogbasetitlebar.h"

#include "icolorconfig.h"
#include "iwidgetbase.h"
#include "lxclientbaselabel.h"
#include "lxclienttoolbutton.h"
#include "resourcepath.h"
#include "scaledlength.h"

#include <QHBoxLayout>
#include <QMouseEvent>

LxDialogBaseTitleBar::LxDialogBaseTitleBar(QWidget *parent)
    : QFrame(parent), m_labIcon(new LxClientBaseLabel(this)),
      m_labTitle(new LxClientBaseLabel(this)), m_btnClose(new LxClientToolButton(this))
{
    m_labIcon->setObjectName("m_labIcon");
    m_labTitle->setObjectName("m_labTitle");
    m_btnClose->setObjectName("m_btnClose");

    m_labIcon->SetImage(GetResourcePath("common/CustomDialog/info", Png, true));

    m_btnClose->SetIcon(GetResourcePath("common/CustomDialog/dialog-closebutton", Png, true));
    m_btnClose->SetBaseWidth(16);
    m_btnClose->SetBaseHeight(16);
    m_btnClose->SetIconSize(QSizeF(16, 16));
    m_btnClose->SetBackgroundColors(QColor(Qt::transparent));
    m_btnClose->SetMargins(0, 0);

    m_labTitle->SetBaseHeight(28);
    m_labTitle->setAlignment(Qt::AlignCenter);
    m_labTitle->SetTextColor(QColor(GetColor(51)));

    // The icon and the close button sit at the two ends of the title label,
    // so the title text is centred over the whole bar.
    m_innerLayout = new QHBoxLayout(m_labTitle);
    m_innerLayout->addWidget(m_labIcon);
    m_innerLayout->addStretch(1);
    m_innerLayout->addWidget(m_btnClose);
    m_innerLayout->setContentsMargins(2, 0, 5, 0);
    m_innerLayout->setSpacing(0);

    m_outerLayout = new QHBoxLayout(this);
    m_outerLayout->addWidget(m_labTitle);
    m_outerLayout->setContentsMargins(0, 0, 0, 0);
    m_outerLayout->setSpacing(0);

    connect(m_btnClose, &QToolButton::clicked, this, &LxDialogBaseTitleBar::closeRequest);
}

LxDialogBaseTitleBar::~LxDialogBaseTitleBar() = default;

void LxDialogBaseTitleBar::SetIconVisible(bool visible)
{
    m_labIcon->setVisible(visible);
}

void LxDialogBaseTitleBar::SetCloseButtonVisible(bool visible)
{
    m_btnClose->setVisible(visible);
}

void LxDialogBaseTitleBar::SetScale(qreal scale)
{
    setFixedHeight(TruncatedLength(29 * scale));
    const QList<QWidget *> descendants = findChildren<QWidget *>();
    for (QWidget *widget : descendants) {
        if (IWidgetBase *kit = qobject_cast<IWidgetBase *>(widget))
            kit->SetScale(scale);
    }
    m_innerLayout->setContentsMargins(TruncatedLength(2 * scale), 0, TruncatedLength(5 * scale), 0);
}

void LxDialogBaseTitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_lastPos = event->globalPos();
        m_dragging = true;
    }
    // The window under the bar sees the event as well.
    event->ignore();
}

void LxDialogBaseTitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        m_currentPos = event->globalPos();
        emit moveWindowRequest(m_currentPos - m_lastPos);
        m_lastPos = m_currentPos;
    }
    event->ignore();
}

void LxDialogBaseTitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    event->ignore();
}

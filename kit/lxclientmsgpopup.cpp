#include "lxclientmsgpopup.h"

#include "hostwindow.h"
#include "icolorconfig.h"
#include "lxclientbaselabel.h"
#include "lxdialogbasetitlebar.h"
#include "resourcepath.h"
#include "scaledlength.h"
#include "screenscale.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPropertyAnimation>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

LxClientMsgPopup *LxClientMsgPopup::GetInstance()
{
    // Never deleted on purpose: it lives until the process ends. Should a
    // caller delete it anyway, the next call builds a new one.
    static QPointer<LxClientMsgPopup> instance;
    if (!instance)
        instance = new LxClientMsgPopup();
    return instance;
}

LxClientMsgPopup::LxClientMsgPopup(QWidget *parent) : QDialog(parent)
{
    BuildForm();

    m_baseWidth = 220;
    m_baseHeight = 165;
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);

    m_LabText->SetBaseWidth(160);
    m_LabText->SetBaseHeight(0);
    m_LabText->setAlignment(Qt::AlignCenter);
    m_LabText->setWordWrap(true);
    m_LabText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                       Qt::LinksAccessibleByKeyboard);

    m_TitleBar->SetIconVisible(false);

    SetBackgroundColor(QColor(GetColor(101)));

    m_LabImg->SetImage(GetResourcePath("common/CustomDialog/success", Png, true));
    m_LabText->SetTextColor(QColor(GetColor(102)));
    SetTitleBarColors(QColor(GetColor(104)), QColor(GetColor(106)));

    m_slideAnimation = new QPropertyAnimation(this, "geometry", this);
    m_slideAnimation->setDuration(200);
    m_fadeAnimation = new QPropertyAnimation(this, "windowOpacity", this);
    m_fadeAnimation->setDuration(1000);
    m_fadeAnimation->setStartValue(1.0);
    m_fadeAnimation->setEndValue(0.0);

    connect(m_TitleBar, &LxDialogBaseTitleBar::closeRequest, this, &LxClientMsgPopup::ClosePopup);
    connect(m_timer, &QTimer::timeout, this, &LxClientMsgPopup::OnTick);

    setWindowFlags(Qt::ToolTip);
}

LxClientMsgPopup::~LxClientMsgPopup()
{
    if (isVisible()) {
        StopCountdown();
        close();
    }
}

void LxClientMsgPopup::BuildForm()
{
    if (objectName().isEmpty())
        setObjectName("LxClientMsgPopup");
    resize(220, 165);
    setWindowTitle(QCoreApplication::translate("LxClientMsgPopup", "Dialog"));

    m_MainLayout = new QVBoxLayout(this);
    m_MainLayout->setObjectName("m_MainLayout");
    m_MainLayout->setSpacing(10);
    m_MainLayout->setContentsMargins(0, 0, 0, 10);

    m_TitleBar = new LxDialogBaseTitleBar(this);
    m_TitleBar->setObjectName("m_TitleBar");
    m_TitleBar->setFrameShape(QFrame::StyledPanel);
    m_TitleBar->setFrameShadow(QFrame::Raised);
    m_MainLayout->addWidget(m_TitleBar);

    const auto spacer = [] {
        return new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    };

    m_horizontalLayout = new QHBoxLayout();
    m_horizontalLayout->setObjectName("horizontalLayout");
    m_horizontalLayout->setSpacing(6);
    m_horizontalLayout->addItem(spacer());
    m_LabImg = new LxClientBaseLabel(this);
    m_LabImg->setObjectName("m_LabImg");
    m_horizontalLayout->addWidget(m_LabImg);
    m_horizontalLayout->addItem(spacer());
    m_MainLayout->addLayout(m_horizontalLayout);

    m_TextLayout = new QHBoxLayout();
    m_TextLayout->setObjectName("m_TextLayout");
    m_TextLayout->setSpacing(6);
    m_TextLayout->addItem(spacer());
    m_LabText = new LxClientBaseLabel(this);
    m_LabText->setObjectName("m_LabText");
    m_TextLayout->addWidget(m_LabText);
    m_TextLayout->addItem(spacer());
    m_MainLayout->addLayout(m_TextLayout);

    m_LabImg->setText(QString());
    m_LabText->setText(QString());

    QMetaObject::connectSlotsByName(this);
}

void LxClientMsgPopup::SetText(const QString &text)
{
    m_text = text;
    m_LabText->SetText(text);
}

void LxClientMsgPopup::SetImage(const QString &path)
{
    m_LabImg->SetImage(path);
    // Once scaled, a picture of another size must not wait for a screen
    // change to get its scaled size.
    if (!SameScale(m_scale, 0.1))
        m_LabImg->SetScale(m_scale);
}

void LxClientMsgPopup::SetShowSeconds(quint8 seconds)
{
    m_showSeconds = seconds;
}

void LxClientMsgPopup::SetBackgroundColor(const QColor &color)
{
    setStyleSheet(QString("QDialog{background: %1}").arg(ColorToString(color)));
}

void LxClientMsgPopup::SetTextColor(const QColor &color)
{
    m_LabText->SetTextColor(color);
    m_LabText->UpdateStyleSheet(m_scale);
}

void LxClientMsgPopup::SetTitleBarColors(const QColor &background, const QColor &text)
{
    m_TitleBar->setStyleSheet(
        QString("LxDialogBaseTitleBar{background: %1}").arg(ColorToString(background)));
    m_TitleBar->GetTitleLabel()->SetTextColor(text);
    m_TitleBar->GetTitleLabel()->UpdateStyleSheet(m_scale);
}

void LxClientMsgPopup::SetCloseButtonVisible(bool visible)
{
    m_TitleBar->SetCloseButtonVisible(visible);
}

void LxClientMsgPopup::SetKeepClear(QWidget *widget)
{
    m_keepClear = widget;
}

void LxClientMsgPopup::StopCountdown()
{
    m_timer->stop();
    if (m_fadeAnimation->state() == QAbstractAnimation::Running)
        m_fadeAnimation->stop();
}

void LxClientMsgPopup::ShowPopup()
{
    // Showing again restarts from the beginning. The countdown is stopped
    // even when the pop-up was hidden by other means, so no stale tick can
    // close the new notice.
    const bool wasVisible = isVisible();
    StopCountdown();
    if (wasVisible)
        close();
    if (m_showSeconds > 1) {
        m_tick = 0;
        m_timer->start();
    }
    setWindowOpacity(1.0);
    show();
}

void LxClientMsgPopup::ClosePopup()
{
    StopCountdown();
    close();
}

void LxClientMsgPopup::OnTick()
{
    ++m_tick;
    if (m_tick == m_showSeconds - 1)
        m_fadeAnimation->start();
    if (m_tick == m_showSeconds) {
        StopCountdown();
        close();
    }
}

void LxClientMsgPopup::showEvent(QShowEvent *event)
{
    const QPoint cursor = QCursor::pos();
    QScreen *screen = nullptr;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *candidate : screens) {
        if (candidate->availableGeometry().contains(cursor)) {
            screen = candidate;
            break;
        }
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();

    const qreal bucket = ScreenScaleOf(screen, true);
    if (bucket != 0 && !SameScale(bucket, m_scale)) {
        m_scale = bucket;
        SetScale(bucket);
    }

    m_LabText->setToolTip(QString());
    // Box layouts cache their height for a width, and invalidating the main
    // layout does not reach the nested ones; without this a new text or scale
    // would be measured with the old label.
    m_horizontalLayout->invalidate();
    m_TextLayout->invalidate();
    m_MainLayout->invalidate();
    adjustSize();

    if (screen) {
        const QRect area = screen->availableGeometry();
        const int w = width();
        const int h = height();
        // The gap of one scale at the right edge is taken before dropping the
        // fraction, so a scale of 1.5 leaves two pixels (toward zero on
        // screens left of the origin).
        int x = static_cast<int>(std::trunc(area.left() + area.width() - w - m_scale));
        const int bottom = area.top() + area.height();
        if (m_keepClear && m_keepClear->isVisible()) {
            const QRect clear = GlobalRect(m_keepClear);
            if (clear.intersects(QRect(x, bottom - h, w, h)))
                x = std::max(area.left(), clear.left() - w - TruncatedLength(10 * m_scale));
        }
        m_slideAnimation->setStartValue(QRect(x, bottom, w, h));
        m_slideAnimation->setEndValue(QRect(x, bottom - h, w, h));
        m_slideAnimation->start();
    }

    QDialog::showEvent(event);
}

void LxClientMsgPopup::enterEvent(QEvent *event)
{
    StopCountdown();
    setWindowOpacity(1.0);
    activateWindow();
    QDialog::enterEvent(event);
}

void LxClientMsgPopup::leaveEvent(QEvent *event)
{
    // A pop-up closed while the cursor was over it must not count again.
    if (m_showSeconds > 1 && isVisible()) {
        m_tick = 0;
        m_timer->start();
    }
    QDialog::leaveEvent(event);
}

void LxClientMsgPopup::SetScale(qreal scale)
{
    m_LabImg->SetScale(scale);
    m_LabText->SetScale(scale);
    m_TitleBar->SetScale(scale);
    m_MainLayout->setSpacing(TruncatedLength(10 * scale));
    m_MainLayout->setContentsMargins(0, 0, 0, TruncatedLength(10 * scale));
    setFixedWidth(TruncatedLength(220 * scale));
    setMinimumHeight(TruncatedLength(165 * scale));
}

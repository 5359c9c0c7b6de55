#pragma once

#include "iwidgetbase.h"

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QString>

class LxClientBaseLabel;
class LxDialogBaseTitleBar;
class QHBoxLayout;
class QPropertyAnimation;
class QTimer;
class QVBoxLayout;

// The program's notice window: it slides up at the bottom-right corner of the
// screen that holds the cursor, shows a picture and a text, counts down its
// display time, fades out during the last second and closes. While the cursor
// is over it, it stays. One instance serves the whole program.
class LxClientMsgPopup : public QDialog, public IWidgetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase)

public:
    static LxClientMsgPopup *GetInstance();

    explicit LxClientMsgPopup(QWidget *parent = nullptr);
    ~LxClientMsgPopup() override;

    void SetText(const QString &text);
    QString GetText() const { return m_text; }
    void SetImage(const QString &path);
    // 0 or 1 keeps the pop-up open until it is closed.
    void SetShowSeconds(quint8 seconds);
    void SetBackgroundColor(const QColor &color);
    void SetTextColor(const QColor &color);
    void SetTitleBarColors(const QColor &background, const QColor &text);
    void SetCloseButtonVisible(bool visible);
    // A widget the pop-up must never cover, such as the button the user
    // needs next; the pop-up then stands beside it, to its left.
    void SetKeepClear(QWidget *widget);

    void SetScale(qreal scale) override;

public slots:
    void ShowPopup();
    void ClosePopup();

protected:
    void showEvent(QShowEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private slots:
    void OnTick();

private:
    void BuildForm();
    void StopCountdown();

    QVBoxLayout *m_MainLayout = nullptr;
    LxDialogBaseTitleBar *m_TitleBar = nullptr;
    QHBoxLayout *m_horizontalLayout = nullptr;
    LxClientBaseLabel *m_LabImg = nullptr;
    QHBoxLayout *m_TextLayout = nullptr;
    LxClientBaseLabel *m_LabText = nullptr;

    // A value no screen yields, so the first show always scales.
    qreal m_scale = 0.1;
    quint8 m_tick = 0;
    quint8 m_showSeconds = 6;
    QTimer *m_timer = nullptr;
    QString m_text;
    QPointer<QWidget> m_keepClear;
    QPropertyAnimation *m_slideAnimation = nullptr;
    QPropertyAnimation *m_fadeAnimation = nullptr;
};

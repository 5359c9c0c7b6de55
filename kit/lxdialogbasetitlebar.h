#pragma once

#include <QFrame>
#include <QPoint>

class LxClientBaseLabel;
class LxClientToolButton;
class QHBoxLayout;

// The title bar that the kit's dialogs draw themselves: an icon, a centred
// title and a close button. It reports the close button and mouse drags as
// signals and lets every mouse event through to the window, which moves
// itself.
class LxDialogBaseTitleBar : public QFrame
{
    Q_OBJECT

public:
    explicit LxDialogBaseTitleBar(QWidget *parent = nullptr);
    ~LxDialogBaseTitleBar() override;

    void SetIconVisible(bool visible);
    void SetCloseButtonVisible(bool visible);
    void SetScale(qreal scale);

    LxClientBaseLabel *GetTitleLabel() const { return m_labTitle; }
    LxClientBaseLabel *GetIconLabel() const { return m_labIcon; }
    LxClientToolButton *GetCloseButton() const { return m_btnClose; }

signals:
    void closeRequest();
    // `point` is the cursor movement since the last report.
    void moveWindowRequest(QPoint point);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    LxClientBaseLabel *m_labIcon;
    LxClientBaseLabel *m_labTitle;
    LxClientToolButton *m_btnClose;
    QHBoxLayout *m_outerLayout;
    QHBoxLayout *m_innerLayout;
    bool m_dragging = false;
    QPoint m_lastPos;
    QPoint m_currentPos;
};

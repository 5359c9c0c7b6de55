#include "previewpanel.h"

#include "aboutwidget.h"
#include "custommenubar.h"
#include "languagetable.h"
#include "painterwidget.h"
#include "samplecameras.h"
#include "screenscale.h"

#include <QVBoxLayout>

PreviewPanel::PreviewPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Widget"));
    setMinimumSize(1280, 720);
    resize(1354, 720);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_menuBar = new customMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("m_menuBar"));
    m_menuBar->SetBackgroundColor(QColor(46, 58, 72, 255));
    m_menuBar->SetBaseHeight(40);
    m_menuBar->initTitleBar(true);
    layout->addWidget(m_menuBar);

    m_painterWidget = new painterWidget(this);
    m_painterWidget->setObjectName(QStringLiteral("m_painterWidget"));
    m_painterWidget->setSceneParams(SampleCameras::lanes());
    layout->addWidget(m_painterWidget, 1);

    QPalette white = palette();
    white.setBrush(QPalette::Window, QBrush(Qt::white));
    setPalette(white);
    setAutoFillBackground(true);

    m_aboutWidget = new aboutWidget;
    connect(m_menuBar, &customMenuBar::aboutReq, this, [this] {
        if (m_aboutWidget->isHidden())
            m_aboutWidget->show();
    });

    setWindowFlags(Qt::FramelessWindowHint);
}

PreviewPanel::~PreviewPanel()
{
    m_aboutWidget->deleteLater();
    releaseLanguageTable();
}

void PreviewPanel::moveEvent(QMoveEvent *event)
{
    const qreal scale = GetScreenScale(this);
    if (qAbs(scale) > 1e-12 && !qFuzzyCompare(scale, m_scale)) {
        m_scale = scale;
        SetScale(scale);
    }
    QWidget::moveEvent(event);
}

void PreviewPanel::SetScale(qreal scale)
{
    setMinimumSize(qRound(1280 * scale), qRound(720 * scale));
    m_menuBar->SetScale(scale);
}

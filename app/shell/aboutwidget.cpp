#include "aboutwidget.h"
#include "ui_aboutwidget.h"

#include "fenwardeversion.h"
#include "languagetable.h"
#include "scaledlength.h"
#include "screenscale.h"
#include "textid.h"

#include <QApplication>
#include <QMoveEvent>
#include <QScreen>

aboutWidget::aboutWidget(QWidget *parent)
    : LxClientBaseWidget(parent), ui(std::make_unique<Ui::aboutWidget>())
{
    ui->setupUi(this);
    // The notice names the toolkit version the program really runs on.
    ui->m_labillustrate->setText(ui->m_labillustrate->text().arg(QLatin1String(qVersion())));

    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);

    ui->m_menuBar->SetBackgroundColor(QColor(46, 58, 77));
    ui->m_menuBar->SetBaseHeight(30);
    ui->m_menuBar->initTitleBar(false);
    ui->m_menuBar->setMinButtonVisible(false);
    ui->m_menuBar->setIconVisible(false);

    ui->m_labIcon->SetImage(QStringLiteral(":/res/fenwarde.png"));
    ui->m_labIcon->SetBaseWidth(160);
    ui->m_labIcon->SetBaseHeight(40);

    const struct {
        LxClientBaseLabel *label;
        QString text;
    } labels[] = {{ui->m_lab1, languageText(TextId::AboutName)},
                  {ui->m_lab2, languageText(TextId::AboutVersion)},
                  {ui->m_lab3, languageText(TextId::Separator)},
                  {ui->m_lab4, languageText(TextId::Separator)},
                  {ui->m_labName, languageText(TextId::ProgramName)},
                  {ui->m_labVersion, QStringLiteral("V" FENWARDE_VERSION)}};
    for (const auto &entry : labels) {
        entry.label->SetFontPixelSize(12);
        entry.label->SetBaseHeight(20);
        entry.label->SetTextColor(Qt::black);
        entry.label->SetText(entry.text);
    }

    ui->m_labillustrate->SetFontPixelSize(12);
    ui->m_labillustrate->SetBaseHeight(40);
    ui->m_labillustrate->SetTextColor(Qt::black);

    SetBackgroundColor(QColor(126, 138, 147));
    SetBaseWidth(400);
    SetBaseHeight(180);
}

aboutWidget::~aboutWidget() = default;

void aboutWidget::SetScale(qreal scale)
{
    const int width = TruncatedLength(GetBaseWidth());
    const int height = TruncatedLength(GetBaseHeight());
    setFixedSize(RoundedLength(width * scale), RoundedLength(height * scale));
    ScaleKitChildren(this, scale, "aboutWidget::SetScale");
}

void aboutWidget::moveEvent(QMoveEvent *event)
{
    const qreal scale = GetScreenScale(this);
    if (scale != 0 && !SameScale(scale, m_scale)) {
        m_scale = scale;
        SetScale(scale);
    }
    LxClientBaseWidget::moveEvent(event);
}

// Window systems without a window manager leave a new window at the desktop
// origin; the first showing centres the dialog over the program's window.
void aboutWidget::showEvent(QShowEvent *event)
{
    LxClientBaseWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    QRect area;
    if (const QWidget *active = QApplication::activeWindow(); active && active != this)
        area = active->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
}

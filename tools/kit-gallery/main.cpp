// kit-gallery [--scale 1|1.5|2]: shows each styled control of the kit and the
// message pop-up at the given scale.

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "iwidgetbase.h"
#include "lxclientbasecombobox.h"
#include "lxclientbasedoublespinbox.h"
#include "lxclientbaselabel.h"
#include "lxclientbasespinbox.h"
#include "lxclienticonpushbtn.h"
#include "lxclientmsgpopup.h"
#include "lxclientscrollbar.h"
#include "lxclienttoolbutton.h"
#include "lxdialogbasetitlebar.h"
#include "resourcepath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace
{

const QColor kCaptionColor(80, 80, 80);
const QColor kSlate(46, 58, 72);
const QColor kCyan(1, 185, 209);
// Design sizes of the gallery's inputs and of its scrolled list.
constexpr qreal kInputWidth = 180;
const QSize kScrollAreaSize(180, 110);

LxClientBaseLabel *Caption(const QString &text, QWidget *parent)
{
    auto *label = new LxClientBaseLabel(parent);
    QFont font = GetFont();
    font.setPixelSize(13);
    label->SetFont(font);
    label->SetTextColor(kCaptionColor);
    label->SetBaseHeight(30);
    label->SetText(text);
    return label;
}

LxClientBaseComboBox *ComboBox(QWidget *parent, bool editable)
{
    auto *combo = new LxClientBaseComboBox(parent);
    combo->addItems({"1/3''", "1/2.7''", "1/2.8''", "1/1.8'' wide-angle sensor format"});
    combo->SetBaseWidth(kInputWidth);
    combo->SetBaseHeight(35);
    if (!editable) {
        combo->SetEditable(false);
        combo->SetBorderMetrics(1, 2, 20);
        combo->SetColors(QColor(GetColor(85)), QColor(GetColor(85)), QColor(GetColor(4)),
                         QColor(GetColor(0)));
    }
    return combo;
}

QWidget *IconButtonStrip(QWidget *parent)
{
    // The header buttons as the title bar shows them, on its dark slate.
    auto *strip = new QWidget(parent);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, kSlate);
    strip->setPalette(palette);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(8, 4, 8, 4);
    for (const char *name : {"help", "mini", "max", "restore", "close"}) {
        auto *button = new LxClientIconPushBtn(strip);
        button->SetBaseWidth(15);
        button->SetBaseHeight(15);
        button->SetBackgroundColors(kSlate, kSlate, QColor(), QColor());
        button->SetTextColors(QColor(178, 183, 194), kCyan, kCyan, QColor(GetColor(6)));
        button->SetMetrics(5, 5, 0, 0);
        button->SetIcon(QString(":/res/darkgreen/png/home/Header/%1.svg").arg(name));
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return strip;
}

QWidget *BuildGallery(LxDialogBaseTitleBar **titleBar)
{
    auto *window = new QWidget;
    window->setWindowFlags(Qt::FramelessWindowHint);
    window->setObjectName("gallery");
    window->setStyleSheet("QWidget#gallery{background: #ffffff;}");
    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *bar = new LxDialogBaseTitleBar(window);
    bar->setStyleSheet(QString("LxDialogBaseTitleBar{background: %1}").arg(ColorToString(kSlate)));
    bar->GetTitleLabel()->SetTextColor(kCyan);
    bar->GetTitleLabel()->SetText("Kit gallery");
    bar->SetIconVisible(false);
    QObject::connect(bar, &LxDialogBaseTitleBar::moveWindowRequest, window,
                     [window](QPoint delta) { window->move(window->pos() + delta); });
    QObject::connect(bar, &LxDialogBaseTitleBar::closeRequest, qApp, &QApplication::quit);
    outer->addWidget(bar);
    *titleBar = bar;

    // Two independent columns of captioned controls, so that even at scale 2
    // the whole gallery fits a 1280 x 800 screen and the inputs stay clear of
    // the pop-up in the bottom-right corner.
    auto *body = new QWidget(window);
    auto *columns = new QHBoxLayout(body);
    columns->setContentsMargins(20, 12, 20, 16);
    columns->setSpacing(32);
    outer->addWidget(body);

    QGridLayout *grid = nullptr;
    int row = 0;
    const auto newColumn = [&] {
        grid = new QGridLayout;
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(8);
        columns->addLayout(grid);
        row = 0;
    };
    const auto addRow = [&](const QString &caption, QWidget *control) {
        grid->addWidget(Caption(caption, body), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(control, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        grid->setRowStretch(row + 1, 1);
        grid->setRowStretch(row, 0);
        ++row;
    };

    newColumn();
    auto *text = new LxClientBaseLabel(body);
    text->SetText("Near edge L1: 3.42 m");
    text->SetTextColor(kCyan);
    addRow("Label", text);

    auto *pictures = new QWidget(body);
    auto *pictureRow = new QHBoxLayout(pictures);
    pictureRow->setContentsMargins(0, 0, 0, 0);
    for (const QString &path : {GetResourcePath("common/CustomDialog/success", Png, true),
                                GetResourcePath("common/CustomDialog/failed", Svg, true),
                                GetResourcePath("common/CustomDialog/info", Svg, true)}) {
        auto *picture = new LxClientBaseLabel(pictures);
        picture->SetImage(path);
        pictureRow->addWidget(picture);
    }
    pictureRow->addStretch(1);
    addRow("Pictures", pictures);

    auto *exportButton = new LxClientIconPushBtn(body);
    QFont bold = GetFont();
    bold.setPixelSize(13);
    bold.setWeight(QFont::Bold);
    exportButton->SetFont(bold);
    exportButton->SetBaseWidth(150);
    exportButton->SetBackgroundColors(kCyan, QColor(1, 170, 193), QColor(1, 170, 193),
                                      QColor(1, 170, 193));
    exportButton->SetTextColors(Qt::white, Qt::white, Qt::white, QColor(GetColor(6)));
    exportButton->setText("Export report");
    addRow("Push button", exportButton);

    auto *defaultButton = new LxClientIconPushBtn(body);
    defaultButton->SetBaseWidth(150);
    defaultButton->setText("Default colours");
    addRow("Kit colours", defaultButton);

    addRow("Icon buttons", IconButtonStrip(body));

    auto *reset = new LxClientToolButton(body);
    QFont toolFont = GetFont();
    toolFont.setPixelSize(13);
    reset->SetFont(toolFont);
    reset->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    reset->SetIcon(GetResourcePath("faceID/updateGroup", Svg, true));
    reset->SetIconSize(QSizeF(20, 20));
    reset->SetBaseWidth(80);
    reset->SetBaseHeight(30);
    reset->setText("Reset");
    addRow("Tool button", reset);

    auto *scroll = new QScrollArea(body);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBar(new LxClientScrollBar(Qt::Vertical, scroll));
    scroll->setFixedSize(kScrollAreaSize);
    auto *content = new QWidget;
    content->setObjectName("scrollContent");
    content->setStyleSheet("QWidget#scrollContent{background: #ffffff;}");
    auto *contentLayout = new QVBoxLayout(content);
    for (int i = 1; i <= 12; ++i) {
        auto *line = new LxClientBaseLabel(content);
        line->SetBaseHeight(22);
        line->SetText(QString("Parameter line %1").arg(i));
        contentLayout->addWidget(line);
    }
    scroll->setWidget(content);
    addRow("Scroll bar", scroll);

    newColumn();
    addRow("Combo", ComboBox(body, false));
    addRow("Editable combo", ComboBox(body, true));

    auto *spin = new LxClientBaseSpinBox(body);
    spin->setRange(0, 45);
    spin->setValue(10);
    spin->SetBaseWidth(kInputWidth);
    spin->SetBaseHeight(35);
    addRow("Spin box", spin);

    auto *doubleSpin = new LxClientBaseDoubleSpinBox(body);
    doubleSpin->setRange(1, 400);
    doubleSpin->setDecimals(1);
    doubleSpin->setValue(6.0);
    doubleSpin->SetBaseWidth(kInputWidth);
    doubleSpin->SetBaseHeight(35);
    addRow("Double spin", doubleSpin);

    columns->addStretch(1);
    return window;
}

void ScaleTree(QWidget *root, LxDialogBaseTitleBar *bar, qreal scale)
{
    // The gallery is not a kit container, so it reaches every kit control
    // itself; the scroll area's fixed size follows by hand.
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (IWidgetBase *kit = qobject_cast<IWidgetBase *>(widget))
            kit->SetScale(scale);
        if (auto *scroll = qobject_cast<QScrollArea *>(widget))
            scroll->setFixedSize(kScrollAreaSize * scale);
    }
    bar->SetScale(scale);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Shows the styled controls of the widget kit.");
    parser.addHelpOption();
    const QCommandLineOption scaleOption("scale", "Scale factor (1, 1.5 or 2).", "factor", "1");
    const QCommandLineOption noPopup("no-popup", "Do not show the message pop-up.");
    const QCommandLineOption openList("open-list", "Open the first combo box's list.");
    parser.addOption(scaleOption);
    parser.addOption(noPopup);
    parser.addOption(openList);
    parser.process(app);

    bool ok = false;
    const qreal scale = parser.value(scaleOption).toDouble(&ok);
    if (!ok || !(scale >= 0.5 && scale <= 3)) {
        std::fprintf(stderr, "kit-gallery: --scale needs a number from 0.5 to 3\n");
        return 2;
    }

    LxDialogBaseTitleBar *bar = nullptr;
    QWidget *window = BuildGallery(&bar);
    ScaleTree(window, bar, scale);
    window->adjustSize();
    window->move(20, 20);
    window->show();

    if (!parser.isSet(noPopup)) {
        LxClientMsgPopup *popup = LxClientMsgPopup::GetInstance();
        popup->SetTitleBarColors(QColor(46, 58, 77), kCyan);
        popup->SetBackgroundColor(Qt::white);
        popup->SetTextColor(Qt::black);
        popup->SetShowSeconds(0);
        popup->SetImage(GetResourcePath("common/CustomDialog/success", Png, true));
        popup->SetText("The report was exported.");
        popup->SetScale(scale);
        popup->ShowPopup();
    }

    if (parser.isSet(openList)) {
        if (auto *combo = window->findChild<LxClientBaseComboBox *>())
            QTimer::singleShot(300, combo, &QComboBox::showPopup);
    }

    const int result = app.exec();
    delete window;
    return result;
}

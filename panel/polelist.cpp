#include "polelist.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "languagetable.h"
#include "lxclientbaselabel.h"
#include "lxclienttoolbutton.h"
#include "scaledlength.h"
#include "textid.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace
{

// Design sizes at scale 1: a caption line over the list, with the column of
// buttons at its right as high as the list.
constexpr qreal CaptionHeight = 20;
constexpr qreal ButtonSize = 26;
constexpr int ButtonGap = 4;
constexpr qreal ListHeight = 4 * ButtonSize + 3 * ButtonGap;
constexpr int Spacing = 6;
constexpr int BottomMargin = 8;

QFont kitFont(int pixelSize)
{
    QFont font = GetFont();
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

PoleList::PoleList(QWidget *parent)
    : LxClientBaseWidget(parent), m_caption(new LxClientBaseLabel(this)),
      m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("m_poleList"));
    SetBackgroundColor(Qt::white);
    SetBaseHeight(CaptionHeight + Spacing + ListHeight + BottomMargin);

    m_caption->setObjectName(QStringLiteral("m_labPoles"));
    m_caption->SetFont(kitFont(13));
    m_caption->SetTextColor(QColor(80, 80, 80));
    m_caption->SetText(languageText(TextId::PoleListCaption));
    m_caption->SetBaseHeight(CaptionHeight);

    m_list->setObjectName(QStringLiteral("m_listPoles"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setStyleSheet(
        QStringLiteral("QListWidget{border: 1px solid %1; color: %2; background: white;}"
                       "QListWidget::item:selected{background: rgb(1, 130, 147); color: white;}")
            .arg(GetColor(85), GetColor(0)));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            emit poleChosen(row);
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &PoleList::renameRequested);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(ButtonGap);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(addButton(TextId::PoleAdd, "add", &PoleList::addRequested));
    buttons->addWidget(addButton(TextId::PoleRename, "rename", &PoleList::renameRequested));
    m_remove = addButton(TextId::PoleRemove, "remove", &PoleList::removeRequested);
    buttons->addWidget(m_remove);
    buttons->addWidget(addButton(TextId::SiteEdit, "site", &PoleList::siteRequested));
    buttons->addStretch(1);

    auto *row = new QHBoxLayout;
    row->setSpacing(ButtonGap);
    row->addWidget(m_list, 1);
    row->addLayout(buttons);

    auto *column = new QVBoxLayout(this);
    // In line with the parameter column's controls below.
    column->setContentsMargins(30, 8, 10, BottomMargin);
    column->setSpacing(Spacing);
    column->addWidget(m_caption);
    column->addLayout(row, 1);
}

void PoleList::placeAbove(QBoxLayout *row, QWidget *column)
{
    const int at = row->indexOf(column);
    row->removeWidget(column);
    auto *stack = new QVBoxLayout;
    stack->setSpacing(0);
    stack->addWidget(this);
    stack->addWidget(column, 1);
    row->insertLayout(at, stack);
}

LxClientToolButton *PoleList::addButton(int tip, const char *icon, void (PoleList::*signal)())
{
    auto *button = new LxClientToolButton(this);
    button->setObjectName(QStringLiteral("m_btnPole_%1").arg(QLatin1String(icon)));
    button->setToolTip(languageText(tip));
    button->SetIcon(QStringLiteral(":/res/darkgreen/png/plan/%1.svg").arg(QLatin1String(icon)));
    button->SetIconSize(QSizeF(18, 18));
    button->SetBaseWidth(ButtonSize);
    button->SetBaseHeight(ButtonSize);
    button->SetBackgroundColors(Qt::white, QColor(225, 240, 243), QColor(200, 228, 233));
    connect(button, &QToolButton::clicked, this, signal);
    return button;
}

void PoleList::setPoles(const QStringList &names, int current)
{
    m_filling = true;
    m_list->clear();
    m_list->addItems(names);
    m_list->setCurrentRow(current);
    m_filling = false;
    m_remove->setEnabled(names.size() > 1);
}

int PoleList::current() const
{
    return m_list->currentRow();
}

void PoleList::SetScale(qreal scale)
{
    LxClientBaseWidget::SetScale(scale);
    m_list->setFont(ScaledFont(kitFont(13), scale));
    m_list->setFixedHeight(TruncatedLength(ListHeight * scale));
}

#include "viewchecklines.h"

#include "ifontconfig.h"
#include "lxclientbaselabel.h"
#include "painterwidget.h"
#include "viewangles.h"
#include "viewchecks.h"
#include "viewchecktexts.h"

#include <QVBoxLayout>

namespace
{

// The results' own colour, and a red that reads as well on white (6:1).
const QColor passColour(1, 130, 147);
const QColor failColour(183, 28, 28);
const QColor noteColour(80, 80, 80);

// Left as the header's other rows.
constexpr int leftMargin = 20;

} // namespace

ViewCheckLines::ViewCheckLines(QWidget *parent, const QString &guidelinesPath)
    : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_guidelines = Guidelines::load(guidelinesPath, &m_guidelinesProblem);
    setObjectName(QStringLiteral("m_viewChecks"));
    m_layout->setContentsMargins(leftMargin, 0, 0, 0);
    m_layout->setSpacing(0);
}

void ViewCheckLines::follow(const painterWidget *scene)
{
    // The scene reports its error last in every repaint, with its result set.
    connect(scene, &painterWidget::error, this,
            [this, scene] { showChecks(scene->sceneParams(), scene->sceneResult()); });
}

void ViewCheckLines::showChecks(const SceneParams &params, const SceneResult &result)
{
    const ViewAngles angles = computeViewAngles(params, result);
    const QVector<ViewCheck> checks = ViewChecks::judge(angles, m_guidelines);
    int shown = 0;
    for (const ViewCheck &check : checks)
        setLine(shown++, ViewCheckTexts::line(check), check.passed() ? passColour : failColour);
    if (!m_guidelinesProblem.isEmpty())
        setLine(shown++, ViewCheckTexts::guidelinesUnread(m_guidelinesProblem), noteColour);
    for (int i = shown; i < m_labels.size(); ++i)
        m_labels.at(i)->hide();
}

QStringList ViewCheckLines::lines() const
{
    QStringList texts;
    for (const LxClientBaseLabel *label : m_labels) {
        if (!label->isHidden())
            texts << label->GetText();
    }
    return texts;
}

void ViewCheckLines::SetScale(qreal scale)
{
    m_scale = scale;
    for (LxClientBaseLabel *label : qAsConst(m_labels))
        label->SetScale(scale);
}

void ViewCheckLines::setLine(int index, const QString &text, const QColor &colour)
{
    if (index == m_labels.size()) {
        auto *label = new LxClientBaseLabel(this);
        QFont font = GetFont();
        font.setPixelSize(14);
        label->SetFont(font);
        label->SetBaseHeight(0);
        label->setWordWrap(true);
        m_layout->addWidget(label);
        m_labels.append(label);
        m_colours.append(QColor());
    }
    LxClientBaseLabel *label = m_labels.at(index);
    // A repaint that changes nothing here restyles nothing.
    if (label->GetText() != text || m_colours.at(index) != colour) {
        label->SetText(text);
        label->SetTextColor(colour);
        m_colours[index] = colour;
        label->SetScale(m_scale);
    }
    label->show();
}

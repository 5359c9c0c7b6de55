#pragma once

#include "guidelines.h"
#include "iwidgetbase.h"

#include <QColor>
#include <QStringList>
#include <QVector>
#include <QWidget>

class LxClientBaseLabel;
class painterWidget;
class QVBoxLayout;
struct SceneParams;
struct SceneResult;

// The results header's viewing-angle checks: a line for each check of the
// plan the scene last drew, in the results' colour when it passes and in red
// when it does not, and a line when the guideline file cannot be used. The
// lines wrap within the header's width; without a band there are none. The
// guidelines are read once, when the lines are made.
class ViewCheckLines final : public QWidget, public IWidgetBase
{
    Q_OBJECT
    Q_INTERFACES(IWidgetBase)

public:
    explicit ViewCheckLines(QWidget *parent, const QString &guidelinesPath = Guidelines::path());

    // After each repaint of the scene, shows the checks of what it drew.
    void follow(const painterWidget *scene);
    void showChecks(const SceneParams &params, const SceneResult &result);

    // The texts shown, top to bottom.
    QStringList lines() const;

    void SetScale(qreal scale) override;

private:
    void setLine(int index, const QString &text, const QColor &colour);

    Guidelines m_guidelines;
    QString m_guidelinesProblem;
    QVBoxLayout *m_layout;
    QVector<LxClientBaseLabel *> m_labels;
    QVector<QColor> m_colours; // each label's
    qreal m_scale = 1.0;
};

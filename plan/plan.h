#pragma once

#include "sceneparams.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// A member of a plan file this program does not know, kept as written so a
// newer program's file loses nothing when this one saves it.
struct PlanExtra {
    QString key;
    QByteArray json;
};

// One camera pole of a site: its name, a note and the camera record the
// window shows for it.
struct PlanPole {
    QString name;
    QString note;
    SceneParams record;
    QVector<PlanExtra> extra;
};

// A site planned as a whole: its name, a note and its poles, at least one.
struct Plan {
    QString siteName;
    QString siteNote;
    QVector<PlanPole> poles;
    QVector<PlanExtra> extra;
    QVector<PlanExtra> siteExtra;
};

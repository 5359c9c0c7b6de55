#pragma once

#include <QString>
#include <QtGlobal>

// The codes the panel derives from list texts, by exact comparison with the
// language's item texts: the scenario (text 12 is the person scenario, 14 the
// capture point, anything else the vehicle lanes) and the plate type (29 and
// 30 are the first two types, anything else the third).
qint32 scenarioForText(const QString &text);
qint32 plateTypeForText(const QString &text);

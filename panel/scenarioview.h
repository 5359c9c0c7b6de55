#pragma once

#include <QtGlobal>

namespace Ui
{
class Widget;
}

// What the planning panel shows in each scenario: which controls and results
// are visible, the captions that name the pixel limits and the pole height,
// and the spacing of the results header. It sets no values.
class ScenarioView final
{
public:
    static void show(Ui::Widget &ui, qint32 scenario);
};

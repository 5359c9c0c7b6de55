#pragma once

class QWidget;

namespace Ui
{
class Widget;
}

// The look of the planning panel, written down as tables: the size, font,
// colour and text of each label, the size and colours of the input fields
// and lists, the buttons, the title bar and the shared message pop-up. Kit
// controls only store what they are given and show it at their next
// SetScale, so the looks are set once, before the panel is first scaled.
class PanelStyle final
{
public:
    static void apply(Ui::Widget &ui, QWidget *panel);
};

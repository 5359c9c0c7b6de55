#pragma once

#include "reportcontent.h"

#include <QString>

struct SceneParams;

namespace Ui
{
class Widget;
}

// The report of what the planning panel shows right now: the labels' full
// texts, the lists' current items, the fields' values and a fresh picture of
// the scene, grabbed whole. Grabbing repaints the scene, which reports its
// results once more, so warning, the scene's error text that came with its
// results, is read after the grab. The record chooses the layout.
class PanelReport final
{
public:
    static ReportContent content(const Ui::Widget &ui, const SceneParams &params,
                                 const QString &warning);
};

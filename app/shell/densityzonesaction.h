#pragma once

#include "settingsstore.h"

#include <QObject>

class QAction;

// The help menu's switch for the plan's pixel-density zones. The choice is
// written to the title bar's settings store as soon as it is made, so the
// next start shows the plan as the user left it; with nothing stored the
// zones are off and the plan looks as it always has.
class DensityZonesAction final : public QObject
{
    Q_OBJECT

public:
    DensityZonesAction(const SettingsStore &store, const QString &text, QObject *parent);

    QAction *action() const { return m_action; }
    bool isChecked() const;

    static constexpr const char *Key = "densityZones";

signals:
    void toggled(bool shown);

private:
    void remember(bool shown) const;

    SettingsStore m_store;
    QAction *m_action;
};

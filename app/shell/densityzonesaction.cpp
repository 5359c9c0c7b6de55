#include "densityzonesaction.h"

#include <QAction>
#include <QDebug>

DensityZonesAction::DensityZonesAction(const SettingsStore &store, const QString &text,
                                       QObject *parent)
    : QObject(parent), m_store(store), m_action(new QAction(text, this))
{
    m_action->setCheckable(true);
    const QVariant stored = m_store.value(QLatin1String(Key));
    m_action->setChecked(stored.userType() == QMetaType::QString &&
                         stored.toString() == QLatin1String("true"));
    connect(m_action, &QAction::toggled, this, [this](bool shown) {
        remember(shown);
        emit toggled(shown);
    });
}

bool DensityZonesAction::isChecked() const
{
    return m_action->isChecked();
}

void DensityZonesAction::remember(bool shown) const
{
    QString reason;
    const QString value = shown ? QStringLiteral("true") : QStringLiteral("false");
    if (!m_store.setValue(QLatin1String(Key), value, &reason))
        qWarning().noquote()
            << QStringLiteral("The density zones choice was not saved: %1.").arg(reason);
}

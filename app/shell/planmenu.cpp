#include "planmenu.h"

#include "icolorconfig.h"
#include "ifontconfig.h"
#include "languagetable.h"
#include "lxclienticonpushbtn.h"
#include "popupanchor.h"
#include "textid.h"

#include <QAction>
#include <QDebug>
#include <QDir>
#include <QFontMetrics>
#include <QMenu>
#include <QWidget>

namespace
{

QString recentKey(int index)
{
    return QStringLiteral("recentPlan%1").arg(index + 1);
}

// Long paths keep both ends: the folder they start in and the file's name.
constexpr int RecentWidth = 480;

} // namespace

PlanMenu::PlanMenu(const SettingsStore &store, QWidget *bar)
    : QObject(bar), m_store(store), m_button(new LxClientIconPushBtn(bar)),
      m_menu(std::make_unique<QMenu>())
{
    QFont font = GetFont();
    font.setPixelSize(14);
    m_button->setObjectName(QStringLiteral("m_btnPlan"));
    m_button->SetFont(font);
    m_button->setText(languageText(TextId::PlanMenu));
    m_button->SetBackgroundColors(QColor(46, 58, 72), QColor(75, 88, 99), QColor(), QColor());
    m_button->SetTextColors(QColor(178, 183, 194), QColor(1, 185, 209), QColor(1, 185, 209),
                            QColor(GetColor(6)));
    m_button->SetMetrics(4, 4, 0, 0);
    m_button->SetBaseWidth(QFontMetrics(font).horizontalAdvance(m_button->text()) + 24);
    m_button->SetBaseHeight(26);
    m_button->setFocusPolicy(Qt::NoFocus);

    const struct {
        int text;
        QKeySequence keys;
        void (PlanMenu::*signal)();
    } entries[] = {
        {TextId::PlanNew, QKeySequence::New, &PlanMenu::newRequested},
        {TextId::PlanOpen, QKeySequence::Open, &PlanMenu::openRequested},
        {TextId::PlanSave, QKeySequence::Save, &PlanMenu::saveRequested},
        {TextId::PlanSaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &PlanMenu::saveAsRequested},
    };
    for (const auto &entry : entries) {
        QAction *action = m_menu->addAction(languageText(entry.text));
        action->setShortcut(entry.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        // The bar's window holds the shortcut while the menu is closed.
        bar->addAction(action);
        connect(action, &QAction::triggered, this, entry.signal);
    }
    m_menu->addSeparator();
    m_recentMenu = m_menu->addMenu(languageText(TextId::PlanRecent));
    m_menu->setWindowFlags(m_menu->windowFlags() | Qt::FramelessWindowHint);
    connect(m_menu.get(), &QMenu::aboutToShow, this, &PlanMenu::fillRecent);
    connect(m_recentMenu, &QMenu::triggered, this,
            [this](QAction *action) { emit recentRequested(action->data().toString()); });
    m_button->setMenu(m_menu.get());
    new PopupAnchor(m_menu.get(), m_button);
}

PlanMenu::~PlanMenu() = default;

QStringList PlanMenu::recentPlans() const
{
    QStringList paths;
    for (int i = 0; i < RecentCount; ++i) {
        const QVariant value = m_store.value(recentKey(i));
        if (value.userType() == QMetaType::QString && !value.toString().isEmpty() &&
            !paths.contains(value.toString()))
            paths << value.toString();
    }
    return paths;
}

void PlanMenu::remember(const QString &path)
{
    QStringList paths = recentPlans();
    paths.removeAll(path);
    paths.prepend(path);
    store(paths.mid(0, RecentCount));
}

void PlanMenu::forget(const QString &path)
{
    QStringList paths = recentPlans();
    if (paths.removeAll(path) > 0)
        store(paths);
}

// Each slot is one line of the store, so another key there is never
// touched; an empty slot is an empty text.
void PlanMenu::store(const QStringList &paths)
{
    for (int i = 0; i < RecentCount; ++i) {
        QString reason;
        if (!m_store.setValue(recentKey(i), paths.value(i), &reason)) {
            qWarning().noquote()
                << QStringLiteral("The list of recent plans was not saved: %1.").arg(reason);
            return;
        }
    }
}

void PlanMenu::fillRecent()
{
    m_recentMenu->clear();
    const QStringList paths = recentPlans();
    const QFontMetrics metrics(m_recentMenu->font());
    for (int i = 0; i < paths.size(); ++i) {
        const QString shown =
            metrics.elidedText(QDir::toNativeSeparators(paths.at(i)), Qt::ElideMiddle, RecentWidth);
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(
            QString(shown).replace(QLatin1Char('&'), QLatin1String("&&"))));
        action->setData(paths.at(i));
    }
    m_recentMenu->setEnabled(!paths.isEmpty());
}

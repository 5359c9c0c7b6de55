#include "custommenubar.h"
#include "ui_custommenubar.h"

#include "densityzonesaction.h"
#include "icolorconfig.h"
#include "ifontconfig.h"
#include "languagefile.h"
#include "languagetable.h"
#include "planmenu.h"
#include "popupanchor.h"
#include "settingsstore.h"
#include "textid.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDebug>
#include <QDirIterator>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

namespace
{
// The title-bar settings store; start-up reads a store of its own.
const char *const kOrganisation = "KORVANT";
const char *const kApplication = "Fenwarde";
const char *const kLanguageKey = "language";

const char *const kCloseIcon = ":/res/darkgreen/png/home/Header/close.svg";
const char *const kMiniIcon = ":/res/darkgreen/png/home/Header/mini.svg";
const char *const kMaxIcon = ":/res/darkgreen/png/home/Header/max.svg";
const char *const kRestoreIcon = ":/res/darkgreen/png/home/Header/restore.svg";
const char *const kHelpIcon = ":/res/darkgreen/png/home/Header/help.svg";
const char *const kProgramPicture = ":/res/fenwarde.png";

// Light text on the slate menu (7:1), and the entry under the pointer in
// black on white; QMenu marks that entry as selected, not hovered.
const char *const kMenuStyle =
    "QMenu {background-color: #4B5863;border: 1px solid black;color: #FFFFFF;}"
    "QMenu::item:selected {background-color: white;color: black;}";

// Language codes and the position of their display names. "POS" is listed
// at 90 and again at 96; the later entry wins, so it shows text 96.
struct LanguageCode {
    int index;
    const char *code;
};
const LanguageCode kLanguageCodes[] = {
    {64, "CHS"}, {65, "CHT"}, {66, "CSY"}, {67, "DAN"}, {68, "ENU"}, {69, "FIN"}, {70, "FRA"},
    {71, "DEU"}, {72, "ELL"}, {73, "HEB"}, {74, "HUN"}, {75, "ITA"}, {76, "JPN"}, {77, "PLK"},
    {78, "PTG"}, {79, "RUS"}, {80, "ESN"}, {81, "THA"}, {82, "SLV"}, {83, "ROM"}, {84, "BRG"},
    {85, "ARA"}, {86, "HIN"}, {87, "VIE"}, {88, "HOL"}, {89, "TUR"}, {90, "POS"}, {91, "SVE"},
    {92, "KOR"}, {93, "IND"}, {94, "PTB"}, {95, "UKA"}, {96, "POS"}};

bool isText(const QVariant &value)
{
    return value.userType() == QMetaType::QString;
}

SettingsStore titleBarStore()
{
    return SettingsStore(QString::fromLatin1(kOrganisation), QString::fromLatin1(kApplication));
}
} // namespace

customMenuBar::customMenuBar(QWidget *parent)
    : LxClientBaseWidget(parent), ui(std::make_unique<Ui::customMenuBar>())
{
    ui->setupUi(this);
    const QVariant stored = titleBarStore().value(QLatin1String(kLanguageKey));
    // A list, a rectangle or a byte array is no language code.
    m_readAsText = !stored.isValid() || isText(stored);
    if (m_readAsText)
        m_language = stored.isValid() ? stored.toString() : QStringLiteral("ENU");
    m_readLanguage = m_language;
}

customMenuBar::~customMenuBar()
{
    storeLanguage();
    // The help menu goes first: it owns the entry that points at the
    // language submenu.
    m_helpMenu.reset();
    m_languageMenu.reset();
}

// Another title bar of the same process (or another instance of the program)
// may have stored a newer choice since this bar read the store. A bar whose
// menu chose nothing writes back only while the store still holds the text
// it read, so it never overwrites that newer choice, nor a value it could not
// read.
void customMenuBar::storeLanguage() const
{
    const SettingsStore store = titleBarStore();
    const QVariant stored = store.value(QLatin1String(kLanguageKey));
    if (!m_languageChosen) {
        const bool untouched =
            !stored.isValid() || (isText(stored) && stored.toString() == m_readLanguage);
        if (!m_readAsText || !untouched)
            return;
    }
    if (isText(stored) && stored.toString() == m_language)
        return;
    // Only the language line changes; the user's comments and other keys
    // stay, and a pipe or a device at the store's name is left alone.
    QString reason;
    if (!store.setValue(QLatin1String(kLanguageKey), m_language, &reason))
        qWarning().noquote()
            << QStringLiteral("The language choice was not saved: %1.").arg(reason);
}

void customMenuBar::setLanguageFolder(const QString &path)
{
    m_languageFolder = path;
}

QString customMenuBar::languageFolder() const
{
    if (!m_languageFolder.isEmpty())
        return m_languageFolder;
    return ::languageFolder();
}

QString customMenuBar::language() const
{
    return m_language;
}

QMenu *customMenuBar::helpMenu() const
{
    return m_helpMenu.get();
}

QMenu *customMenuBar::languageMenu() const
{
    return m_languageMenu.get();
}

void customMenuBar::initTitleBar(bool isMainWindow)
{
    m_isMainWindow = isMainWindow;

    QFont font = GetFont();
    setFont(font);
    font.setPixelSize(15);
    font.setWeight(75);

    const struct {
        LxClientIconPushBtn *button;
        const char *icon;
    } buttons[] = {{ui->m_btnClose, kCloseIcon},
                   {ui->m_btnHide, kMiniIcon},
                   {ui->m_btnFullScreen, kMaxIcon},
                   {ui->m_btnQuestion, kHelpIcon}};
    for (const auto &entry : buttons) {
        LxClientIconPushBtn *button = entry.button;
        button->SetBaseWidth(15);
        button->SetBaseHeight(15);
        button->SetFont(font);
        button->SetBackgroundColors(QColor(46, 58, 72), QColor(46, 58, 72), QColor(), QColor());
        button->SetTextColors(QColor(178, 183, 194), QColor(1, 185, 209), QColor(1, 185, 209),
                              QColor(GetColor(6)));
        button->SetMetrics(5, 5, 0, 0);
        button->SetIcon(QLatin1String(entry.icon));
    }

    ui->m_labIcon->SetImage(QLatin1String(kProgramPicture));
    ui->m_labIcon->SetBaseWidth(isMainWindow ? 160 : 120);
    ui->m_labIcon->SetBaseHeight(isMainWindow ? 40 : 30);

    QFont titleFont = font;
    titleFont.setPixelSize(18);
    ui->m_labTitle->SetTextColor(QColor(1, 185, 209));
    ui->m_labTitle->SetFont(titleFont);
    ui->m_labTitle->SetText(languageText(TextId::ProgramName));

    if (!isMainWindow) {
        ui->m_labTitle->hide();
        ui->m_btnQuestion->hide();
        ui->m_btnFullScreen->hide();
    } else {
        m_planMenu = new PlanMenu(titleBarStore(), this);
        m_planMenu->menu()->setStyleSheet(QLatin1String(kMenuStyle));
        ui->horizontalLayout->insertWidget(ui->horizontalLayout->indexOf(ui->m_labTitle) + 1,
                                           m_planMenu->button());
    }

    connect(ui->m_btnFullScreen, &QPushButton::clicked, this, &customMenuBar::toggleFullScreen);

    m_languageNames.clear();
    for (const LanguageCode &entry : kLanguageCodes)
        m_languageNames.insert(QLatin1String(entry.code), languageText(entry.index));

    m_helpMenu = std::make_unique<QMenu>();
    m_languageAction = m_helpMenu->addAction(languageText(TextId::MenuLanguage));
    m_languageMenu = std::make_unique<QMenu>();
    m_languageAction->setMenu(m_languageMenu.get());
    m_languageGroup = new QActionGroup(m_languageMenu.get());
    m_languageGroup->setExclusive(true);
    if (isMainWindow) {
        m_densityZones =
            new DensityZonesAction(titleBarStore(), languageText(TextId::MenuDensityZones), this);
        m_helpMenu->addAction(m_densityZones->action());
    }
    m_helpMenu->addAction(languageText(TextId::MenuAbout));
    m_helpMenu->setWindowFlags(m_helpMenu->windowFlags() | Qt::FramelessWindowHint);
    m_helpMenu->setStyleSheet(QLatin1String(kMenuStyle));
    m_languageMenu->setStyleSheet(QLatin1String(kMenuStyle));
    ui->m_btnQuestion->setMenu(m_helpMenu.get());
    new PopupAnchor(m_helpMenu.get(), ui->m_btnQuestion);

    connect(m_helpMenu.get(), &QMenu::triggered, this, &customMenuBar::actionTriggered);
    connect(m_helpMenu.get(), &QMenu::aboutToShow, this, &customMenuBar::addLanguage);
}

void customMenuBar::setTitle(const QString &title)
{
    ui->m_labTitle->SetText(title);
}

void customMenuBar::setMinButtonVisible(bool visible)
{
    ui->m_btnHide->setVisible(visible);
}

void customMenuBar::setIconVisible(bool visible)
{
    ui->m_labIcon->setVisible(visible);
}

void customMenuBar::addLanguage()
{
    if (!m_languageMenu)
        return;
    const QList<QAction *> old = m_languageGroup->actions();
    for (QAction *action : old)
        m_languageGroup->removeAction(action);
    m_languageMenu->clear();

    const QString current = m_languageNames.value(m_language);

    QDirIterator entries(languageFolder());
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo info = entries.fileInfo();
        const QString fileName = info.fileName();
        if (fileName == QLatin1String(".") || fileName == QLatin1String(".."))
            continue;
        if (info.suffix() != QLatin1String("xml") || !info.isFile())
            continue;
        const QString code = fileName.left(fileName.size() - 4);
        if (!m_languageNames.contains(code))
            continue;

        const QString text = m_languageNames.value(code);
        QAction *action = m_languageMenu->addAction(text);
        m_languageGroup->addAction(action);
        action->setCheckable(true);
        // An unknown stored code has no display text; it must not check an
        // entry whose text happens to be empty too.
        action->setChecked(!current.isEmpty() && text == current);
    }
    markCheckedLanguage();
}

// Only the current language carries the tick, so it can be told from the
// others.
void customMenuBar::markCheckedLanguage()
{
    if (!m_languageGroup)
        return;
    const QIcon tick = style()->standardIcon(QStyle::SP_DialogApplyButton);
    for (QAction *action : m_languageGroup->actions())
        action->setIcon(action->isChecked() ? tick : QIcon());
}

void customMenuBar::actionTriggered(QAction *action)
{
    if (!action || (m_densityZones && action == m_densityZones->action()))
        return;
    const QString text = action->text();
    if (text == languageText(TextId::MenuAbout)) {
        emit aboutReq();
        return;
    }
    if (text == languageText(TextId::MenuLanguage))
        return;

    QString chosen;
    for (auto it = m_languageNames.cbegin(); it != m_languageNames.cend(); ++it) {
        if (it.value() == text) {
            chosen = it.key();
            break;
        }
    }
    m_language = chosen;
    m_languageChosen = true;
    if (action->actionGroup() == m_languageGroup)
        action->setChecked(true);
    markCheckedLanguage();
    if (!chosen.isEmpty())
        emit languageChosen(chosen);
}

void customMenuBar::on_m_btnHide_clicked()
{
    window()->showMinimized();
}

void customMenuBar::on_m_btnClose_clicked()
{
    window()->close();
}

void customMenuBar::toggleFullScreen()
{
    QWidget *top = window();
    if (top->isFullScreen()) {
        top->showNormal();
        ui->m_btnFullScreen->SetIcon(QLatin1String(kMaxIcon));
    } else {
        top->showFullScreen();
        ui->m_btnFullScreen->SetIcon(QLatin1String(kRestoreIcon));
    }
}

void customMenuBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressPos = event->pos();
        m_pressed = true;
    }
    event->accept();
}

void customMenuBar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressed)
        window()->move(event->globalPos() - m_pressPos);
    event->accept();
}

void customMenuBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    event->accept();
}

void customMenuBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_isMainWindow)
        toggleFullScreen();
    event->ignore();
}

#include "languagefile.h"
#include "languagetable.h"
#include "lxclientbasecombobox.h"
#include "lxclientbaselabel.h"
#include "lxclienticonpushbtn.h"
#include "lxclienttoolbutton.h"
#include "textid.h"
#include "widget.h"

#include <QDir>
#include <QFontMetrics>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QtTest>

// Every shipped language in the real panel at scale 1 and the window's own
// size: each text must show whole where it stands, or the user reads a
// clipped caption. Widths come from the laid-out widgets and the fonts they
// really draw with.
class tst_LanguageFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textsFit_data();
    void textsFit();
};

namespace
{

// Room a label's text needs beyond what the label gives it, as a message, or
// an empty string when the text shows whole. A wrapping label must hold all
// its lines within its height; any other label keeps its text on one line.
QString labelOverflow(const LxClientBaseLabel *label)
{
    const QString text = label->text();
    const QRect room = label->contentsRect();
    const QFontMetrics metrics(label->font());
    QSize need(metrics.horizontalAdvance(text), metrics.height());
    if (label->wordWrap())
        need = metrics
                   .boundingRect(QRect(0, 0, room.width(), 10000),
                                 int(label->alignment()) | Qt::TextWordWrap, text)
                   .size();
    if (need.width() <= room.width() && need.height() <= room.height())
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
        .arg(label->objectName(), text)
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

// Every item of a list must fit the field that shows the chosen one.
QStringList comboOverflows(const QComboBox *combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    const QFontMetrics metrics(combo->font());
    QStringList overflows;
    for (int i = 0; i < combo->count(); ++i) {
        const int need = metrics.horizontalAdvance(combo->itemText(i));
        if (need > field.width())
            overflows << QStringLiteral("%1 item \"%2\" needs %3, has %4")
                             .arg(combo->objectName(), combo->itemText(i))
                             .arg(need)
                             .arg(field.width());
    }
    return overflows;
}

QString buttonOverflow(const QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int need = QFontMetrics(button->font()).horizontalAdvance(button->text());
    if (need <= room.width())
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3, has %4")
        .arg(button->objectName(), button->text())
        .arg(need)
        .arg(room.width());
}

// A tool button's size hint is the room its icon and text need together.
QString toolButtonOverflow(const QToolButton *button)
{
    const QSize need = button->sizeHint();
    if (need.width() <= button->width() && need.height() <= button->height())
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3, has %4")
        .arg(button->objectName(), button->text())
        .arg(need.width())
        .arg(button->width());
}

} // namespace

void tst_LanguageFit::initTestCase()
{
    // The panel logs every control's size at each scale change.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}

void tst_LanguageFit::textsFit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("scenario");
    QTest::addColumn<int>("scale");
    const QDir folder(languageFolder());
    const QStringList files = folder.entryList({QStringLiteral("*.xml")}, QDir::Files);
    QVERIFY2(files.size() >= 12, qPrintable(folder.path()));
    const char *scenarios[] = {"person", "lanes", "capture"};
    for (const QString &file : files) {
        for (int scale = 1; scale <= 2; ++scale)
            for (int scenario = 0; scenario < 3; ++scenario)
                QTest::addRow("%s %s x%d", qPrintable(QFileInfo(file).baseName()),
                              scenarios[scenario], scale)
                    << folder.filePath(file) << scenario << scale;
    }
}

void tst_LanguageFit::textsFit()
{
    QFETCH(QString, file);
    QFETCH(int, scenario);
    QFETCH(int, scale);
    const QSize windowSize(1354 * scale, 720 * scale);
    // The panel releases the table when it goes.
    loadLanguageTable(file);
    QCOMPARE(currentLanguageTable()->count, int(TextId::Count));
    Widget panel;
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.SetScale(scale);
    panel.resize(windowSize);
    auto *scenarios = panel.findChild<QComboBox *>(QStringLiteral("m_comboModel"));
    QVERIFY(scenarios);
    scenarios->setCurrentIndex(scenario);
    // The results come after the scene's next repaint, and their labels take
    // their widths at the layout pass after that.
    QWidget *scene = panel.findChild<QWidget *>(QStringLiteral("m_painterWidget"));
    QVERIFY(scene);
    QSignalSpy reported(scene, SIGNAL(error(QString)));
    scene->update();
    QVERIFY(reported.wait(2000));
    QCoreApplication::processEvents();
    QCOMPARE(panel.size(), windowSize);

    // A label must also lie within what shows of its area: the column's
    // viewport, or for the results header the width it shares with the scene.
    const auto *column = panel.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    QVERIFY(column);
    const QWidget *viewport = column->viewport();
    const auto rightEdge = [&panel](const QWidget *widget) {
        return widget->mapTo(&panel, QPoint(widget->width(), 0)).x();
    };
    QStringList overflows;
    int labels = 0;
    for (const LxClientBaseLabel *label : panel.findChildren<LxClientBaseLabel *>()) {
        if (!label->isVisibleTo(&panel) || label->text().isEmpty())
            continue;
        ++labels;
        overflows << labelOverflow(label);
        const QWidget *area = viewport->isAncestorOf(label)     ? viewport
                              : label->parentWidget() == &panel ? scene
                                                                : label->parentWidget();
        if (rightEdge(label) > rightEdge(area))
            overflows << label->objectName() + " runs past the right of its area";
    }
    // Title, header and column: too few means the panel was not measured.
    QVERIFY2(labels >= 12, qPrintable(QString::number(labels)));
    for (const LxClientBaseComboBox *combo : panel.findChildren<LxClientBaseComboBox *>()) {
        if (combo->isVisibleTo(&panel))
            overflows << comboOverflows(combo);
    }
    const auto *reset = panel.findChild<LxClientToolButton *>(QStringLiteral("m_toolBtnReset"));
    const auto *exporter = panel.findChild<LxClientIconPushBtn *>(QStringLiteral("m_btnExport"));
    const auto *suggest = panel.findChild<LxClientToolButton *>(QStringLiteral("m_toolBtnSuggest"));
    QVERIFY(reset && exporter && suggest);
    overflows << toolButtonOverflow(reset) << buttonOverflow(exporter)
              << toolButtonOverflow(suggest);
    if (rightEdge(reset) > rightEdge(viewport) || suggest->x() < 0)
        overflows << QStringLiteral("the reset and suggest buttons run past the column");
    overflows.removeAll(QString());
    QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QLatin1String("\n  "))));
}

QTEST_MAIN(tst_LanguageFit)
#include "tst_languagefit.moc"

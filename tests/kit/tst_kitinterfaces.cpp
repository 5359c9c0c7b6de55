#include "iiconbase.h"
#include "istylesheetbase.h"
#include "iwidgetbase.h"
#include "lxclientbasecombobox.h"
#include "lxclientbasedoublespinbox.h"
#include "lxclientbaselabel.h"
#include "lxclientbasespinbox.h"
#include "lxclientbasewidget.h"
#include "lxclienticonpushbtn.h"
#include "lxclientmsgpopup.h"
#include "lxclientscrollbar.h"
#include "lxclienttoolbutton.h"
#include "lxdialogbasetitlebar.h"

#include <QtTest>

#include <functional>
#include <memory>

using Factory = std::function<QWidget *()>;
Q_DECLARE_METATYPE(Factory)

class tst_KitInterfaces : public QObject
{
    Q_OBJECT

private slots:
    void interfaces_data();
    void interfaces();
    void titleBarIsNoKitControl();
};

void tst_KitInterfaces::interfaces_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<bool>("styleSheet");
    QTest::addColumn<bool>("icon");

    QTest::newRow("base widget") << Factory([] { return new LxClientBaseWidget; }) << true << false;
    QTest::newRow("combo box") << Factory([] { return new LxClientBaseComboBox; }) << true << false;
    QTest::newRow("double spin box")
        << Factory([] { return new LxClientBaseDoubleSpinBox; }) << true << false;
    QTest::newRow("spin box") << Factory([] { return new LxClientBaseSpinBox; }) << true << false;
    QTest::newRow("label") << Factory([] { return new LxClientBaseLabel; }) << true << false;
    QTest::newRow("icon push button")
        << Factory([] { return new LxClientIconPushBtn; }) << true << true;
    QTest::newRow("tool button") << Factory([] { return new LxClientToolButton; }) << true << true;
    QTest::newRow("scroll bar") << Factory([] { return new LxClientScrollBar; }) << true << false;
    QTest::newRow("message pop-up")
        << Factory([] { return new LxClientMsgPopup; }) << false << false;
}

void tst_KitInterfaces::interfaces()
{
    QFETCH(Factory, make);
    QFETCH(bool, styleSheet);
    QFETCH(bool, icon);
    std::unique_ptr<QWidget> widget(make());

    QVERIFY(widget->inherits("IWidgetBase"));
    QCOMPARE(widget->inherits("IStyleSheetBase"), styleSheet);
    QCOMPARE(widget->inherits("IiconBase"), icon);

    // The cast by identifier must give the interface's own sub-object, so
    // calls through it reach the control.
    auto *base = static_cast<IWidgetBase *>(widget->qt_metacast("IWidgetBase"));
    QVERIFY(base);
    QCOMPARE(base, qobject_cast<IWidgetBase *>(widget.get()));
    base->SetBaseWidth(123);
    base->SetBaseHeight(45);
    QCOMPARE(base->GetBaseWidth(), 123.0);
    QCOMPARE(base->GetBaseHeight(), 45.0);
    base->SetScale(2);
    QCOMPARE(qobject_cast<IWidgetBase *>(widget.get())->GetBaseWidth(), 123.0);

    QCOMPARE(qobject_cast<IStyleSheetBase *>(widget.get()) != nullptr, styleSheet);
    QCOMPARE(qobject_cast<IiconBase *>(widget.get()) != nullptr, icon);
    QCOMPARE(widget->qt_metacast(widget->metaObject()->className()),
             static_cast<void *>(widget.get()));
}

void tst_KitInterfaces::titleBarIsNoKitControl()
{
    LxDialogBaseTitleBar bar;
    QVERIFY(!bar.inherits("IWidgetBase"));
    QVERIFY(!qobject_cast<IWidgetBase *>(&bar));
    QVERIFY(bar.inherits("QFrame"));
}

QTEST_MAIN(tst_KitInterfaces)
#include "tst_kitinterfaces.moc"

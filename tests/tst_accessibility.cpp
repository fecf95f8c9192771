// What an assistive tool finds and does on the sheet: every control named, with its one
// action; the displays read-only; a power picked without the pointer or the keys; a critical
// value set past the field's focus-loss clamp; and nothing acting behind an error dialog,
// whether an assistive tool, posted input or a held arrow tries.
#include "PowerSelector.h"
#include "SheetFixture.h"
#include "SpinField.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(widget);
    return interface ? interface->text(QAccessible::Name) : QString();
}

using Attempt = std::function<void(SheetFixture&)>;

void act(QWidget* control, const QString& action)
{
    QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(action);
}

void pressEverything(SheetFixture& sheet)
{
    for (const char* button : {"Button1", "Button2", "Button3", "Button4"})
        act(sheet.control<QPushButton>(button), QAccessibleActionInterface::pressAction());
    act(sheet.field(Field::SpinEdit11)->upButton(), QAccessibleActionInterface::pressAction());
    act(sheet.control<QCheckBox>("CheckBox1"), QAccessibleActionInterface::toggleAction());
    auto* selector = sheet.control<PowerSelector>("ComboBox1");
    act(selector, QAccessibleActionInterface::showMenuAction());
    QTest::qWait(250); // an animated click lands 100 ms after the press
    QVERIFY(sheet.control<QCheckBox>("CheckBox1")->isChecked());
    QVERIFY(!selector->view()->isVisible());
}

void setTextAndPower(SheetFixture& sheet)
{
    QAccessibleInterface* hitPoints =
        QAccessible::queryAccessibleInterface(sheet.field(Field::SpinEdit11)->lineEdit());
    hitPoints->setText(QAccessible::Value, u"99"_s);
    hitPoints->editableTextInterface()->insertText(0, u"9"_s);
    auto* selector = sheet.control<PowerSelector>("ComboBox1");
    QAccessible::queryAccessibleInterface(selector->lineEdit())
        ->editableTextInterface()
        ->replaceText(0, int(selector->currentText().size()), u"Short"_s);
    // The list's own object, as a client kept it from before the dialog opened.
    QAccessible::queryAccessibleInterface(selector->view())->tableInterface()->selectRow(1);
    QCOMPARE(selector->selectedIndex(), -1);
    QAccessibleInterface* log =
        QAccessible::queryAccessibleInterface(sheet.control<QWidget>("Memo1"));
    log->editableTextInterface()->insertText(0, u"x"_s);
    log->editableTextInterface()->deleteText(0, 3);
    log->setText(QAccessible::Value, u"y"_s);
}

// Keys and a click that reach the buttons behind the dialog without passing the window,
// as events posted to them do.
void inputPostedMeanwhile(SheetFixture& sheet)
{
    const auto post = [](QWidget* to, QEvent* event) { QCoreApplication::postEvent(to, event); };
    QPushButton* defence = sheet.control<QPushButton>("Button2");
    post(defence, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    QPushButton* initiative = sheet.control<QPushButton>("Button3");
    const QPointF inside(5, 5);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        post(initiative,
             new QMouseEvent(type, inside, initiative->mapToGlobal(inside), Qt::LeftButton,
                             type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                             Qt::NoModifier));
    QApplication::processEvents();
}

// The dialog stays open a moment, as a user takes a moment to read it: input on its way
// lands meanwhile.
void readTheDialog(SheetFixture&)
{
    QTest::qWait(250);
}

// Presses that an assistive tool makes back to back, each landing 100 ms later: the first
// opens the dialog, the others land behind it.
Attempt pressesAtOnce(std::initializer_list<const char*> buttons)
{
    return [names = std::vector<const char*>(buttons)](SheetFixture& sheet) {
        for (const char* button : names)
            act(sheet.control<QPushButton>(button), QAccessibleActionInterface::pressAction());
    };
}

// The enemy's HP Max arrow held down with the mouse while the attack's dialog opens.
void holdArrow(SheetFixture& sheet)
{
    QTest::mousePress(sheet.field(Field::SpinEdit23)->upButton(), Qt::LeftButton);
    act(sheet.control<QPushButton>("Button1"), QAccessibleActionInterface::pressAction());
}

// The selector's list, opened as an assistive tool opens it: a closed list is no child.
QAccessibleInterface* accessibleList(PowerSelector* selector)
{
    QAccessibleInterface* combo = QAccessible::queryAccessibleInterface(selector);
    combo->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    return combo->child(1);
}

// The attack's dialog opens for want of a selected power; the second row is a name an
// assistive tool may type.
QByteArray gateTable()
{
    return hundredsTable() + "Short, 1, 2\r\n"_ba;
}

} // namespace

Q_DECLARE_METATYPE(Attempt)

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamed();
    void pickingAPower_data();
    void pickingAPower();
    void criticalValueNeverBelowEight_data();
    void criticalValueNeverBelowEight();
    void nothingActsBehindTheDialog_data();
    void nothingActsBehindTheDialog();
};

void TestAccessibility::everyControlIsNamed()
{
    SheetFixture sheet("Sword, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n"_ba);
    QSet<QString> inputNames;
    QList<QWidget*> inputs;
    for (int i = 0; i < fieldCount; ++i)
        inputs.append(sheet.field(Field(i))->lineEdit());
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"})
        inputs.append(sheet.control<QLineEdit>(name));
    inputs.append(sheet.control<QComboBox>("ComboBox1"));
    for (QWidget* input : inputs) {
        const QString name = accessibleName(input);
        QVERIFY2(!name.isEmpty(), qPrintable(input->objectName()));
        QVERIFY2(!inputNames.contains(name), qPrintable(u"two inputs are named "_s + name));
        inputNames.insert(name);
    }
    QCOMPARE(accessibleName(sheet.field(Field::SpinEdit5)->lineEdit()), u"命中力 装備補正"_s);

    // Every button is named and offers its one action: a push button or arrow is pressed, a
    // check box or option toggled.
    for (QAbstractButton* button : sheet.form().findChildren<QAbstractButton*>()) {
        QVERIFY2(!accessibleName(button).isEmpty(), qPrintable(button->text()));
        const QString action = button->isCheckable() ? QAccessibleActionInterface::toggleAction()
                                                     : QAccessibleActionInterface::pressAction();
        const QStringList actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface()->actionNames();
        QVERIFY2(actions.value(0) == action || !button->isEnabled(),
                 qPrintable(accessibleName(button) + u": "_s + actions.join(u", "_s)));
    }
    QCOMPARE(accessibleName(sheet.field(Field::SpinEdit5)->upButton()),
             u"命中力 装備補正 増やす"_s);
    QCOMPARE(accessibleName(sheet.control<QGroupBox>("RadioGroup1")), u"判定"_s);
    QCOMPARE(accessibleName(sheet.control<QPlainTextEdit>("Memo1")), u"ログ"_s);

    // The fixed values and the copy of the skill are read-only to assistive technology too;
    // the copy of the agility bonus is the user's to edit.
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"}) {
        auto* display = sheet.control<QLineEdit>(name);
        QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(display);
        const bool editable = qstrcmp(name, "Edit4") == 0;
        QCOMPARE(interface->state().editable, editable);
        QCOMPARE(interface->state().readOnly, !editable);
        QCOMPARE(interface->editableTextInterface() != nullptr, editable);
        const QString before = display->text();
        interface->setText(QAccessible::Value, u"99"_s);
        QCOMPARE(display->text(), editable ? u"99"_s : before);
        QCOMPARE(interface->textInterface()->text(0, 2), display->text().left(2));
    }
}

void TestAccessibility::pickingAPower_data()
{
    QTest::addColumn<PickPower>("pick");
    QTest::addColumn<int>("changes"); // of the selected row
    QTest::newRow("accessible press on an item")
        << PickPower([](SheetFixture&, PowerSelector* selector) {
               accessibleList(selector)->child(1)->actionInterface()->doAction(
                   QAccessibleActionInterface::toggleAction());
           })
        << 1;
    QTest::newRow("accessible selection in the list")
        << PickPower([](SheetFixture&, PowerSelector* selector) {
               accessibleList(selector)->tableInterface()->selectRow(1);
           })
        << 1;
    QTest::newRow("accessible value differing in case, then the name")
        << PickPower([](SheetFixture&, PowerSelector* selector) {
               QAccessibleEditableTextInterface* text =
                   QAccessible::queryAccessibleInterface(selector->lineEdit())
                       ->editableTextInterface();
               text->replaceText(0, 0, u"axe"_s);
               QCOMPARE(selector->selectedIndex(), -1);
               text->replaceText(0, 3, u"Axe"_s);
           })
        << 1;
    QTest::newRow("accessible value set to a name")
        << PickPower([](SheetFixture&, PowerSelector* selector) {
               QAccessible::queryAccessibleInterface(selector->lineEdit())
                   ->editableTextInterface()
                   ->replaceText(0, 0, u"Axe"_s);
           })
        << 1;
}

void TestAccessibility::pickingAPower()
{
    QFETCH(PickPower, pick);
    QFETCH(int, changes);
    checkPowerPicked(pick, changes);
}

void TestAccessibility::criticalValueNeverBelowEight_data()
{
    // Ways a critical value of -10 reaches the field without the focus-loss clamp; at 2 or
    // less every re-roll would reach it and the attack would never end.
    QTest::addColumn<bool>("dropped"); // else set by an assistive tool
    QTest::addColumn<bool>("clicked"); // else pressed by an assistive tool
    QTest::addColumn<QString>("afterwards");
    QTest::addColumn<bool>("sheetInactive"); // another window is the active one
    QTest::newRow("dropped, clicked") << true << true << u"8"_s << false;
    QTest::newRow("dropped, pressed by an assistive tool") << true << false << u"8"_s << false;
    QTest::newRow("dropped, pressed by an assistive tool in the inactive sheet")
        << true << false << u"8"_s << true;
    QTest::newRow("set and pressed by an assistive tool") << false << false << u"-10"_s << false;
}

void TestAccessibility::criticalValueNeverBelowEight()
{
    QFETCH(bool, dropped);
    QFETCH(bool, clicked);
    QFETCH(QString, afterwards);
    QFETCH(bool, sheetInactive);
    SheetFixture sheet(gateTable());
    sheet.choosePower(0);
    sheet.fill(u"2:2 3:2 11:500"_s);
    sheet.control<QWidget>("Memo1")->setFocus();
    QLineEdit* critical = sheet.field(Field::SpinEdit8)->lineEdit();
    if (dropped) {
        QMimeData minus;
        minus.setText(u"-"_s);
        const QPoint start(2, critical->height() / 2);
        QDragEnterEvent enter(start, Qt::CopyAction, &minus, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(critical, &enter);
        QDropEvent drop(start, Qt::CopyAction, &minus, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(critical, &drop);
    } else {
        QAccessible::queryAccessibleInterface(critical)->setText(QAccessible::Value, u"-10"_s);
    }
    QCOMPARE(critical->text(), u"-10"_s);
    QWidget otherWindow;
    if (sheetInactive) {
        otherWindow.show();
        otherWindow.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&otherWindow));
    }

    SheetFixture::nextDice({6, 6, 4, 4, 1, 2});
    if (clicked) {
        sheet.click("Button1");
    } else {
        QAccessible::queryAccessibleInterface(sheet.control<QPushButton>("Button1"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    }
    // An accessible press animates a click, which lands a moment later.
    QTRY_COMPARE(sheet.logLines(),
                 QStringList({u"2D6+3 = ( 6, 6 ) = 15 *** Success ***"_s,
                              u"( 2D6 = 8, 3 ) = 211 + 1 = 212"_s, u"*** Enemy Damaged ***"_s}));
    QCOMPARE(critical->text(), afterwards);
}

void TestAccessibility::nothingActsBehindTheDialog_data()
{
    QTest::addColumn<Attempt>("whileDialogOpen");
    QTest::addColumn<Attempt>("press"); // of the attack, a click where none is given
    // An assistive tool acts on the sheet behind the dialog: nothing may happen.
    QTest::newRow("buttons pressed through accessibility meanwhile")
        << Attempt(pressEverything) << Attempt();
    QTest::newRow("text and power set through accessibility meanwhile")
        << Attempt(setTextAndPower) << Attempt();
    QTest::newRow("keys and a click posted to buttons meanwhile")
        << Attempt(inputPostedMeanwhile) << Attempt();
    // Input already on its way when the dialog opens runs nothing behind it, and nothing
    // after it either.
    QTest::newRow("defence, initiative and reset pressed with the attack")
        << Attempt(readTheDialog) << pressesAtOnce({"Button1", "Button2", "Button3", "Button4"});
    QTest::newRow("pressed through accessibility and clicked")
        << Attempt(readTheDialog) << Attempt([](SheetFixture& sheet) {
               sheet.activate(); // first: a slow platform takes longer than the press's 100 ms
               pressesAtOnce({"Button1"})(sheet);
               sheet.click("Button1");
           });
    QTest::newRow("an arrow held as the dialog opens, let go over it")
        << Attempt([](SheetFixture&) {
               QTest::qWait(600); // past the repeat's first step
               QTest::mouseRelease(QApplication::activeModalWidget(), Qt::LeftButton);
           })
        << Attempt(holdArrow);
    QTest::newRow("an arrow held as the dialog opens and after it")
        << Attempt(readTheDialog) << Attempt(holdArrow);
}

// The attack stops at its damage roll for want of a power; whatever tries to act while its
// dialog is open, or was on its way when it opened, changes nothing.
void TestAccessibility::nothingActsBehindTheDialog()
{
    QFETCH(Attempt, whileDialogOpen);
    QFETCH(Attempt, press);
    SheetFixture sheet(gateTable());
    sheet.whileDialogOpen = [&] { whileDialogOpen(sheet); };
    sheet.choosePower(0);
    QTest::keyClicks(sheet.control<PowerSelector>("ComboBox1"), u"x"_s); // no row selected
    sheet.fill(u"11:500 7:5 6:2"_s);
    SheetFixture::nextDice({6, 6, 3, 3});
    if (press) {
        press(sheet);
        QTRY_VERIFY_WITH_TIMEOUT(!sheet.logLines().isEmpty() && !QApplication::activeModalWidget(),
                                 3000);
        QTest::qWait(600); // what was on its way, and a held arrow's repeat, had time to act
        // A button still held is let go over its arrow: no step either.
        if (QApplication::mouseButtons() & Qt::LeftButton)
            QTest::mouseRelease(sheet.field(Field::SpinEdit23)->upButton(), Qt::LeftButton);
    } else {
        sheet.click("Button1");
    }

    QCOMPARE(sheet.logLines(), QStringList{u"2D6+1 = ( 6, 6 ) = 13 *** Success ***"_s});
    QVERIFY2(sheet.dialogs().size() == 1,
             qPrintable(u"%1 dialogs: input acted behind the first"_s.arg(sheet.dialogs().size())));
    QCOMPARE(sheet.dialogs().front().text, u"リストのインデックスが範囲を超えています (-1)"_s);
    QCOMPARE(sheet.field(Field::SpinEdit11)->text(), u"500"_s);
    QCOMPARE(sheet.field(Field::SpinEdit23)->text(), u"10"_s);
    QCOMPARE(sheet.field(Field::SpinEdit20)->text(), u"20"_s);
    // The program goes on.
    SheetFixture::nextDice({1, 1});
    sheet.click("Button3");
    QCOMPARE(sheet.logLines().size(), 3);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

#include "SheetFixture.h"

#include "Dice.h"
#include "LogPane.h"
#include "PowerSelector.h"
#include "RadioGroup.h"
#include "SpinField.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

SheetFixture::SheetFixture(const QByteArray& ratingTable, std::function<void()> whileDialogOpen)
    : whileDialogOpen(std::move(whileDialogOpen))
    , m_previousDirectory(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
    if (!ratingTable.isNull()) {
        QFile file(u"RatingTable.txt"_s);
        if (!file.open(QIODevice::WriteOnly) || file.write(ratingTable) != ratingTable.size() ||
            !file.flush())
            qFatal("could not write the rating table in %s", qPrintable(m_dir.path()));
    }
    m_dialogCloser.setInterval(1);
    QObject::connect(&m_dialogCloser, &QTimer::timeout, &m_dialogCloser,
                     [this] { closeDialogs(); });
    m_dialogCloser.start();

    m_form = std::make_unique<TForm1>();
    m_form->show();
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("the sheet did not become the active window");
}

SheetFixture::~SheetFixture()
{
    m_form.reset();
    QDir::setCurrent(m_previousDirectory);
}

void SheetFixture::closeDialogs()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box == m_openWhileHooked)
        return;
    QMessageBox::StandardButtons buttons;
    for (QAbstractButton* button : box->buttons())
        buttons |= box->standardButton(button);
    const bool sheetVisible = m_form && m_form->isVisible();
    m_dialogs.append(
        {box->windowTitle(), box->text(), box->icon(), buttons, box->textFormat(), sheetVisible});
    // The hook may run the event loop; a dialog that opens meanwhile is recorded and closed
    // at once, so that a fault shows as a second dialog instead of a hang.
    if (whileDialogOpen && !m_openWhileHooked) {
        const QScopedValueRollback hooked(m_openWhileHooked, box);
        // A timer does not fire again while its own handler runs: another one closes what
        // opens meanwhile.
        QTimer closerMeanwhile;
        QObject::connect(&closerMeanwhile, &QTimer::timeout, &closerMeanwhile,
                         [this] { closeDialogs(); });
        closerMeanwhile.start(1);
        whileDialogOpen();
    }
    // A hand still on a mouse button closes the dialog with the keyboard.
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (ok && QApplication::mouseButtons() != Qt::NoButton)
        QTest::keyClick(ok, Qt::Key_Space);
    else if (ok)
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        box->reject();
}

void SheetFixture::nextDice(const QList<int>& dice)
{
    // A run of n wanted dice turns up about once in 6^n states: eight dice in about 1.7
    // million, far inside the bound.
    constexpr quint32 statesSearched = 1u << 26;
    for (quint32 state = 0; state < statesSearched; ++state) {
        setDiceState(state);
        qsizetype matched = 0;
        while (matched < dice.size() && rollDie(6) == dice[matched])
            ++matched;
        if (matched == dice.size()) {
            setDiceState(state);
            return;
        }
    }
    QFAIL("no dice state rolls the wanted dice; ask for fewer");
}

// After a dialog closes, a window manager hands the activation back to the sheet; the
// offscreen platform does not, and keys would reach a window no user could type into.
void SheetFixture::activate()
{
    if (QApplication::activeWindow() == m_form.get())
        return;
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("the sheet did not become the active window again");
}

void SheetFixture::focus(QWidget* widget)
{
    activate();
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void SheetFixture::click(const char* button)
{
    activate();
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

void SheetFixture::type(Field which, const QString& keys)
{
    QLineEdit* edit = field(which)->lineEdit();
    focus(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, keys);
}

void SheetFixture::paste(Field which, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QLineEdit* edit = field(which)->lineEdit();
    focus(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void SheetFixture::fill(const QString& assignments)
{
    static const QRegularExpression typeable(u"^[-+0-9]*$"_s);
    for (const QString& assignment : assignments.split(u' ', Qt::SkipEmptyParts)) {
        const Field which = Field(assignment.section(u':', 0, 0).toInt() - 1);
        const QString text = assignment.section(u':', 1);
        if (typeable.match(text).hasMatch())
            type(which, text);
        else
            paste(which, text);
    }
}

void SheetFixture::choosePower(int index)
{
    auto* selector = control<PowerSelector>("ComboBox1");
    focus(selector);
    while (selector->currentIndex() < index)
        QTest::keyClick(selector, Qt::Key_Down);
    while (selector->currentIndex() > index)
        QTest::keyClick(selector, Qt::Key_Up);
}

void SheetFixture::chooseJudgement(int index)
{
    QTest::mouseClick(control<RadioGroup>("RadioGroup1")->item(index), Qt::LeftButton);
}

void SheetFixture::chooseDisclosure(int index)
{
    QTest::mouseClick(control<RadioGroup>("RadioGroup2")->item(index), Qt::LeftButton);
}

QString SheetFixture::logText() const
{
    return m_form->findChild<LogPane*>(u"Memo1"_s)->toPlainText();
}

QStringList SheetFixture::logLines() const
{
    QStringList lines = logText().split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray hundredsTable()
{
    QByteArray row = "Test";
    for (int result = 3; result <= 12; ++result)
        row += ", " + QByteArray::number(100 + result);
    return row + "\r\n";
}

void checkPowerPicked(const PickPower& pick, int changes)
{
    SheetFixture sheet("Sword, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10\r\n"
                       "Axe, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20\r\n"_ba);
    auto* selector = sheet.control<PowerSelector>("ComboBox1");
    QCOMPARE(QAccessible::queryAccessibleInterface(selector)->childCount(), 1); // list closed
    QSignalSpy spy(selector, &PowerSelector::changed);
    pick(sheet, selector);
    QCOMPARE(selector->selectedIndex(), 1);
    QCOMPARE(selector->currentText(), u"Axe"_s);
    QCOMPARE(selector->lineEdit()->cursorPosition(), 0); // the name shown from its start
    QVERIFY(sheet.control<QPushButton>("Button1")->isEnabled());
    QVERIFY(!sheet.control<QLabel>("Label16")->isVisible());
    QCOMPARE(spy.size(), changes);

    SheetFixture::nextDice({6, 6, 3, 3});
    sheet.click("Button1");
    QVERIFY(sheet.dialogs().isEmpty());
    QCOMPARE(sheet.logLines().value(1).left(17), u"( 2D6 = 6 ) = 14 "_s);
}

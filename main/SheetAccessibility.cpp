#include "SheetAccessibility.h"

#include "ModalGate.h"
#include "PowerSelector.h"
#include "Unit1.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <type_traits>

namespace {

bool isPartOfSheet(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (qobject_cast<const TForm1*>(widget))
            return true;
    return false;
}

bool mayActOn(const QWidget* control)
{
    return control->isEnabled() && !blockedByModalDialog(control);
}

// What the text interfaces need of a one-line text box and of the log, as offsets into the
// text as it reads.
QString textOf(const QLineEdit* box)
{
    return box->text();
}
QString textOf(const QPlainTextEdit* log)
{
    return log->toPlainText();
}
std::pair<int, int> selectionOf(const QLineEdit* box)
{
    if (!box->hasSelectedText())
        return {0, 0};
    return {box->selectionStart(), box->selectionEnd()};
}
std::pair<int, int> selectionOf(const QPlainTextEdit* log)
{
    const QTextCursor cursor = log->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}
int cursorOf(const QLineEdit* box)
{
    return box->cursorPosition();
}
int cursorOf(const QPlainTextEdit* log)
{
    return log->textCursor().position();
}
void select(QLineEdit* box, int start, int end)
{
    box->setSelection(start, end - start);
}
QTextCursor cursorOver(QPlainTextEdit* log, int start, int end)
{
    const int last = log->document()->characterCount() - 1;
    QTextCursor cursor(log->document());
    cursor.setPosition(std::clamp(start, 0, last));
    cursor.setPosition(std::clamp(end, 0, last), QTextCursor::KeepAnchor);
    return cursor;
}
void select(QPlainTextEdit* log, int start, int end)
{
    log->setTextCursor(cursorOver(log, start, end));
}
void replace(QLineEdit* box, int start, int end, const QString& text)
{
    box->setText(box->text().replace(start, end - start, text));
}
void replace(QPlainTextEdit* log, int start, int end, const QString& text)
{
    cursorOver(log, start, end).insertText(text);
}
void setWholeText(QLineEdit* box, const QString& text)
{
    box->setText(text);
}
void setWholeText(QPlainTextEdit* log, const QString& text)
{
    log->setPlainText(text);
}
// The character's box on the screen, where the text is drawn unscrolled.
QRect characterRect(const QLineEdit* box, int offset)
{
    constexpr int textIndent = 2; // QLineEdit's gap between its frame and its text
    const QString text = box->text();
    const QFontMetrics metrics = box->fontMetrics();
    const QRect contents = box->contentsRect().marginsRemoved(box->textMargins());
    const int x = contents.x() + textIndent + metrics.horizontalAdvance(text.left(offset));
    const QRect character(x, contents.y(), metrics.horizontalAdvance(text.at(offset)),
                          metrics.height());
    return character.translated(box->mapToGlobal(QPoint(0, 0)));
}
QRect characterRect(QPlainTextEdit* log, int offset)
{
    const QRect cursor = log->cursorRect(cursorOver(log, offset, offset));
    const int width = log->fontMetrics().horizontalAdvance(textOf(log).at(offset));
    return QRect(cursor.topLeft(), QSize(width, cursor.height()))
        .translated(log->viewport()->mapToGlobal(QPoint(0, 0)));
}
int offsetAt(QLineEdit* box, QPoint global)
{
    return box->cursorPositionAt(box->mapFromGlobal(global));
}
int offsetAt(const QPlainTextEdit* log, QPoint global)
{
    return log->cursorForPosition(log->viewport()->mapFromGlobal(global)).position();
}

// A text box of the sheet, one-line or the log: its text, cursor and selection, and edits
// that respect read-only and the modal dialog.
template <typename Box>
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(Box* box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? textOf(box()) : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t != QAccessible::Value)
            QAccessibleWidget::setText(t, text);
        else if (writable())
            setWholeText(box(), text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !box()->isReadOnly();
        state.selectableText = true;
        state.multiLine = std::is_same_v<Box, QPlainTextEdit>;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        // A read-only box offers no editing at all.
        if (type == QAccessible::EditableTextInterface && !box()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        const auto [start, end] = selectionOf(box());
        const bool selected = selectionIndex == 0 && start != end;
        *startOffset = selected ? start : 0;
        *endOffset = selected ? end : 0;
    }
    int selectionCount() const override
    {
        const auto [start, end] = selectionOf(box());
        return start != end ? 1 : 0;
    }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override { select(box(), cursorOf(box()), cursorOf(box())); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        select(box(), startOffset, endOffset);
    }
    int cursorPosition() const override { return cursorOf(box()); }
    void setCursorPosition(int position) override { select(box(), position, position); }
    QString text(int startOffset, int endOffset) const override
    {
        return textOf(box()).mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(textOf(box()).size()); }
    QRect characterRect(int offset) const override
    {
        if (offset < 0 || offset >= characterCount())
            return {};
        return ::characterRect(box(), offset);
    }
    int offsetAtPoint(const QPoint& point) const override { return offsetAt(box(), point); }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        select(box(), endIndex, endIndex);
        select(box(), startIndex, startIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override
    {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (writable())
            replace(box(), startOffset, endOffset, text);
    }

private:
    Box* box() const { return static_cast<Box*>(widget()); }
    bool writable() const { return !box()->isReadOnly() && mayActOn(box()); }
};

// Pressed as Space presses it: down for a moment, then clicked, unless a dialog has blocked
// the sheet meanwhile (Qt's own animated click cannot be called off once it is on its way).
void pressAsSpaceDoes(QAbstractButton* button)
{
    if (button->isDown())
        return; // already on its way, or held
    button->setDown(true);
    QTimer::singleShot(100, button, [button] {
        button->setDown(false);
        if (mayActOn(button))
            button->click();
    });
}

// A push button, check box, radio button or spin arrow: pressed or toggled only while the
// sheet may be acted on.
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    QAccessible::Role role() const override
    {
        if (!button()->isCheckable())
            return QAccessible::Button;
        return button()->autoExclusive() ? QAccessible::RadioButton : QAccessible::CheckBox;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QString(button()->text()).remove(u'&');
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled())
            names << (button()->isCheckable() ? toggleAction() : pressAction());
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (!mayActOn(button()))
            return;
        if (action == pressAction())
            pressAsSpaceDoes(button());
        else if (action == toggleAction())
            button()->toggle();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// The power selector: its text box and, while it is open, its list. A closed list of
// millions of rows would otherwise be read row by row by every client walking the sheet.
class SelectorAccessible : public QAccessibleWidget {
public:
    explicit SelectorAccessible(PowerSelector* selector)
        : QAccessibleWidget(selector, QAccessible::ComboBox)
    {
    }

    int childCount() const override { return isOpen() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(selector()->lineEdit());
        if (index == 1 && isOpen())
            return QAccessible::queryAccessibleInterface(selector()->view());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child->object() == selector()->lineEdit())
            return 0;
        if (child->object() == selector()->view() && isOpen())
            return 1;
        return -1;
    }
    QAccessibleInterface* focusChild() const override { return child(0); }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? selector()->lineEdit()->text()
                                       : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = isOpen();
        return state;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if ((action != showMenuAction() && action != pressAction()) || !mayActOn(selector()))
            return;
        if (isOpen())
            selector()->hidePopup();
        else
            selector()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    PowerSelector* selector() const { return static_cast<PowerSelector*>(widget()); }
    bool isOpen() const { return selector()->view()->isVisible(); }
};

QAccessibleInterface* sheetAccessible(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !isPartOfSheet(widget))
        return nullptr;
    if (auto* selector = qobject_cast<PowerSelector*>(widget))
        return new SelectorAccessible(selector);
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return new TextBoxAccessible<QLineEdit>(box);
    if (auto* log = qobject_cast<QPlainTextEdit*>(widget))
        return new TextBoxAccessible<QPlainTextEdit>(log);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return new ButtonAccessible(button);
    return nullptr;
}

} // namespace

void installSheetAccessibility()
{
    QAccessible::installFactory(sheetAccessible); // once: a factory installed again is ignored
}

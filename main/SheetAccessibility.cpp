#include "SheetAccessibility.h"

#include "PowerSelector.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

bool isPartOfSheet(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (widget->inherits("TForm1"))
            return true;
    return false;
}

bool mayActOn(const QWidget* control)
{
    return control->isEnabled() && !blockedByModalDialog(control);
}

// A one-line text box: its text, cursor and selection, and edits that respect read-only and
// the modal dialog.
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t != QAccessible::Value)
            QAccessibleWidget::setText(t, text);
        else if (writable())
            box()->setText(text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !box()->isReadOnly();
        state.selectableText = true;
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
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        box()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        return box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(box()->text().size()); }
    QRect characterRect(int offset) const override
    {
        const QString text = box()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        // The text's own origin, as the box lays it out unscrolled.
        const QFontMetrics metrics = box()->fontMetrics();
        const QRect contents = box()->contentsRect().marginsRemoved(box()->textMargins());
        const int x = contents.x() + textIndent + metrics.horizontalAdvance(text.left(offset));
        const QRect character(x, contents.y(), metrics.horizontalAdvance(text.at(offset)),
                              metrics.height());
        return character.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
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
            box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    static constexpr int textIndent = 2; // QLineEdit's gap between its frame and its text

    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
    bool writable() const { return !box()->isReadOnly() && mayActOn(box()); }
};

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
            button()->animateClick();
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
        return new TextBoxAccessible(box);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return new ButtonAccessible(button);
    return nullptr;
}

} // namespace

void installSheetAccessibility()
{
    QAccessible::installFactory(sheetAccessible); // once: a factory installed again is ignored
}

bool blockedByModalDialog(const QWidget* control)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != control->window() && !modal->isAncestorOf(control);
}

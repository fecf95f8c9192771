#include "SpinField.h"

#include "Beep.h"
#include "IntegerText.h"
#include "ModalGate.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int arrowWidth = 15;
constexpr int firstRepeatMs = 400;
constexpr int repeatIntervalMs = 100;

bool isAcceptedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u == u'\r' || u == u'\n')
        return false;
    const bool control = u < 0x20 || u == 0x7F;
    return control || (u >= u'0' && u <= u'9') || u == u'+' || u == u'-' ||
           QLocale().decimalPoint() == QString(c);
}

} // namespace

SpinField::SpinField(qint32 minimum, qint32 maximum, qint32 initial, QWidget* parent)
    : QWidget(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_edit(new QLineEdit(this))
{
    m_edit->setText(decimalText(initial));
    // Only typed keys are filtered; an input method would go round the filter.
    m_edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_edit->setTextMargins(0, 0, arrowWidth - 2, 0);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_edit, &QLineEdit::textChanged, this, &SpinField::changed);

    m_up = createArrowButton(Qt::UpArrow, +1);
    m_down = createArrowButton(Qt::DownArrow, -1);
}

QToolButton* SpinField::createArrowButton(Qt::ArrowType arrow, int delta)
{
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(firstRepeatMs);
    button->setAutoRepeatInterval(repeatIntervalMs);
    connect(button, &QToolButton::pressed, this,
            [this] { m_edit->setFocus(Qt::MouseFocusReason); });
    connect(button, &QToolButton::clicked, this, [this, button, delta] {
        // While the arrow is down, a click is a tick of its repeat: a step only while the
        // pointer's button is really held (it may have been let go where the arrow never
        // heard of it).
        if (button->isDown() && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            button->setDown(false);
        else
            stepBy(delta);
    });
    button->installEventFilter(this);
    return button;
}

void SpinField::resizeEvent(QResizeEvent*)
{
    m_edit->setGeometry(rect());
    const int top = 1;
    const int half = (height() - 2) / 2;
    m_up->setGeometry(width() - arrowWidth - 1, top, arrowWidth, half);
    m_down->setGeometry(width() - arrowWidth - 1, top + half, arrowWidth, height() - 2 - half);
}

qint32 SpinField::value() const
{
    return parseIntegerText(m_edit->text()).value_or(m_minimum);
}

qint32 SpinField::clampedValue() const
{
    return isBounded() ? std::clamp(value(), m_minimum, m_maximum) : value();
}

void SpinField::fixUp()
{
    if (clampedValue() != value())
        setValue(value());
}

void SpinField::setValue(qint64 value)
{
    value = std::clamp<qint64>(value, std::numeric_limits<qint32>::min(),
                               std::numeric_limits<qint32>::max());
    if (isBounded())
        value = std::clamp<qint64>(value, m_minimum, m_maximum);
    m_edit->setText(decimalText(value));
}

QString SpinField::text() const
{
    return m_edit->text();
}

void SpinField::setAccessibleNames(const QString& name)
{
    setAccessibleName(name);
    m_edit->setAccessibleName(name);
    m_up->setAccessibleName(name + u" 増やす"_s);
    m_down->setAccessibleName(name + u" 減らす"_s);
}

void SpinField::stepBy(int delta)
{
    if (!blockedByModalDialog(this))
        setValue(qint64(value()) + delta);
}

bool SpinField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_up || watched == m_down) {
        // A held arrow is let go when a dialog opens and takes the pointer, when the pointer
        // leaves the window while held (another program took it), and when the window is
        // deactivated: its repeat would otherwise go on with no hand on the button.
        const bool letGo = event->type() == QEvent::WindowBlocked ||
                           event->type() == QEvent::Leave ||
                           (event->type() == QEvent::ActivationChange && !isActiveWindow());
        if (letGo)
            static_cast<QToolButton*>(watched)->setDown(false);
        return false;
    }
    if (watched != m_edit)
        return false;
    if (event->type() == QEvent::FocusOut) {
        fixUp();
        return false;
    }
    // Text dropped in takes the focus, as clicking into the field would, so that leaving the
    // field clamps it.
    if (event->type() == QEvent::Drop) {
        m_edit->setFocus(Qt::MouseFocusReason);
        return false;
    }
    // Typing that arrives as committed text (from an input method, and all typing on the
    // page) is judged character by character, as keys are.
    if (event->type() == QEvent::InputMethod) {
        const QString committed = static_cast<QInputMethodEvent*>(event)->commitString();
        if (std::all_of(committed.begin(), committed.end(), isAcceptedCharacter))
            return false;
        beep();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;

    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
        stepBy(key->key() == Qt::Key_Up ? +1 : -1);
        return true;
    }
    // Shortcuts (Ctrl+V, Ctrl+A, ...) are commands, not typed characters. The text box types
    // the letter of Meta with a letter, so that one is judged as typed.
    const bool shortcut = key->modifiers() & Qt::ControlModifier;
    const QString typed = key->text();
    if (!shortcut && !typed.isEmpty() && !isAcceptedCharacter(typed.front())) {
        beep();
        return true;
    }
    return false;
}

#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A numeric input: a one-line text box with up and down arrows at its right edge, holding a
// signed 32-bit integer as decimal text. Its text may be anything (paste is not filtered);
// its value is the text read as integer text, or the minimum when the text is not one.
// Where minimum and maximum differ the field is bounded: setting clamps, and so does
// leaving the field with a value outside the bounds.
class SpinField : public QWidget {
    Q_OBJECT

public:
    SpinField(qint32 minimum, qint32 maximum, qint32 initial, QWidget* parent);

    qint32 value() const;
    // The value held to the bounds, as leaving the field would make it.
    qint32 clampedValue() const;
    // What leaving the field does: a value outside the bounds is set again, clamped.
    void fixUp();
    // Saturates to 32 bits, clamps when bounded, writes the value as decimal text.
    void setValue(qint64 value);
    QString text() const;
    // Names the field, its text box and its arrows for assistive technology.
    void setAccessibleNames(const QString& name);
    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    // Every change of the text, typed, pasted or set.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool isBounded() const { return m_minimum != m_maximum; }
    void stepBy(int delta);
    QToolButton* createArrowButton(Qt::ArrowType arrow, int delta);

    const qint32 m_minimum;
    const qint32 m_maximum;
    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
};

#pragma once

#include <QComboBox>

class PowerNames;
class QItemSelection;

// The power selector: a drop-down list of the rating table's rows whose text can also be
// typed into. Choosing an item selects its row; typing leaves no row selected, whatever
// the text says.
class PowerSelector : public QComboBox {
    Q_OBJECT

public:
    explicit PowerSelector(QWidget* parent);

    // The selected row, -1 when none is.
    int selectedIndex() const { return m_selected; }
    // Makes the names the list, in one step, without selecting anything.
    void setPowerNames(PowerNames* names);
    // Opens the list as wide as its widest name, up to the screen's width.
    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    // Scrolling over the sheet must not swap the user's weapon: the wheel steps through the
    // powers only while the selector has the focus.
    void wheelEvent(QWheelEvent* event) override;

signals:
    // The selected row changed.
    void changed();

private:
    void select(int index);
    void textSetWithoutTyping(const QString& text);
    void listSelectionChanged(const QItemSelection& selected);

    int popupWidth() const;

    PowerNames* m_names = nullptr;
    QPersistentModelIndex m_listCurrent; // the open list's current item, as last reported
    mutable int m_popupWidth = -1;
    int m_selected = -1;
    bool m_typed = false;
};

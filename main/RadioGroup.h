#pragma once

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

// A framed group of radio buttons in one column; exactly one is selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& caption, const QStringList& items, int selected, QWidget* parent);

    int itemIndex() const;
    QRadioButton* item(int index) const;

signals:
    // Another item was selected, by mouse or keyboard.
    void selectionChanged();

private:
    void tabToCheckedItem();

    QButtonGroup* m_items;
};

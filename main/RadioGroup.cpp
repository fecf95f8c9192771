#include "RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int selected,
                       QWidget* parent)
    : QGroupBox(caption, parent)
    , m_items(new QButtonGroup(this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 2, 4, 4);
    column->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_items->addButton(button, i);
        column->addWidget(button);
    }
    m_items->button(selected)->setChecked(true);
    tabToCheckedItem();
    connect(m_items, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            tabToCheckedItem();
            emit selectionChanged();
        }
    });
}

// The group is one stop in the tab order, at its checked item; the arrow keys move between
// the items, as option groups do on every desktop.
void RadioGroup::tabToCheckedItem()
{
    for (QAbstractButton* item : m_items->buttons())
        item->setFocusPolicy(item->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::itemIndex() const
{
    return m_items->checkedId();
}

QRadioButton* RadioGroup::item(int index) const
{
    return qobject_cast<QRadioButton*>(m_items->button(index));
}

#pragma once

// Drives the real combat sheet in tests: a rating table in a fresh directory, the window
// shown and active on the offscreen platform, dice set to chosen values, fields typed into
// with the keyboard, buttons clicked with the mouse, and every error dialog recorded and
// closed by a timer, as a user would close it.

#include "CombatSheet.h"
#include "Unit1.h"

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

struct SeenDialog {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format;
    bool sheetWasVisible;
};

class SheetFixture {
public:
    // Builds the sheet in a directory holding the given rating table (none when null);
    // whileDialogOpen runs while each error dialog is open, the start-up one included.
    explicit SheetFixture(const QByteArray& ratingTable,
                          std::function<void()> whileDialogOpen = {});
    ~SheetFixture();

    TForm1& form() { return *m_form; }
    SpinField* field(Field field) { return m_form->spinField(field); }
    template <typename Widget>
    Widget* control(const char* name)
    {
        return m_form->findChild<Widget*>(QLatin1String(name));
    }

    // The next dice the generator rolls, in order.
    static void nextDice(const QList<int>& dice);

    void click(const char* button);
    // Replaces a field's text as a user does: tab into it (which selects it), then type.
    void type(Field field, const QString& keys);
    // Replaces a field's text with pasted text.
    void paste(Field field, const QString& text);
    // "2:5 17:abc" types 5 into SpinEdit2 and pastes abc into SpinEdit17.
    void fill(const QString& assignments);
    // Chooses a power with the keyboard, from the top of the list.
    void choosePower(int index);
    void chooseJudgement(int index);
    void chooseDisclosure(int index);

    QStringList logLines() const;
    QString logText() const;
    const QList<SeenDialog>& dialogs() const { return m_dialogs; }
    // Runs while each error dialog is open, before it is closed.
    std::function<void()> whileDialogOpen;

    void activate();

private:
    void focus(QWidget* widget);
    void closeDialogs();

    QTemporaryDir m_dir;
    QString m_previousDirectory;
    QTimer m_dialogCloser;
    QList<SeenDialog> m_dialogs;
    QMessageBox* m_openWhileHooked = nullptr; // the dialog whileDialogOpen runs behind
    std::unique_ptr<TForm1> m_form;
};

// A rating table whose value for result n is 100 + n, easy to read back from a damage line.
QByteArray hundredsTable();

class PowerSelector;
using PickPower = std::function<void(SheetFixture&, PowerSelector*)>;
// Picks the second of two powers, "Axe", with `pick`, and checks what every way of picking
// must give: it is selected once (`changes` counts the changes of the selected row on the
// way), the selector rule runs, and the attack reads its row.
void checkPowerPicked(const PickPower& pick, int changes);

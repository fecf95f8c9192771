#pragma once

// The combat sheet window. Its controls are the whole state of the program: the rules read
// them afresh each time a button is pressed and write results back into the two hit-point
// fields and the log. Every handler runs its body through runHandler, which turns a
// failure into the error dialog, so no exception ever reaches Qt's event loop, and which
// runs nothing while a modal dialog blocks the sheet.

#include "CombatSheet.h"
#include "RatingTable.h"

#include <QWidget>

#include <array>
#include <vector>

class LogPane;
class PowerSelector;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class SpinField;

class TForm1 : public QWidget, public CombatSheet {
    Q_OBJECT

public:
    // Builds the sheet with every default, then runs FormCreate: seeds the dice, clears the
    // log and loads the rating table from the current directory. A failure there is shown
    // in the error dialog before the window appears.
    explicit TForm1(QWidget* parent = nullptr);

    SpinField* spinField(Field field) const { return m_fields[size_t(field)]; }

    qint32 value(Field field) const override;
    qint32 clampedValue(Field field) const override;
    QString text(Field field) const override;
    void setValue(Field field, qint64 value) override;
    void appendLogLine(const QString& line) override;
    void clearLog() override;
    bool enemyRolls() const override;
    bool enemyRollsShown() const override;
    bool clearLogOnReset() const override;
    bool restoreHitPointsOnReset() const override;
    int selectedPower() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setupFields();
    void setupDisplays();
    void setupLabels();
    void setupButtonsAndOptions();
    void setupTabOrder();
    void connectRules();

    void FormCreate();
    void LoadRatingTable();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Memo1Change();
    void SpinEdit1Change();
    void SpinEdit3Change();
    void SpinEdit13Change();
    void SpinEdit16Change();
    void ComboBox1Change();
    void RadioGroup1Click();

    void takeFocusAsClickDoes(QPushButton* button);
    template <typename Body>
    void runHandler(Body&& body);

    friend struct ControlTables;

    std::array<SpinField*, fieldCount> m_fields{};
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    PowerSelector* ComboBox1 = nullptr;
    LogPane* Memo1 = nullptr;
    QLabel* Label16 = nullptr;
    QWidget* Bevel1 = nullptr;
    std::vector<std::pair<int, QWidget*>> m_tabOrder;

    RatingTable m_ratingTable;
};

#include "Unit1.h"

#include "CaptionRoomStyle.h"
#include "Dice.h"
#include "Divider.h"
#include "EnterPresses.h"
#include "ErrorDialog.h"
#include "Failure.h"
#include "IntegerText.h"
#include "LogPane.h"
#include "ModalGate.h"
#include "PowerNames.h"
#include "PowerSelector.h"
#include "RadioGroup.h"
#include "Rules.h"
#include "SheetAccessibility.h"
#include "SheetFont.h"
#include "SpinField.h"
#include "WindowPlacement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

struct FieldRow {
    Field field;
    int left, top, width;
    qint32 initial, minimum, maximum;
    int tab;
    const char16_t* accessibleName; // row and column captions, so that no two read alike
};

// clang-format off
constexpr FieldRow fieldRows[] = {
    {Field::SpinEdit1,  136,  40, 57,  1, 0,  0,  2, u"命中力 戦士系技能"},
    {Field::SpinEdit2,  200,  40, 49,  0, 0,  0,  3, u"命中力 器ボーナス"},
    {Field::SpinEdit5,  264,  40, 49,  0, 0,  0,  9, u"命中力 装備補正"},
    {Field::SpinEdit4,  320,  40, 49,  0, 0,  0,  7, u"命中力 その他補正"},
    {Field::SpinEdit7,  200,  88, 49,  0, 0,  0, 10, u"ダメージ 筋ボーナス"},
    {Field::SpinEdit10, 264,  88, 49,  0, 0,  0, 14, u"ダメージ 装備補正"},
    {Field::SpinEdit9,  320,  88, 49,  0, 0,  0, 13, u"ダメージ その他補正"},
    {Field::SpinEdit8,  392,  88, 49, 10, 8, 99, 12, u"ダメージ クリティカル値"},
    {Field::SpinEdit3,  576,  32, 49,  0, 0,  0,  4, u"敵 回避力 基準値"},
    {Field::SpinEdit6,  488, 160, 49,  0, 0,  0, 16, u"敵 防護点"},
    {Field::SpinEdit11, 576, 160, 49, 10, 0,  0, 17, u"敵 HP 現在"},
    {Field::SpinEdit23, 632, 160, 49, 10, 0,  0, 33, u"敵 HP Max"},
    {Field::SpinEdit21, 352, 216, 57,  0, 0,  0, 30, u"先制 スカウト技能"},
    {Field::SpinEdit22, 488, 216, 49,  0, 0,  0, 32, u"敵 先制値"},
    {Field::SpinEdit12, 136, 344, 57,  1, 0,  0, 19, u"回避力 戦士系技能"},
    {Field::SpinEdit13, 200, 344, 49,  0, 0,  0, 20, u"回避力 敏ボーナス"},
    {Field::SpinEdit15, 264, 344, 49,  0, 0,  0, 22, u"回避力 装備補正"},
    {Field::SpinEdit14, 320, 344, 49,  0, 0,  0, 21, u"回避力 その他補正"},
    {Field::SpinEdit16, 576, 336, 49,  0, 0,  0, 23, u"敵 命中力 基準値"},
    {Field::SpinEdit17, 576, 376, 49,  0, 0,  0, 25, u"敵 打撃点"},
    {Field::SpinEdit19, 264, 392, 49,  0, 0,  0, 27, u"防護点 装備補正"},
    {Field::SpinEdit18, 320, 392, 49,  0, 0,  0, 26, u"防護点 その他補正"},
    {Field::SpinEdit20, 136, 424, 57, 20, 0,  0, 28, u"HP 現在"},
    {Field::SpinEdit24, 200, 424, 57, 20, 0,  0, 34, u"HP Max"},
};

struct LabelRow {
    int left, top;
    const char16_t* caption;
};

constexpr LabelRow labelRows[] = {
    {  8,  40, u"命中力"},       {136,  24, u"戦士系技能"},   {200,  24, u"器ボーナス"},
    {496,  40, u"回避力　2D6＋"}, {320,  24, u"その他補正"},   {264,  24, u"装備補正"},
    {  8,  88, u"ダメージ"},     { 64,  72, u"威力"},         {136,  72, u"戦士系技能"},
    {200,  72, u"筋ボーナス"},   {640,  16, u"固定値"},       {576,  16, u"基準値"},
    {392,  72, u"クリティカル値"}, {320,  72, u"その他補正"},   {264,  72, u"装備補正"},
    { 40, 120, u"威力を選択してください。"},
    {488, 144, u"防護点"},       {552, 160, u"HP"},           {  8, 344, u"回避力"},
    {136, 328, u"戦士系技能"},   {200, 328, u"敏ボーナス"},   {320, 328, u"その他補正"},
    {264, 328, u"装備補正"},     {496, 344, u"命中力　2D6＋"}, {640, 320, u"固定値"},
    {576, 320, u"基準値"},       {496, 384, u"打撃点　2D6＋"}, {320, 376, u"その他補正"},
    {264, 376, u"装備補正"},     {  8, 400, u"防護点"},       {112, 424, u"HP"},
    {352, 200, u"スカウト技能"}, {352, 248, u"敏ボーナス"},   {488, 200, u"先制値"},
    {136, 408, u"現在"},         {200, 408, u"Max"},          {576, 144, u"現在"},
    {632, 144, u"Max"},
};
// clang-format on
// The other controls' places in the keyboard focus order.
constexpr int memo1Tab = 1, radioGroup1Tab = 6, radioGroup2Tab = 8, comboBox1Tab = 15;

// Label16, the hint to choose a power, is the one label a rule shows and hides.
constexpr int powerHintLabel = 16;
static_assert(std::u16string_view(labelRows[powerHintLabel - 1].caption) ==
              u"威力を選択してください。");

constexpr int fieldHeight = 21;
constexpr int displayHeight = 20;
constexpr QSize buttonSize(75, 25);
constexpr QSize checkBoxSize(97, 17);
// The sheet's outer size, frame and title bar included, and its client area.
constexpr QSize outerSize(696, 480);
constexpr QSize clientSize(688, 453);
constexpr QPoint windowPosition(192, 107);

} // namespace

// The displays, buttons and check boxes, as the spin fields above: where each stands, what it
// starts as, its place in the focus order. A friend of the window, to name its members.
struct ControlTables {
    struct DisplayRow {
        QLineEdit* TForm1::*member;
        const char16_t* name;
        int left, top, width;
        const char16_t* initial;
        bool readOnly, tabStop;
        int tab;
        const char16_t* accessibleName;
    };
    // A button or check box: its size is that of its kind.
    template <typename Control>
    struct CaptionedRow {
        Control* TForm1::*member;
        const char16_t* name;
        int left, top;
        const char16_t* caption;
        int tab;
    };

    // clang-format off
    static constexpr DisplayRow displays[] = {
        {&TForm1::Edit1, u"Edit1", 640,  32, 41, u"7", true,  false,  5, u"敵 回避力 固定値"},
        {&TForm1::Edit2, u"Edit2", 136,  88, 57, u"1", true,  true,  11, u"ダメージ 戦士系技能"},
        {&TForm1::Edit3, u"Edit3", 639, 336, 41, u"7", true,  false, 24, u"敵 命中力 固定値"},
        {&TForm1::Edit4, u"Edit4", 352, 264, 57, u"0", false, true,  31, u"先制 敏ボーナス"},
    };
    static constexpr CaptionedRow<QPushButton> buttons[] = {
        {&TForm1::Button1, u"Button1",  56, 136, u"Attack Roll",   0},
        {&TForm1::Button2, u"Button2",  56, 296, u"Defence Roll", 18},
        {&TForm1::Button3, u"Button3", 352, 168, u"Initiative",   29},
        {&TForm1::Button4, u"Button4", 584, 232, u"Reset",        35},
    };
    static constexpr CaptionedRow<QCheckBox> checkBoxes[] = {
        {&TForm1::CheckBox1, u"CheckBox1", 584, 264, u"ログ消去",    36},
        {&TForm1::CheckBox2, u"CheckBox2", 584, 288, u"HPをMax値に", 37},
    };
    // clang-format on
};

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    installSheetAccessibility();
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Form1"_s);
    // The sheet's face, chosen once and set before any control exists: the window's own font
    // for its controls, the application's for its dialogs and menus, which are windows of
    // their own.
    const QFont face = sheetFont();
    setFont(face);
    QApplication::setFont(face);
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    resize(clientSize);
    move(placeOnScreen({windowPosition, outerSize}, screen()->availableGeometry()));

    setupFields();
    setupDisplays();
    setupLabels();
    setupButtonsAndOptions();
    setupTabOrder();
    connectRules();

    runHandler([this] { FormCreate(); });
}

void TForm1::setupFields()
{
    for (const FieldRow& row : fieldRows) {
        auto* field = new SpinField(row.minimum, row.maximum, row.initial, this);
        const int number = int(row.field) + 1;
        field->setObjectName(u"SpinEdit%1"_s.arg(number));
        field->setGeometry(row.left, row.top, row.width, fieldHeight);
        field->setAccessibleNames(QString::fromUtf16(row.accessibleName));
        m_fields[size_t(row.field)] = field;
        m_tabOrder.emplace_back(row.tab, field);
    }
}

void TForm1::setupDisplays()
{
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
    for (const auto& row : ControlTables::displays) {
        auto* display = new QLineEdit(QString::fromUtf16(row.initial), this);
        display->setObjectName(QString::fromUtf16(row.name));
        display->setGeometry(row.left, row.top, row.width, displayHeight);
        display->setPalette(buttonFace);
        display->setAccessibleName(QString::fromUtf16(row.accessibleName));
        display->setReadOnly(row.readOnly);
        // The two fixed values are reached by mouse only.
        if (!row.tabStop)
            display->setFocusPolicy(Qt::ClickFocus);
        m_tabOrder.emplace_back(row.tab, display);
        this->*row.member = display;
    }
}

void TForm1::setupLabels()
{
    int number = 0;
    for (const LabelRow& row : labelRows) {
        auto* label = new QLabel(QString::fromUtf16(row.caption), this);
        label->setObjectName(u"Label%1"_s.arg(++number));
        label->move(row.left, row.top);
        label->adjustSize();
        if (number == powerHintLabel)
            Label16 = label;
    }
    Bevel1 = new Divider(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setGeometry(480, 8, 9, 433);
}

void TForm1::setupButtonsAndOptions()
{
    auto* captionRoom = new CaptionRoomStyle;
    captionRoom->setParent(this);
    for (const auto& row : ControlTables::buttons) {
        auto* button = new QPushButton(QString::fromUtf16(row.caption), this);
        button->setStyle(captionRoom);
        button->setObjectName(QString::fromUtf16(row.name));
        button->setGeometry({{row.left, row.top}, buttonSize});
        new EnterPresses(button);
        m_tabOrder.emplace_back(row.tab, button);
        this->*row.member = button;
    }
    Button1->setEnabled(false);

    RadioGroup1 = new RadioGroup(u"判定"_s, {u"ランダム"_s, u"固定"_s}, 1, this);
    RadioGroup1->setObjectName(u"RadioGroup1"_s);
    RadioGroup1->setGeometry(488, 64, 89, 65);
    RadioGroup2 = new RadioGroup(u"出目の公開"_s, {u"クローズド"_s, u"オープン"_s}, 0, this);
    RadioGroup2->setObjectName(u"RadioGroup2"_s);
    RadioGroup2->setGeometry(584, 64, 97, 65);
    RadioGroup2->setEnabled(false);
    m_tabOrder.emplace_back(radioGroup1Tab, RadioGroup1);
    m_tabOrder.emplace_back(radioGroup2Tab, RadioGroup2);

    for (const auto& row : ControlTables::checkBoxes) {
        auto* box = new QCheckBox(QString::fromUtf16(row.caption), this);
        box->setObjectName(QString::fromUtf16(row.name));
        box->setGeometry({{row.left, row.top}, checkBoxSize});
        box->setChecked(true);
        m_tabOrder.emplace_back(row.tab, box);
        this->*row.member = box;
    }

    ComboBox1 = new PowerSelector(this);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->setGeometry(64, 88, 57, fieldHeight);
    ComboBox1->setAccessibleName(u"ダメージ 威力"_s);
    ComboBox1->lineEdit()->setAccessibleName(ComboBox1->accessibleName());
    m_tabOrder.emplace_back(comboBox1Tab, ComboBox1);

    Memo1 = new LogPane(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setGeometry(40, 168, 305, 121);
    Memo1->setAccessibleName(u"ログ"_s);
    m_tabOrder.emplace_back(memo1Tab, Memo1);
}

void TForm1::setupTabOrder()
{
    std::sort(m_tabOrder.begin(), m_tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> chain;
    for (const auto& [tab, widget] : m_tabOrder) {
        if (auto* group = qobject_cast<RadioGroup*>(widget)) {
            chain.push_back(group->item(0));
            chain.push_back(group->item(1));
        } else {
            chain.push_back(widget);
        }
    }
    for (size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    m_tabOrder.clear();
}

void TForm1::connectRules()
{
    const auto handle = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this, [this, handler] { runHandler([&] { (this->*handler)(); }); });
    };
    const auto handleClick = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, [this, button, handler] {
            runHandler([&] {
                takeFocusAsClickDoes(button);
                (this->*handler)();
            });
        });
    };
    handleClick(Button1, &TForm1::Button1Click);
    handleClick(Button2, &TForm1::Button2Click);
    handleClick(Button3, &TForm1::Button3Click);
    handleClick(Button4, &TForm1::Button4Click);
    handle(Memo1, &LogPane::textChanged, &TForm1::Memo1Change);
    handle(spinField(Field::SpinEdit1), &SpinField::changed, &TForm1::SpinEdit1Change);
    handle(spinField(Field::SpinEdit3), &SpinField::changed, &TForm1::SpinEdit3Change);
    handle(spinField(Field::SpinEdit13), &SpinField::changed, &TForm1::SpinEdit13Change);
    handle(spinField(Field::SpinEdit16), &SpinField::changed, &TForm1::SpinEdit16Change);
    handle(ComboBox1, &PowerSelector::changed, &TForm1::ComboBox1Change);
    handle(RadioGroup1, &RadioGroup::selectionChanged, &TForm1::RadioGroup1Click);
}

// A click takes the focus, so the field being edited is left, and clamped, before an action
// reads it. A press from an assistive tool leaves the focus where it was: do what the click
// does.
void TForm1::takeFocusAsClickDoes(QPushButton* button)
{
    if (focusWidget() == button)
        return;
    for (SpinField* field : m_fields)
        if (field->isAncestorOf(focusWidget()))
            field->fixUp();
    button->setFocus(Qt::OtherFocusReason);
}

template <typename Body>
void TForm1::runHandler(Body&& body)
{
    // Handlers run one at a time: while a failure's dialog is open, input that was already on
    // its way (a press landing a moment later, a second click) runs nothing behind it.
    if (blockedByModalDialog(this))
        return;
    try {
        body();
    } catch (const SheetFailure& failure) {
        showErrorDialog(this, failure.message());
    } catch (const std::exception& unexpected) {
        // Nothing may unwind through Qt's event loop, not even a failure we did not foresee.
        showErrorDialog(this, QString::fromLocal8Bit(unexpected.what()));
    }
}

void TForm1::FormCreate()
{
    SeedDice();
    clearLog();
    LoadRatingTable();
}

void TForm1::LoadRatingTable()
{
    m_ratingTable.load();
    const qsizetype named = m_ratingTable.namedRowCount();
    ComboBox1->setPowerNames(
        new PowerNames(m_ratingTable, named, ComboBox1->view()->fontMetrics(), ComboBox1));
    if (named < m_ratingTable.count())
        (void)m_ratingTable.rowName(named); // raises the failure of a line without fields
}

void TForm1::closeEvent(QCloseEvent* event)
{
    runHandler([this] { m_ratingTable.release(); });
    event->accept();
}

void TForm1::Button1Click()
{
    rules::Attack(*this, m_ratingTable);
}

void TForm1::Button2Click()
{
    rules::Defend(*this);
}

void TForm1::Button3Click()
{
    rules::RollInitiative(*this);
}

void TForm1::Button4Click()
{
    rules::Reset(*this);
}

void TForm1::Memo1Change()
{
    Memo1->applyScrollBarRule();
}

void TForm1::SpinEdit1Change()
{
    Edit2->setText(text(Field::SpinEdit1));
}

void TForm1::SpinEdit3Change()
{
    Edit1->setText(decimalText(value(Field::SpinEdit3) + rules::fixedRoll));
}

void TForm1::SpinEdit13Change()
{
    Edit4->setText(text(Field::SpinEdit13));
}

void TForm1::SpinEdit16Change()
{
    Edit3->setText(decimalText(value(Field::SpinEdit16) + rules::fixedRoll));
}

void TForm1::ComboBox1Change()
{
    if (ComboBox1->selectedIndex() < 0)
        return;
    Button1->setEnabled(true);
    Label16->hide();
}

void TForm1::RadioGroup1Click()
{
    RadioGroup2->setEnabled(enemyRolls());
}

qint32 TForm1::value(Field field) const
{
    return spinField(field)->value();
}

qint32 TForm1::clampedValue(Field field) const
{
    return spinField(field)->clampedValue();
}

QString TForm1::text(Field field) const
{
    return spinField(field)->text();
}

void TForm1::setValue(Field field, qint64 value)
{
    spinField(field)->setValue(value);
}

void TForm1::appendLogLine(const QString& line)
{
    Memo1->appendLogLine(line);
}

void TForm1::clearLog()
{
    Memo1->clearLog();
}

bool TForm1::enemyRolls() const
{
    return RadioGroup1->itemIndex() == 0;
}

bool TForm1::enemyRollsShown() const
{
    return RadioGroup2->itemIndex() == 1;
}

bool TForm1::clearLogOnReset() const
{
    return CheckBox1->isChecked();
}

bool TForm1::restoreHitPointsOnReset() const
{
    return CheckBox2->isChecked();
}

int TForm1::selectedPower() const
{
    return ComboBox1->selectedIndex();
}

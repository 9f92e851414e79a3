#include "gui/ByteEditorPanel.h"

#include "core/base/Version.h"
#include "core/buffer/EditorRules.h"
#include "core/buffer/GridModel.h"
#include "core/operations/Events.h"
#include "core/text/CharRules.h"
#include "core/text/CodePage932.h"
#include "core/text/HexText.h"
#include "gui/AppState.h"
#include "gui/Desktop.h"
#include "gui/Fonts.h"
#include "gui/HexGridView.h"
#include "gui/StepReport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QValidator>
#include <exception>

namespace zelko6 {

namespace {

// Holds EditLock for the life of a handler; released on every way out.
class EditLockGuard {
  public:
    explicit EditLockGuard(bool &lock) : lock_(lock) { lock_ = true; }
    ~EditLockGuard() { lock_ = false; }
    EditLockGuard(const EditLockGuard &) = delete;
    EditLockGuard &operator=(const EditLockGuard &) = delete;

  private:
    bool &lock_;
};

QLineEdit *box(QWidget *parent, const char *name, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    edit->setFont(gothicFixedFont());
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 4 + 12);
    return edit;
}

QLabel *caption(QWidget *parent, QWidget *buddy)
{
    auto *label = new QLabel(parent);
    label->setFont(uiGothicFont());
    label->setBuddy(buddy);
    return label;
}

// However text reaches the hex box (typed, pasted, dropped, put back), it holds at most two
// hexadecimal digits, upper-cased; anything else is refused whole.
class HexDigitsValidator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        if (input.size() > 2)
            return Invalid;
        for (const QChar c : input)
            if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
                return Invalid;
        return Acceptable;
    }
};

// The box's own undo and redo, and the window's (Ctrl+Z, Ctrl+Y), whatever the desktop's key scheme.
bool isUndoKey(const QKeyEvent *event)
{
    const QKeyCombination key = event->keyCombination();
    return event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
           key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
           key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

// The keys that would bring text into the hex box past its rules: a cut empties it (and stores
// 0x00) as no deletion the user meant; the box's own undo and redo put back text the filter never
// saw.
bool isRefusedEditKey(const QKeyEvent *event)
{
    return event->matches(QKeySequence::Cut) || isUndoKey(event);
}

} // namespace

ByteEditorPanel::ByteEditorPanel(AppState &state, HexGridView &grid, EventSink &events, MessageBoxes &boxes,
                                 ByteStore storeByte, QWidget *parent)
    : QGroupBox(parent), state_(state), grid_(grid), events_(events), boxes_(boxes),
      storeByte_(std::move(storeByte))
{
    setObjectName(QStringLiteral("Frame1"));
    setFont(uiGothicFont());
    hex_ = box(this, "Text_modify_hex", 2);
    dec_ = box(this, "Text_modify_dec", 3);
    asc_ = box(this, "Text_modify_asc", 1);
    for (QLineEdit *edit : {hex_, dec_, asc_})
        edit->installEventFilter(this);
    hex_->setValidator(new HexDigitsValidator(hex_));
    hex_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(hex_, &QLineEdit::customContextMenuRequested, this, &ByteEditorPanel::showHexBoxMenu);

    auto *layout = new QGridLayout(this);
    captions_ = {caption(this, hex_), caption(this, dec_), caption(this, asc_), nullptr};
    layout->addWidget(captions_[0], 0, 0);
    layout->addWidget(hex_, 0, 1, Qt::AlignLeft);
    layout->addWidget(captions_[1], 1, 0);
    layout->addWidget(dec_, 1, 1, Qt::AlignLeft);
    layout->addWidget(captions_[2], 2, 0);
    layout->addWidget(asc_, 2, 1, Qt::AlignLeft);

    // Bit 7 on the left; a wider gap between the two nibbles.
    auto *bitRow = new QHBoxLayout;
    bitRow->setSpacing(2);
    for (int bit = 7; bit >= 0; --bit) {
        auto *check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("ChkBin"));
        check->setProperty("index", bit);
        check->setToolTip(QString::number(bit));
        bits_[static_cast<size_t>(bit)] = check;
        bitRow->addWidget(check);
        if (bit == 4)
            bitRow->addSpacing(10);
        connect(check, &QCheckBox::toggled, this, [this] { ChkBin_Click(); });
    }
    bitRow->addStretch(1);
    captions_[3] = caption(this, bits_[7]);
    layout->addWidget(captions_[3], 3, 0);
    layout->addLayout(bitRow, 3, 1);
    retranslateUi();

    connect(hex_, &QLineEdit::textChanged, this, [this] { Text_modify_hex_Change(); });
    connect(dec_, &QLineEdit::textChanged, this, [this] { Text_modify_dec_Change(); });
    connect(asc_, &QLineEdit::textChanged, this, [this] { Text_modify_asc_Change(); });
}

bool ByteEditorPanel::editsIgnored() const
{
    return grid_.Col() == kCharColumn + 1 || state_.EditLock;
}

void ByteEditorPanel::MSFGrid1_Click(bool moveFocus)
{
    try {
        state_.StepNo = 300;
        // A click on a row's characters selects its last byte.
        if (grid_.Col() == kCharColumn + 1)
            grid_.setCurrentCell(grid_.Row(), kBytesPerRow);
    } catch (const std::exception &failure) {
        boxes_.show(BoxIcon::Error, BoxButtons::Ok, kAppTitle,
                    stepReportText(QString::fromLocal8Bit(failure.what()), state_.StepNo,
                                   QStringLiteral("  k = 0 m = 0")));
        return;
    }
    if (state_.EditLock)
        return;
    const int address = grid_.selectedAddress();
    {
        EditLockGuard lock(state_.EditLock);
        state_.StepNo = 301;
        if (state_.BufData.contains(address)) {
            const uint8_t b = state_.BufData[static_cast<size_t>(address)];
            dec_->setText(QString::number(b));
            hex_->setText(hexDigits(b, 2));
            asc_->setText(QString(selectionRuleChar(b)));
            state_.StepNo = 302;
            showBits(b);
        }
        state_.StepNo = 303;
    }
    if (moveFocus) {
        hex_->setFocus();
        hex_->selectAll(); // the next keys typed replace the byte
    }
    state_.StepNo = 304;
    if (address >= 0)
        events_.report(AddressSelected{address});
    emit byteLoaded(address);
}

void ByteEditorPanel::changeSelectedByte(QLineEdit *typedInto, const std::function<void(uint8_t &)> &change)
{
    if (editsIgnored())
        return;
    EditLockGuard lock(state_.EditLock);
    const int address = grid_.selectedAddress();
    if (!state_.BufData.contains(address))
        return;
    uint8_t b = state_.BufData[static_cast<size_t>(address)];
    change(b);
    // The box typed into keeps what was typed; the others show the byte as it now is.
    if (typedInto != dec_)
        dec_->setText(QString::number(b));
    if (typedInto != hex_)
        hex_->setText(hexDigits(b, 2));
    if (typedInto != asc_)
        asc_->setText(QString(editRuleChar(b)));
    showBits(b);
    storeByte_(address, b);
}

void ByteEditorPanel::Text_modify_hex_Change()
{
    changeSelectedByte(hex_, [this](uint8_t &b) {
        const int value = HexWordValue(hex_->text());
        if (value <= 0xFF)
            b = static_cast<uint8_t>(value);
    });
}

void ByteEditorPanel::Text_modify_dec_Change()
{
    changeSelectedByte(dec_, [this](uint8_t &b) {
        if (const auto number = decimalBoxNumber(dec_->text()); number && *number > 255.0)
            dec_->setText(QStringLiteral("255"));
        if (const auto value = decimalBoxByte(dec_->text()))
            b = *value;
    });
}

void ByteEditorPanel::Text_modify_asc_Change()
{
    changeSelectedByte(asc_, [this](uint8_t &b) {
        const QString text = asc_->text();
        if (!text.isEmpty())
            if (const auto code = singleByteCode(text.front()))
                b = *code;
    });
}

void ByteEditorPanel::ChkBin_Click()
{
    changeSelectedByte(nullptr, [this](uint8_t &b) {
        b = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (bits_[static_cast<size_t>(bit)]->isChecked())
                b |= static_cast<uint8_t>(1u << bit);
    });
}

void ByteEditorPanel::showBits(uint8_t value)
{
    for (int bit = 0; bit < 8; ++bit)
        bits_[static_cast<size_t>(bit)]->setChecked((value >> bit) & 1);
}

bool ByteEditorPanel::Text_modify_hex_KeyPress(QKeyEvent *event)
{
    // Only typed characters pass the filter; navigation, deletion, focus changes and shortcuts
    // are not characters and go on as usual.
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        event->key() == Qt::Key_Delete || (event->modifiers() & Qt::ControlModifier) || state_.EditLock)
        return false;
    HexKeyDecision decision{};
    {
        EditLockGuard lock(state_.EditLock);
        decision = hexKeyFilter(text.front());
    }
    switch (decision.action) {
    case HexKey::Accept:
    case HexKey::PassThrough:
        return false;
    case HexKey::Replace: {
        // The box receives the upper-case digit instead of the key typed.
        QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers() & ~Qt::ShiftModifier,
                           QString(decision.replacement), event->isAutoRepeat());
        hex_->event(&replaced);
        return true;
    }
    case HexKey::Discard:
        break;
    }
    return true;
}

bool ByteEditorPanel::eventFilter(QObject *watched, QEvent *event)
{
    // A box would claim undo and redo for its own text; left unclaimed, they reach the window's
    // undo and redo (the buffer's history). When the window has nothing to take back, the key
    // press that follows is refused, so the box never puts back text its handlers did not see.
    const bool box = watched == hex_ || watched == dec_ || watched == asc_;
    if (box && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        isUndoKey(static_cast<QKeyEvent *>(event)))
        return true;
    if (watched == hex_ && event->type() == QEvent::KeyPress) {
        if (isRefusedEditKey(static_cast<QKeyEvent *>(event)))
            return true;
        return Text_modify_hex_KeyPress(static_cast<QKeyEvent *>(event));
    }
    return QGroupBox::eventFilter(watched, event);
}

void ByteEditorPanel::showHexBoxMenu(const QPoint &at)
{
    // The box's menu without cut, undo and redo, which would bypass its rules; a paste goes
    // through the box's validator like every other way in.
    QMenu menu;
    const bool selected = hex_->hasSelectedText();
    const struct {
        const char *name;
        QString text;
        bool enabled;
        std::function<void()> run;
    } entries[] = {
        {"hexCopy", tr("コピー(&C)"), selected, [this] { hex_->copy(); }},
        {"hexPaste", tr("貼り付け(&P)"), !QGuiApplication::clipboard()->text().isEmpty(),
         [this] { hex_->paste(); }},
        {"hexDelete", tr("削除(&D)"), selected, [this] { hex_->del(); }},
        {"hexSelectAll", tr("すべて選択(&A)"), !hex_->text().isEmpty(), [this] { hex_->selectAll(); }},
    };
    for (const auto &entry : entries) {
        QAction *action = menu.addAction(entry.text, hex_, entry.run);
        action->setObjectName(QLatin1String(entry.name));
        action->setEnabled(entry.enabled);
    }
    menu.exec(hex_->mapToGlobal(at));
}

void ByteEditorPanel::retranslateUi()
{
    setTitle(tr("データ修正"));
    const std::pair<QLineEdit *, QString> boxes[] = {
        {hex_, tr("Hex")}, {dec_, tr("Dec")}, {asc_, tr("Ascii")}};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        boxes[i].first->setAccessibleName(boxes[i].second);
        captions_[i]->setText(boxes[i].second);
    }
    captions_[3]->setText(tr("Bin"));
    for (int bit = 0; bit < 8; ++bit)
        bits_[static_cast<size_t>(bit)]->setAccessibleName(tr("Bin %1").arg(bit));
}

void ByteEditorPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QGroupBox::changeEvent(event);
}

} // namespace zelko6

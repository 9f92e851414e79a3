#include "gui/BufferDialogs.h"

#include "core/buffer/AddressEntry.h"
#include "gui/Fonts.h"
#include "messages/StatusTexts.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelko6 {

namespace {

// A control under the object name by which tests find it.
template <typename Control> Control *named(QWidget *parent, const char *name)
{
    auto *control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

QLineEdit *entryField(QWidget *parent, const char *name)
{
    auto *edit = named<QLineEdit>(parent, name);
    edit->setFont(gothicFixedFont()); // addresses and bytes line up as in the grid
    return edit;
}

QLabel *note(QWidget *parent, const char *name)
{
    auto *label = named<QLabel>(parent, name);
    label->setWordWrap(true);
    return label;
}

QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

BufferDialog::BufferDialog(QWidget *parent) : QDialog(parent)
{
    setFont(uiGothicFont());
    setWindowModality(Qt::WindowModal);
    hint_ = note(this, "rangeHint");
    error_ = note(this, "refusal");
}

void BufferDialog::openFor(size_t size)
{
    size_ = size;
    error_->clear();
    retranslateUi();
    firstField()->selectAll();
    firstField()->setFocus();
    open();
}

QString BufferDialog::refusal() const
{
    return error_->text();
}

void BufferDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

QString BufferDialog::rangeText() const
{
    return tr("有効なアドレス: %1～%2（16進数。10進数は先頭に # を付けます）")
        .arg(StatusTexts::hexAddress(0), StatusTexts::hexAddress(static_cast<int64_t>(size_) - 1));
}

void BufferDialog::refuse(const QString &why)
{
    error_->setText(why);
}

namespace {

QString formatHint()
{
    return BufferDialog::tr(
        "16進数（例: 1F40、0x1F40、1F40h）か、# を付けた10進数（例: #8000）で入力してください。");
}

QString outOfRange(const QString &what, size_t size)
{
    return BufferDialog::tr("%1が範囲外です。%2～%3 の範囲で入力してください。")
        .arg(what, StatusTexts::hexAddress(0), StatusTexts::hexAddress(static_cast<int64_t>(size) - 1));
}

QString malformed(const QString &what)
{
    return BufferDialog::tr("%1が正しくありません。%2").arg(what, formatHint());
}

QString startName()
{
    return BufferDialog::tr("開始アドレス");
}

QString endName()
{
    return BufferDialog::tr("終了アドレス");
}

QString lengthName()
{
    return BufferDialog::tr("長さ");
}

QString addressName()
{
    return BufferDialog::tr("アドレス");
}

} // namespace

// --- Go to ---

GoToDialog::GoToDialog(QWidget *parent) : BufferDialog(parent)
{
    setObjectName(QStringLiteral("GoToDialog"));
    prompt_ = new QLabel(this);
    field_ = entryField(this, "goToAddress");
    prompt_->setBuddy(field_);
    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(prompt_);
    row->addWidget(field_, 1);
    layout->addLayout(row);
    layout->addWidget(hint_);
    layout->addWidget(error_);
    layout->addWidget(okCancel(this));
    retranslateUi();
}

void GoToDialog::accept()
{
    const auto address = addressInBuffer(field_->text(), bufferSize());
    if (const auto *refusal = std::get_if<AddressRefusal>(&address)) {
        refuse(*refusal == AddressRefusal::Malformed ? malformed(addressName())
                                                     : outOfRange(addressName(), bufferSize()));
        field_->selectAll();
        return;
    }
    address_ = std::get<int64_t>(address);
    QDialog::accept();
}

void GoToDialog::retranslateUi()
{
    setWindowTitle(tr("アドレスへ移動"));
    prompt_->setText(tr("アドレス(&A):"));
    field_->setAccessibleName(addressName());
    hint_->setText(rangeText());
}

// --- Find ---

FindDialog::FindDialog(QWidget *parent) : BufferDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog"));
    prompt_ = new QLabel(this);
    field_ = entryField(this, "findValue");
    prompt_->setBuddy(field_);
    hex_ = named<QRadioButton>(this, "findHex");
    text_ = named<QRadioButton>(this, "findText");
    hex_->setChecked(true);
    forward_ = named<QPushButton>(this, "findForward");
    forward_->setDefault(true);
    backward_ = named<QPushButton>(this, "findBackward");
    cancel_ = named<QPushButton>(this, "findCancel");
    connect(forward_, &QPushButton::clicked, this, [this] { findIn(SearchDirection::Forward); });
    connect(backward_, &QPushButton::clicked, this, [this] { findIn(SearchDirection::Backward); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(prompt_);
    row->addWidget(field_, 1);
    layout->addLayout(row);
    auto *kinds = new QHBoxLayout;
    kinds->addWidget(hex_);
    kinds->addWidget(text_);
    kinds->addStretch(1);
    layout->addLayout(kinds);
    layout->addWidget(hint_);
    layout->addWidget(error_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(forward_);
    buttons->addWidget(backward_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    retranslateUi();
}

void FindDialog::findIn(SearchDirection direction)
{
    const auto bytes = hex_->isChecked() ? parseHexBytes(field_->text()) : textBytes(field_->text());
    if (!bytes) {
        refuse(hex_->isChecked()
                   ? tr("16進数のバイト列を入力してください（例: DE AD BE EF、deadbeef）。")
                   : tr("検索する文字列を入力してください。シフトJISにない文字は検索できません。"));
        field_->selectAll();
        return;
    }
    pattern_ = *bytes;
    direction_ = direction;
    QDialog::accept();
}

void FindDialog::retranslateUi()
{
    setWindowTitle(tr("検索"));
    prompt_->setText(tr("検索する値(&V):"));
    field_->setAccessibleName(tr("検索する値"));
    hex_->setText(tr("16進数(&H)"));
    text_->setText(tr("文字列（シフトJIS）(&T)"));
    forward_->setText(tr("次を検索(&N)"));
    backward_->setText(tr("前を検索(&P)"));
    cancel_->setText(tr("キャンセル"));
    hint_->setText(tr("現在のセルから検索し、バッファの端まで来ると反対の端から続けます。"));
}

// --- Fill ---

FillDialog::FillDialog(QWidget *parent) : BufferDialog(parent)
{
    setObjectName(QStringLiteral("FillDialog"));
    startLabel_ = new QLabel(this);
    start_ = entryField(this, "fillStart");
    startLabel_->setBuddy(start_);
    byEnd_ = named<QRadioButton>(this, "fillByEnd");
    byLength_ = named<QRadioButton>(this, "fillByLength");
    byEnd_->setChecked(true);
    endOrLength_ = entryField(this, "fillEnd");
    // The second field is the end or the length, as the choice above it says.
    connect(byLength_, &QRadioButton::toggled, this, &FillDialog::nameSecondField);
    valueLabel_ = new QLabel(this);
    value_ = entryField(this, "fillValue");
    valueLabel_->setBuddy(value_);
    valueHint_ = note(this, "valueHint");

    auto *grid = new QGridLayout;
    grid->addWidget(startLabel_, 0, 0);
    grid->addWidget(start_, 0, 1, 1, 2);
    grid->addWidget(byEnd_, 1, 0);
    grid->addWidget(byLength_, 1, 1);
    grid->addWidget(endOrLength_, 2, 1, 1, 2);
    grid->addWidget(valueLabel_, 3, 0);
    grid->addWidget(value_, 3, 1, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(hint_);
    layout->addWidget(valueHint_);
    layout->addWidget(error_);
    layout->addWidget(okCancel(this));
    retranslateUi();
}

void FillDialog::prepare(int64_t start, size_t size)
{
    start_->setText(StatusTexts::hexAddress(start));
    byEnd_->setChecked(true);
    endOrLength_->setText(StatusTexts::hexAddress(static_cast<int64_t>(size) - 1));
    value_->setText(QStringLiteral("FF"));
}

void FillDialog::nameSecondField()
{
    endOrLength_->setAccessibleName(byLength_->isChecked() ? lengthName() : endName());
}

void FillDialog::accept()
{
    const auto range =
        rangeInBuffer(start_->text(), endOrLength_->text(),
                      byLength_->isChecked() ? RangeEnd::Length : RangeEnd::EndAddress, bufferSize());
    if (const auto *refusal = std::get_if<RangeRefusal>(&range)) {
        switch (*refusal) {
        case RangeRefusal::StartMalformed:
            refuse(malformed(startName()));
            break;
        case RangeRefusal::StartOutOfRange:
            refuse(outOfRange(startName(), bufferSize()));
            break;
        case RangeRefusal::EndMalformed:
            refuse(malformed(endName()));
            break;
        case RangeRefusal::EndOutOfRange:
            refuse(outOfRange(endName(), bufferSize()));
            break;
        case RangeRefusal::EndBeforeStart:
            refuse(tr("終了アドレスが開始アドレスより前です。"));
            break;
        case RangeRefusal::LengthMalformed:
            refuse(malformed(lengthName()));
            break;
        case RangeRefusal::LengthOutOfRange:
            refuse(tr("長さは1以上で、バッファの終わり（%1）を越えない値にしてください。")
                       .arg(StatusTexts::hexAddress(static_cast<int64_t>(bufferSize()) - 1)));
            break;
        }
        return;
    }
    const auto bytes = parseHexBytes(value_->text());
    if (!bytes || bytes->size() > static_cast<size_t>(kMaxFillPattern)) {
        refuse(tr("値は1～16バイトの16進数で入力してください（例: FF、DE AD BE EF）。"));
        return;
    }
    range_ = std::get<ByteRange>(range);
    pattern_ = *bytes;
    QDialog::accept();
}

void FillDialog::retranslateUi()
{
    setWindowTitle(tr("範囲を埋める"));
    startLabel_->setText(tr("開始アドレス(&S):"));
    byEnd_->setText(tr("終了アドレス(&E)"));
    byLength_->setText(tr("長さ(&L)"));
    valueLabel_->setText(tr("値(&V):"));
    start_->setAccessibleName(startName());
    value_->setAccessibleName(tr("値"));
    nameSecondField();
    valueHint_->setText(tr("1～16バイトの16進数。範囲の先頭から繰り返して書き込みます。"));
    hint_->setText(rangeText());
}

} // namespace zelko6

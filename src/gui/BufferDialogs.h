#pragma once
// The small dialogs of the buffer tools: go to an address, find a byte sequence, fill a range.
// Each only reads what the user types, checks it against the buffer's size with the core's rules
// and refuses it in place (the dialog stays open and says why); what it accepts, the window does.

#include "core/buffer/BufferChange.h"
#include "core/buffer/BufferScan.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zelko6 {

// What every dialog here has: the valid addresses named, and a line for what was refused.
class BufferDialog : public QDialog {
    Q_OBJECT
  public:
    explicit BufferDialog(QWidget *parent);
    // Opens the dialog (window-modal, returning at once) for a buffer of `size` bytes, the range
    // it accepts and names, with the first field's text selected so that typing replaces it.
    void openFor(size_t size);
    // What was refused, as the dialog says it; empty when nothing is.
    QString refusal() const;

  protected:
    void changeEvent(QEvent *event) override;
    virtual void retranslateUi() = 0;
    virtual QLineEdit *firstField() const = 0;
    // The valid addresses, as a hint under the fields.
    QString rangeText() const;
    void refuse(const QString &why);
    size_t bufferSize() const { return size_; }

    QLabel *hint_ = nullptr;
    QLabel *error_ = nullptr;

  private:
    size_t size_ = 0;
};

class GoToDialog final : public BufferDialog {
    Q_OBJECT
  public:
    explicit GoToDialog(QWidget *parent);
    void accept() override;
    int64_t address() const { return address_; }

  private:
    void retranslateUi() override;
    QLineEdit *firstField() const override { return field_; }

    QLabel *prompt_ = nullptr;
    QLineEdit *field_ = nullptr;
    int64_t address_ = 0;
};

class FindDialog final : public BufferDialog {
    Q_OBJECT
  public:
    explicit FindDialog(QWidget *parent);
    const std::vector<uint8_t> &pattern() const { return pattern_; }
    SearchDirection direction() const { return direction_; }

  private:
    void retranslateUi() override;
    QLineEdit *firstField() const override { return field_; }
    void findIn(SearchDirection direction);

    QLabel *prompt_ = nullptr;
    QLineEdit *field_ = nullptr;
    QRadioButton *hex_ = nullptr;
    QRadioButton *text_ = nullptr;
    QPushButton *forward_ = nullptr;
    QPushButton *backward_ = nullptr;
    QPushButton *cancel_ = nullptr;
    std::vector<uint8_t> pattern_;
    SearchDirection direction_ = SearchDirection::Forward;
};

class FillDialog final : public BufferDialog {
    Q_OBJECT
  public:
    explicit FillDialog(QWidget *parent);
    // The fields as a new fill starts: from `start` to the end of a buffer of `size` bytes, with 0xFF.
    void prepare(int64_t start, size_t size);
    void accept() override;
    ByteRange range() const { return range_; }
    const std::vector<uint8_t> &pattern() const { return pattern_; }

  private:
    void retranslateUi() override;
    QLineEdit *firstField() const override { return start_; }
    void nameSecondField();

    QLabel *startLabel_ = nullptr;
    QLabel *valueLabel_ = nullptr;
    QLineEdit *start_ = nullptr;
    QRadioButton *byEnd_ = nullptr;
    QRadioButton *byLength_ = nullptr;
    QLineEdit *endOrLength_ = nullptr;
    QLineEdit *value_ = nullptr;
    QLabel *valueHint_ = nullptr;
    ByteRange range_;
    std::vector<uint8_t> pattern_;
};

} // namespace zelko6

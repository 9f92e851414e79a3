#pragma once
// Frame1, "データ修正": hexadecimal, decimal, character and bit views of the selected byte.
// A change in any view goes into the buffer at once, through the window's one way for the user's
// changes (storeByte): the byte's grid cell, its row's characters, the checksum and the undo history
// follow in the same event, and the other views here. Setting a control from code raises its
// change event like a user's edit; EditLock keeps those events from writing back.

#include <QGroupBox>
#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zelko6 {

struct AppState;
class HexGridView;
class MessageBoxes;
class EventSink;

class ByteEditorPanel final : public QGroupBox {
    Q_OBJECT
  public:
    // storeByte(address, value): the byte the user made, to be put into the buffer and shown.
    using ByteStore = std::function<void(int address, uint8_t value)>;
    ByteEditorPanel(AppState &state, HexGridView &grid, EventSink &events, MessageBoxes &boxes,
                    ByteStore storeByte, QWidget *parent = nullptr);

    // Selection: loads the byte under the grid's current cell into the views. moveFocus is false
    // when the user moves through the grid with the keys, so the keys keep moving the grid.
    void MSFGrid1_Click(bool moveFocus = true);

    QLineEdit *hexBox() const { return hex_; }

  signals:
    // The views were loaded from the buffer (a selection, or a reload after a change elsewhere):
    // the user's typing that follows is a new edit.
    void byteLoaded(int address);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

  private:
    void Text_modify_hex_Change();
    void Text_modify_dec_Change();
    void Text_modify_asc_Change();
    void ChkBin_Click();
    bool Text_modify_hex_KeyPress(class QKeyEvent *event); // true when the key is consumed

    void showHexBoxMenu(const QPoint &at);
    void retranslateUi();
    bool editsIgnored() const;
    // The frame of every change: the lock, the selected byte, the other views and the tail.
    void changeSelectedByte(QLineEdit *typedInto, const std::function<void(uint8_t &)> &change);
    void showBits(uint8_t value);

    AppState &state_;
    HexGridView &grid_;
    EventSink &events_;
    MessageBoxes &boxes_;
    ByteStore storeByte_;
    QLineEdit *hex_ = nullptr;
    QLineEdit *dec_ = nullptr;
    QLineEdit *asc_ = nullptr;
    std::array<QCheckBox *, 8> bits_{};  // index = bit number
    std::array<QLabel *, 4> captions_{}; // Hex, Dec, Ascii, Bin
};

} // namespace zelko6

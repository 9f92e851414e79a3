#pragma once
// What a device operation needs from the main window. The window implements this and forwards
// the four transfer buttons to DeviceOperations; everything else about an operation happens
// below the window.

#include <QString>
#include <cstdint>

namespace zelko6 {

class OperationView {
  public:
    virtual ~OperationView() = default;

    // true: disable everything that could start a second operation or change what the running one
    // works on — the grid, the four transfer buttons, the byte editor frame, and also the device
    // and access-size lists, buffer clear, the file commands and the port button and menu item.
    // false: enable all of it again and give the keyboard focus to the hex edit box. Called more
    // than once in a row with the same value; the second call changes nothing.
    virtual void setOperationLock(bool locked) = 0;

    // The byte under the grid's current cell, (Row − 1) × 16 + (Col − 1); −1 when no byte cell is
    // current.
    virtual int selectedAddress() const = 0;

    // The text of the access-size list's selected entry, as shown (decimal digits).
    virtual QString accessSizeText() const = 0;

    // Rebuild the grid from the buffer (checksum, text dump and editor included), current cell on
    // address 0. Must leave status panel 1 alone: the operation's message is already there.
    virtual void refreshGrid() = 0;

    // After a Byte Read: the current cell's text := byteCellText(value), then the grid's click
    // handling runs so the byte editor shows the value (and panel 3 its address text).
    virtual void showReadByte(uint8_t value) = 0;
};

} // namespace zelko6

#pragma once
// How a byte is drawn as a character in the grid's character column, the dump and the editor.

#include <QChar>
#include <cstdint>

namespace zelko6 {

// Full refresh: 0x21..0x7F and 0xA0..0xDF as themselves, except the double quote and the comma
// (which would upset tab- and comma-separated consumers of the dump); anything else as "･".
// The result is the byte written to the dump (0xA5 is "･" in code page 932).
uint8_t fillRuleByte(uint8_t b);

// After an edit in the byte editor: 0x20..0x7F and 0xA0..0xDF as themselves, else "･".
uint8_t editRuleByte(uint8_t b);

// The glyph for a byte that a rule shows as itself. 0x7F and 0xA0 have no visible glyph in the
// Japanese single-byte set, so the screen shows them as "･" too.
QChar displayChar(uint8_t shownByte);

// Selection in the grid: printable ASCII as itself, anything else as "･".
QChar selectionRuleChar(uint8_t b);

// The character box after an edit.
inline QChar editRuleChar(uint8_t b)
{
    return displayChar(editRuleByte(b));
}
inline QChar fillRuleChar(uint8_t b)
{
    return displayChar(fillRuleByte(b));
}

} // namespace zelko6

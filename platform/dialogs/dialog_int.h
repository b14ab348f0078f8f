// The text rules of GetDlgItemInt and SetDlgItemInt, apart from any window.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_INT_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_INT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scribblet::dialogs {

// Reads a field's text as a decimal number.
//
// Leading blanks are skipped, then decimal digits are read. Unsigned, any
// sign fails; signed, one leading minus is allowed. The read fails on an
// empty field, on a field without digits, and on a value out of range
// (above 4294967295 unsigned; outside the 32-bit int range signed). Blanks
// after the digits are accepted; any other trailing character fails.
// Signed results come back as their two's-complement bit pattern, as
// GetDlgItemInt returns them in a UINT.
std::optional<std::uint32_t> ReadDialogInt(std::string_view text,
                                           bool isSigned);

// The decimal text that SetDlgItemInt puts into a field: the value as an
// unsigned number, or as a signed 32-bit number when isSigned is set.
std::string FormatDialogInt(std::uint32_t value, bool isSigned);

} // namespace scribblet::dialogs

#endif

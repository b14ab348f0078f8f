// The text rules of GetDlgItemInt and SetDlgItemInt, apart from any window.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_INT_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_INT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scribblet::dialogs {

// Reads a field's text as an unsigned decimal number, as GetDlgItemInt
// does with bSigned FALSE (the program reads no signed numbers).
//
// Leading blanks are skipped, then decimal digits are read; any sign
// fails. The read fails on an empty field, on a field without digits, and
// on a value above 4294967295. Blanks after the digits are accepted; any
// other trailing character fails.
std::optional<std::uint32_t> read_dialog_uint(std::string_view text);

// The decimal text that SetDlgItemInt puts into a field: the value as an
// unsigned number, or as a signed 32-bit number when is_signed is set.
std::string format_dialog_int(std::uint32_t value, bool is_signed);

} // namespace scribblet::dialogs

#endif

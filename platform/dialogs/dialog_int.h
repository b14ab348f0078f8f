// The text rule of GetDlgItemInt, apart from any window.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_DIALOG_INT_H
#define SCRIBBLET_PLATFORM_DIALOGS_DIALOG_INT_H

#include <cstdint>
#include <optional>
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

} // namespace scribblet::dialogs

#endif

#include "platform/dialogs/dialog_int.h"

namespace scribblet::dialogs {
namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' ||
           c == '\f';
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view skip_leading_blanks(std::string_view text)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    return text;
}

} // namespace

std::optional<std::uint32_t> read_dialog_uint(std::string_view text)
{
    text = skip_leading_blanks(text);
    std::uint64_t value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && is_digit(text[digits])) {
        value = value * 10 + static_cast<unsigned>(text[digits] - '0');
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
        ++digits;
    }
    if (digits == 0 || !skip_leading_blanks(text.substr(digits)).empty())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace scribblet::dialogs

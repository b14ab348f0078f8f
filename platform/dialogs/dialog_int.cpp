#include "platform/dialogs/dialog_int.h"

#include <cstdint>

namespace scribblet::dialogs {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' ||
           c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipLeadingBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

bool OnlyBlanks(std::string_view text)
{
    return SkipLeadingBlanks(text).empty();
}

} // namespace

std::optional<std::uint32_t> ReadDialogInt(std::string_view text,
                                           bool isSigned)
{
    text = SkipLeadingBlanks(text);
    const bool negative = isSigned && !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);

    // A limit one past INT_MAX lets a signed read reach INT_MIN.
    const std::uint64_t limit = !isSigned  ? 0xFFFFFFFFull
                                : negative ? 0x80000000ull
                                           : 0x7FFFFFFFull;
    std::uint64_t value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) {
        value = value * 10 + static_cast<unsigned>(text[digits] - '0');
        if (value > limit)
            return std::nullopt;
        ++digits;
    }
    if (digits == 0 || !OnlyBlanks(text.substr(digits)))
        return std::nullopt;

    const auto magnitude = static_cast<std::uint32_t>(value);
    return negative ? 0u - magnitude : magnitude;
}

std::string FormatDialogInt(std::uint32_t value, bool isSigned)
{
    if (isSigned)
        return std::to_string(static_cast<std::int32_t>(value));
    return std::to_string(value);
}

} // namespace scribblet::dialogs

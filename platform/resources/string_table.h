// String tables (RT_STRING): string id n lives in the block named n / 16 + 1,
// at index n % 16. A block holds 16 strings, each a WORD count of UTF-16
// code units followed by that many units (no terminator); an absent string
// has the count 0.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_STRING_TABLE_H
#define SCRIBBLET_PLATFORM_RESOURCES_STRING_TABLE_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace scribblet::resources {

constexpr std::uint16_t string_block_name(std::uint16_t id)
{
    return static_cast<std::uint16_t>(id / 16 + 1);
}
constexpr unsigned string_block_index(std::uint16_t id)
{
    return id % 16;
}

// String index (0..15) of a block, in UTF-8; an empty string when it is
// absent. Nothing when the block is truncated before that string's end or
// index is out of range.
std::optional<std::string>
string_from_block(std::span<const std::uint8_t> block, unsigned index);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_STRING_TABLE_H

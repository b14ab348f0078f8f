#include "platform/resources/string_table.h"

#include "platform/resources/byte_reader.h"
#include "platform/resources/utf16.h"

namespace scribblet::resources {

namespace {
constexpr unsigned strings_per_block = 16;
}

std::optional<std::string>
string_from_block(std::span<const std::uint8_t> block, unsigned index)
{
    if (index >= strings_per_block)
        return std::nullopt;
    ByteReader reader(block);
    for (unsigned i = 0; i < index; ++i)
        reader.skip(std::size_t{reader.u16()} * 2);
    const std::size_t length = reader.u16();
    std::u16string units(length, u'\0');
    for (char16_t &unit : units)
        unit = reader.u16();
    if (!reader.ok())
        return std::nullopt;
    return utf16_to_utf8(units);
}

} // namespace scribblet::resources

#include "res_builder.h"

namespace res_test {

void put_u16(Bytes &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(Bytes &out, std::uint32_t value)
{
    put_u16(out, static_cast<std::uint16_t>(value));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

void put_utf16z(Bytes &out, const std::u16string &text)
{
    for (char16_t unit : text)
        put_u16(out, unit);
    put_u16(out, 0);
}

void put_ordinal(Bytes &out, std::uint16_t ordinal)
{
    put_u16(out, 0xFFFF);
    put_u16(out, ordinal);
}

ResFile &ResFile::add(std::uint16_t type, std::uint16_t name,
                      std::uint16_t language, const Bytes &data)
{
    put_u32(bytes_, static_cast<std::uint32_t>(data.size()));
    put_u32(bytes_, 32); // HeaderSize: these eight fields
    put_ordinal(bytes_, type);
    put_ordinal(bytes_, name);
    put_u32(bytes_, 0);      // DataVersion
    put_u16(bytes_, 0x1030); // MemoryFlags: moveable, pure, discardable
    put_u16(bytes_, language);
    put_u32(bytes_, 0); // Version
    put_u32(bytes_, 0); // Characteristics
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    while (bytes_.size() % 4 != 0)
        bytes_.push_back(0);
    return *this;
}

Bytes string_block(const std::vector<std::u16string> &strings)
{
    Bytes out;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::u16string text = i < strings.size() ? strings[i] : u"";
        put_u16(out, static_cast<std::uint16_t>(text.size()));
        for (char16_t unit : text)
            put_u16(out, unit);
    }
    return out;
}

std::vector<std::pair<std::size_t, std::size_t>>
entry_data_ranges(const Bytes &file)
{
    const auto u32_at = [&file](std::size_t at) {
        return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) |
               (static_cast<std::uint32_t>(file[at + 3]) << 24);
    };
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    for (std::size_t offset = 0; offset + 8 <= file.size();) {
        const std::size_t data_size = u32_at(offset);
        const std::size_t header_size = u32_at(offset + 4);
        ranges.emplace_back(offset + header_size, data_size);
        offset = (offset + header_size + data_size + 3) & ~std::size_t{3};
    }
    return ranges;
}

} // namespace res_test

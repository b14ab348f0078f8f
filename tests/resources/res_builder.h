// Builds resource data in memory for the reader's tests, in the layout
// windres writes: little-endian fields, UTF-16 texts, .res files.
#ifndef SCRIBBLET_TESTS_RESOURCES_RES_BUILDER_H
#define SCRIBBLET_TESTS_RESOURCES_RES_BUILDER_H

#include <cstdint>
#include <vector>

namespace res_test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes &put_u16(Bytes &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    return out;
}

inline Bytes &put_u32(Bytes &out, std::uint32_t value)
{
    put_u16(out, static_cast<std::uint16_t>(value));
    return put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

// A .res file: the leading empty entry, then each added entry, its type
// and name given as ordinals, its data padded to four bytes.
class ResFile {
public:
    ResFile()
    {
        add(0, 0, {});
    }
    ResFile &add(std::uint16_t type, std::uint16_t name, const Bytes &data)
    {
        put_u32(bytes_, static_cast<std::uint32_t>(data.size()));
        put_u32(bytes_, 32); // HeaderSize: these eight fields
        for (const std::uint16_t ordinal : {type, name})
            put_u16(put_u16(bytes_, 0xFFFF), ordinal);
        // DataVersion; MemoryFlags, LanguageId; Version; Characteristics
        for (const std::uint32_t field : {0u, 0x1030u, 0u, 0u})
            put_u32(bytes_, field);
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        bytes_.resize((bytes_.size() + 3) & ~std::size_t{3});
        return *this;
    }
    const Bytes &bytes() const
    {
        return bytes_;
    }

private:
    Bytes bytes_;
};

} // namespace res_test

#endif // SCRIBBLET_TESTS_RESOURCES_RES_BUILDER_H

// Builds resource data in memory for the reader's tests: whole .res files
// and the pieces that go into them, in the layout windres writes.
#ifndef SCRIBBLET_TESTS_RESOURCES_RES_BUILDER_H
#define SCRIBBLET_TESTS_RESOURCES_RES_BUILDER_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace res_test {

using Bytes = std::vector<std::uint8_t>;

// Little-endian appends.
void put_u16(Bytes &out, std::uint16_t value);
void put_u32(Bytes &out, std::uint32_t value);
// A zero-ended UTF-16 string (the text given as UTF-16).
void put_utf16z(Bytes &out, const std::u16string &text);
void put_ordinal(Bytes &out, std::uint16_t ordinal);

// A .res file: the leading empty entry, then each added entry, its type and
// name given as ordinals.
class ResFile {
public:
    ResFile()
    {
        add(0, 0, 0, {});
    }
    ResFile &add(std::uint16_t type, std::uint16_t name, std::uint16_t language,
                 const Bytes &data);
    const Bytes &bytes() const
    {
        return bytes_;
    }

private:
    Bytes bytes_;
};

// A string-table block holding the given strings at indexes 0, 1, ...
// (absent ones empty).
Bytes string_block(const std::vector<std::u16string> &strings);

// The offset and size of each entry's data in a .res file (for truncating
// inside them), found by walking the headers.
std::vector<std::pair<std::size_t, std::size_t>>
entry_data_ranges(const Bytes &file);

} // namespace res_test

#endif // SCRIBBLET_TESTS_RESOURCES_RES_BUILDER_H

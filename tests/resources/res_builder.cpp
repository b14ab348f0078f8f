#include "res_builder.h"

namespace res_test {

void put_u16(Bytes &out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put_u32(Bytes &out, std::uint32_t value) {
    put_u16(out, static_cast<std::uint16_t>(value));
    put_u16(out, static_cast<std::uint16_t>(value >> 16));
}

void put_utf16z(Bytes &out, const std::u16string &text) {
    for (char16_t unit : text)
        put_u16(out, unit);
    put_u16(out, 0);
}

void put_ordinal(Bytes &out, std::uint16_t ordinal) {
    put_u16(out, 0xFFFF);
    put_u16(out, ordinal);
}

void pad_to_dword(Bytes &out) {
    while (out.size() % 4 != 0)
        out.push_back(0);
}

namespace {

void put_id(Bytes &out, const Id &id) {
    if (id.is_text)
        put_utf16z(out, id.text);
    else
        put_ordinal(out, id.ordinal);
}

Bytes header(const Id &type, const Id &name, std::uint16_t language,
             std::size_t data_size) {
    Bytes fields;
    put_id(fields, type);
    put_id(fields, name);
    pad_to_dword(fields);
    put_u32(fields, 0);      // DataVersion
    put_u16(fields, 0x1030); // MemoryFlags: moveable, pure, discardable
    put_u16(fields, language);
    put_u32(fields, 0); // Version
    put_u32(fields, 0); // Characteristics
    Bytes out;
    put_u32(out, static_cast<std::uint32_t>(data_size));
    put_u32(out, static_cast<std::uint32_t>(8 + fields.size()));
    out.insert(out.end(), fields.begin(), fields.end());
    return out;
}

std::uint32_t read_u32(const Bytes &bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

} // namespace

ResFile::ResFile() { bytes_ = header(Id(std::uint16_t{0}), Id(std::uint16_t{0}), 0, 0); }

ResFile &ResFile::add(Id type, Id name, std::uint16_t language, const Bytes &data) {
    const Bytes head = header(type, name, language, data.size());
    bytes_.insert(bytes_.end(), head.begin(), head.end());
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    pad_to_dword(bytes_);
    return *this;
}

Bytes string_block(const std::vector<std::u16string> &strings) {
    Bytes out;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::u16string text = i < strings.size() ? strings[i] : u"";
        put_u16(out, static_cast<std::uint16_t>(text.size()));
        for (char16_t unit : text)
            put_u16(out, unit);
    }
    return out;
}

std::vector<std::pair<std::size_t, std::size_t>> entry_data_ranges(const Bytes &file) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::size_t offset = 0;
    while (offset + 8 <= file.size()) {
        const std::size_t data_size = read_u32(file, offset);
        const std::size_t header_size = read_u32(file, offset + 4);
        ranges.emplace_back(offset + header_size, data_size);
        offset = (offset + header_size + data_size + 3) & ~std::size_t{3};
    }
    return ranges;
}

} // namespace res_test

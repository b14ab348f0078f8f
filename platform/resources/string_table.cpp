// String tables (RT_STRING) and LoadStringA. String id n lives in the block
// named n / 16 + 1, at index n % 16. A block holds 16 strings, each a WORD
// count of UTF-16 units and then the units (no terminator); an absent string
// has the count 0.
#include <algorithm>
#include <cstring>

#include "platform/resources/byte_reader.h"
#include "platform/resources/resource_reader.h"

namespace scribblet::resources {

std::optional<std::string>
string_from_block(std::span<const std::uint8_t> block, unsigned index)
{
    if (index >= 16)
        return std::nullopt;
    ByteReader reader(block);
    for (unsigned i = 0; i < index; ++i)
        reader.skip(std::size_t{reader.u16()} * 2);
    std::string text = reader.utf16(reader.u16());
    if (!reader.ok())
        return std::nullopt;
    return text;
}

} // namespace scribblet::resources

using namespace scribblet::resources;

// Only the low word of uID names the string, as on Windows. A copy that does
// not fit is cut at cchBufferMax - 1 bytes, even inside a character: the
// program's strings, ASCII, fit its buffers whole.
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer,
                       int cchBufferMax)
{
    if (lpBuffer == nullptr || cchBufferMax < 1)
        return 0;
    const auto id = static_cast<std::uint16_t>(uID);
    const ResourceFile *file = module_file(hInstance);
    const ResourceEntry *block =
        file ? file->find(RT_STRING, MAKEINTRESOURCEA(id / 16 + 1)) : nullptr;
    const std::string text =
        block ? string_from_block(block->data, id % 16).value_or("") : "";
    const std::size_t length =
        std::min(text.size(), static_cast<std::size_t>(cchBufferMax) - 1);
    std::memcpy(lpBuffer, text.data(), length);
    lpBuffer[length] = '\0';
    return static_cast<int>(length);
}

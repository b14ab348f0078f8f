// LoadStringA: a string-table entry in the narrow encoding of this platform
// (UTF-8), shortened to fit the caller's buffer.
#include <algorithm>
#include <cstring>

#include "platform/resources/resource_reader.h"

using namespace scribblet::resources;

namespace {

std::optional<std::string> find_string(HINSTANCE instance, std::uint16_t id)
{
    const ResourceFile *file = module_file(instance);
    if (file == nullptr)
        return std::nullopt;
    const ResourceEntry *block =
        file->find(RT_STRING, MAKEINTRESOURCEA(string_block_name(id)));
    if (block == nullptr)
        return std::nullopt;
    return string_from_block(block->data, string_block_index(id));
}

} // namespace

// Only the low word of uID names the string, as on Windows. The copy holds
// at most cchBufferMax - 1 bytes and a terminating zero (the program's
// strings, ASCII, fit its buffers whole); the result is the number of bytes
// before the zero.
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer,
                       int cchBufferMax)
{
    if (lpBuffer == nullptr || cchBufferMax < 1)
        return 0;
    const std::optional<std::string> text =
        find_string(hInstance, static_cast<std::uint16_t>(uID));
    const std::size_t length =
        text
            ? std::min(text->size(), static_cast<std::size_t>(cchBufferMax) - 1)
            : 0;
    if (length > 0)
        std::memcpy(lpBuffer, text->data(), length);
    lpBuffer[length] = '\0';
    return static_cast<int>(length);
}

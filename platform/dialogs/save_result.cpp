#include "platform/dialogs/save_result.h"

#include <cstring>

namespace scribblet::dialogs {
namespace {

// The needed size goes where Windows puts it: a WORD at the buffer's start.
void StoreNeededSize(OPENFILENAMEA &ofn, std::size_t needed)
{
    if (ofn.lpstrFile == nullptr || ofn.nMaxFile < sizeof(WORD))
        return;
    const WORD size = needed > 0xFFFF ? 0xFFFF : static_cast<WORD>(needed);
    std::memcpy(ofn.lpstrFile, &size, sizeof size);
}

void CopyWithNul(char *buffer, std::string_view text)
{
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
}

// The offset of the extension after its dot; of the final NUL when the
// name has no extension; 0 when the name ends with a dot.
WORD ExtensionOffset(std::string_view path, std::size_t nameOffset)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameOffset)
        return static_cast<WORD>(path.size());
    return dot + 1 == path.size() ? 0 : static_cast<WORD>(dot + 1);
}

} // namespace

DWORD StoreChosenPath(OPENFILENAMEA &ofn, std::string_view path)
{
    const std::size_t needed = path.size() + 1;
    if (ofn.lpstrFile == nullptr || needed > ofn.nMaxFile) {
        StoreNeededSize(ofn, needed);
        return FNERR_BUFFERTOOSMALL;
    }
    CopyWithNul(ofn.lpstrFile, path);
    const std::size_t slash = path.rfind('/');
    const std::size_t nameOffset =
        slash == std::string_view::npos ? 0 : slash + 1;
    ofn.nFileOffset = static_cast<WORD>(nameOffset);
    ofn.nFileExtension = ExtensionOffset(path, nameOffset);
    const std::string_view name = path.substr(nameOffset);
    if (ofn.lpstrFileTitle != nullptr && name.size() < ofn.nMaxFileTitle)
        CopyWithNul(ofn.lpstrFileTitle, name);
    return 0;
}

} // namespace scribblet::dialogs

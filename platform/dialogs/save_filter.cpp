#include "platform/dialogs/save_filter.h"

#include <string_view>

namespace scribblet::dialogs {

std::vector<FileTypeEntry> parse_file_type_list(const char *filter_list)
{
    std::vector<FileTypeEntry> entries;
    if (filter_list == nullptr)
        return entries;
    const char *cursor = filter_list;
    while (*cursor != '\0') {
        const std::string_view label(cursor);
        cursor += label.size() + 1;
        const std::string_view pattern(cursor);
        if (pattern.empty())
            break;
        cursor += pattern.size() + 1;
        entries.push_back({std::string(label), std::string(pattern)});
    }
    return entries;
}

std::string extension_for_entry(const FileTypeEntry &entry,
                                const char *default_extension)
{
    const std::string_view pattern = entry.pattern;
    if (pattern.size() > 2 && pattern.substr(0, 2) == "*." &&
        pattern.find_first_of("*?", 2) == std::string_view::npos)
        return std::string(pattern.substr(2));
    const std::string_view fallback = default_extension;
    return std::string(fallback.substr(fallback.starts_with('.') ? 1 : 0));
}

} // namespace scribblet::dialogs

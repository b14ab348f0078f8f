#include "platform/dialogs/save_filter.h"

#include <cstring>

namespace scribblet::dialogs {
namespace {

std::vector<std::string> SplitPatterns(std::string_view text)
{
    std::vector<std::string> patterns;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view one = text.substr(0, end);
        if (!one.empty())
            patterns.emplace_back(one);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return patterns;
}

bool HasWildcard(std::string_view text)
{
    return text.find_first_of("*?") != std::string_view::npos;
}

std::string WithoutLeadingDot(const char *extension)
{
    if (extension == nullptr)
        return {};
    return extension[0] == '.' ? extension + 1 : extension;
}

} // namespace

std::vector<FileTypeEntry> ParseFileTypeList(const char *filterList)
{
    std::vector<FileTypeEntry> entries;
    if (filterList == nullptr)
        return entries;
    const char *cursor = filterList;
    while (*cursor != '\0') {
        const std::string_view label(cursor);
        cursor += label.size() + 1;
        const std::string_view pattern(cursor);
        if (pattern.empty())
            break;
        cursor += pattern.size() + 1;
        entries.push_back({std::string(label), SplitPatterns(pattern)});
    }
    return entries;
}

std::string ExtensionForEntry(const FileTypeEntry &entry,
                              const char *defaultExtension)
{
    if (!entry.patterns.empty()) {
        const std::string_view first = entry.patterns.front();
        if (first.size() > 2 && first.substr(0, 2) == "*." &&
            !HasWildcard(first.substr(2)) &&
            first.find('.', 2) == std::string_view::npos)
            return std::string(first.substr(2));
    }
    return WithoutLeadingDot(defaultExtension);
}

} // namespace scribblet::dialogs

#include "platform/files/path_parts.h"

#include <cstring>

std::string folder_of(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    if (slash == nullptr)
        return ".";
    if (slash == path)
        return "/";
    return std::string(path, static_cast<size_t>(slash - path));
}

// The binary resource file (.res) that windres writes, parsed.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_FILE_H
#define SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_FILE_H

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/resources/resource_name.h"

namespace scribblet::resources {

// An entry's type, name and data. Its language is not kept: the program's
// resources are all in one language, but for the manifest.
struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    std::span<const std::uint8_t> data; // inside the file's own bytes
};

// A parsed resource file. It owns its bytes; the entries' data point into
// them, so the file can be moved but not copied.
class ResourceFile {
public:
    // Parses a whole .res file. Returns nothing when the bytes are not a
    // well-formed 32-bit resource file: a missing or wrong leading empty
    // entry, a header or data that runs past the end, a header too short for
    // its fields, an unterminated name. Never reads outside bytes.
    static std::optional<ResourceFile> parse(std::vector<std::uint8_t> bytes);

    ResourceFile(ResourceFile &&) = default; // and no copies

    // Every entry in file order but the leading empty one.
    const std::vector<ResourceEntry> &entries() const
    {
        return entries_;
    }

    // The first entry of the given type and name, both ordinals
    // (MAKEINTRESOURCEA, RT_ values); nullptr when there is none.
    const ResourceEntry *find(LPCSTR type, LPCSTR name) const;

private:
    ResourceFile() = default;

    std::vector<std::uint8_t> bytes_;
    std::vector<ResourceEntry> entries_;
};

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_FILE_H

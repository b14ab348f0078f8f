// How a resource is named: resource types, names and dialog fields are each
// either a 16-bit ordinal or a string, as in Windows' MAKEINTRESOURCE.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_NAME_H
#define SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_NAME_H

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace scribblet::resources {

// The predefined resource types (Windows' RT_ values).
namespace resource_type {
inline constexpr std::uint16_t cursor = 1;
inline constexpr std::uint16_t bitmap = 2;
inline constexpr std::uint16_t icon = 3;
inline constexpr std::uint16_t menu = 4;
inline constexpr std::uint16_t dialog = 5;
inline constexpr std::uint16_t string = 6;
inline constexpr std::uint16_t accelerator = 9;
inline constexpr std::uint16_t rcdata = 10;
inline constexpr std::uint16_t group_cursor = 12;
inline constexpr std::uint16_t group_icon = 14;
inline constexpr std::uint16_t version = 16;
inline constexpr std::uint16_t manifest = 24;
} // namespace resource_type

// Language identifiers (MAKELANGID(primary, sub)).
namespace language {
inline constexpr std::uint16_t neutral = 0x0000;
inline constexpr std::uint16_t english_us = 0x0409;
inline constexpr std::uint16_t japanese = 0x0411;
// The primary language: the low ten bits.
constexpr std::uint16_t primary(std::uint16_t id) { return id & 0x03FF; }
} // namespace language

// An ordinal or a string. Strings are held in UTF-8 and compare without
// regard to the case of ASCII letters, as Windows compares resource names.
struct ResourceName {
    bool is_ordinal = true;
    std::uint16_t ordinal = 0; // when is_ordinal
    std::string text;          // UTF-8, when !is_ordinal

    static ResourceName from_ordinal(std::uint16_t value);
    static ResourceName from_text(std::string utf8);

    // The name that a Windows call receives as LPCSTR: MAKEINTRESOURCEA(n)
    // is ordinal n, "#123" is ordinal 123 as well, anything else a string.
    // Returns false (and leaves out alone) for a null pointer.
    static bool from_lpcstr(LPCSTR name, ResourceName &out);

    friend bool operator==(const ResourceName &a, const ResourceName &b);
};

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_NAME_H

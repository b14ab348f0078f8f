// The resource format's UTF-16 as the UTF-8 that the narrow ("A")
// functions hand out on this platform.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_UTF16_H
#define SCRIBBLET_PLATFORM_RESOURCES_UTF16_H

#include <string>
#include <string_view>

namespace scribblet::resources {

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD, as Windows'
// WideCharToMultiByte does for CP_UTF8.
std::string utf16_to_utf8(std::u16string_view units);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_UTF16_H

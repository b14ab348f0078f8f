// Accelerator tables (RT_ACCELERATOR): 8-byte entries
//
//     WORD fFlags (FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT; 0x80 on the
//     last) WORD key    (a virtual-key code with FVIRTKEY, else a character
//     code) WORD cmd    (the command id sent with WM_COMMAND) WORD padding
#ifndef SCRIBBLET_PLATFORM_RESOURCES_ACCELERATOR_RESOURCE_H
#define SCRIBBLET_PLATFORM_RESOURCES_ACCELERATOR_RESOURCE_H

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace scribblet::resources {

// One entry, named as Windows' ACCEL record.
struct AcceleratorEntry {
    std::uint8_t fVirt = 0; // FVIRTKEY | FSHIFT | FCONTROL | FALT | FNOINVERT
    std::uint16_t key = 0;
    std::uint16_t cmd = 0;

    friend bool operator==(const AcceleratorEntry &,
                           const AcceleratorEntry &) = default;
};

// The entries in table order, up to and including the one marked last.
// Nothing when the data is empty, not a whole number of entries before the
// last one, or has no entry marked last.
std::optional<std::vector<AcceleratorEntry>>
parse_accelerators(std::span<const std::uint8_t> data);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_ACCELERATOR_RESOURCE_H

// The program's resources on Linux: modules, the loaders that the window
// system and the dialogs build on, and each resource type's parser.
//
// An HINSTANCE here is a handle (HandleKind::module) to a loaded resource
// module: a parsed .res file. The program's own module is made from the
// resource file that the build compiles from res/scribblet.rc and embeds in
// the binary; `main` passes program_instance() to WinMain. Accelerator
// tables (HACCEL) and icons (HICON) are handles too, kept as long as their
// module. A null or wrong-kind handle makes every function here fail
// (nullptr, nothing, FALSE), never crash.
//
// Resource names are LPCSTR as in Windows. The program names every resource
// by number (MAKEINTRESOURCEA(n)); a string name finds nothing here. Where a
// resource exists in several languages, the module's first one in file
// order is taken (the program's are all Japanese).
//
// The Windows functions themselves (declared in platform/platform.h):
//   LoadStringA(instance, id, buffer, size): string id, converted from UTF-16
//       to UTF-8, at most size - 1 bytes, zero-terminated; returns the bytes
//       copied (0 when the string is missing or empty, the buffer then
//       holding ""; 0 and nothing written for a null buffer or a size below
//       1).
//   LoadAcceleratorsA(instance, name): the table's handle, the same one for
//       every call with the same module and name; NULL when missing.
//   LoadIconA(instance, name): the icon group's handle, shared in the same
//       way; NULL when missing. With a null instance (the system's stock
//       icons, IDI_APPLICATION ...) it returns NULL.
//
// Everything here runs on the program's one thread.
#ifndef SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_READER_H
#define SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_READER_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/resources/dialog_template.h"
#include "platform/resources/menu_resource.h"
#include "platform/resources/resource_file.h"

namespace scribblet::resources {

// The program's own module, from the embedded resource file. Made on the
// first call and kept until the process ends; always the same handle.
// NULL only if the embedded file does not parse (a broken build).
HINSTANCE program_instance();

// The module's parsed resource file; nullptr when instance is not live.
const ResourceFile *module_file(HINSTANCE instance);

// The parsed menu (RT_MENU) and dialog template (RT_DIALOG) by name, as
// LoadMenu and DialogBoxParam read them. Nothing when missing or malformed.
std::optional<Menu> load_menu(HINSTANCE instance, LPCSTR name);
std::optional<DialogTemplate> load_dialog_template(HINSTANCE instance,
                                                   LPCSTR name);

// One accelerator, named as Windows' ACCEL record.
struct AcceleratorEntry {
    std::uint8_t fVirt = 0; // FVIRTKEY | FSHIFT | FCONTROL | FALT | FNOINVERT
    std::uint16_t key = 0;
    std::uint16_t cmd = 0;

    friend bool operator==(const AcceleratorEntry &,
                           const AcceleratorEntry &) = default;
};

// The entries of an accelerator table from LoadAcceleratorsA, in table
// order (what TranslateAcceleratorA matches against); nullptr when the
// handle is not live.
const std::vector<AcceleratorEntry> *accelerator_entries(HACCEL table);

// An icon from LoadIconA as the bytes of an .ico file holding all of the
// group's images (16, 32 and 48 pixels at several depths for the program's
// icons), for the toolkit's ICO reader. nullptr when the handle is not
// live.
const std::vector<std::uint8_t> *icon_file_bytes(HICON icon);

// The parsers of one resource's data, for the loaders above.

// An accelerator table's entries up to and including the one marked last.
// Nothing when the data is empty, not a whole number of entries before the
// last one, or has no entry marked last.
std::optional<std::vector<AcceleratorEntry>>
parse_accelerators(std::span<const std::uint8_t> data);

// String index (0..15) of a string-table block, in UTF-8; an empty string
// when it is absent. Nothing when the block is truncated before that
// string's end or index is out of range.
std::optional<std::string>
string_from_block(std::span<const std::uint8_t> block, unsigned index);

// An icon group's entry: one image of the icon.
struct IconGroupEntry {
    std::uint8_t width = 0;  // 0 means 256
    std::uint8_t height = 0; // 0 means 256
    std::uint8_t color_count = 0;
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::uint16_t icon_id = 0; // the RT_ICON resource's ordinal
};
using IconGroup = std::vector<IconGroupEntry>;

// Nothing when the data is truncated or not an icon group (type 1).
std::optional<IconGroup> parse_icon_group(std::span<const std::uint8_t> data);

// An .ico file holding every image of the icon group whose data is given,
// in group order, taken from file's RT_ICON resources: the 6-byte ICONDIR,
// 16-byte ICONDIRENTRYs, then the images. Nothing when the group does not
// parse, is empty or names a missing image.
std::optional<std::vector<std::uint8_t>>
make_ico_file(const ResourceFile &file, std::span<const std::uint8_t> data);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_READER_H

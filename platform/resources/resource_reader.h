// The program's resources on Linux: modules, and the resource loaders that
// the window system and the dialogs build on.
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
//       to UTF-8, at most size - 1 bytes without splitting a character,
//       zero-terminated; returns the bytes copied (0 when the string is
//       missing or empty, the buffer then holding ""; 0 and nothing written
//       for a null buffer or a size below 1).
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
#include <vector>

#include "platform/platform.h"
#include "platform/resources/accelerator_resource.h"
#include "platform/resources/dialog_template.h"
#include "platform/resources/icon_resource.h"
#include "platform/resources/menu_resource.h"
#include "platform/resources/resource_file.h"
#include "platform/resources/resource_name.h"
#include "platform/resources/string_table.h"

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

// The entries of an accelerator table from LoadAcceleratorsA, in table
// order (what TranslateAcceleratorA matches against); nullptr when the
// handle is not live.
const std::vector<AcceleratorEntry> *accelerator_entries(HACCEL table);

// An icon from LoadIconA as the bytes of an .ico file holding all of the
// group's images (16, 32 and 48 pixels at several depths for the program's
// icons), for the toolkit's ICO reader. nullptr when the handle is not
// live.
const std::vector<std::uint8_t> *icon_file_bytes(HICON icon);

} // namespace scribblet::resources

#endif // SCRIBBLET_PLATFORM_RESOURCES_RESOURCE_READER_H

// The save dialog's file-type list and its default-extension rule, as
// plain data apart from any dialog.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_SAVE_FILTER_H
#define SCRIBBLET_PLATFORM_DIALOGS_SAVE_FILTER_H

#include <string>
#include <string_view>
#include <vector>

namespace scribblet::dialogs {

// One file-type entry: the label shown to the user (in the program's
// code page, as it stands) and its patterns, e.g. "*.jpg" or "*.htm;*.html".
struct FileTypeEntry {
    std::string label;
    std::vector<std::string> patterns;
};

// Reads an OPENFILENAME filter list: pairs of NUL-terminated label and
// pattern strings, ended by an empty string. A label without its pattern
// ends the list. A null list is empty.
std::vector<FileTypeEntry> ParseFileTypeList(const char *filterList);

// The extension, without its dot, that a name typed without one receives
// when the given entry is selected: the extension of the entry's first
// pattern when that is a plain "*.ext", else the dialog's default
// extension (a leading dot in it is ignored); empty when there is none.
std::string ExtensionForEntry(const FileTypeEntry &entry,
                              const char *defaultExtension);

} // namespace scribblet::dialogs

#endif

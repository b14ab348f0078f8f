// The save dialog's file-type list and its default-extension rule, as
// plain data apart from any dialog.
#ifndef SCRIBBLET_PLATFORM_DIALOGS_SAVE_FILTER_H
#define SCRIBBLET_PLATFORM_DIALOGS_SAVE_FILTER_H

#include <string>
#include <vector>

namespace scribblet::dialogs {

// One file-type entry: the label shown to the user (as it stands) and its
// pattern, e.g. "*.jpg". The program gives one pattern an entry.
struct FileTypeEntry {
    std::string label;
    std::string pattern;
};

// Reads an OPENFILENAME filter list: pairs of NUL-terminated label and
// pattern strings, ended by an empty string. A label without its pattern
// ends the list. A null list is empty.
std::vector<FileTypeEntry> parse_file_type_list(const char *filter_list);

// The extension, without its dot, that a name typed without one receives
// when the given entry is selected: the extension of the entry's pattern
// when that is a plain "*.ext", else the dialog's default extension (the
// program always gives one; a leading dot in it is ignored).
std::string extension_for_entry(const FileTypeEntry &entry,
                                const char *default_extension);

} // namespace scribblet::dialogs

#endif

// GetSaveFileNameA on Qt's file dialog, for what the program asks of it:
// an owner, a file-type list with an entry selected, an empty name buffer,
// a default extension and OFN_OVERWRITEPROMPT.
//
// Qt's own dialog is used, never the desktop's, so that every rule below
// holds the same on every desktop.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <cstring>
#include <string>
#include <vector>

#include "platform/dialogs/modal_owner.h"
#include "platform/dialogs/save_filter.h"
#include "platform/platform.h"
#include "platform/windows_internal.h"

namespace {

using scribblet::dialogs::FileTypeEntry;

// CommDlgExtendedError's answer for the last call; 0 after a cancel.
DWORD g_last_error = 0;

// A file-type entry's pattern as Qt matches it. Windows' "*.*" means every
// file, with or without an extension; Qt's would need a dot.
QString qt_pattern(const FileTypeEntry &entry)
{
    return entry.pattern == "*.*" ? QStringLiteral("*")
                                  : QString::fromUtf8(entry.pattern);
}

// Qt reads a filter's patterns from the parentheses that end it. A label
// that already ends with its pattern is used as it stands; any other gets
// it added, and the type list is given back the label itself.
QString qt_filter(const FileTypeEntry &entry)
{
    const QString label = QString::fromUtf8(entry.label);
    const QString tail = u'(' + qt_pattern(entry) + u')';
    return label.endsWith(tail) ? label : label + u' ' + tail;
}

QComboBox *type_list(const QFileDialog &dialog)
{
    return dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
}

// The 0-based index of the selected entry.
std::size_t selected_entry(const QFileDialog &dialog)
{
    return static_cast<std::size_t>(type_list(dialog)->currentIndex());
}

// A name typed without an extension gets the selected entry's (or the
// default extension), and the file list shows the entry's files.
void follow_entry(QFileDialog &dialog, const FileTypeEntry &entry,
                  const char *default_extension)
{
    dialog.setDefaultSuffix(QString::fromStdString(
        scribblet::dialogs::extension_for_entry(entry, default_extension)));
    if (auto *files = dialog.findChild<QFileSystemModel *>())
        files->setNameFilters({qt_pattern(entry)});
}

void set_up_file_types(QFileDialog &dialog,
                       const std::vector<FileTypeEntry> &entries,
                       const OPENFILENAMEA &ofn)
{
    if (entries.empty())
        return;
    QStringList filters;
    for (const FileTypeEntry &entry : entries)
        filters << qt_filter(entry);
    dialog.setNameFilters(filters);
    // The type list shows each label exactly as the program wrote it.
    QComboBox *types = type_list(dialog);
    for (int i = 0; i < types->count(); ++i)
        types->setItemText(i, QString::fromUtf8(entries[i].label));
    // nFilterIndex is 1-based; anything out of range selects the first.
    const std::size_t first =
        ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= entries.size()
            ? ofn.nFilterIndex - 1
            : 0;
    dialog.selectNameFilter(filters[static_cast<qsizetype>(first)]);
    const char *default_extension = ofn.lpstrDefExt;
    follow_entry(dialog, entries[first], default_extension);
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [&dialog, entries, default_extension] {
                         follow_entry(dialog, entries[selected_entry(dialog)],
                                      default_extension);
                     });
}

void set_up_dialog(QFileDialog &dialog, const OPENFILENAMEA &ofn)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     (ofn.Flags & OFN_OVERWRITEPROMPT) == 0);
}

// Copies the chosen path into lpstrFile. FNERR_BUFFERTOOSMALL, and nothing
// written, when the path and its NUL do not fit in nMaxFile characters.
DWORD store_chosen_path(OPENFILENAMEA &ofn, const QByteArray &path)
{
    const std::size_t needed = static_cast<std::size_t>(path.size()) + 1;
    if (ofn.lpstrFile == nullptr || needed > ofn.nMaxFile)
        return FNERR_BUFFERTOOSMALL;
    std::memcpy(ofn.lpstrFile, path.constData(), needed);
    return 0;
}

} // namespace

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn)
{
    g_last_error = 0;
    scribblet::dialogs::install_japanese_qt_texts();
    const std::vector<FileTypeEntry> entries =
        scribblet::dialogs::parse_file_type_list(lpofn->lpstrFilter);
    QFileDialog dialog;
    set_up_dialog(dialog, *lpofn);
    set_up_file_types(dialog, entries, *lpofn);
    scribblet::dialogs::run_modal_qt_dialog(dialog, lpofn->hwndOwner);
    if (dialog.result() != QDialog::Accepted)
        return FALSE;
    g_last_error = store_chosen_path(
        *lpofn, QFile::encodeName(dialog.selectedFiles().first()));
    if (g_last_error != 0)
        return FALSE;
    if (!entries.empty())
        lpofn->nFilterIndex = static_cast<DWORD>(selected_entry(dialog)) + 1;
    return TRUE;
}

DWORD WINAPI CommDlgExtendedError(void)
{
    return g_last_error;
}

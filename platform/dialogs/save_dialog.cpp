// GetSaveFileNameA on Qt's file dialog.
//
// Qt's own dialog is used, so that every rule below holds the same on
// every desktop; set SCRIBBLET_DESKTOP_FILE_DIALOG=1 to let Qt use the
// desktop's dialog instead where its platform theme offers one.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <string>
#include <vector>

#include "platform/dialogs/modal_owner.h"
#include "platform/dialogs/save_filter.h"
#include "platform/dialogs/save_result.h"
#include "platform/platform.h"

namespace {

using scribblet::dialogs::FileTypeEntry;

// CommDlgExtendedError's answer for the last call; 0 after a cancel.
DWORD g_lastError = 0;
constexpr DWORD kStructSizeError = 0x0001; // CDERR_STRUCTSIZE

bool UseDesktopDialog()
{
    return qEnvironmentVariableIntValue("SCRIBBLET_DESKTOP_FILE_DIALOG") != 0;
}

// A file-type entry's patterns as Qt matches them. Windows' "*.*" means
// every file, with or without an extension; Qt's would need a dot.
QStringList QtPatterns(const FileTypeEntry &entry)
{
    QStringList patterns;
    for (const std::string &pattern : entry.patterns)
        patterns << (pattern == "*.*" ? QStringLiteral("*")
                                      : QString::fromUtf8(pattern));
    return patterns;
}

// Qt reads a filter's patterns from the parentheses that end it. A label
// that already ends with its patterns is used as it stands; any other
// gets them added, and the type list is given back the label itself.
QString QtFilter(const FileTypeEntry &entry)
{
    const QString label = QString::fromUtf8(entry.label);
    const QString patterns = QtPatterns(entry).join(u' ');
    const QString tail = u'(' + patterns + u')';
    return label.endsWith(tail) ? label : label + u' ' + tail;
}

QStringList QtFilters(const std::vector<FileTypeEntry> &entries)
{
    QStringList filters;
    for (const FileTypeEntry &entry : entries)
        filters << QtFilter(entry);
    return filters;
}

QComboBox *TypeList(const QFileDialog &dialog)
{
    return dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
}

// The 0-based index of the selected entry.
int SelectedEntry(const QFileDialog &dialog, const QStringList &filters)
{
    if (const QComboBox *types = TypeList(dialog))
        return types->currentIndex();
    return static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
}

// Shows each entry's label exactly as the program wrote it.
void ShowLabels(QFileDialog &dialog, const std::vector<FileTypeEntry> &entries)
{
    QComboBox *types = TypeList(dialog);
    if (types == nullptr || types->count() != static_cast<int>(entries.size()))
        return;
    for (int i = 0; i < types->count(); ++i)
        types->setItemText(i, QString::fromUtf8(entries[i].label));
}

// A name typed without an extension gets the selected entry's (or the
// default extension), and the file list shows the entry's files.
void FollowEntry(QFileDialog &dialog, const FileTypeEntry &entry,
                 const char *defaultExtension)
{
    dialog.setDefaultSuffix(QString::fromStdString(
        scribblet::dialogs::ExtensionForEntry(entry, defaultExtension)));
    if (auto *files = dialog.findChild<QFileSystemModel *>())
        files->setNameFilters(QtPatterns(entry));
}

void SetUpFileTypes(QFileDialog &dialog,
                    const std::vector<FileTypeEntry> &entries,
                    const OPENFILENAMEA &ofn)
{
    if (entries.empty())
        return;
    const QStringList filters = QtFilters(entries);
    dialog.setNameFilters(filters);
    ShowLabels(dialog, entries);
    // nFilterIndex is 1-based; anything out of range selects the first.
    const std::size_t first =
        ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= entries.size()
            ? ofn.nFilterIndex - 1
            : 0;
    dialog.selectNameFilter(filters[static_cast<qsizetype>(first)]);
    const char *defaultExtension = ofn.lpstrDefExt;
    FollowEntry(dialog, entries[first], defaultExtension);
    QObject::connect(
        &dialog, &QFileDialog::filterSelected,
        [&dialog, entries, filters, defaultExtension] {
            const int index = SelectedEntry(dialog, filters);
            if (index >= 0 && index < static_cast<int>(entries.size()))
                FollowEntry(dialog, entries[static_cast<std::size_t>(index)],
                            defaultExtension);
        });
}

void SetUpDialog(QFileDialog &dialog, const OPENFILENAMEA &ofn)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, !UseDesktopDialog());
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     (ofn.Flags & OFN_OVERWRITEPROMPT) == 0);
    if (ofn.lpstrTitle != nullptr)
        dialog.setWindowTitle(QString::fromUtf8(ofn.lpstrTitle));
    if (ofn.lpstrInitialDir != nullptr)
        dialog.setDirectory(QFile::decodeName(ofn.lpstrInitialDir));
    // The buffer's text, when there is one, is the name offered first.
    if (ofn.lpstrFile != nullptr && ofn.nMaxFile > 0 &&
        ofn.lpstrFile[0] != '\0')
        dialog.selectFile(QFile::decodeName(
            QByteArray(ofn.lpstrFile,
                       static_cast<qsizetype>(
                           qstrnlen(ofn.lpstrFile, ofn.nMaxFile)))));
}

} // namespace

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA lpofn)
{
    g_lastError = 0;
    if (lpofn == nullptr || lpofn->lStructSize != sizeof(OPENFILENAMEA)) {
        g_lastError = kStructSizeError;
        return FALSE;
    }
    scribblet::dialogs::InstallJapaneseQtTexts();
    const std::vector<FileTypeEntry> entries =
        scribblet::dialogs::ParseFileTypeList(lpofn->lpstrFilter);
    QFileDialog dialog;
    SetUpDialog(dialog, *lpofn);
    SetUpFileTypes(dialog, entries, *lpofn);
    if (!scribblet::dialogs::RunModalQtDialog(dialog, lpofn->hwndOwner) ||
        dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return FALSE;

    const int entry = SelectedEntry(dialog, QtFilters(entries));
    const QByteArray path = QFile::encodeName(dialog.selectedFiles().first());
    g_lastError = scribblet::dialogs::StoreChosenPath(
        *lpofn, std::string_view(path.constData(),
                                 static_cast<std::size_t>(path.size())));
    if (g_lastError != 0)
        return FALSE;
    if (entry >= 0)
        lpofn->nFilterIndex = static_cast<DWORD>(entry) + 1;
    return TRUE;
}

DWORD WINAPI CommDlgExtendedError(void) { return g_lastError; }

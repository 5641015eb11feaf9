#pragma once

#include <QString>

namespace quiller {

// The few file operations the station relies on. Paths are joined with "/" (valid
// on every platform Qt runs on) and shown to the operator with native separators.
class FileSystem {
public:
    static QString Join(const QString& folder, const QString& name);
    static QString Native(const QString& path);

    static bool FileExists(const QString& path);
    static bool FolderExists(const QString& path);
    // Copies with overwrite allowed; throws QuillerError on failure.
    static void CopyFile(const QString& from, const QString& to);
    // Deletes even a read-only file; throws QuillerError on failure.
    static void DeleteFile(const QString& path);

    // Who may use what the station creates in a folder. Patient data is private to the
    // account that runs the station (files 0600, folders 0700) unless the folder is set
    // up for an operators' group: group-writable with the set-group-ID bit, so that new
    // files get the folder's group. Then files are 0660 and folders 2770.
    struct Sharing {
        bool group = false; // shared by the folder's group
        unsigned fileMode = 0600;
        unsigned folderMode = 0700;
    };
    static Sharing SharingOf(const QString& folder);
    // The sharing of the interchange folder, which the pharmacy system reads too: files
    // get the folder's own read and write bits for group and others (never writable by
    // others), folders likewise.
    static Sharing InterchangeSharingOf(const QString& folder);
    // Gives an existing file (or folder) the mode `sharing` asks for; throws QuillerError
    // naming the path and the system's reason when it cannot.
    static void Protect(const QString& path, const Sharing& sharing);
    // A file the station keeps in a folder another program wrote it into (a data file
    // renamed aside in the interchange folder). A rename keeps the writer's owner and
    // mode, which the writer can always read; in a folder set up for a group
    // (group-writable, set-group-ID) the file also gets the folder's group and 0660, so
    // that every account of the group can read it whoever wrote it. Throws QuillerError
    // naming the path and the system's reason when it cannot be changed.
    static void ShareInGroupFolder(const QString& path);
    // Creates folder `name` inside `parent` (or leaves an existing one) with the mode of
    // the parent's sharing, and gives its path. Throws QuillerError on failure.
    static QString MakeFolder(const QString& parent, const QString& name);
    // Writes `bytes` to folder/name atomically (a temporary file in the same folder is
    // renamed when whole, and removed when anything fails), with the folder's sharing.
    static void WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
    // The process file-creation mask that keeps whatever the station creates in `folder`
    // no wider than its sharing (077, or 007 for a group folder).
    static unsigned CreationMaskFor(const QString& folder);
    // Throws QuillerError naming the folder and the system's reason when it cannot be
    // listed and written (missing, not a folder, no permission).
    static void CheckFolderUsable(const QString& folder, const QString& source);
    // True when accounts outside the owner and the folder's group can read `path`: the
    // "other" read bit of a file, or the read or search bit of a folder, and every
    // folder above it searchable by others.
    static bool ReadableByOthers(const QString& path);
};

} // namespace quiller

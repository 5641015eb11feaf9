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
};

} // namespace quiller

#pragma once

#include <QString>

namespace quiller {

// The station's lock file in the interchange folder. Only its presence matters to the
// pharmacy system: present = busy or viewing, absent = ready for data files.
class LockFile {
public:
    // Creates the file with the line "Locked" when it does not exist; true if it was
    // created now. Throws QuillerError when it cannot be written.
    static bool Raise(const QString& path);
    // Deletes the file (read-only too) when it exists; true if it was deleted now.
    // Throws QuillerError when it exists and cannot be deleted.
    static bool Remove(const QString& path);
};

} // namespace quiller

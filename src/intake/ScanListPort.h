#pragma once

#include <QString>

namespace quiller {

// The to-be-scanned list (ListView1) as the intake sees it.
class ScanListPort {
public:
    virtual ~ScanListPort() = default;
    // Removes every entry.
    virtual void Clear() = 0;
    // Appends one entry: text (Rx number "-" refill), the Date, Drug Name and Patient
    // columns, and the tag (the data file's mark).
    virtual void Append(const QString& text, const QString& date, const QString& drug,
                        const QString& patient, const QString& tag) = 0;
    // Keeps the prescription's key, as the data file gave it, with the last entry
    // appended; the entry text alone cannot be split back when a field holds a "-".
    virtual void SetLastKey(const QString& rxNbr, const QString& refNo) {
        Q_UNUSED(rxNbr);
        Q_UNUSED(refNo);
    }
    // Marks the last entry appended as not recorded, with the reason in plain words: it
    // stays listed (its paper is in the stack) but no row holds it.
    virtual void MarkLastRefused(const QString& reason) { Q_UNUSED(reason); }
    virtual int Count() const = 0;
    // Removes the entries from position `first` to the end (the entries of a data file
    // that has to be read again later).
    virtual void RemoveFrom(int first) = 0;
};

} // namespace quiller

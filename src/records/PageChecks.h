#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <utility>

namespace quiller {

class Database;

// How a stored page was matched to its prescription, kept in the PageChecks table beside
// RxImages (one row per prescription: its latest page). `filed` is "verified" (its label
// names the prescription), "by position" (no label, placed by its place in the stack) or
// "by operator" (a kept page the operator filed under it).
struct PageCheck {
    QString filed;
    QString code;    // the label text read, empty when none
    QDateTime when;  // stored as ISO text, UTC
    QString station; // the station's identifier
    QString others;  // the page's other codes, not labels ("Code128: ...; QRCode: ..."),
                     // empty when none
};

namespace PageChecks {

inline QString Verified() {
    return QStringLiteral("verified");
}
inline QString ByPosition() {
    return QStringLiteral("by position");
}
// A kept page the operator filed under the prescription.
inline QString ByOperator() {
    return QStringLiteral("by operator");
}

// How a page was filed, in the operator's language, for the lists' "Page" column; a text
// other than the three above (already in the operator's language) is shown as it is.
QString Shown(const QString& filed);

// Records the image of (rxNbr, refNo) and how its page was filed, in one transaction:
// both or neither. Gives the number of prescription rows changed (0: no row has that
// key, and nothing is written). Throws QuillerError when the database fails.
int SetImageChecked(Database& db, const QString& rxNbr, const QString& refNo,
                    const QString& imageName, const PageCheck& check);

// How the pages of the given prescriptions were filed, by Key(rxNbr, refNo); keys without
// a row are absent. Throws QuillerError when the database fails.
QHash<QString, QString> FiledOf(const QSqlDatabase& db,
                                const QList<std::pair<QString, QString>>& keys);
inline QString Key(const QString& rxNbr, const QString& refNo) {
    return rxNbr + QChar(0x1f) + refNo;
}

} // namespace PageChecks

} // namespace quiller

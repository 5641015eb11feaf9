#include "station/ImageNaming.h"

#include "base/Text.h"

namespace quiller {

QString ImageFileName(const QString& entryText) {
    QString name = entryText;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    return TrimBlanks(name) + QStringLiteral(".jpg");
}

bool IsSafeImageName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".jpg"))
        return false;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QStringLiteral("..")) || name.contains(QLatin1Char(':')))
        return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    return true;
}

PrescriptionKey SplitEntryText(const QString& entryText) {
    const int dash = int(entryText.indexOf(QLatin1Char('-')));
    if (dash < 0)
        return {entryText, QString()};
    return {entryText.left(dash), entryText.mid(dash + 1)};
}

ScanFrameInches FrameForMark(const QString& mark) {
    if (mark == QStringLiteral("P"))
        return {0, 0, 8, 12};
    return {1, 0, 7, 6};
}

} // namespace quiller

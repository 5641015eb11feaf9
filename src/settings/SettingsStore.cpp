#include "settings/SettingsStore.h"

#include "base/Error.h"
#include "base/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <optional>

namespace quiller {

namespace {

// The settings file is plain INI text that an administrator may write by hand:
//   [setup]
//   dataPath=/srv/pharmacy/Smith, Jones/images
// Values are taken literally: no backslash escapes (Windows paths stay intact), no
// comma lists, no inline comments. A value may be put between double quotes to keep
// blanks at its ends. Lines that begin with ';' or '#' are comments.

QString& ChosenFile() {
    static QString file;
    return file;
}

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = file.readAll();
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    // A file saved in a single-byte code page by an editor: keep its characters.
    if (utf8.hasError())
        text = QString::fromLatin1(data);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

bool IsComment(const QString& trimmed) {
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
           trimmed.startsWith(QLatin1Char('#'));
}

// "[name]" gives name; any other line nothing.
std::optional<QString> SectionOf(const QString& trimmed) {
    if (trimmed.size() >= 2 && trimmed.startsWith(QLatin1Char('[')) &&
        trimmed.endsWith(QLatin1Char(']')))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return std::nullopt;
}

struct KeyLine {
    QString key;
    QString value;
};

bool ParseKeyLine(const QString& trimmed, KeyLine& out) {
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    out.key = trimmed.left(eq).trimmed();
    if (out.key.isEmpty() || out.key.contains(QLatin1Char('/')))
        return false;
    out.value = trimmed.mid(eq + 1).trimmed();
    if (out.value.size() >= 2 && out.value.startsWith(QLatin1Char('"')) &&
        out.value.endsWith(QLatin1Char('"')))
        out.value = out.value.mid(1, out.value.size() - 2);
    return true;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Walks the lines and calls found(index, key line) for every key of the section.
template <typename F> void ForEachKey(const QStringList& lines, const QString& section, F&& found) {
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (IsComment(trimmed))
            continue;
        if (const std::optional<QString> header = SectionOf(trimmed)) {
            inSection = SameName(*header, section);
            continue;
        }
        KeyLine k;
        if (inSection && ParseKeyLine(trimmed, k))
            found(i, k);
    }
}

// The value of a key in one file; of several spellings, the one spelled as the program
// spells it wins, else the first.
QString ValueIn(const QStringList& lines, const QString& section, const QString& key) {
    QString first;
    bool haveFirst = false;
    QString exact;
    bool haveExact = false;
    ForEachKey(lines, section, [&](qsizetype, const KeyLine& k) {
        if (!SameName(k.key, key))
            return;
        if (!haveFirst) {
            first = k.value;
            haveFirst = true;
        }
        if (!haveExact && k.key == key) {
            exact = k.value;
            haveExact = true;
        }
    });
    return haveExact ? exact : first;
}

bool NeedsQuotes(const QString& value) {
    return !value.isEmpty() &&
           (value.front().isSpace() || value.back().isSpace() || value.front() == QLatin1Char('"'));
}

QString SettingsFileIn(const QString& folder) {
    return folder + QStringLiteral("/Quiller/Quiller.conf");
}

} // namespace

SettingsStore::SettingsStore() : file_(DefaultLocation()) {}

SettingsStore::SettingsStore(const QString& iniFile) : file_(iniFile) {}

SettingsStore::~SettingsStore() = default;

void SettingsStore::UseFile(const QString& iniFile) {
    ChosenFile() = iniFile.isEmpty() ? QString() : QFileInfo(iniFile).absoluteFilePath();
}

QString SettingsStore::DefaultLocation() {
    if (!ChosenFile().isEmpty())
        return ChosenFile();
    return SettingsFileIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QStringList SettingsStore::SystemLocations() {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    // The first folder is the user's own.
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    folders.removeAll(user);
    QStringList files;
    for (const QString& folder : folders)
        files << SettingsFileIn(folder);
    return files;
}

QString SettingsStore::Read(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    QString value = ValueIn(ReadLines(file_), section, key);
    if (value.isEmpty()) {
        for (const QString& system : SystemLocations()) {
            value = ValueIn(ReadLines(system), section, key);
            if (!value.isEmpty())
                break;
        }
    }
    // An empty value counts as missing: the callers cannot tell the two apart.
    return value.isEmpty() ? defaultValue : value;
}

QStringList SettingsStore::Keys(const QString& section) const {
    QStringList keys;
    QStringList files{file_};
    files << SystemLocations();
    for (const QString& file : files)
        ForEachKey(ReadLines(file), section, [&](qsizetype, const KeyLine& k) {
            const QString key = k.key.toLower();
            if (!k.value.isEmpty() && !keys.contains(key))
                keys << key;
        });
    return keys;
}

void SettingsStore::Write(const QString& section, const QString& key, const QString& value) {
    const QString source = QStringLiteral("SettingsStore.Write");
    // A value is one line of the file; refuse before anything changes.
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        throw QuillerError(
            kErrorBadSetting,
            QCoreApplication::translate("SettingsStore", "The setting %1 cannot hold a line break")
                .arg(key),
            source);
    QStringList lines = ReadLines(file_);
    QList<qsizetype> matches;
    bool unchanged = false;
    ForEachKey(lines, section, [&](qsizetype i, const KeyLine& k) {
        if (SameName(k.key, key)) {
            matches.append(i);
            unchanged = k.key == key && k.value == value;
        }
    });
    if (matches.size() == 1 && unchanged)
        return;

    const QString line = key + QLatin1Char('=') +
                         (NeedsQuotes(value) ? QLatin1Char('"') + value + QLatin1Char('"') : value);
    if (!matches.isEmpty()) {
        // The first spelling takes the value in place; other spellings go.
        lines[matches.constFirst()] = line;
        for (qsizetype n = matches.size() - 1; n >= 1; --n)
            lines.removeAt(matches[n]);
    } else {
        // After the last key of the section, or in a new section at the end.
        qsizetype insertAt = -1;
        bool inSection = false;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString trimmed = lines[i].trimmed();
            if (const std::optional<QString> header = SectionOf(trimmed)) {
                inSection = SameName(*header, section);
                if (inSection)
                    insertAt = i + 1;
            } else if (inSection && !IsComment(trimmed)) {
                insertAt = i + 1;
            }
        }
        if (insertAt >= 0) {
            lines.insert(insertAt, line);
        } else {
            if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(line);
        }
    }

    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile out(file_);
    const QByteArray text = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        throw QuillerError(kErrorBadSetting,
                           QCoreApplication::translate("SettingsStore",
                                                       "The setting %1 could not be written to %2")
                               .arg(key, file_),
                           source);
    qCDebug(lcSettings) << "wrote" << section + QLatin1Char('/') + key << "to" << file_;
}

QString SettingsStore::Location() const {
    return file_;
}

} // namespace quiller

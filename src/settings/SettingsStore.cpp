#include "settings/SettingsStore.h"

#include "base/Error.h"

#include <QIODevice>
#include <QMap>
#include <QSettings>
#include <QStringDecoder>

namespace quiller {

namespace {

// The settings file is plain INI text that an administrator may write by hand:
//   [setup]
//   dataPath=/srv/pharmacy/Smith, Jones/images
// Values are taken literally: no backslash escapes (Windows paths stay intact), no
// comma lists, no inline comments. A value may be put between double quotes to keep
// blanks at its ends. Lines that begin with ';' or '#' are comments.

QString DecodeSettingsText(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    // A file saved in a single-byte code page by an editor: keep its characters.
    if (utf8.hasError())
        text = QString::fromLatin1(data);
    return text;
}

bool ReadLiteralIni(QIODevice& device, QSettings::SettingsMap& map) {
    const QString text = DecodeSettingsText(device.readAll());
    QString group;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2).trimmed();
            // QSettings keeps top-level keys in the group it calls General.
            if (group.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
                group.clear();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (key.isEmpty() || key.contains(QLatin1Char('/')))
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
            value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        map.insert(group.isEmpty() ? key : group + QLatin1Char('/') + key, value);
    }
    return true;
}

bool NeedsQuotes(const QString& value) {
    return !value.isEmpty() &&
           (value.front().isSpace() || value.back().isSpace() || value.front() == QLatin1Char('"'));
}

bool WriteLiteralIni(QIODevice& device, const QSettings::SettingsMap& map) {
    // Group the keys by section; top-level keys come first, without a header.
    QMap<QString, QList<QPair<QString, QString>>> groups;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString group = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        const QString value = it.value().toString();
        // One value is one line, and a key must read back as the same key.
        if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')) ||
            key.isEmpty() || key.contains(QLatin1Char('=')) || key.contains(QLatin1Char('/')) ||
            key.trimmed() != key || key.startsWith(QLatin1Char('[')) ||
            key.startsWith(QLatin1Char(';')) || key.startsWith(QLatin1Char('#')))
            return false;
        groups[group].append({key, value});
    }
    QByteArray out;
    for (auto g = groups.cbegin(); g != groups.cend(); ++g) {
        if (!g.key().isEmpty()) {
            if (!out.isEmpty())
                out += "\n";
            out += "[" + g.key().toUtf8() + "]\n";
        }
        for (const auto& [key, value] : g.value()) {
            const QString shown =
                NeedsQuotes(value) ? QLatin1Char('"') + value + QLatin1Char('"') : value;
            out += key.toUtf8() + "=" + shown.toUtf8() + "\n";
        }
    }
    return device.write(out) == out.size();
}

QSettings::Format LiteralIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), ReadLiteralIni, WriteLiteralIni);
    return format;
}

} // namespace

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(LiteralIniFormat(), QSettings::UserScope,
                                            QStringLiteral("Quiller"), QStringLiteral("Quiller"))) {
}

SettingsStore::SettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, LiteralIniFormat())) {}

SettingsStore::~SettingsStore() = default;

// Sections and keys are both matched without regard to case ("[Setup]" written by hand
// is the section "setup"); the full stored spelling "section/key" is returned.
QStringList SettingsStore::FindKeys(const QString& section, const QString& key) const {
    QStringList found;
    const QStringList keys = settings_->allKeys();
    for (const QString& k : keys) {
        const qsizetype slash = k.lastIndexOf(QLatin1Char('/'));
        const QString s = slash < 0 ? QString() : k.left(slash);
        const QString name = k.mid(slash + 1);
        if (s.compare(section, Qt::CaseInsensitive) == 0 &&
            name.compare(key, Qt::CaseInsensitive) == 0)
            found.append(k);
    }
    return found;
}

QString SettingsStore::Read(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    const QStringList stored = FindKeys(section, key);
    // Of several spellings written by hand, the one spelled as the program spells it wins.
    const QString exact = section + QLatin1Char('/') + key;
    QString value;
    if (stored.contains(exact))
        value = settings_->value(exact).toString();
    else if (!stored.isEmpty())
        value = settings_->value(stored.constFirst()).toString();
    // An empty value counts as missing: the callers cannot tell the two apart.
    return value.isEmpty() ? defaultValue : value;
}

void SettingsStore::Write(const QString& section, const QString& key, const QString& value) {
    // A value is one line of the file; refuse before anything changes.
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        throw QuillerError(kErrorBadSetting,
                           QStringLiteral("The setting %1 cannot hold a line break").arg(key),
                           QStringLiteral("SettingsStore.Write"));
    // Drop every spelling of the key before writing, so one value remains.
    const QStringList stored = FindKeys(section, key);
    for (const QString& k : stored)
        settings_->remove(k);
    settings_->setValue(section + QLatin1Char('/') + key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw QuillerError(kErrorBadSetting,
                           QStringLiteral("The setting %1 could not be written to %2")
                               .arg(key, settings_->fileName()),
                           QStringLiteral("SettingsStore.Write"));
}

QString SettingsStore::Location() const {
    return settings_->fileName();
}

} // namespace quiller

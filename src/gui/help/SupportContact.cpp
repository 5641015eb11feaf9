#include "gui/help/SupportContact.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quiller {

namespace {

const QString kFileName = QStringLiteral("support-contact.ini");

// Points each known key at its member, so parsing stays one loop.
QString* Field(SupportContact& c, const QString& key) {
    const QString k = key.toLower();
    if (k == QLatin1String("organisation") || k == QLatin1String("organization"))
        return &c.organisation;
    if (k == QLatin1String("street"))
        return &c.street;
    if (k == QLatin1String("city"))
        return &c.city;
    if (k == QLatin1String("telephone"))
        return &c.telephone;
    if (k == QLatin1String("fax"))
        return &c.fax;
    if (k == QLatin1String("email"))
        return &c.email;
    return nullptr;
}

} // namespace

SupportContact SupportContact::Parse(const QByteArray& iniText, const SupportContact& fallback) {
    SupportContact c = fallback;
    bool inSupport = false;
    const QString text = QString::fromUtf8(iniText);
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inSupport = line.mid(1, line.size() - 2)
                            .trimmed()
                            .compare(QLatin1String("Support"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSupport || eq <= 0)
            continue;
        if (QString* field = Field(c, line.left(eq).trimmed()))
            *field = line.mid(eq + 1).trimmed();
    }
    return c;
}

SupportContact SupportContact::Load(const QString& path, const SupportContact& fallback) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fallback;
    // A contact file is a handful of lines; anything larger is not one.
    const QByteArray text = file.read(64 * 1024);
    return Parse(text, fallback);
}

SupportContact SupportContact::BuiltIn() {
    // Compiled in from packaging/support-contact.ini; an empty contact only if the
    // resource is missing from the build.
    return Load(QStringLiteral(":/quiller/support-contact.ini"), SupportContact{});
}

QString SupportContact::SystemFile() {
    return QStringLiteral("/etc/quiller/") + kFileName;
}

QStringList SupportContact::CandidateFiles() {
    QStringList files;
    const QString userConfig =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!userConfig.isEmpty())
        files << userConfig + QStringLiteral("/Quiller/") + kFileName;
    files << SystemFile();
    const QString appDir = QCoreApplication::applicationDirPath();
    if (!appDir.isEmpty()) {
        files << appDir + QLatin1Char('/') + kFileName;
        files << appDir + QStringLiteral("/../share/quiller/") + kFileName;
    }
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        files << dir + QStringLiteral("/quiller/") + kFileName;
    return files;
}

SupportContact SupportContact::Deployed() {
    const SupportContact builtIn = BuiltIn();
    for (const QString& path : CandidateFiles()) {
        if (QFileInfo(path).isFile())
            return Load(path, builtIn);
    }
    return builtIn;
}

} // namespace quiller

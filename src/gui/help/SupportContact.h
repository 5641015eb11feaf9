#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quiller {

// Who the operator calls for help: the lines of the "Technical Support" panel.
struct SupportContact {
    QString organisation;
    QString street;
    QString city; // city, region and postal code on one line
    QString telephone;
    QString fax;
    QString email;

    bool operator==(const SupportContact&) const = default;

    // The contact built into the program (the copy of support-contact.ini compiled in).
    static SupportContact BuiltIn();

    // Reads the [Support] group of an ini text ("Key=Value" lines, '#' or ';' comments,
    // UTF-8). Keys are matched without regard to case; a key that is missing keeps the
    // value of `fallback`, a key present but empty clears its line.
    static SupportContact Parse(const QByteArray& iniText, const SupportContact& fallback);

    // Reads a deployed file; a file that cannot be read gives `fallback` unchanged.
    static SupportContact Load(const QString& path, const SupportContact& fallback);

    // The contact the panel shows: the first deployed support-contact.ini found in
    // CandidateFiles(), over the built-in one.
    static SupportContact Deployed();

    // Where a deployment's file is looked for, in order: the user's own
    // (~/.config/Quiller/support-contact.ini, under $XDG_CONFIG_HOME), the administrator's
    // (/etc/quiller/support-contact.ini, which the package installs and keeps on upgrade),
    // then, for a tree installed by hand, beside the executable, in ../share/quiller
    // relative to it, and quiller/support-contact.ini under each XDG data directory.
    static QStringList CandidateFiles();

    // The administrator's file.
    static QString SystemFile();
};

} // namespace quiller

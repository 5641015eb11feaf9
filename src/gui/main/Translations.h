#pragma once

#include <QLocale>
#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

namespace quiller {

// The station in the operator's language: its own catalogue and Qt's (standard buttons,
// the file and print dialogs, the command line's help), chosen for one locale. English is
// the language the program is written in; a locale without a catalogue stays English.
class Translations {
public:
    explicit Translations(const QLocale& locale = QLocale::system());
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Hands the loaded catalogues to the running application object (again after a
    // new one was made); nothing happens when there is none yet. The first call loads
    // them, when the program's folder is known.
    void Install();
    void Remove();

    // The catalogues that were found once installed, e.g. ":/quiller/i18n/quiller_de.qm".
    QStringList Loaded() const;

    // The folders searched for the station's own catalogue, in order: the installed one
    // beside the program, then the copy compiled into it.
    static QStringList StationFolders();

private:
    void Load();

    QLocale locale_;
    bool loaded_ = false;
    std::vector<std::unique_ptr<QTranslator>> translators_;
};

} // namespace quiller

#include "gui/main/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace quiller {

Translations::Translations(const QLocale& locale) : locale_(locale) {}

void Translations::Load() {
    loaded_ = true;
    auto load = [&](const QString& name, const QStringList& folders) {
        for (const QString& folder : folders) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(locale_, name, QStringLiteral("_"), folder)) {
                translators_.push_back(std::move(translator));
                return;
            }
        }
    };
    // Qt's own first, so that the station's catalogue, installed last, is asked first.
    load(QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    load(QStringLiteral("quiller"), StationFolders());
}

Translations::~Translations() {
    Remove();
}

QStringList Translations::StationFolders() {
    QStringList folders;
    // Before an application object exists the program's folder is not known yet.
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath() +
                       QStringLiteral("/../share/quiller/translations");
    folders << QStringLiteral(":/quiller/i18n");
    return folders;
}

void Translations::Install() {
    if (!QCoreApplication::instance())
        return;
    if (!loaded_)
        Load();
    for (const auto& translator : translators_)
        QCoreApplication::installTranslator(translator.get());
}

void Translations::Remove() {
    if (!QCoreApplication::instance())
        return;
    for (const auto& translator : translators_)
        QCoreApplication::removeTranslator(translator.get());
}

QStringList Translations::Loaded() const {
    QStringList files;
    for (const auto& translator : translators_)
        files << translator->filePath();
    return files;
}

} // namespace quiller

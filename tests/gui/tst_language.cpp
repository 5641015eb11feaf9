// The operator's language: every text a window shows goes through the translation
// functions, each one has a finished translation in every catalogue, and under the
// system's language the windows, a report and the help come in that language.
#include "base/Error.h"
#include "common/StationFixture.h"
#include "gui/help/SupportContact.h"
#include "gui/help/frmAbout.h"
#include "gui/help/frmSupport.h"
#include "gui/main/CommandLine.h"
#include "gui/main/Translations.h"
#include "gui/settings/frmConfiguration.h"
#include "gui/view/ShowPic.h"
#include "records/Database.h"
#include "station/StagingRecovery.h"

#include <QtWidgets>

using namespace quiller;
using quiller::test::SharedContext;
using quiller::test::Station;

namespace {

const QString kOpen = QStringLiteral("\u27e6");
const QString kClose = QStringLiteral("\u27e7");

// Answers every lookup with the source text between marks and remembers what was asked:
// a text shown without marks did not go through the translation functions.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (!source || !*source)
            return QString();
        const QString ctx = QString::fromUtf8(context);
        // Qt's own texts (QPlatformTheme, QShortcut, ...) come from Qt's catalogue.
        if (!(ctx.size() > 1 && ctx[0] == u'Q' && ctx[1].isUpper()))
            asked.insert({ctx, QString::fromUtf8(source)});
        return kOpen + QString::fromUtf8(source) + kClose;
    }
    bool isEmpty() const override { return false; }

    mutable QSet<QPair<QString, QString>> asked;
};

// What a window shows in words: titles, labels, buttons, frames, menus, column headers,
// tooltips, the search criteria; the support contact, the product's name, the date and
// time panels and the scanners' names are data.
QStringList ShownTexts(QWidget* top) {
    static const QStringList data{"lblTitle", "lblOrganisation",       "lblStreet",
                                  "lblCity",  "sbStatusBar.Panels(2)", "sbStatusBar.Panels(3)"};
    QStringList texts{top->windowTitle()};
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        if (data.contains(w->objectName()))
            continue;
        texts << w->toolTip() << w->accessibleName();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
        else if (auto* bar = qobject_cast<QProgressBar*>(w))
            texts << bar->format();
        else if (auto* tree = qobject_cast<QTreeWidget*>(w))
            for (int c = 0; c < tree->columnCount(); ++c)
                texts << tree->headerItem()->text(c);
        else if (auto* view = qobject_cast<QTreeView*>(w); view && view->model())
            for (int c = 0; c < view->model()->columnCount(); ++c)
                texts << view->model()->headerData(c, Qt::Horizontal).toString();
        else if (auto* combo = qobject_cast<QComboBox*>(w); combo && w->objectName() == "Combo2")
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
    }
    for (QAction* action : top->findChildren<QAction*>())
        texts << action->text();
    for (QMenu* menu : top->findChildren<QMenu*>())
        texts << menu->title();
    QStringList words;
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]{2}"));
    for (const QString& t : texts)
        if (t.contains(letters))
            words << t;
    return words;
}

struct Message {
    QString translation;
    bool finished = false;
};

// A catalogue of the repository: (context, source) -> its translation.
QMap<QPair<QString, QString>, Message> ReadCatalogue(const QString& language) {
    QFile file(QStringLiteral(QUILLER_SOURCE_DIR "/translations/quiller_%1.ts").arg(language));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QMap<QPair<QString, QString>, Message> catalogue;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation") {
            Message m;
            m.finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            m.translation = xml.readElementText();
            catalogue.insert({context, source}, m);
        } else if (xml.name() != u"TS" && xml.name() != u"context" && xml.name() != u"message")
            xml.skipCurrentElement();
    }
    return catalogue;
}

QStringList Placeholders(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("%[0-9vm]"));
    QStringList found;
    for (const auto& m : marker.globalMatch(text))
        found << m.captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

// The texts the language test expects, per language the system may be set to.
struct Expected {
    QString configuration, fileMenu, toScan, toView, recovered, usage, cancel, damaged;
};
Expected ExpectedFor(const QString& language) {
    static const QMap<QString, Expected> byLanguage{
        {"es",
         {"Configuración", "&Archivo", "Recetas por escanear", "Recetas para consultar",
          "1 página(s) archivada(s) con su receta.", "Uso: quiller [opciones]", "Cancelar",
          "está dañada: el archivo está vacío (0 bytes)."}},
        {"de",
         {"Konfiguration", "&Datei", "Zu scannende Rezepte", "Anzuzeigende Rezepte",
          "1 Seite(n) beim zugehörigen Rezept abgelegt.", "Aufruf: quiller [Optionen]", "Abbrechen",
          "ist beschädigt: die Datei ist leer (0 Byte)."}},
        {"fr",
         {"Configuration", "&Fichier", "Ordonnances à numériser", "Ordonnances à consulter",
          "1 page(s) classée(s) avec leur ordonnance.", "Utilisation : quiller [options]",
          "Annuler", "est endommagée : le fichier est vide (0 octet)."}}};
    return byLanguage.value(language, {"Configuration", "&File", "Prescriptions to be scanned",
                                       "Prescriptions to be viewed",
                                       "1 page(s) filed under their prescription.",
                                       "Usage: quiller [options]", "Cancel",
                                       "is damaged: the file is empty (0 bytes)."});
}

} // namespace

class TstLanguage : public QObject {
    Q_OBJECT

    QSet<QPair<QString, QString>> asked_;

private slots:
    // Every window of the station, its viewing mode included, shows only texts that
    // went through the translation functions.
    void everyShownTextIsTranslatable() {
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        QStringList unmarked;
        auto check = [&](QWidget* window) {
            for (const QString& text : ShownTexts(window))
                if (!text.contains(kOpen))
                    unmarked << window->objectName() + ": " + text;
        };
        {
            Station s;
            s.configure();
            frmMain& main = s.openWindow();
            check(&main);
            check(s.scan());
            main.Command1_Click(1); // viewing
            check(&main);
            check(s.scan());
            frmConfiguration dialog(SharedContext());
            dialog.Form_Load();
            check(&dialog);
            frmShowPic picture;
            check(&picture);
            frmAbout about;
            check(&about);
            frmSupport support(SupportContact::BuiltIn());
            check(&support);
        }
        QCoreApplication::removeTranslator(&marking);
        asked_ = marking.asked;
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QLatin1Char('\n'))));
        QVERIFY2(asked_.size() > 90, qPrintable(QString::number(asked_.size())));
    }

    // Each text asked for by the windows, and every text of the catalogue, has a finished
    // translation that keeps the placeholders and the mnemonic; the catalogue compiled
    // into the program gives the same translations.
    void cataloguesAreComplete_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("Spanish") << "es";
        QTest::newRow("German") << "de";
        QTest::newRow("French") << "fr";
    }
    void cataloguesAreComplete() {
        QFETCH(QString, language);
        QVERIFY(!asked_.isEmpty());
        const auto catalogue = ReadCatalogue(language);
        QVERIFY(catalogue.size() > 250);
        QStringList faults;
        for (const auto& key : asked_)
            if (!catalogue.contains(key))
                faults << "missing: " + key.first + " / " + key.second;
        for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
            const QString& source = it.key().second;
            const Message& m = it.value();
            if (!m.finished || m.translation.isEmpty())
                faults << "unfinished: " + source;
            else if (Placeholders(source) != Placeholders(m.translation))
                faults << "placeholders differ: " + source;
            else if (source.contains(u'&') != m.translation.contains(u'&'))
                faults << "mnemonic differs: " + source;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));

        Translations translations{QLocale(language)};
        translations.Install();
        QVERIFY(translations.Loaded().join(' ').contains("quiller_" + language + ".qm"));
        for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it)
            QCOMPARE(QCoreApplication::translate(it.key().first.toUtf8().constData(),
                                                 it.key().second.toUtf8().constData()),
                     it.value().translation);
        translations.Remove();
    }

    // The first-run dialog says what it is for, explains each field, and shows the
    // database file under the folder chosen in it, following what is typed.
    void firstRunDialogIntroducesAndNamesTheDatabaseFile() {
        Station s; // no settings yet
        frmConfiguration dialog(SharedContext());
        dialog.Form_Load();
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* intro = dialog.findChild<QLabel*>("lblIntro");
        QVERIFY(intro && !intro->text().isEmpty());
        QVERIFY(intro->geometry().bottom() < dialog.Combo1->geometry().top());
        for (QWidget* field :
             {static_cast<QWidget*>(dialog.Combo1), static_cast<QWidget*>(dialog.Text1),
              static_cast<QWidget*>(dialog.txtFilePath), static_cast<QWidget*>(dialog.Text2)})
            QVERIFY2(!field->toolTip().isEmpty(), qPrintable(field->objectName()));
        auto* database = dialog.findChild<QLineEdit*>("txtDatabase");
        const QString proposed = QDir::fromNativeSeparators(dialog.Text1->text());
        QVERIFY(!proposed.isEmpty());
        QCOMPARE(database->text(), "SQLite file " + Database::PathIn(proposed));
        dialog.Text1->setText(s.env.imageFolder());
        QCOMPARE(database->text(), "SQLite file " + Database::PathIn(s.env.imageFolder()));
        dialog.Text1->clear();
        QCOMPARE(database->text(), QString("SQLite file in the image folder, once it is chosen"));
    }

    // Run once per language with LANG set (and in the plain run, in English): the
    // first-run dialog, the main window, the scan and viewing windows, a report, the
    // help and Qt's own buttons are in the system's language.
    void systemLanguage() {
        const QString language = QLocale::system().name().left(2);
        const Expected expected = ExpectedFor(language);
        Translations translations;
        translations.Install();
        {
            Station s;
            frmConfiguration dialog(SharedContext());
            QCOMPARE(dialog.windowTitle(), expected.configuration);
            s.configure();
            frmMain& main = s.openWindow();
            QCOMPARE(main.menuBar()->actions().value(0)->text(), expected.fileMenu);
            QCOMPARE(s.scan()->Frame1->title(), expected.toScan);
            main.Command1_Click(1);
            QCOMPARE(s.scan()->fraList->title(), expected.toView);
            // The search criterion shown in the operator's language still searches: by
            // date it offers the two dates.
            QComboBox* criteria = s.scan()->Combo2;
            const int byDate = criteria->findData(QStringLiteral("Date"));
            QVERIFY(byDate >= 0);
            criteria->setCurrentIndex(byDate);
            emit criteria->activated(byDate);
            QVERIFY(!s.scan()->lblDate[0]->isHidden() && !s.scan()->DTPicker1[1]->isHidden());
        }
        RecoveryResult recovered;
        recovered.filed = 1;
        QVERIFY2(recovered.Report().contains(expected.recovered), qPrintable(recovered.Report()));
        const CommandLine help = ParseCommandLine({"quiller", "--help"});
        QVERIFY(help.output.startsWith(expected.usage + '\n'));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), expected.cancel);
        // The records' own messages too: a damaged database.
        QTemporaryFile empty;
        QVERIFY(empty.open());
        try {
            Database(QStringLiteral("language")).OpenFile(empty.fileName());
            QFAIL("an empty file opened as a database");
        } catch (const QuillerError& e) {
            QVERIFY2(e.description().contains(expected.damaged), qPrintable(e.description()));
        }
        translations.Remove();

        // The program itself, started under the same environment.
        QProcess program;
        program.start(QStringLiteral(QUILLER_BINARY_DIR "/src/quiller"), {"--help"});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QString::fromLocal8Bit(program.readAllStandardOutput())
                    .startsWith(expected.usage + '\n'));
    }
};

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"

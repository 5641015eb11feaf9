// The keyboard: one control per Alt+letter in each window, the standard shortcuts of the
// main window, Escape on the enlarged image and the support panel, and the cursor in the
// search box on switching to viewing.
#include "common/StationFixture.h"
#include "gui/common/Mnemonics.h"
#include "gui/help/frmAbout.h"
#include "gui/help/frmSupport.h"
#include "gui/settings/frmConfiguration.h"
#include "gui/view/ShowPic.h"

#include <QtWidgets>

using namespace quiller;
using quiller::test::SharedContext;
using quiller::test::Station;

namespace {

QString WithoutMarker(QString text) {
    text.replace(QLatin1String("&&"), QString(QChar(0xFFFF)));
    text.remove(QLatin1Char('&'));
    return text.replace(QChar(0xFFFF), QLatin1Char('&'));
}

// The Alt+letters taken twice in a window (menu bar titles, buttons, group boxes and
// labels with a buddy), and in each of its menus.
QStringList Duplicates(QWidget* window) {
    QStringList duplicates;
    auto collect = [&duplicates](const QStringList& texts, const QString& where) {
        QMap<QChar, QString> seen;
        for (const QString& text : texts) {
            const QChar letter = MnemonicOf(text);
            if (letter.isNull())
                continue;
            if (seen.contains(letter))
                duplicates
                    << QStringLiteral("%1: \"%2\" and \"%3\"").arg(where, seen[letter], text);
            seen.insert(letter, text);
        }
    };
    QStringList texts;
    if (auto* main = qobject_cast<QMainWindow*>(window))
        for (QAction* action : main->menuBar()->actions())
            texts << action->text();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window)
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            texts << box->title();
        else if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
            texts << label->text();
    }
    collect(texts, window->objectName());
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text();
        collect(items, menu->objectName());
    }
    return duplicates;
}

void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TstKeyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<Station> s;

private slots:
    void init() { s = std::make_unique<Station>(); }
    void cleanup() {
        frmMain::SetTrayProbe({});
        s.reset();
    }

    void eachAltLetterReachesOneControl_data() {
        QTest::addColumn<QString>("window");
        for (const char* window : {"configuration", "main", "enlarged image", "about"})
            QTest::newRow(window) << window;
    }
    void eachAltLetterReachesOneControl() {
        QFETCH(QString, window);
        QStringList duplicates;
        if (window == QLatin1String("configuration")) {
            frmConfiguration dialog(SharedContext());
            duplicates = Duplicates(&dialog);
            // Both Browse buttons and Refresh keep a letter of their own.
            for (QAbstractButton* b : {dialog.Command1[0], dialog.Command1[1], dialog.cmdRefresh})
                QVERIFY2(!MnemonicOf(b->text()).isNull(), qPrintable(b->text()));
        } else if (window == QLatin1String("main")) {
            s->open();
            duplicates = Duplicates(s->window.get());
        } else if (window == QLatin1String("enlarged image")) {
            frmShowPic* pic = frmShowPic::Instance(nullptr);
            duplicates = Duplicates(pic);
            pic->close();
        } else {
            frmAbout about(nullptr);
            duplicates = Duplicates(&about);
        }
        QVERIFY2(duplicates.isEmpty(), qPrintable(duplicates.join(QLatin1Char('\n'))));
    }

    // Taken letters move to a free letter of the same text, word starts first; the first
    // holder keeps its letter, the words stay as they are, and a text without a free
    // letter loses its mnemonic rather than sharing one.
    void conflictingLettersMove_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("word start first")
            << QStringList{"&Scan", "&Stop waiting"} << QStringList{"&Scan", "Stop &waiting"};
        QTest::newRow("no free letter")
            << QStringList{"&Ab", "&Ba", "&Ab"} << QStringList{"&Ab", "&Ba", "Ab"};
        QTest::newRow("literal ampersand kept")
            << QStringList{"&Print", "&P&&Q"} << QStringList{"&Print", "P&&&Q"};
    }
    void conflictingLettersMove() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, expected);
        QWidget window;
        QList<QPushButton*> buttons;
        for (const QString& text : texts)
            buttons << new QPushButton(text, &window);
        MakeMnemonicsUnique(&window);
        QStringList shown;
        for (QPushButton* b : buttons)
            shown << b->text();
        QCOMPARE(shown, expected);
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(WithoutMarker(shown[i]), WithoutMarker(texts[i]));
    }

    // Print, Help and Find reach their commands from anywhere in the main window; Quit
    // ends the station as File > Exit does.
    void standardShortcuts_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("print") << int(QKeySequence::Print);
        QTest::newRow("help") << int(QKeySequence::HelpContents);
        QTest::newRow("find") << int(QKeySequence::Find);
        QTest::newRow("quit") << int(QKeySequence::Quit);
    }
    void standardShortcuts() {
        QFETCH(int, key);
        const auto standard = QKeySequence::StandardKey(key);
        frmMain::SetTrayProbe([] { return false; });
        s->open();
        frmMain* window = s->window.get();
        int printed = 0, helped = 0;
        window->commands().print = [&](QWidget*, frmScan*) {
            ++printed;
        };
        window->commands().support = [&] {
            ++helped;
        };
        Activate(window);
        // The desktop's key, or Ctrl+Q where a desktop has no quit key.
        const QKeySequence keys = QKeySequence::keyBindings(standard).value(
            0,
            standard == QKeySequence::Quit ? QKeySequence(Qt::CTRL | Qt::Key_Q) : QKeySequence());
        QVERIFY(!keys.isEmpty());
        // From inside the scan window, where the operator works.
        s->scan()->ListView1->setFocus();
        QTest::keySequence(QApplication::focusWidget(), keys);
        QCOMPARE(window->ExitRequested(), standard == QKeySequence::Quit);
        if (standard == QKeySequence::Quit) {
            QTRY_COMPARE(s->quits, 1);
            return;
        }
        QCOMPARE(printed, standard == QKeySequence::Print ? 1 : 0);
        QCOMPARE(helped, standard == QKeySequence::HelpContents ? 1 : 0);
        QCOMPARE(s->scan()->ViewingMode(), standard == QKeySequence::Find);
        if (standard == QKeySequence::Find)
            QVERIFY(s->scan()->Text1->hasFocus());
    }

    void escapeClosesPanels_data() {
        QTest::addColumn<QString>("panel");
        QTest::newRow("enlarged image") << "enlarged image";
        QTest::newRow("support") << "support";
    }
    void escapeClosesPanels() {
        QFETCH(QString, panel);
        QPointer<QWidget> window;
        if (panel == QLatin1String("support"))
            window = ShowSupport();
        else
            window = frmShowPic::Instance(nullptr);
        Activate(window);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.data(),
                        Qt::Key_Escape);
        QTRY_VERIFY(!window || !window->isVisible());
    }

    // Switching to viewing, by button or by Find, puts the cursor where a search begins:
    // the search text, or the first date when searching by date.
    void viewingStartsInTheSearchBox_data() {
        QTest::addColumn<bool>("byDate");
        QTest::newRow("View button") << false;
        QTest::newRow("View button, by date") << true;
    }
    void viewingStartsInTheSearchBox() {
        QFETCH(bool, byDate);
        s->open();
        frmMain* window = s->window.get();
        frmScan* scan = s->scan();
        Activate(window);
        if (byDate) {
            window->Command1_Click(1);
            scan->Combo2->setCurrentText(QStringLiteral("Date"));
            QMetaObject::invokeMethod(scan->Combo2, "activated", Q_ARG(int, 2));
            window->Command1_Click(0);
        }
        window->Command1[0]->setFocus();
        QVERIFY(!scan->Text1->hasFocus());
        window->Command1_Click(1);
        QVERIFY(scan->ViewingMode());
        QWidget* expected = byDate ? static_cast<QWidget*>(scan->DTPicker1[0]) : scan->Text1;
        QTRY_VERIFY(expected->hasFocus());
    }
};

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"

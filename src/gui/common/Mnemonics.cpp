#include "gui/common/Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <functional>
#include <vector>

namespace quiller {

namespace {

// Position of the mnemonic's '&', or -1.
qsizetype MarkerOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i; // a literal ampersand
            continue;
        }
        return i;
    }
    return -1;
}

// The text with its '&' before the first free letter (word starts first), or without
// a mnemonic when every letter is taken. The letter chosen is added to used.
QString MoveMnemonic(const QString& text, QSet<QChar>& used) {
    const qsizetype marker = MarkerOf(text);
    const QString plain = marker < 0 ? text : text.left(marker) + text.mid(marker + 1);
    auto free = [&](qsizetype i) {
        return plain[i].isLetterOrNumber() && !used.contains(plain[i].toLower());
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const bool wordStart = i == 0 || !plain[i - 1].isLetterOrNumber();
            if ((pass == 1 || wordStart) && free(i)) {
                used.insert(plain[i].toLower());
                return plain.left(i) + QLatin1Char('&') + plain.mid(i);
            }
        }
    }
    return plain;
}

struct Holder {
    QString text;
    std::function<void(const QString&)> set;
};

void Resolve(std::vector<Holder>& holders) {
    QSet<QChar> used;
    std::vector<Holder*> conflicts;
    for (Holder& h : holders) {
        const QChar letter = MnemonicOf(h.text);
        if (letter.isNull())
            continue;
        if (used.contains(letter))
            conflicts.push_back(&h);
        else
            used.insert(letter);
    }
    for (Holder* h : conflicts)
        h->set(MoveMnemonic(h->text, used));
}

void ResolveMenu(QMenu* menu) {
    std::vector<Holder> holders;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            holders.push_back({action->text(), [action](const QString& t) {
                                   action->setText(t);
                               }});
    Resolve(holders);
}

} // namespace

QChar MnemonicOf(const QString& text) {
    const qsizetype marker = MarkerOf(text);
    return marker < 0 ? QChar() : text[marker + 1].toLower();
}

void MakeMnemonicsUnique(QWidget* window) {
    std::vector<Holder> holders;
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->menuWidget()) {
        if (auto* bar = qobject_cast<QMenuBar*>(main->menuWidget())) {
            for (QAction* action : bar->actions())
                holders.push_back({action->text(), [action](const QString& t) {
                                       action->setText(t);
                                   }});
        }
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window)
            continue; // another top-level window has keys of its own
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            holders.push_back({button->text(), [button](const QString& t) {
                                   button->setText(t);
                               }});
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            holders.push_back({box->title(), [box](const QString& t) {
                                   box->setTitle(t);
                               }});
        else if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
            holders.push_back({label->text(), [label](const QString& t) {
                                   label->setText(t);
                               }});
    }
    Resolve(holders);
    for (QMenu* menu : window->findChildren<QMenu*>())
        ResolveMenu(menu);
}

} // namespace quiller

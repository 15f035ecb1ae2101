// A main window over a dictionary built by the test, with its messages recorded.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <memory>

#include "app/CMainDialog.h"
#include "store/DictionaryStore.h"
#include "store/TestRandom.h"
#include "support/FixedClock.h"
#include "support/GuiFixture.h"
#include "support/RecordingReporter.h"
#include "support/TestDictionary.h"
#include "support/TestStore.h"

namespace lq::test {

class MainWindowFixture : public GuiFixture, protected TestStore {
  protected:
    void TearDown() override {
        window.reset();
        GuiFixture::TearDown();
    }

    void open(Dictionary dictionary) {
        store.currentDictionary = std::move(dictionary);
        store.dictionaryLoaded = true;
        window = std::make_unique<CMainDialog>(store, random);
        window->setUrlOpener([this](const QUrl& url) { openedUrls.push_back(url); });
        window->ResetView();
    }

    Dictionary& dictionary() { return store.currentDictionary; }

    // The named control of the main window, or of a dialog that it opened.
    template <typename Widget>
    Widget* child(const char* name) {
        return test::child<Widget>(window.get(), name);
    }
    template <typename Widget>
    static Widget* child(const QWidget* dialog, const char* name) {
        return test::child<Widget>(dialog, name);
    }
    QListView* wordList() { return child<QListView>("wordList"); }
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }

    QStringList listedWords() {
        QStringList words;
        const QAbstractItemModel* model = wordList()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            words << model->index(row, 0).data().toString();
        }
        return words;
    }
    QString selectedWord() {
        const QModelIndexList selected = wordList()->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? QString() : selected.front().data().toString();
    }
    void selectWord(const QString& text) {
        const QModelIndexList found = wordList()->model()->match(
            wordList()->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString() << " is not listed";
        wordList()->selectionModel()->setCurrentIndex(found.front(),
                                                      QItemSelectionModel::ClearAndSelect);
    }
    QString counter() { return edit("wordCounter")->text(); }

    static QStringList entries(const QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->itemText(i);
        }
        return texts;
    }
    // Picks an entry as the user does, which is what the window reacts to.
    void choose(const char* listName, const QString& text) {
        QComboBox* list = combo(listName);
        const int index = list->findText(text, Qt::MatchExactly);
        ASSERT_GE(index, 0) << text.toStdString() << " is not in " << listName;
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    // Shows the window and puts the focus into a field, so that leaving it counts.
    void focus(QWidget* widget) {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        widget->setFocus(Qt::OtherFocusReason);
    }

    TestRandom random;
    std::unique_ptr<CMainDialog> window;
    std::vector<QUrl> openedUrls;
};

}  // namespace lq::test

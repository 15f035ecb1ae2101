// Lexiquill: a vocabulary trainer that keeps its dictionary in the folder it starts from.
#include <QApplication>

#include "app/CLexiquillApp.h"
#include "ui/Pictures.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    lq::initResources();
    QApplication::setWindowIcon(lq::picture("lexiquill"));
    lq::CLexiquillApp lexiquill(lq::DictionaryStore::ownFilePathInCurrentFolder());
    return lexiquill.run();
}

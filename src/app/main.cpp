// Lexiquill: a vocabulary trainer that keeps its dictionary in the folder it starts from.
#include <QApplication>

#include "app/CLexiquillApp.h"
#include "app/StartupRead.h"
#include "ui/Pictures.h"

int main(int argc, char** argv) {
    // Reading a large dictionary takes as long as the toolkit takes to start: both at once.
    lq::StartupRead startup(lq::DictionaryStore::ownFilePathInCurrentFolder());
    QApplication application(argc, argv);
    lq::initResources();
    QApplication::setWindowIcon(lq::picture("lexiquill"));
    lq::CLexiquillApp lexiquill(startup);
    return lexiquill.run();
}

#include "app/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/UndoHistory.h"

namespace lq {

namespace {

QAction* addCommand(QWidget* menu, const char* objectName, const QString& text) {
    auto* action = new QAction(text, menu);
    action->setObjectName(objectName);
    menu->addAction(action);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const char* objectName, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(objectName);
    return menu;
}

}  // namespace

MainMenu buildMainMenu(QWidget* window, UndoHistory& history) {
    MainMenu menu;
    menu.bar = new QMenuBar(window);
    menu.bar->setObjectName("menuBar");
    menu.bar->setNativeMenuBar(false);

    QMenu* file = addMenu(menu.bar, "fileMenu", "&File");
    menu.themes = addCommand(file, "actionThemes", "&Themes...");
    menu.languages = addCommand(file, "actionLanguages", "&Languages...");
    file->addSeparator();
    menu.importWords = addCommand(file, "actionImportWords", "Import &words...");
    menu.exportWordsCsv =
        addCommand(file, "actionExportWordsCsv", "Export words to a &CSV file...");
    menu.importWordsCsv =
        addCommand(file, "actionImportWordsCsv", "Import words from a CS&V file...");
    menu.report = addCommand(file, "actionReport", "&Report...");
    file->addSeparator();
    menu.information = addCommand(file, "actionInformation", "&Information...");
    menu.options = addCommand(file, "actionOptions", "&Options...");
    file->addSeparator();
    menu.exit = addCommand(file, "actionExit", "E&xit");

    QMenu* edit = addMenu(menu.bar, "editMenu", "&Edit");
    menu.undo = history.createUndoAction(edit);
    menu.undo->setObjectName("actionUndo");
    menu.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addAction(menu.undo);
    menu.redo = history.createRedoAction(edit);
    menu.redo->setObjectName("actionRedo");
    menu.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(menu.redo);

    menu.test = addCommand(menu.bar, "actionTest", "&Test!");

    // A menu bar of its own in the corner keeps "&Help" at the right end on every style.
    auto* helpBar = new QMenuBar(menu.bar);
    helpBar->setObjectName("helpMenuBar");
    helpBar->setNativeMenuBar(false);
    QMenu* help = addMenu(helpBar, "helpMenu", "&Help");
    menu.help = addCommand(help, "actionHelp", "&Help...");
    // Shown in the menu; in another window F1 reaches the help through the window's key filter.
    menu.help->setShortcut(Qt::Key_F1);
    menu.howToUse = addCommand(help, "actionHowToUse", "How to &use...");
    help->addSeparator();
    menu.about = addCommand(help, "actionAbout", "&About...");
    menu.bar->setCornerWidget(helpBar, Qt::TopRightCorner);
    return menu;
}

}  // namespace lq

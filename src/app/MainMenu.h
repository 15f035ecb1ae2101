// The main window's menu bar; the window connects each command to its handler.
#pragma once

class QAction;
class QMenuBar;
class QWidget;

namespace lq {

class UndoHistory;

struct MainMenu {
    QMenuBar* bar = nullptr;
    // "&File"
    QAction* themes = nullptr;
    QAction* languages = nullptr;
    QAction* importWords = nullptr;
    QAction* exportWordsCsv = nullptr;
    QAction* importWordsCsv = nullptr;
    QAction* report = nullptr;
    QAction* information = nullptr;
    QAction* options = nullptr;
    QAction* exit = nullptr;
    // "&Edit": the history's undo and redo
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    // "&Test!", a command on the bar itself
    QAction* test = nullptr;
    // "&Help", at the right end of the bar
    QAction* help = nullptr;
    QAction* howToUse = nullptr;
    QAction* about = nullptr;
};

MainMenu buildMainMenu(QWidget* window, UndoHistory& history);

}  // namespace lq

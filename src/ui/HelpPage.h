// Where the help page is: in the working folder, or else the copy installed with the program,
// so that a start from the desktop menu finds help too.
#pragma once

#include <QString>
#include <QUrl>

namespace lq {

// The page in the working folder, relative to it.
inline constexpr const char* kLocalHelpPage = "Help/index.htm";

// The installed copy, relative to the folder that holds the installed program.
const char* installedHelpPage();

// The help page to open: the working folder's when it exists, else the installed copy beside
// `programFolder` when that exists, else the working folder's path (opening it then shows
// nothing, which the caller does not report).
QUrl helpPageUrl(const QString& programFolder);

}  // namespace lq

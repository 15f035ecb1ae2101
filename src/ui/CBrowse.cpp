#include "ui/CBrowse.h"

#include <QKeyEvent>

#include <dirent.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <algorithm>
#include <memory>
#include <vector>

#include "store/Reporter.h"
#include "store/WorkingFolder.h"
#include "ui/NameOrder.h"
#include "ui/Pictures.h"
#include "ui/TextCodec.h"
#include "ui_CBrowse.h"

namespace lq {

namespace {

constexpr const char* kDictionaryFileName = "Lexiquill.lqd";

// An entry shown by name that maps back to its raw bytes, which need not be valid UTF-8.
struct NamedEntry {
    QString shown;
    std::string bytes;
};

void sortByShownName(std::vector<NamedEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const NamedEntry& a, const NamedEntry& b) {
        return lessIgnoringCase(a.shown, b.shown);
    });
}

QByteArray asBytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromBytes(const QVariant& data) {
    const QByteArray bytes = data.toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Every folder entry of the working folder but "."; ".." leads one level up.
std::vector<NamedEntry> subfolders() {
    std::vector<NamedEntry> found;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir("."), ::closedir);
    if (!folder) {
        return found;
    }
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string name = entry->d_name;
        if (name != "." && isFolder(name)) {
            found.push_back({displayText(name), name});
        }
    }
    sortByShownName(found);
    return found;
}

bool holdsDictionary() {
    struct stat status {};
    return ::stat(kDictionaryFileName, &status) == 0 && S_ISREG(status.st_mode) &&
           QFile(QString::fromLatin1(kDictionaryFileName)).open(QIODevice::ReadOnly);
}

// True when `folder` lies on the file system mounted at `root`.
bool isUnderRoot(const std::string& folder, const std::string& root) {
    if (root == "/") {
        return true;
    }
    return folder.compare(0, root.size(), root) == 0 &&
           (folder.size() == root.size() || folder[root.size()] == '/');
}

}  // namespace

CBrowse::CBrowse(const std::string& startFolder, BrowseMode mode, Reporter& reporter,
                 QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CBrowse>()), mode_(mode), reporter_(reporter) {
    ui_->setupUi(this);
    enterFolder(startFolder);
    if (mode_ == BrowseMode::Import) {
        setWindowTitle(QStringLiteral("Select folder with another LQ's dictionary"));
    }
    setButtonPicture(ui_->desktopButton, "folder-desktop");
    setButtonPicture(ui_->documentsButton, "folder-documents");
    setButtonPicture(ui_->rootButton, "folder-root");
    setButtonPicture(ui_->okButton, "button-ok");
    setButtonPicture(ui_->cancelButton, "button-cancel");
    fillVolumes();
    homeFolder_ = currentFolder();
    refreshFolder();

    connect(ui_->folderList, &QListWidget::itemDoubleClicked, this, &CBrowse::openFolder);
    ui_->folderList->installEventFilter(this);
    connect(ui_->desktopButton, &QPushButton::clicked, this,
            [this] { goTo(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)); });
    connect(ui_->documentsButton, &QPushButton::clicked, this,
            [this] { goTo(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)); });
    connect(ui_->rootButton, &QPushButton::clicked, this, [this] { goTo(QStringLiteral("/")); });
    connect(ui_->driveCombo, &QComboBox::activated, this, &CBrowse::changeVolume);
    connect(ui_->okButton, &QPushButton::clicked, this, &CBrowse::confirm);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CBrowse::~CBrowse() {
    enterFolder(homeFolder_);
}

// Enter on the folder list opens the selected folder, as a double-click does, instead of
// pressing OK with a folder the user has not entered.
bool CBrowse::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->folderList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openFolder(ui_->folderList->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CBrowse::done(int result) {
    enterFolder(homeFolder_);
    QDialog::done(result);
}

// The mounted file systems stand in for drives, each shown by the folder it is mounted at.
void CBrowse::fillVolumes() {
    std::vector<NamedEntry> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) {
            continue;
        }
        const std::string root = QFile::encodeName(volume.rootPath()).toStdString();
        const bool known = std::any_of(volumes.begin(), volumes.end(),
                                       [&root](const NamedEntry& e) { return e.bytes == root; });
        if (!known) {
            volumes.push_back({displayText(root), root});
        }
    }
    sortByShownName(volumes);
    for (const NamedEntry& volume : volumes) {
        ui_->driveCombo->addItem(volume.shown, asBytes(volume.bytes));
    }
}

void CBrowse::refreshFolder() {
    const std::string folder = currentFolder();
    ui_->pathEdit->setText(displayText(folder));
    selectVolumeOfFolder(folder);
    listFolders();
    ui_->okButton->setEnabled(folderCanBeChosen(folder));
}

// The volume with the longest mount point that holds the folder.
void CBrowse::selectVolumeOfFolder(const std::string& folder) {
    int best = -1;
    std::size_t bestLength = 0;
    for (int i = 0; i < ui_->driveCombo->count(); ++i) {
        const std::string root = fromBytes(ui_->driveCombo->itemData(i));
        if (isUnderRoot(folder, root) && (best < 0 || root.size() > bestLength)) {
            best = i;
            bestLength = root.size();
        }
    }
    ui_->driveCombo->setCurrentIndex(best);
}

void CBrowse::listFolders() {
    ui_->folderList->clear();
    for (const NamedEntry& entry : subfolders()) {
        auto* item = new QListWidgetItem(entry.shown, ui_->folderList);
        item->setData(Qt::UserRole, asBytes(entry.bytes));
    }
}

bool CBrowse::folderCanBeChosen(const std::string& folder) const {
    if (mode_ == BrowseMode::Report) {
        return true;
    }
    return folder != homeFolder_ && holdsDictionary();
}

void CBrowse::openFolder(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    enterFolder(joinFolder(currentFolder(), fromBytes(item->data(Qt::UserRole))));
    refreshFolder();
}

// A location the desktop cannot name (empty) leaves the working folder as it is.
void CBrowse::goTo(const QString& location) {
    if (!location.isEmpty()) {
        enterFolder(QFile::encodeName(location).toStdString());
    }
    refreshFolder();
}

void CBrowse::changeVolume(int position) {
    const std::string root = fromBytes(ui_->driveCombo->itemData(position));
    if (!enterFolder(root)) {
        reporter_.showError("Can't read disk " + root,
                            "Drive not ready. Make drive ready and try again.");
    }
    refreshFolder();
}

void CBrowse::confirm() {
    chosenFolder_ = currentFolder();
    accept();
}

}  // namespace lq

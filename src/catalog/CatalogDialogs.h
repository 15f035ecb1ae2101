// The themes and languages dialogs by name, as the program opens them. Each is the shared
// dialog of its kind over one side's table; the sides differ only in what CatalogSide holds.
#pragma once

#include <cstdint>
#include <memory>

#include "catalog/CCatalogList.h"
#include "catalog/CDeleteCatalogEntry.h"
#include "catalog/CNewCatalogEntry.h"
#include "catalog/CRenameCatalogEntry.h"
#include "catalog/core/CatalogSide.h"
#include "store/ChangeLog.h"

namespace lq {

class CNewTheme : public CNewCatalogEntry {
  public:
    CNewTheme(Dictionary& dictionary, Reporter& reporter, QWidget* parent = nullptr)
        : CNewCatalogEntry(kThemeSide, dictionary, reporter, parent) {}
};

class CNewLanguage : public CNewCatalogEntry {
  public:
    CNewLanguage(Dictionary& dictionary, Reporter& reporter, QWidget* parent = nullptr)
        : CNewCatalogEntry(kLanguageSide, dictionary, reporter, parent) {}
};

class CRenameTheme : public CRenameCatalogEntry {
  public:
    CRenameTheme(Dictionary& dictionary, int32_t index, Reporter& reporter,
                 QWidget* parent = nullptr)
        : CRenameCatalogEntry(kThemeSide, dictionary, index, reporter, parent) {}
};

class CRenameLanguage : public CRenameCatalogEntry {
  public:
    CRenameLanguage(Dictionary& dictionary, int32_t index, Reporter& reporter,
                    QWidget* parent = nullptr)
        : CRenameCatalogEntry(kLanguageSide, dictionary, index, reporter, parent) {}
};

class CDeleteTheme : public CDeleteCatalogEntry {
  public:
    CDeleteTheme(Dictionary& dictionary, int32_t index, Reporter& reporter,
                 QWidget* parent = nullptr)
        : CDeleteCatalogEntry(kThemeSide, dictionary, index, reporter, parent) {}
};

class CDeleteLanguage : public CDeleteCatalogEntry {
  public:
    CDeleteLanguage(Dictionary& dictionary, int32_t index, Reporter& reporter,
                    QWidget* parent = nullptr)
        : CDeleteCatalogEntry(kLanguageSide, dictionary, index, reporter, parent) {}
};

// A list dialog that opens its side's own New, Rename and Delete dialogs.
template <typename NewDialog, typename RenameDialog, typename DeleteDialog>
class CCatalogListOf : public CCatalogList {
  protected:
    using CCatalogList::CCatalogList;

    std::unique_ptr<CCatalogEntryDialog> newEntryDialog(Dictionary& dictionary,
                                                        Reporter& reporter) override {
        return std::make_unique<NewDialog>(dictionary, reporter, this);
    }
    std::unique_ptr<CCatalogEntryDialog> renameEntryDialog(Dictionary& dictionary, int32_t index,
                                                           Reporter& reporter) override {
        return std::make_unique<RenameDialog>(dictionary, index, reporter, this);
    }
    std::unique_ptr<CCatalogEntryDialog> deleteEntryDialog(Dictionary& dictionary, int32_t index,
                                                           Reporter& reporter) override {
        return std::make_unique<DeleteDialog>(dictionary, index, reporter, this);
    }
};

class CThemes : public CCatalogListOf<CNewTheme, CRenameTheme, CDeleteTheme> {
  public:
    CThemes(Dictionary& dictionary, Reporter& reporter, QWidget* parent = nullptr)
        : CCatalogListOf(kThemeSide, dictionary, reporter, parent) {}
};

class CLanguages : public CCatalogListOf<CNewLanguage, CRenameLanguage, CDeleteLanguage> {
  public:
    CLanguages(Dictionary& dictionary, Reporter& reporter, QWidget* parent = nullptr)
        : CCatalogListOf(kLanguageSide, dictionary, reporter, parent) {}
};

// Run the list dialog of one side over `parent`, each change a step in `log`; the caller
// refreshes whatever the result.
inline int runThemesDialog(Dictionary& dictionary, Reporter& reporter, QWidget* parent,
                           ChangeLog& log = ChangeLog::none()) {
    CThemes dialog(dictionary, reporter, parent);
    dialog.setChangeLog(log);
    return dialog.exec();
}

inline int runLanguagesDialog(Dictionary& dictionary, Reporter& reporter, QWidget* parent,
                              ChangeLog& log = ChangeLog::none()) {
    CLanguages dialog(dictionary, reporter, parent);
    dialog.setChangeLog(log);
    return dialog.exec();
}

}  // namespace lq

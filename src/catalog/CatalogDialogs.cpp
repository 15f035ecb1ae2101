#include "catalog/CatalogDialogs.h"

namespace lq {

std::unique_ptr<QDialog> CThemes::newEntryDialog(Dictionary& dictionary, Reporter& reporter) {
    return std::make_unique<CNewTheme>(dictionary, reporter, this);
}

std::unique_ptr<QDialog> CThemes::renameEntryDialog(Dictionary& dictionary, int32_t index,
                                                    Reporter& reporter) {
    return std::make_unique<CRenameTheme>(dictionary, index, reporter, this);
}

std::unique_ptr<QDialog> CThemes::deleteEntryDialog(Dictionary& dictionary, int32_t index,
                                                    Reporter& reporter) {
    return std::make_unique<CDeleteTheme>(dictionary, index, reporter, this);
}

std::unique_ptr<QDialog> CLanguages::newEntryDialog(Dictionary& dictionary, Reporter& reporter) {
    return std::make_unique<CNewLanguage>(dictionary, reporter, this);
}

std::unique_ptr<QDialog> CLanguages::renameEntryDialog(Dictionary& dictionary, int32_t index,
                                                       Reporter& reporter) {
    return std::make_unique<CRenameLanguage>(dictionary, index, reporter, this);
}

std::unique_ptr<QDialog> CLanguages::deleteEntryDialog(Dictionary& dictionary, int32_t index,
                                                       Reporter& reporter) {
    return std::make_unique<CDeleteLanguage>(dictionary, index, reporter, this);
}

int runThemesDialog(Dictionary& dictionary, Reporter& reporter, QWidget* parent) {
    CThemes dialog(dictionary, reporter, parent);
    return dialog.exec();
}

int runLanguagesDialog(Dictionary& dictionary, Reporter& reporter, QWidget* parent) {
    CLanguages dialog(dictionary, reporter, parent);
    return dialog.exec();
}

}  // namespace lq

// The dialog that the program opens for a side: the themes' one or the languages' one.
#pragma once

#include <QDialog>
#include <memory>
#include <utility>

#include "catalog/CatalogDialogs.h"

namespace lq::test {

template <typename ForThemes, typename ForLanguages, typename... Args>
std::unique_ptr<QDialog> namedDialog(const CatalogSide& side, Args&&... args) {
    if (&side == &kThemeSide) {
        return std::make_unique<ForThemes>(std::forward<Args>(args)...);
    }
    return std::make_unique<ForLanguages>(std::forward<Args>(args)...);
}

inline std::unique_ptr<QDialog> listDialog(const CatalogSide& side, Dictionary& dictionary,
                                           Reporter& reporter) {
    return namedDialog<CThemes, CLanguages>(side, dictionary, reporter);
}

inline std::unique_ptr<QDialog> newDialog(const CatalogSide& side, Dictionary& dictionary,
                                          Reporter& reporter) {
    return namedDialog<CNewTheme, CNewLanguage>(side, dictionary, reporter);
}

inline std::unique_ptr<QDialog> renameDialog(const CatalogSide& side, Dictionary& dictionary,
                                             int32_t index, Reporter& reporter) {
    return namedDialog<CRenameTheme, CRenameLanguage>(side, dictionary, index, reporter);
}

inline std::unique_ptr<QDialog> deleteDialog(const CatalogSide& side, Dictionary& dictionary,
                                             int32_t index, Reporter& reporter) {
    return namedDialog<CDeleteTheme, CDeleteLanguage>(side, dictionary, index, reporter);
}

}  // namespace lq::test

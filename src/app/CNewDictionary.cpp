#include "app/CNewDictionary.h"

namespace lq {

CNewDictionary::CNewDictionary(QWidget* parent) : CInformation(parent) {
    setLook(QStringLiteral("New dictionary"), "new-dictionary", 64);
    // Room for the dozen lines of advice without wrapping each of them.
    setMinimumWidth(560);
}

}  // namespace lq

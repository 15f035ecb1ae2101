#include "app/CNewDictionary.h"

namespace lq {

CNewDictionary::CNewDictionary(QWidget* parent) : CInformation(parent) {
    // Room for the lines of advice without breaking them.
    setLook(QStringLiteral("New dictionary"), "new-dictionary", 64, 80);
}

}  // namespace lq

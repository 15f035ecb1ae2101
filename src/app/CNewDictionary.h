// "New dictionary": the notice before a missing dictionary is created. It is the information
// notice, only larger and with its own picture.
#pragma once

#include "app/CInformation.h"

namespace lq {

class CNewDictionary : public CInformation {
    Q_OBJECT
  public:
    explicit CNewDictionary(QWidget* parent = nullptr);
};

}  // namespace lq

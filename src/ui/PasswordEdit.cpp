#include "ui/PasswordEdit.h"

#include <QLineEdit>

#include "store/Protection.h"
#include "ui/TextCodec.h"

namespace lq {

void limitPasswordEdit(QLineEdit* edit) {
    edit->setValidator(new ByteLimitValidator(kPasswordEditBytes, edit));
}

std::string readPassword(const QLineEdit* edit) {
    return storedText(edit->text()).substr(0, kPasswordMaxLength);
}

}  // namespace lq

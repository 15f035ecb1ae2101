// The password fields of the password dialogs.
#pragma once

#include <string>

class QLineEdit;

namespace lq {

// Room for one byte more than counts, so that a 13th typed byte is taken and then ignored; the
// limit counts bytes because the password is compared byte for byte.
constexpr int kPasswordEditBytes = 13;

void limitPasswordEdit(QLineEdit* edit);
// The bytes of the typed password that count.
std::string readPassword(const QLineEdit* edit);

}  // namespace lq

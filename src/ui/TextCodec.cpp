#include "ui/TextCodec.h"

#include "store/TextEncoding.h"

namespace lq {

QString displayText(std::string_view bytes) {
    return QString::fromStdString(utf8AsShown(bytes));
}

std::string storedText(const QString& text) {
    return text.toUtf8().toStdString();
}

ByteLimitValidator::ByteLimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

QValidator::State ByteLimitValidator::validate(QString& input, int& /*position*/) const {
    return input.toUtf8().size() <= maxBytes_ ? Acceptable : Invalid;
}

}  // namespace lq

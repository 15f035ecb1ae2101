// Record fields hold bytes. What the user types is stored as UTF-8; a stored field that is not
// valid UTF-8 (a dictionary written on Windows) is shown as Windows-1252.
#pragma once

#include <QString>
#include <QValidator>
#include <cstring>
#include <string>
#include <string_view>

namespace lq {

QString displayText(std::string_view bytes);
std::string storedText(const QString& text);

template <std::size_t N>
QString displayField(const char (&field)[N]) {
    const void* end = std::memchr(field, 0, N);
    return displayText(std::string_view(
        field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N));
}

// Refuses any edit whose UTF-8 form would be longer than the field can hold, so that a
// stored text is never cut, least of all in the middle of a character.
class ByteLimitValidator : public QValidator {
    Q_OBJECT
  public:
    ByteLimitValidator(int maxBytes, QObject* parent);
    State validate(QString& input, int& position) const override;
    int maxBytes() const { return maxBytes_; }

  private:
    int maxBytes_;
};

}  // namespace lq

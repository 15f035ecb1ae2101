#include "ui/TextCodec.h"

#include <QStringDecoder>
#include <array>

namespace lq {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; the five unassigned bytes are shown
// as their C1 control code points so that every byte still shows as something.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.append(byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80])
                                                : QChar(byte));
    }
    return text;
}

}  // namespace

QString displayText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? fromWindows1252(bytes) : text;
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

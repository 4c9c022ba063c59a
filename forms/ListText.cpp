// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/ListText.h"

#include <QStringDecoder>

#include <array>

namespace ListText {

namespace {

// Bytes 0x80 to 0x9F in Windows-1252; the five it leaves free keep their control codes,
// as Windows itself reads them. 0xA0 to 0xFF are Latin-1's.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += QChar(code >= 0x80 && code < 0xA0 ? Windows1252High[code - 0x80] : char16_t{code});
    }
    return text;
}

char toWindows1252(QChar character)
{
    const char16_t code = character.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t index = 0; index < Windows1252High.size(); ++index)
        if (Windows1252High[index] == code)
            return static_cast<char>(0x80 + index);
    return '?';
}

QString lineToText(std::string_view line)
{
    if (isUtf8(line))
        return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    return fromWindows1252(line);
}

} // namespace

bool isUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = decoder.decode(QByteArrayView(bytes.data(), bytes.size()));
    return !decoder.hasError();
}

QString toText(std::string_view bytes)
{
    QString text;
    for (std::size_t begin = 0; begin <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', begin), bytes.size());
        text += lineToText(bytes.substr(begin, end - begin));
        if (end == bytes.size())
            break;
        text += QLatin1Char('\n');
        begin = end + 1;
    }
    return text;
}

std::string toBytes(const QString& text, bool windows1252)
{
    if (!windows1252)
        return text.toStdString();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text)
        bytes += toWindows1252(character);
    return bytes;
}

bool newLinesInWindows1252()
{
#if defined(Q_OS_WIN)
    return true;
#else
    return false;
#endif
}

} // namespace ListText

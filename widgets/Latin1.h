#pragma once

#include <QString>

#include <string>

// The engine and the game work on byte strings in Latin-1 (the byte 0xE8 is
// "è"); Qt works on QString.  These are the only conversions between them.
inline QString ToQString(const std::string &bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Characters outside Latin-1 become "?", which no guess accepts.
inline std::string ToBytes(const QString &text)
{
    const QByteArray latin1 = text.toLatin1();
    return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

// Shift_JIS bytes of a text, for tests that write rooms in it.
#pragma once

#include <QString>
#include <QStringEncoder>

#include <string>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace velmora::testing {

inline std::string ShiftJis(const QString& text)
{
#ifdef Q_OS_WIN
    // Qt for Windows has no Shift_JIS converter of its own: code page 932.
    std::string bytes(static_cast<size_t>(text.size()) * 2, '\0');
    const int size = WideCharToMultiByte(932, 0, reinterpret_cast<const wchar_t*>(text.utf16()),
                                         static_cast<int>(text.size()), bytes.data(), static_cast<int>(bytes.size()),
                                         nullptr, nullptr);
    bytes.resize(static_cast<size_t>(size > 0 ? size : 0));
    return bytes;
#else
    QStringEncoder encoder("Shift_JIS");
    return QByteArray(encoder.encode(text)).toStdString();
#endif
}

}  // namespace velmora::testing

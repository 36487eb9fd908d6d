#pragma once
#include <QString>

#include <string>

// Texts are Latin-1 bytes inside the program; widgets take QStrings.
inline QString L1(const std::string& text) { return QString::fromLatin1(text.data(), static_cast<int>(text.size())); }
inline QString L1(const char* text) { return QString::fromLatin1(text); }
inline std::string Latin(const QString& text) { return text.toLatin1().toStdString(); }

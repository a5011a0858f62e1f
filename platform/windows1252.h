// The game's Windows-1252 bytes to and from Qt's Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString FromWindows1252(std::string_view text);
std::string ToWindows1252(const QString& text);

// Small text helpers: printf-style formatting into std::string, ASCII case
// mapping (multi-byte UTF-8 sequences are left as they are), trimming.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

namespace lx {

// printf into a std::string; the program's message texts are printf formats.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* format, va_list args);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);

// A text made fit for one line of a stored file: backslash, line feed and
// carriage return (and the TAB when tab is true) written as \\, \n, \r, \t.
std::string EscapeLineText(std::string_view text, bool tab);

std::string Trim(std::string_view text);
std::vector<std::string> Split(std::string_view text, char separator);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

// The plural piece of count messages: "s " from two on, " " for zero and one
// ("%d File%sFound in %d msec. ...").
const char* PluralS(long long count);

}  // namespace lx

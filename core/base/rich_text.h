// The RTF subset that request and report bodies are written in: groups,
// \b, \par, \fsN, \cfN, \cbN, \f1, \t, the colour table and the escapes \\ \{ \}.
// The desktop program shows it as HTML, the CLI as plain text.
#pragma once

#include <string>
#include <string_view>

namespace lx {

// "{\rtf1\ansi\fs20 " + colour table: 1 black, 2 blue, 3 cyan, 4 green, 5 red.
extern const char* const kRtfHeader;
extern const char* const kRtfColourTable;

// Header, colour table and body: the whole document a message box shows.
std::string BuildRtfDocument(std::string_view body);

// Escapes "\", "{" and "}" of a value (a path, a name) placed into a body.
std::string RtfEscape(std::string_view value);

// Converts a body or a whole document. Unknown control words are dropped; text
// that is not RTF at all comes out as it is.
std::string RtfToHtml(std::string_view rtf);
std::string RtfToPlainText(std::string_view rtf);

}  // namespace lx

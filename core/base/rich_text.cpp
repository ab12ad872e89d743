#include "base/rich_text.h"

#include <vector>

#include "platform/text.h"

namespace lx {

const char* const kRtfHeader = "{\\rtf1\\ansi\\fs20 ";
const char* const kRtfColourTable =
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
    "\\red0\\green255\\blue0;\\red255\\green0\\blue0;}";

std::string BuildRtfDocument(std::string_view body) {
  std::string doc = kRtfHeader;
  doc += kRtfColourTable;
  doc += body;
  return doc;
}

std::string RtfEscape(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

namespace {

struct Style {
  bool bold = false;
  int fontSize = 20;  // half points
  int colour = 0;     // index into the colour table, 0 = automatic
  int background = 0;
  bool skip = false;  // inside a destination we do not show (colour table, font table)
};

// Colour table entries as "#rrggbb"; index 0 is the automatic colour.
struct ColourTable {
  std::vector<std::string> colours{""};
};

// Walks the RTF and calls the visitor for text runs and paragraph breaks.
template <typename OnText, typename OnPar, typename OnTable>
void WalkRtf(std::string_view rtf, OnText onText, OnPar onPar, OnTable onTable) {
  std::vector<Style> stack{Style{}};
  ColourTable table;
  int red = 0, green = 0, blue = 0;
  size_t i = 0;
  bool groupStart = false;
  while (i < rtf.size()) {
    char c = rtf[i];
    if (c == '{') {
      stack.push_back(stack.back());
      groupStart = true;
      ++i;
      continue;
    }
    if (c == '}') {
      if (stack.size() > 1) stack.pop_back();
      groupStart = false;
      ++i;
      continue;
    }
    Style& st = stack.back();
    if (c == '\\') {
      if (i + 1 >= rtf.size()) break;
      char next = rtf[i + 1];
      if (next == '\\' || next == '{' || next == '}') {
        if (!st.skip) onText(std::string(1, next), st);
        i += 2;
        groupStart = false;
        continue;
      }
      if (!((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z'))) {
        // Control symbol we do not know (\~, \-, \*): drop it.
        if (next == '*') st.skip = true;
        i += 2;
        continue;
      }
      size_t start = i + 1;
      size_t j = start;
      while (j < rtf.size() && ((rtf[j] >= 'a' && rtf[j] <= 'z') || (rtf[j] >= 'A' && rtf[j] <= 'Z'))) ++j;
      std::string word(rtf.substr(start, j - start));
      bool hasNumber = false;
      bool negative = false;
      long number = 0;
      if (j < rtf.size() && rtf[j] == '-') {
        negative = true;
        ++j;
      }
      while (j < rtf.size() && rtf[j] >= '0' && rtf[j] <= '9') {
        hasNumber = true;
        number = number * 10 + (rtf[j] - '0');
        if (number > 100000) number = 100000;
        ++j;
      }
      if (negative) number = -number;
      if (j < rtf.size() && rtf[j] == ' ') ++j;  // the delimiter space belongs to the word
      i = j;
      bool wasGroupStart = groupStart;
      groupStart = false;
      if (word == "colortbl" && wasGroupStart) {
        st.skip = true;
        // Parse the table right here: entries end with ';'.
        size_t end = rtf.find('}', i);
        std::string_view body = rtf.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
        table.colours.clear();
        red = green = blue = 0;
        size_t k = 0;
        while (k < body.size()) {
          if (body[k] == ';') {
            table.colours.push_back(table.colours.empty() ? std::string()
                                                          : StrFormat("#%02x%02x%02x", red, green, blue));
            red = green = blue = 0;
            ++k;
          } else if (body[k] == '\\') {
            size_t w = k + 1;
            while (w < body.size() && body[w] >= 'a' && body[w] <= 'z') ++w;
            std::string name(body.substr(k + 1, w - k - 1));
            int value = 0;
            while (w < body.size() && body[w] >= '0' && body[w] <= '9') value = value * 10 + (body[w++] - '0');
            if (value > 255) value = 255;
            if (name == "red") red = value;
            if (name == "green") green = value;
            if (name == "blue") blue = value;
            k = w;
          } else {
            ++k;
          }
        }
        if (table.colours.empty()) table.colours.push_back("");
        onTable(table.colours);
        i = (end == std::string_view::npos) ? rtf.size() : end;
        continue;
      }
      if (word == "fonttbl" || word == "stylesheet" || word == "info") {
        st.skip = true;
        continue;
      }
      if (st.skip) continue;
      if (word == "par" || word == "line") {
        onPar();
      } else if (word == "tab") {
        onText("\t", st);
      } else if (word == "b") {
        st.bold = !hasNumber || number != 0;
      } else if (word == "fs") {
        if (hasNumber && number > 0) st.fontSize = static_cast<int>(number);
      } else if (word == "cf") {
        st.colour = hasNumber ? static_cast<int>(number) : 0;
      } else if (word == "cb" || word == "highlight") {
        st.background = hasNumber ? static_cast<int>(number) : 0;
      } else if (word == "plain") {
        st.bold = false;
        st.colour = st.background = 0;
      }
      // \rtf1, \ansi, \f1 and anything else change nothing we show.
      continue;
    }
    groupStart = false;
    if (c == '\r' || c == '\n') {  // raw line ends are not text in RTF
      ++i;
      continue;
    }
    size_t j = i;
    while (j < rtf.size() && rtf[j] != '{' && rtf[j] != '}' && rtf[j] != '\\' && rtf[j] != '\r' && rtf[j] != '\n') ++j;
    if (!st.skip) onText(std::string(rtf.substr(i, j - i)), st);
    i = j;
  }
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\t':
        out += "&emsp;&emsp;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The table every body of the program is written against, for bodies that come without one.
std::vector<std::string> DefaultColours() { return {"", "#000000", "#0000ff", "#00ffff", "#00ff00", "#ff0000"}; }

}  // namespace

std::string RtfToHtml(std::string_view rtf) {
  std::vector<std::string> colours = DefaultColours();
  std::string html;
  WalkRtf(
      rtf,
      [&](const std::string& text, const Style& st) {
        std::string css = StrFormat("font-size:%dpt;", st.fontSize / 2);
        if (st.bold) css += "font-weight:bold;";
        if (st.colour > 0 && static_cast<size_t>(st.colour) < colours.size() && !colours[st.colour].empty())
          css += "color:" + colours[st.colour] + ";";
        if (st.background > 0 && static_cast<size_t>(st.background) < colours.size() && !colours[st.background].empty())
          css += "background-color:" + colours[st.background] + ";";
        html += "<span style=\"" + css + "\">" + HtmlEscape(text) + "</span>";
      },
      [&] { html += "<br>"; }, [&](const std::vector<std::string>& table) { colours = table; });
  return html;
}

std::string RtfToPlainText(std::string_view rtf) {
  std::string text;
  WalkRtf(
      rtf, [&](const std::string& run, const Style&) { text += run; }, [&] { text += '\n'; },
      [](const std::vector<std::string>&) {});
  // Bodies put spaces around \par; lines keep no trailing blanks.
  std::string cleaned;
  for (const auto& line : Split(text, '\n')) {
    std::string l = line;
    while (!l.empty() && (l.back() == ' ')) l.pop_back();
    size_t lead = 0;
    while (lead < l.size() && l[lead] == ' ') ++lead;
    cleaned += l.substr(lead);
    cleaned += '\n';
  }
  while (cleaned.size() >= 2 && cleaned[cleaned.size() - 1] == '\n' && cleaned[cleaned.size() - 2] == '\n')
    cleaned.pop_back();
  return cleaned;
}

}  // namespace lx

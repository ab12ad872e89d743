// The mail's header block and data blocks.
#include "online/smtp_message.h"

#include "online/smtp_error.h"
#include "platform/text.h"

namespace lx {

// Header fields and commands are single lines: a line end inside a value
// would start a header or a command of its own.
std::string OneLine(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

// A body line as a data block: every line ends in CRLF, and a line starting
// with "." gets a second one, so that no text of the mail can end the data
// early and be taken as commands.
std::string DataBlock(const std::string& line) {
  std::string out;
  out.reserve(line.size() + 8);
  bool lineStart = true;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
      lineStart = true;
      continue;
    }
    if (lineStart && c == '.') out += '.';
    out += c;
    lineStart = false;
  }
  out += "\r\n";
  return out;
}

std::string ComposeMailHeader(const SmtpMessage& message, TimeT now) {
  auto local = now > 0 ? ToLocal(now) : std::nullopt;
  if (!local) throw ECSmtp(ECSmtp::TIME_ERROR);
  std::string header = StrFormat("Date: %02d %s %04d %02d:%02d:%02d\r\n", local->day, MonthAbbreviation(local->month),
                                 local->year, local->hour, local->minute, local->second);
  header += "From: ";
  if (!message.senderName.empty()) header += OneLine(message.senderName) + " ";
  header += "<" + OneLine(message.senderMail) + ">\r\n";
  if (!message.xMailer.empty()) header += "X-Mailer: " + OneLine(message.xMailer) + "\r\n";
  if (!message.replyTo.empty()) header += "Reply-To: " + OneLine(message.replyTo) + "\r\n";
  if (message.priority == 2)
    header += "X-Priority: 2 (High)\r\n";
  else if (message.priority == 4)
    header += "X-Priority: 4 (Low)\r\n";
  else
    header += "X-Priority: 3 (Normal)\r\n";
  header += "To: ";
  for (size_t i = 0; i < message.recipients.size(); ++i) {
    if (i > 0) header += ",";
    header += OneLine(message.recipients[i].first) + "<" + OneLine(message.recipients[i].second) + ">";
  }
  header += "\r\n";
  header += "Subject: " + (message.subject.empty() ? std::string(" ") : OneLine(message.subject)) + "\r\n";
  header += "MIME-Version: 1.0\r\n";
  header += "Content-type: text/plain; charset=\"" + OneLine(message.charset) + "\"\r\n";
  header += "Content-Transfer-Encoding: 7bit\r\n\r\n";
  return header;
}

}  // namespace lx

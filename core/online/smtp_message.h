// The mail the SMTP client sends: its fields, the header block made from
// them, and the body lines as data blocks. Nothing a user types can start a
// header line of its own or end the data early.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/times.h"

namespace lx {

struct SmtpMessage {
  std::string senderMail;
  std::string senderName;
  std::string subject;
  std::string charset = "US-ASCII";
  std::string xMailer;
  std::string replyTo;
  int priority = 3;                                             // 2 high, 3 normal, 4 low
  std::vector<std::pair<std::string, std::string>> recipients;  // name, mail
  std::vector<std::string> body;
};

// The text with every line end turned into a blank: header fields and
// commands are single lines.
std::string OneLine(const std::string& text);

// A body line as a data block: every line ends in CRLF, and a line starting
// with "." gets a second one.
std::string DataBlock(const std::string& line);

// The header block, dated now in local time; throws ECSmtp 409 when the time
// cannot be converted.
std::string ComposeMailHeader(const SmtpMessage& message, TimeT now);

}  // namespace lx

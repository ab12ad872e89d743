// The SMTP conversation: greeting, EHLO, STARTTLS, login, envelope, data and
// QUIT, each step checked against the command table.
#include "online/smtp.h"

#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include <ctime>

#include "online/base64.h"
#include "online/smtp_sasl.h"
#include "platform/text.h"

namespace lx {

namespace {

constexpr size_t kBufferSize = 10240;

const SmtpCommandEntry kCommandList[] = {
    {command_INIT, 0, 300, 220, ECSmtp::SERVER_NOT_RESPONDING},
    {command_EHLO, 300, 300, 250, ECSmtp::COMMAND_EHLO},
    {command_AUTHPLAIN, 300, 300, 235, ECSmtp::COMMAND_AUTH_PLAIN},
    {command_AUTHLOGIN, 300, 300, 334, ECSmtp::COMMAND_AUTH_LOGIN},
    {command_AUTHCRAMMD5, 300, 300, 334, ECSmtp::COMMAND_AUTH_CRAMMD5},
    {command_AUTHDIGESTMD5, 300, 300, 334, ECSmtp::COMMAND_AUTH_DIGESTMD5},
    {command_DIGESTMD5, 300, 300, 334, ECSmtp::COMMAND_DIGESTMD5},
    {command_USER, 300, 300, 334, ECSmtp::UNDEF_XYZ_RESPONSE},
    {command_PASSWORD, 300, 300, 235, ECSmtp::BAD_LOGIN_PASS},
    {command_MAILFROM, 300, 300, 250, ECSmtp::COMMAND_MAIL_FROM},
    {command_RCPTTO, 300, 300, 250, ECSmtp::COMMAND_RCPT_TO},
    {command_DATA, 300, 120, 354, ECSmtp::COMMAND_DATA},
    {command_DATABLOCK, 180, 0, 0, ECSmtp::COMMAND_DATABLOCK},
    {command_DATAEND, 180, 600, 250, ECSmtp::MSG_BODY_ERROR},
    {command_QUIT, 300, 300, 221, ECSmtp::COMMAND_QUIT},
    {command_STARTTLS, 300, 300, 220, ECSmtp::COMMAND_EHLO_STARTTLS},
};

constexpr int kConnectTimeout = 180;
constexpr int kHandshakeTimeout = 180;

// Errors after which the server cannot be talked to any more: no QUIT then.
bool IsTransportError(int code) {
  switch (code) {
    case ECSmtp::WSA_SEND:
    case ECSmtp::WSA_RECV:
    case ECSmtp::WSA_SELECT:
    case ECSmtp::CONNECTION_CLOSED:
    case ECSmtp::SERVER_NOT_RESPONDING:
    case ECSmtp::SELECT_TIMEOUT:
    case ECSmtp::LACK_OF_MEMORY:
    case ECSmtp::SSL_PROBLEM:
    case ECSmtp::COMMAND_DATABLOCK:
      return true;
    default:
      return false;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Finds the line that ends the reply: three digits and CRLF, or three digits
// and a blank. Lines with a dash after the code continue the reply.
bool ReplyComplete(const std::string& reply, int& code) {
  size_t start = 0;
  while (start < reply.size()) {
    size_t end = reply.find("\r\n", start);
    if (end == std::string::npos) return false;
    size_t length = end + 2 - start;
    if (length >= 5 && IsDigit(reply[start]) && IsDigit(reply[start + 1]) && IsDigit(reply[start + 2]) &&
        (length == 5 || reply[start + 3] == ' ')) {
      code = (reply[start] - '0') * 100 + (reply[start + 1] - '0') * 10 + (reply[start + 2] - '0');
      return true;
    }
    start = end + 2;
  }
  return false;
}

}  // namespace

const SmtpCommandEntry& FindCommandEntry(int command) {
  for (const auto& entry : kCommandList)
    if (entry.command == command) return entry;
  throw ECSmtp(ECSmtp::UNDEF_XYZ_RESPONSE);
}

CSmtp::CSmtp() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) throw ECSmtp(ECSmtp::WSA_HOSTNAME);
  localHostName_ = name;
  sendBuf_.reserve(kBufferSize);
  recvBuf_.reserve(kBufferSize);
}

CSmtp::~CSmtp() { Disconnect(); }

void CSmtp::AddRecipient(const char* mail, const char* name) {
  if (!mail) throw ECSmtp(ECSmtp::UNDEF_RECIPIENT_MAIL);
  message_.recipients.emplace_back(name ? name : "", mail);
}

void CSmtp::Fail(int code) { throw ECSmtp(code); }

void CSmtp::Disconnect() {
  SigpipeGuard guard;
  if (connected_ && transport_.IsOpen()) {
    connected_ = false;  // cleared first so that QUIT goes out at most once
    try {
      Command(command_QUIT, "QUIT\r\n");
    } catch (const ECSmtp&) {
    }
  }
  connected_ = false;
  transport_.Close();
}

void CSmtp::Connect() {
  recvBuf_.clear();
  unsigned short port = port_;
  if (port == 0) {
    servent* service = getservbyname("mail", "tcp");
    port = service ? ntohs(static_cast<uint16_t>(service->s_port)) : 25;
  }
  transport_.Connect(server_, port, kConnectTimeout);

  try {
    if (security_ == USE_TLS || security_ == USE_SSL) {
      transport_.PrepareTls();
      if (security_ == USE_SSL) transport_.Handshake(kHandshakeTimeout);
    }
    ReceiveResponse(FindCommandEntry(command_INIT));
    Command(command_EHLO, "EHLO " + OneLine(localHostName_) + "\r\n");
    connected_ = true;
    if (security_ == USE_TLS) {
      if (!IsKeywordSupported(recvBuf_, "STARTTLS")) Fail(ECSmtp::STARTTLS_NOT_SUPPORTED);
      Command(command_STARTTLS, "STARTTLS\r\n");
      transport_.Handshake(kHandshakeTimeout);
      Command(command_EHLO, "EHLO " + OneLine(localHostName_) + "\r\n");
    }
    if (authenticate_ && IsKeywordSupported(recvBuf_, "AUTH")) Authenticate();
  } catch (const ECSmtp& e) {
    if (recvBuf_.compare(0, 3, "530") == 0 || IsTransportError(e.GetErrorNum())) connected_ = false;
    Disconnect();
    throw;
  }
}

void CSmtp::Authenticate() {
  if (login_.empty()) Fail(ECSmtp::UNDEF_LOGIN);
  if (password_.empty()) Fail(ECSmtp::UNDEF_PASSWORD);
  switch (ChooseSaslMechanism(recvBuf_)) {
    case SaslMechanism::Login:
      Command(command_AUTHLOGIN, "AUTH LOGIN\r\n");
      Command(command_USER, Base64Encode(login_) + "\r\n");
      Command(command_PASSWORD, Base64Encode(password_) + "\r\n");
      return;
    case SaslMechanism::Plain:
      Command(command_AUTHPLAIN, "AUTH PLAIN " + Base64Encode(PlainAnswer(login_, password_)) + "\r\n");
      return;
    case SaslMechanism::CramMd5: {
      Command(command_AUTHCRAMMD5, "AUTH CRAM-MD5\r\n");
      const std::string challenge = SaslChallenge(recvBuf_);
      Command(command_PASSWORD, Base64Encode(CramMd5Answer(challenge, login_, password_)) + "\r\n");
      return;
    }
    case SaslMechanism::DigestMd5: {
      Command(command_AUTHDIGESTMD5, "AUTH DIGEST-MD5\r\n");
      const std::string challenge = SaslChallenge(recvBuf_);
      // The digest names the server by the address it was reached at.
      const std::string peer = transport_.PeerAddress();
      if (peer.empty()) Fail(ECSmtp::BAD_SERVER_NAME);
      std::string cnonce = StrFormat("%x", static_cast<unsigned>(time(nullptr)));
      std::string answer = DigestMd5Answer(challenge, login_, password_, cnonce, "smtp/" + peer);
      Command(command_DIGESTMD5, Base64Encode(answer) + "\r\n");
      Command(command_PASSWORD, "\r\n");
      return;
    }
    case SaslMechanism::None:
      break;
  }
  Fail(ECSmtp::LOGIN_NOT_SUPPORTED);
}

void CSmtp::Command(int command, const std::string& text) {
  const SmtpCommandEntry& entry = FindCommandEntry(command);
  sendBuf_ = text;
  SendData(entry);
  ReceiveResponse(entry);
}

void CSmtp::SendData(const SmtpCommandEntry& entry) {
  if (sendBuf_.empty()) Fail(ECSmtp::SENDBUF_IS_EMPTY);
  transport_.Write(sendBuf_, entry.sendTimeout);
}

void CSmtp::ReceiveResponse(const SmtpCommandEntry& entry) {
  std::string reply;
  int code = 0;
  do {
    transport_.ReadSome(reply, kBufferSize - 1, entry.recvTimeout);
  } while (!ReplyComplete(reply, code));
  recvBuf_ = reply;
  if (code != entry.validReplyCode) Fail(entry.error);
}

std::string CSmtp::ComposeHeader() const {
  return ComposeMailHeader(message_, hasFixedTime_ ? fixedTime_ : static_cast<TimeT>(time(nullptr)));
}

void CSmtp::Send() {
  SigpipeGuard guard;
  if (!connected_ || !transport_.IsOpen()) Connect();
  try {
    if (message_.senderMail.empty()) Fail(ECSmtp::UNDEF_MAIL_FROM);
    Command(command_MAILFROM, "MAIL FROM:<" + OneLine(message_.senderMail) + ">\r\n");
    if (message_.recipients.empty()) Fail(ECSmtp::UNDEF_RECIPIENTS);
    for (const auto& recipient : message_.recipients)
      Command(command_RCPTTO, "RCPT TO:<" + OneLine(recipient.second) + ">\r\n");
    std::string header = ComposeHeader();
    Command(command_DATA, "DATA\r\n");
    const SmtpCommandEntry& block = FindCommandEntry(command_DATABLOCK);
    sendBuf_ = header;
    SendData(block);
    if (message_.body.empty()) {
      sendBuf_ = " \r\n";
      SendData(block);
    }
    for (const auto& line : message_.body) {
      sendBuf_ = DataBlock(line);
      SendData(block);
    }
    Command(command_DATAEND, "\r\n.\r\n");
  } catch (const ECSmtp& e) {
    if (IsTransportError(e.GetErrorNum())) connected_ = false;
    Disconnect();
    throw;
  }
}

}  // namespace lx

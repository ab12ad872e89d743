#include "online/smtp.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "online/base64.h"
#include "online/md5.h"
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

using Clock = std::chrono::steady_clock;

// A write to a socket the server has closed must fail with EPIPE, not end the
// program with SIGPIPE. OpenSSL writes with write(2), so the signal is blocked
// on this thread for the length of a call and a pending one is taken away.
class SigpipeGuard {
 public:
  SigpipeGuard() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe, &old_);
  }
  ~SigpipeGuard() {
    if (!wasPending_) {
      sigset_t pending;
      sigpending(&pending);
      if (sigismember(&pending, SIGPIPE) == 1) {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        timespec zero{0, 0};
        while (sigtimedwait(&pipe, nullptr, &zero) < 0 && errno == EINTR) {
        }
      }
    }
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }

 private:
  sigset_t old_;
  bool wasPending_ = false;
};

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

// The Base64 text after "334 " up to the line end.
std::string ChallengeOf(const std::string& reply) {
  if (reply.size() <= 4) return {};
  size_t end = reply.find("\r\n", 4);
  auto decoded = Base64Decode(reply.substr(4, end == std::string::npos ? std::string::npos : end - 4));
  return decoded ? *decoded : std::string();
}

// The value between double quotes that starts seven characters after the
// first occurrence of key (past `key="`).
bool QuotedValue(const std::string& text, const std::string& key, std::string& value, bool& found) {
  size_t pos = text.find(key);
  found = pos != std::string::npos;
  if (!found) return false;
  size_t start = pos + 7;
  if (start > text.size()) return false;
  size_t end = text.find('"', start);
  if (end == std::string::npos) return false;
  value = text.substr(start, end - start);
  return true;
}

}  // namespace

std::string SmtpErrorText(int code) {
  switch (code) {
    case 0:
      return "";
    case 100:
      return "Unable to initialise winsock2";
    case 101:
      return "Wrong version of the winsock2";
    case 102:
      return "Function send() failed";
    case 103:
      return "Function recv() failed";
    case 104:
      return "Function connect failed";
    case 105:
      return "Unable to determine remote server";
    case 106:
      return "Invalid winsock2 socket";
    case 107:
      return "Function hostname() failed";
    case 108:
      return "Function ioctlsocket() failed";
    case 110:
      return "Improper IPv4 address";
    case 200:
      return "Undefined message header";
    case 201:
      return "Undefined mail sender";
    case 202:
      return "Undefined message subject";
    case 203:
      return "Undefined at least one reciepent";
    case 204:
      return "Undefined user login";
    case 205:
      return "Undefined user password";
    case 206:
      return "Invalid user login or password";
    case 207:
      return "Server returned a bad digest MD5 response";
    case 208:
      return "Unable to determine server name for digest MD5 response";
    case 209:
      return "Undefined recipent mail";
    case 300:
      return "Server returned error after sending MAIL FROM";
    case 301:
      return "Server returned error after sending EHLO";
    case 302:
      return "Server returned error after sending AUTH PLAIN";
    case 303:
      return "Server returned error after sending AUTH LOGIN";
    case 304:
      return "Server returned error after sending AUTH CRAM-MD5";
    case 305:
      return "Server returned error after sending AUTH DIGEST-MD5";
    case 306:
      return "Server returned error after sending MD5 DIGEST";
    case 307:
      return "Server returned error after sending DATA";
    case 308:
      return "Server returned error after sending QUIT";
    case 309:
      return "Server returned error after sending RCPT TO";
    case 310:
      return "Error in message body";
    case 400:
      return "Server has closed the connection";
    case 401:
      return "Server is not ready";
    case 402:
      return "Server not responding";
    case 404:
      return "Attachment file does not exist";
    case 405:
      return "Message is too big";
    case 406:
      return "Bad login or password";
    case 407:
      return "Undefined xyz SMTP response";
    case 408:
      return "Lack of memory";
    case 409:
      return "time() error";
    case 410:
      return "RecvBuf is empty";
    case 411:
      return "SendBuf is empty";
    case 412:
      return "Specified line number is out of message size";
    case 413:
      return "Server returned error after sending STARTTLS";
    case 414:
      return "SSL problem";
    case 415:
      return "Failed to send data block";
    case 416:
      return "The STARTTLS command is not supported by the server";
    case 417:
      return "AUTH LOGIN is not supported by the server";
    default:
      return "Undefined error id";
  }
}

std::string ECSmtp::GetErrorText() const { return SmtpErrorText(code_); }

const SmtpCommandEntry& FindCommandEntry(int command) {
  for (const auto& entry : kCommandList)
    if (entry.command == command) return entry;
  throw ECSmtp(ECSmtp::UNDEF_XYZ_RESPONSE);
}

bool IsKeywordSupported(const std::string& reply, const std::string& keyword) {
  if (keyword.empty() || reply.size() < keyword.size()) return false;
  std::string text = ToUpperAscii(reply);
  std::string key = ToUpperAscii(keyword);
  for (size_t pos = text.find(key, 1); pos != std::string::npos; pos = text.find(key, pos + 1)) {
    char before = text[pos - 1];
    if (before != ' ' && before != '-' && before != '=') continue;
    size_t after = pos + key.size();
    if (after >= text.size()) continue;
    char next = text[after];
    if (next == ' ' || next == '=') return true;
    if (next == '\r' && after + 1 < text.size() && text[after + 1] == '\n') return true;
  }
  return false;
}

std::string DigestMd5ResponseValue(const std::string& login, const std::string& realm, const std::string& password,
                                   const std::string& nonce, const std::string& cnonce, const std::string& nc,
                                   const std::string& qop, const std::string& digestUri) {
  std::string a1 = Md5Raw(login + ":" + realm + ":" + password) + ":" + nonce + ":" + cnonce;
  std::string a2 = "AUTHENTICATE:" + digestUri;
  return Md5Hex(Md5Hex(a1) + ":" + nonce + ":" + nc + ":" + cnonce + ":" + qop + ":" + Md5Hex(a2));
}

std::string DigestMd5Answer(const std::string& challenge, const std::string& login, const std::string& password,
                            const std::string& cnonce, const std::string& digestUri) {
  std::string nonce, realm;
  bool hasNonce = false, hasRealm = false;
  if (!QuotedValue(challenge, "nonce", nonce, hasNonce)) throw ECSmtp(ECSmtp::BAD_DIGEST_RESPONSE);
  if (!QuotedValue(challenge, "realm", realm, hasRealm) && hasRealm) throw ECSmtp(ECSmtp::BAD_DIGEST_RESPONSE);
  const std::string nc = "00000001";
  const std::string qop = "auth";
  std::string response = DigestMd5ResponseValue(login, realm, password, nonce, cnonce, nc, qop, digestUri);
  std::string text = "charset=utf-8,username=\"" + login + "\"";
  if (hasRealm) text += ",realm=\"" + realm + "\"";
  text += ",nonce=\"" + nonce + "\"";
  text += ",nc=" + nc;
  text += ",cnonce=\"" + cnonce + "\"";
  text += ",digest-uri=\"" + digestUri + "\"";
  text += ",response=" + response;
  text += ",qop=" + qop;
  return text;
}

std::string CramMd5Answer(const std::string& challenge, const std::string& login, const std::string& password) {
  return login + " " + HmacMd5Hex(password, challenge);
}

CSmtp::CSmtp() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) throw ECSmtp(ECSmtp::WSA_HOSTNAME);
  localHostName_ = name;
  sendBuf_.reserve(kBufferSize);
  recvBuf_.reserve(kBufferSize);
}

CSmtp::~CSmtp() {
  Disconnect();
  if (ctx_) SSL_CTX_free(ctx_);
  ctx_ = nullptr;
  ERR_clear_error();
}

void CSmtp::AddRecipient(const char* mail, const char* name) {
  if (!mail) throw ECSmtp(ECSmtp::UNDEF_RECIPIENT_MAIL);
  recipients_.emplace_back(name ? name : "", mail);
}

void CSmtp::Fail(int code) { throw ECSmtp(code); }

void CSmtp::CloseSocket() {
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
}

void CSmtp::FreeSsl() {
  if (ssl_) {
    SSL_shutdown(ssl_);  // one non-blocking attempt at a polite close
    SSL_free(ssl_);
  }
  ssl_ = nullptr;
  ERR_clear_error();
}

void CSmtp::Disconnect() {
  SigpipeGuard guard;
  if (connected_ && socket_ >= 0) {
    connected_ = false;  // cleared first so that QUIT goes out at most once
    try {
      Command(command_QUIT, "QUIT\r\n");
    } catch (const ECSmtp&) {
    }
  }
  connected_ = false;
  FreeSsl();
  CloseSocket();
}

// Waits for the socket within the time-out; timeoutError when it expires,
// 109 when the wait itself fails.
void CSmtp::WaitFor(short events, int timeoutSeconds, int timeoutError) {
  long long ms = static_cast<long long>(timeoutSeconds) * 1000;
  if (maxWaitMs_ > 0 && ms > maxWaitMs_) ms = maxWaitMs_;
  auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    long long left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left < 0) left = 0;
    pollfd pfd{socket_, events, 0};
    int n = poll(&pfd, 1, static_cast<int>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(ECSmtp::WSA_SELECT);
    }
    if (n == 0) Fail(timeoutError);
    if (pfd.revents & POLLNVAL) Fail(ECSmtp::WSA_SELECT);
    return;  // ready, or an error or hang-up that the next call reports
  }
}

void CSmtp::Connect() {
  recvBuf_.clear();
  if (server_.empty()) Fail(ECSmtp::WSA_GETHOSTBY_NAME_ADDR);
  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_ < 0) Fail(ECSmtp::WSA_INVALID_SOCKET);

  try {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    unsigned short port = port_;
    if (port == 0) {
      servent* service = getservbyname("mail", "tcp");
      port = service ? ntohs(static_cast<uint16_t>(service->s_port)) : 25;
    }
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, server_.c_str(), &address.sin_addr) != 1) {
      addrinfo hints{};
      hints.ai_family = AF_INET;
      hints.ai_socktype = SOCK_STREAM;
      addrinfo* found = nullptr;
      if (getaddrinfo(server_.c_str(), nullptr, &hints, &found) != 0 || !found) Fail(ECSmtp::WSA_GETHOSTBY_NAME_ADDR);
      address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
      freeaddrinfo(found);
    }
    int flags = fcntl(socket_, F_GETFL, 0);
    if (flags < 0 || fcntl(socket_, F_SETFL, flags | O_NONBLOCK) < 0) Fail(ECSmtp::WSA_IOCTLSOCKET);
    if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      if (errno != EINPROGRESS) Fail(ECSmtp::WSA_CONNECT);
      WaitFor(POLLOUT, kConnectTimeout, ECSmtp::SELECT_TIMEOUT);
      int error = 0;
      socklen_t length = sizeof error;
      if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) Fail(ECSmtp::WSA_SELECT);
      if (error != 0) Fail(ECSmtp::WSA_CONNECT);
    }
  } catch (const ECSmtp&) {
    CloseSocket();
    throw;
  }

  try {
    if (security_ == USE_TLS || security_ == USE_SSL) {
      if (ctx_) SSL_CTX_free(ctx_);
      ctx_ = SSL_CTX_new(TLS_client_method());
      if (!ctx_) Fail(ECSmtp::SSL_PROBLEM);
      // A server that drops the line reads as a closed connection.
      SSL_CTX_set_options(ctx_, SSL_OP_IGNORE_UNEXPECTED_EOF);
      if (verifyPeer_) {
        SSL_CTX_set_verify(ctx_, SSL_VERIFY_PEER, nullptr);
        SSL_CTX_set_default_verify_paths(ctx_);
        if (!caFile_.empty() && SSL_CTX_load_verify_locations(ctx_, caFile_.c_str(), nullptr) != 1)
          Fail(ECSmtp::SSL_PROBLEM);
      }
      if (security_ == USE_SSL) Handshake();
    }
    ReceiveResponse(FindCommandEntry(command_INIT));
    Command(command_EHLO, "EHLO " + OneLine(localHostName_) + "\r\n");
    connected_ = true;
    if (security_ == USE_TLS) {
      if (!IsKeywordSupported(recvBuf_, "STARTTLS")) Fail(ECSmtp::STARTTLS_NOT_SUPPORTED);
      Command(command_STARTTLS, "STARTTLS\r\n");
      Handshake();
      Command(command_EHLO, "EHLO " + OneLine(localHostName_) + "\r\n");
    }
    if (authenticate_ && IsKeywordSupported(recvBuf_, "AUTH")) Authenticate();
  } catch (const ECSmtp& e) {
    if (recvBuf_.compare(0, 3, "530") == 0 || IsTransportError(e.GetErrorNum())) connected_ = false;
    Disconnect();
    throw;
  }
}

void CSmtp::Handshake() {
  if (ssl_) FreeSsl();
  ssl_ = SSL_new(ctx_);
  if (!ssl_) Fail(ECSmtp::SSL_PROBLEM);
  SSL_set_fd(ssl_, socket_);
  SSL_set_mode(ssl_, SSL_MODE_AUTO_RETRY);
  in_addr literal{};
  bool isAddress = inet_pton(AF_INET, server_.c_str(), &literal) == 1;
  if (!isAddress) SSL_set_tlsext_host_name(ssl_, server_.c_str());
  if (verifyPeer_) {
    // The certificate must name the server we meant to reach, not just any trusted one.
    if (isAddress)
      X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), server_.c_str());
    else
      SSL_set1_host(ssl_, server_.c_str());
  }
  for (;;) {
    int result = SSL_connect(ssl_);
    if (result == 1) return;
    int error = SSL_get_error(ssl_, result);
    if (error == SSL_ERROR_WANT_READ)
      WaitFor(POLLIN, kHandshakeTimeout, ECSmtp::SERVER_NOT_RESPONDING);
    else if (error == SSL_ERROR_WANT_WRITE)
      WaitFor(POLLOUT, kHandshakeTimeout, ECSmtp::SERVER_NOT_RESPONDING);
    else
      Fail(ECSmtp::SSL_PROBLEM);
  }
}

void CSmtp::Authenticate() {
  if (login_.empty()) Fail(ECSmtp::UNDEF_LOGIN);
  if (password_.empty()) Fail(ECSmtp::UNDEF_PASSWORD);
  if (IsKeywordSupported(recvBuf_, "LOGIN")) {
    Command(command_AUTHLOGIN, "AUTH LOGIN\r\n");
    Command(command_USER, Base64Encode(login_) + "\r\n");
    Command(command_PASSWORD, Base64Encode(password_) + "\r\n");
  } else if (IsKeywordSupported(recvBuf_, "PLAIN")) {
    std::string text = login_ + '\0' + login_ + '\0' + password_;
    Command(command_AUTHPLAIN, "AUTH PLAIN " + Base64Encode(text) + "\r\n");
  } else if (IsKeywordSupported(recvBuf_, "CRAM-MD5")) {
    Command(command_AUTHCRAMMD5, "AUTH CRAM-MD5\r\n");
    std::string challenge = ChallengeOf(recvBuf_);
    Command(command_PASSWORD, Base64Encode(CramMd5Answer(challenge, login_, password_)) + "\r\n");
  } else if (IsKeywordSupported(recvBuf_, "DIGEST-MD5")) {
    Command(command_AUTHDIGESTMD5, "AUTH DIGEST-MD5\r\n");
    std::string challenge = ChallengeOf(recvBuf_);
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    char dotted[INET_ADDRSTRLEN] = {};
    if (getpeername(socket_, reinterpret_cast<sockaddr*>(&peer), &length) != 0 || peer.sin_family != AF_INET ||
        !inet_ntop(AF_INET, &peer.sin_addr, dotted, sizeof dotted))
      Fail(ECSmtp::BAD_SERVER_NAME);
    std::string cnonce = StrFormat("%x", static_cast<unsigned>(time(nullptr)));
    std::string answer = DigestMd5Answer(challenge, login_, password_, cnonce, std::string("smtp/") + dotted);
    Command(command_DIGESTMD5, Base64Encode(answer) + "\r\n");
    Command(command_PASSWORD, "\r\n");
  } else {
    Fail(ECSmtp::LOGIN_NOT_SUPPORTED);
  }
}

void CSmtp::Command(int command, const std::string& text) {
  const SmtpCommandEntry& entry = FindCommandEntry(command);
  sendBuf_ = text;
  SendData(entry);
  ReceiveResponse(entry);
}

void CSmtp::SendData(const SmtpCommandEntry& entry) {
  if (sendBuf_.empty()) Fail(ECSmtp::SENDBUF_IS_EMPTY);
  const char* data = sendBuf_.data();
  size_t left = sendBuf_.size();
  if (ssl_) {
    for (;;) {
      int result = SSL_write(ssl_, data, static_cast<int>(left));
      if (result > 0) {
        data += result;
        left -= static_cast<size_t>(result);
        if (left == 0) return;
        continue;
      }
      int error = SSL_get_error(ssl_, result);
      if (error == SSL_ERROR_WANT_WRITE)
        WaitFor(POLLOUT, entry.sendTimeout, ECSmtp::SERVER_NOT_RESPONDING);
      else if (error == SSL_ERROR_WANT_READ)
        WaitFor(POLLIN, entry.sendTimeout, ECSmtp::SERVER_NOT_RESPONDING);
      else
        Fail(ECSmtp::SSL_PROBLEM);
    }
  }
  while (left > 0) {
    WaitFor(POLLOUT, entry.sendTimeout, ECSmtp::SERVER_NOT_RESPONDING);
    ssize_t sent = send(socket_, data, left, MSG_NOSIGNAL);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
    if (sent <= 0) Fail(ECSmtp::WSA_SEND);
    data += sent;
    left -= static_cast<size_t>(sent);
  }
}

void CSmtp::ReceiveResponse(const SmtpCommandEntry& entry) {
  std::string reply;
  int code = 0;
  char buffer[1024];
  for (;;) {
    if (!ssl_ || SSL_pending(ssl_) == 0) WaitFor(POLLIN, entry.recvTimeout, ECSmtp::SERVER_NOT_RESPONDING);
    if (ssl_) {
      for (;;) {
        int n = SSL_read(ssl_, buffer, sizeof buffer);
        if (n > 0) {
          reply.append(buffer, static_cast<size_t>(n));
          if (reply.size() > kBufferSize - 1) Fail(ECSmtp::LACK_OF_MEMORY);
          if (SSL_pending(ssl_) > 0) continue;
          break;
        }
        int error = SSL_get_error(ssl_, n);
        if (error == SSL_ERROR_WANT_READ) break;
        if (error == SSL_ERROR_WANT_WRITE) {
          WaitFor(POLLOUT, entry.recvTimeout, ECSmtp::SERVER_NOT_RESPONDING);
          continue;
        }
        if (error == SSL_ERROR_ZERO_RETURN || (error == SSL_ERROR_SYSCALL && n == 0)) Fail(ECSmtp::CONNECTION_CLOSED);
        Fail(ECSmtp::SSL_PROBLEM);
      }
    } else {
      size_t room = kBufferSize - 1 - reply.size();
      if (room == 0) Fail(ECSmtp::LACK_OF_MEMORY);
      ssize_t n = recv(socket_, buffer, std::min(room, sizeof buffer), 0);
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
      if (n < 0) Fail(ECSmtp::WSA_RECV);
      if (n == 0) Fail(ECSmtp::CONNECTION_CLOSED);
      reply.append(buffer, static_cast<size_t>(n));
    }
    if (ReplyComplete(reply, code)) break;
  }
  recvBuf_ = reply;
  if (code != entry.validReplyCode) Fail(entry.error);
}

std::string CSmtp::ComposeHeader() const {
  TimeT now = hasFixedTime_ ? fixedTime_ : static_cast<TimeT>(time(nullptr));
  auto local = now > 0 ? ToLocal(now) : std::nullopt;
  if (!local) throw ECSmtp(ECSmtp::TIME_ERROR);
  std::string header = StrFormat("Date: %02d %s %04d %02d:%02d:%02d\r\n", local->day, MonthAbbreviation(local->month),
                                 local->year, local->hour, local->minute, local->second);
  header += "From: ";
  if (!senderName_.empty()) header += OneLine(senderName_) + " ";
  header += "<" + OneLine(senderMail_) + ">\r\n";
  if (!xMailer_.empty()) header += "X-Mailer: " + OneLine(xMailer_) + "\r\n";
  if (!replyTo_.empty()) header += "Reply-To: " + OneLine(replyTo_) + "\r\n";
  if (priority_ == 2)
    header += "X-Priority: 2 (High)\r\n";
  else if (priority_ == 4)
    header += "X-Priority: 4 (Low)\r\n";
  else
    header += "X-Priority: 3 (Normal)\r\n";
  header += "To: ";
  for (size_t i = 0; i < recipients_.size(); ++i) {
    if (i > 0) header += ",";
    header += OneLine(recipients_[i].first) + "<" + OneLine(recipients_[i].second) + ">";
  }
  header += "\r\n";
  header += "Subject: " + (subject_.empty() ? std::string(" ") : OneLine(subject_)) + "\r\n";
  header += "MIME-Version: 1.0\r\n";
  header += "Content-type: text/plain; charset=\"" + OneLine(charset_) + "\"\r\n";
  header += "Content-Transfer-Encoding: 7bit\r\n\r\n";
  return header;
}

void CSmtp::Send() {
  SigpipeGuard guard;
  if (!connected_ || socket_ < 0) Connect();
  try {
    if (senderMail_.empty()) Fail(ECSmtp::UNDEF_MAIL_FROM);
    Command(command_MAILFROM, "MAIL FROM:<" + OneLine(senderMail_) + ">\r\n");
    if (recipients_.empty()) Fail(ECSmtp::UNDEF_RECIPIENTS);
    for (const auto& recipient : recipients_)
      Command(command_RCPTTO, "RCPT TO:<" + OneLine(recipient.second) + ">\r\n");
    std::string header = ComposeHeader();
    Command(command_DATA, "DATA\r\n");
    const SmtpCommandEntry& block = FindCommandEntry(command_DATABLOCK);
    sendBuf_ = header;
    SendData(block);
    if (body_.empty()) {
      sendBuf_ = " \r\n";
      SendData(block);
    }
    for (const auto& line : body_) {
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

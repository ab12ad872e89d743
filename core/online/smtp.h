// The program's own SMTP client: POSIX sockets, optional TLS through OpenSSL 3
// (STARTTLS after EHLO, or TLS from the start), the logins LOGIN, PLAIN,
// CRAM-MD5 and DIGEST-MD5, and a plain-text mail. Every wait on the server is
// bounded by the time-out of its step in the command table; every failure
// throws ECSmtp with its code.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/times.h"

struct ssl_ctx_st;
struct ssl_st;

namespace lx {

class ECSmtp {
 public:
  enum CSmtpError {
    CSMTP_NO_ERROR = 0,
    WSA_STARTUP = 100,
    WSA_VER,
    WSA_SEND,
    WSA_RECV,
    WSA_CONNECT,
    WSA_GETHOSTBY_NAME_ADDR,
    WSA_INVALID_SOCKET,
    WSA_HOSTNAME,
    WSA_IOCTLSOCKET,
    WSA_SELECT,
    BAD_IPV4_ADDR,
    UNDEF_MSG_HEADER = 200,
    UNDEF_MAIL_FROM,
    UNDEF_SUBJECT,
    UNDEF_RECIPIENTS,
    UNDEF_LOGIN,
    UNDEF_PASSWORD,
    BAD_LOGIN_PASSWORD,
    BAD_DIGEST_RESPONSE,
    BAD_SERVER_NAME,
    UNDEF_RECIPIENT_MAIL,
    COMMAND_MAIL_FROM = 300,
    COMMAND_EHLO,
    COMMAND_AUTH_PLAIN,
    COMMAND_AUTH_LOGIN,
    COMMAND_AUTH_CRAMMD5,
    COMMAND_AUTH_DIGESTMD5,
    COMMAND_DIGESTMD5,
    COMMAND_DATA,
    COMMAND_QUIT,
    COMMAND_RCPT_TO,
    MSG_BODY_ERROR,
    CONNECTION_CLOSED = 400,
    SERVER_NOT_READY,
    SERVER_NOT_RESPONDING,
    SELECT_TIMEOUT,
    FILE_NOT_EXIST,
    MSG_TOO_BIG,
    BAD_LOGIN_PASS,
    UNDEF_XYZ_RESPONSE,
    LACK_OF_MEMORY,
    TIME_ERROR,
    RECVBUF_IS_EMPTY,
    SENDBUF_IS_EMPTY,
    OUT_OF_MSG_RANGE,
    COMMAND_EHLO_STARTTLS,
    SSL_PROBLEM,
    COMMAND_DATABLOCK,
    STARTTLS_NOT_SUPPORTED,
    LOGIN_NOT_SUPPORTED
  };

  explicit ECSmtp(int code) : code_(code) {}
  int GetErrorNum() const { return code_; }
  std::string GetErrorText() const;

 private:
  int code_;
};

// The text of an error code; "Undefined error id" for codes without one.
std::string SmtpErrorText(int code);

enum SmtpSecurity { NO_SECURITY = 0, USE_TLS = 1, USE_SSL = 2 };

// One step of the conversation: its time-outs in seconds, the reply it needs
// and the error raised otherwise.
struct SmtpCommandEntry {
  int command;
  int sendTimeout;
  int recvTimeout;
  int validReplyCode;  // 0: no reply awaited
  int error;
};

enum SmtpCommand {
  command_INIT,
  command_EHLO,
  command_AUTHPLAIN,
  command_AUTHLOGIN,
  command_AUTHCRAMMD5,
  command_AUTHDIGESTMD5,
  command_DIGESTMD5,
  command_USER,
  command_PASSWORD,
  command_MAILFROM,
  command_RCPTTO,
  command_DATA,
  command_DATABLOCK,
  command_DATAEND,
  command_QUIT,
  command_STARTTLS
};

const SmtpCommandEntry& FindCommandEntry(int command);

// True when the reply lists the keyword: compared without case, not at the
// reply's first character, after a blank, "-" or "=", and before a blank,
// "=" or the line end.
bool IsKeywordSupported(const std::string& reply, const std::string& keyword);

// The response value of a DIGEST-MD5 login (RFC 2831), 32 hexadecimal digits.
std::string DigestMd5ResponseValue(const std::string& login, const std::string& realm, const std::string& password,
                                   const std::string& nonce, const std::string& cnonce, const std::string& nc,
                                   const std::string& qop, const std::string& digestUri);

// The whole answer text to a decoded DIGEST-MD5 challenge (before Base64).
// Throws ECSmtp 207 when the challenge has no usable nonce or realm.
std::string DigestMd5Answer(const std::string& challenge, const std::string& login, const std::string& password,
                            const std::string& cnonce, const std::string& digestUri);

// The answer to a decoded CRAM-MD5 challenge (before Base64): login, a blank, the HMAC.
std::string CramMd5Answer(const std::string& challenge, const std::string& login, const std::string& password);

class CSmtp {
 public:
  CSmtp();
  ~CSmtp();
  CSmtp(const CSmtp&) = delete;
  CSmtp& operator=(const CSmtp&) = delete;

  void SetSMTPServer(const std::string& server, unsigned short port = 0) {
    server_ = server;
    port_ = port;
  }
  void SetSecurityType(int type) { security_ = type; }
  void SetAuthenticate(bool on) { authenticate_ = on; }
  void SetLogin(const std::string& login) { login_ = login; }
  void SetPassword(const std::string& password) { password_ = password; }
  void SetSenderMail(const std::string& mail) { senderMail_ = mail; }
  void SetSenderName(const std::string& name) { senderName_ = name; }
  void SetSubject(const std::string& subject) { subject_ = subject; }
  void SetCharSet(const std::string& charset) { charset_ = charset; }
  void SetXMailer(const std::string& mailer) { xMailer_ = mailer; }
  void SetReplyTo(const std::string& replyTo) { replyTo_ = replyTo; }
  void SetXPriority(int priority) { priority_ = priority; }
  void AddRecipient(const char* mail, const char* name = nullptr);
  void AddBodyLine(const std::string& text) { body_.push_back(text); }
  void DelRecipients() { recipients_.clear(); }
  void DelBodyLines() { body_.clear(); }

  // Verification of the server's certificate and name (on unless turned off),
  // and an extra trust file beside the system's store.
  void SetVerifyPeer(bool on) { verifyPeer_ = on; }
  void SetCaFile(const std::string& path) { caFile_ = path; }
  // Caps every wait at this many milliseconds (0: the table's time-outs alone).
  void SetMaxWaitMs(int ms) { maxWaitMs_ = ms; }
  // The time of the Date header; the clock when not set.
  void SetFixedTime(TimeT t) {
    fixedTime_ = t;
    hasFixedTime_ = true;
  }

  const std::string& GetLocalHostName() const { return localHostName_; }
  const std::string& LastReply() const { return recvBuf_; }
  bool IsConnected() const { return connected_; }

  // Connects when needed, sends the mail, leaves the connection open.
  void Send();
  // Sends QUIT when connected, closes the socket. Never throws.
  void Disconnect();

  // The header block of the mail.
  std::string ComposeHeader() const;

 private:
  void Connect();
  void Authenticate();
  void StartTls();
  void Handshake();
  void SendData(const SmtpCommandEntry& entry);
  void ReceiveResponse(const SmtpCommandEntry& entry);
  void Command(int command, const std::string& text);  // send and check the reply
  void WaitFor(short events, int timeoutSeconds, int timeoutError);
  void CloseSocket();
  void FreeSsl();
  [[noreturn]] void Fail(int code);

  std::string localHostName_;
  std::string senderMail_, senderName_, subject_, charset_ = "US-ASCII", xMailer_, replyTo_;
  std::string login_, password_;
  std::string server_;
  unsigned short port_ = 0;
  bool authenticate_ = true;
  int priority_ = 3;
  int security_ = NO_SECURITY;
  std::vector<std::pair<std::string, std::string>> recipients_;  // name, mail
  std::vector<std::string> body_;

  int socket_ = -1;
  bool connected_ = false;
  ssl_ctx_st* ctx_ = nullptr;
  ssl_st* ssl_ = nullptr;
  bool verifyPeer_ = true;
  std::string caFile_;
  int maxWaitMs_ = 0;
  TimeT fixedTime_ = 0;
  bool hasFixedTime_ = false;

  std::string sendBuf_;
  std::string recvBuf_;
};

}  // namespace lx

// The program's own SMTP client: the conversation with the server. The
// connection and TLS are SmtpTransport's (smtp_transport.h), the logins'
// answers smtp_sasl.h's, the mail's text smtp_message.h's. TLS comes after
// EHLO (STARTTLS) or from the start; every wait on the server is bounded by
// the time-out of its step in the command table; every failure throws ECSmtp
// with its code.
#pragma once

#include <string>

#include "online/smtp_error.h"
#include "online/smtp_message.h"
#include "online/smtp_transport.h"
#include "platform/times.h"

namespace lx {

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
  void SetSenderMail(const std::string& mail) { message_.senderMail = mail; }
  void SetSenderName(const std::string& name) { message_.senderName = name; }
  void SetSubject(const std::string& subject) { message_.subject = subject; }
  void SetCharSet(const std::string& charset) { message_.charset = charset; }
  void SetXMailer(const std::string& mailer) { message_.xMailer = mailer; }
  void SetReplyTo(const std::string& replyTo) { message_.replyTo = replyTo; }
  void SetXPriority(int priority) { message_.priority = priority; }
  void AddRecipient(const char* mail, const char* name = nullptr);
  void AddBodyLine(const std::string& text) { message_.body.push_back(text); }
  void DelRecipients() { message_.recipients.clear(); }
  void DelBodyLines() { message_.body.clear(); }

  // Verification of the server's certificate and name (on unless turned off),
  // and an extra trust file beside the system's store.
  void SetVerifyPeer(bool on) { transport_.SetVerifyPeer(on); }
  void SetCaFile(const std::string& path) { transport_.SetCaFile(path); }
  // Caps every wait at this many milliseconds (0: the table's time-outs alone).
  void SetMaxWaitMs(int ms) { transport_.SetMaxWaitMs(ms); }
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
  void SendData(const SmtpCommandEntry& entry);
  void ReceiveResponse(const SmtpCommandEntry& entry);
  void Command(int command, const std::string& text);  // send and check the reply
  [[noreturn]] void Fail(int code);

  std::string localHostName_;
  std::string login_, password_;
  std::string server_;
  unsigned short port_ = 0;
  bool authenticate_ = true;
  int security_ = NO_SECURITY;
  SmtpMessage message_;

  SmtpTransport transport_;
  bool connected_ = false;
  TimeT fixedTime_ = 0;
  bool hasFixedTime_ = false;

  std::string sendBuf_;
  std::string recvBuf_;
};

}  // namespace lx

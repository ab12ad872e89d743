// The SMTP client's errors: one code per failure, thrown as ECSmtp, and the
// text the user sees for each code.
#pragma once

#include <string>

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

}  // namespace lx

// The texts of the SMTP client's error codes.
#include "online/smtp_error.h"

namespace lx {

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

}  // namespace lx

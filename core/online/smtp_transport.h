// The byte stream under the SMTP conversation: a TCP connection to the server
// (every address the name resolves to, IPv4 and IPv6, tried in turn), with
// optional TLS through OpenSSL 3 and the server's certificate checked against
// the name or address it was reached by. Every wait is bounded; every failure
// throws ECSmtp with its code.
#pragma once

#include <signal.h>

#include <cstddef>
#include <string>

#include "online/smtp_error.h"

struct addrinfo;
struct ssl_ctx_st;
struct ssl_st;

namespace lx {

// A write to a socket the server has closed must fail with EPIPE, not end the
// program with SIGPIPE. OpenSSL writes with write(2), so the signal is blocked
// on this thread for the length of a call and a pending one is taken away.
class SigpipeGuard {
 public:
  SigpipeGuard();
  ~SigpipeGuard();
  SigpipeGuard(const SigpipeGuard&) = delete;
  SigpipeGuard& operator=(const SigpipeGuard&) = delete;

 private:
  sigset_t old_;
  bool wasPending_ = false;
};

class SmtpTransport {
 public:
  SmtpTransport() = default;
  ~SmtpTransport();
  SmtpTransport(const SmtpTransport&) = delete;
  SmtpTransport& operator=(const SmtpTransport&) = delete;

  void SetVerifyPeer(bool on) { verifyPeer_ = on; }
  void SetCaFile(const std::string& path) { caFile_ = path; }
  // Caps every wait at this many milliseconds (0: the callers' time-outs alone).
  void SetMaxWaitMs(int ms) { maxWaitMs_ = ms; }

  // Resolves server (a name or an IPv4/IPv6 literal) and connects to the first
  // address that answers within timeoutSeconds. 105 when the name does not
  // resolve, 104 when no address accepts the connection.
  void Connect(const std::string& server, unsigned short port, int timeoutSeconds);
  // Prepares TLS (trust store, verification) for the next handshake.
  void PrepareTls();
  // The TLS handshake on the open connection, for the server name given to Connect.
  void Handshake(int timeoutSeconds);

  // Sends all of data; 402 when the server does not take it in time.
  void Write(const std::string& data, int timeoutSeconds);
  // Waits for the server and appends what has arrived to reply (possibly
  // nothing, when TLS had only its own records to read); 402 when nothing
  // comes in time, 400 when the server closed the connection, 408 when the
  // reply would exceed limit bytes.
  void ReadSome(std::string& reply, size_t limit, int timeoutSeconds);

  // The server's address as text ("127.0.0.1", "::1"); empty when unknown.
  std::string PeerAddress() const;
  bool IsOpen() const { return socket_ >= 0; }
  // Ends TLS (one polite attempt) and closes the socket. Never throws.
  void Close();

 private:
  void WaitFor(short events, int timeoutSeconds, int timeoutError);
  // 0 when connected to this address, else the error code of the attempt.
  int TryAddress(const addrinfo& address, int timeoutSeconds);
  void FreeSsl();
  [[noreturn]] static void Fail(int code) { throw ECSmtp(code); }

  int socket_ = -1;
  std::string server_;
  ssl_ctx_st* ctx_ = nullptr;
  ssl_st* ssl_ = nullptr;
  bool verifyPeer_ = true;
  std::string caFile_;
  int maxWaitMs_ = 0;
};

}  // namespace lx

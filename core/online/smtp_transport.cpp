// The SMTP client's connection: name resolution, a non-blocking TCP connect
// bounded in time, TLS through OpenSSL 3, and bounded reads and writes.
#include "online/smtp_transport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace lx {

namespace {

using Clock = std::chrono::steady_clock;

bool IsAddressLiteral(const std::string& server) {
  in6_addr literal{};
  return inet_pton(AF_INET, server.c_str(), &literal) == 1 || inet_pton(AF_INET6, server.c_str(), &literal) == 1;
}

}  // namespace

SigpipeGuard::SigpipeGuard() {
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  sigset_t pending;
  sigpending(&pending);
  wasPending_ = sigismember(&pending, SIGPIPE) == 1;
  pthread_sigmask(SIG_BLOCK, &pipe, &old_);
}

SigpipeGuard::~SigpipeGuard() {
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

SmtpTransport::~SmtpTransport() {
  Close();
  if (ctx_) SSL_CTX_free(ctx_);
  ctx_ = nullptr;
  ERR_clear_error();
}

void SmtpTransport::FreeSsl() {
  if (ssl_) {
    SSL_shutdown(ssl_);  // one non-blocking attempt at a polite close
    SSL_free(ssl_);
  }
  ssl_ = nullptr;
  ERR_clear_error();
}

void SmtpTransport::Close() {
  FreeSsl();
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
}

// Waits for the socket within the time-out; timeoutError when it expires,
// 109 when the wait itself fails.
void SmtpTransport::WaitFor(short events, int timeoutSeconds, int timeoutError) {
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

int SmtpTransport::TryAddress(const addrinfo& address, int timeoutSeconds) {
  socket_ = socket(address.ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_ < 0) return ECSmtp::WSA_INVALID_SOCKET;
  try {
    int flags = fcntl(socket_, F_GETFL, 0);
    if (flags < 0 || fcntl(socket_, F_SETFL, flags | O_NONBLOCK) < 0) Fail(ECSmtp::WSA_IOCTLSOCKET);
    if (connect(socket_, address.ai_addr, address.ai_addrlen) != 0) {
      if (errno != EINPROGRESS) Fail(ECSmtp::WSA_CONNECT);
      WaitFor(POLLOUT, timeoutSeconds, ECSmtp::SELECT_TIMEOUT);
      int error = 0;
      socklen_t length = sizeof error;
      if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) Fail(ECSmtp::WSA_SELECT);
      if (error != 0) Fail(ECSmtp::WSA_CONNECT);
    }
    return 0;
  } catch (const ECSmtp& e) {
    Close();
    return e.GetErrorNum();
  }
}

void SmtpTransport::Connect(const std::string& server, unsigned short port, int timeoutSeconds) {
  Close();
  server_ = server;
  if (server.empty()) Fail(ECSmtp::WSA_GETHOSTBY_NAME_ADDR);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (getaddrinfo(server.c_str(), service.c_str(), &hints, &found) != 0 || !found)
    Fail(ECSmtp::WSA_GETHOSTBY_NAME_ADDR);
  // The first address that accepts wins; the error of the last one tried is
  // the one reported.
  int error = ECSmtp::WSA_CONNECT;
  for (const addrinfo* address = found; address; address = address->ai_next) {
    error = TryAddress(*address, timeoutSeconds);
    if (error == 0) break;
  }
  freeaddrinfo(found);
  if (error != 0) Fail(error);
}

void SmtpTransport::PrepareTls() {
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
}

void SmtpTransport::Handshake(int timeoutSeconds) {
  if (!ctx_) Fail(ECSmtp::SSL_PROBLEM);
  if (ssl_) FreeSsl();
  ssl_ = SSL_new(ctx_);
  if (!ssl_) Fail(ECSmtp::SSL_PROBLEM);
  SSL_set_fd(ssl_, socket_);
  SSL_set_mode(ssl_, SSL_MODE_AUTO_RETRY);
  const bool isAddress = IsAddressLiteral(server_);
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
      WaitFor(POLLIN, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
    else if (error == SSL_ERROR_WANT_WRITE)
      WaitFor(POLLOUT, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
    else
      Fail(ECSmtp::SSL_PROBLEM);
  }
}

void SmtpTransport::Write(const std::string& data, int timeoutSeconds) {
  const char* next = data.data();
  size_t left = data.size();
  if (ssl_) {
    while (left > 0) {
      int result = SSL_write(ssl_, next, static_cast<int>(left));
      if (result > 0) {
        next += result;
        left -= static_cast<size_t>(result);
        continue;
      }
      int error = SSL_get_error(ssl_, result);
      if (error == SSL_ERROR_WANT_WRITE)
        WaitFor(POLLOUT, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
      else if (error == SSL_ERROR_WANT_READ)
        WaitFor(POLLIN, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
      else
        Fail(ECSmtp::SSL_PROBLEM);
    }
    return;
  }
  while (left > 0) {
    WaitFor(POLLOUT, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
    ssize_t sent = send(socket_, next, left, MSG_NOSIGNAL);
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
    if (sent <= 0) Fail(ECSmtp::WSA_SEND);
    next += sent;
    left -= static_cast<size_t>(sent);
  }
}

void SmtpTransport::ReadSome(std::string& reply, size_t limit, int timeoutSeconds) {
  char buffer[1024];
  if (!ssl_ || SSL_pending(ssl_) == 0) WaitFor(POLLIN, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
  if (!ssl_) {
    size_t room = limit > reply.size() ? limit - reply.size() : 0;
    if (room == 0) Fail(ECSmtp::LACK_OF_MEMORY);
    ssize_t n = recv(socket_, buffer, std::min(room, sizeof buffer), 0);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (n < 0) Fail(ECSmtp::WSA_RECV);
    if (n == 0) Fail(ECSmtp::CONNECTION_CLOSED);
    reply.append(buffer, static_cast<size_t>(n));
    return;
  }
  for (;;) {
    int n = SSL_read(ssl_, buffer, sizeof buffer);
    if (n > 0) {
      reply.append(buffer, static_cast<size_t>(n));
      if (reply.size() > limit) Fail(ECSmtp::LACK_OF_MEMORY);
      if (SSL_pending(ssl_) > 0) continue;
      return;
    }
    int error = SSL_get_error(ssl_, n);
    if (error == SSL_ERROR_WANT_READ) return;
    if (error == SSL_ERROR_WANT_WRITE) {
      WaitFor(POLLOUT, timeoutSeconds, ECSmtp::SERVER_NOT_RESPONDING);
      continue;
    }
    if (error == SSL_ERROR_ZERO_RETURN || (error == SSL_ERROR_SYSCALL && n == 0)) Fail(ECSmtp::CONNECTION_CLOSED);
    Fail(ECSmtp::SSL_PROBLEM);
  }
}

std::string SmtpTransport::PeerAddress() const {
  sockaddr_storage peer{};
  socklen_t length = sizeof peer;
  if (socket_ < 0 || getpeername(socket_, reinterpret_cast<sockaddr*>(&peer), &length) != 0) return {};
  char text[INET6_ADDRSTRLEN] = {};
  const void* address = nullptr;
  if (peer.ss_family == AF_INET)
    address = &reinterpret_cast<const sockaddr_in*>(&peer)->sin_addr;
  else if (peer.ss_family == AF_INET6)
    address = &reinterpret_cast<const sockaddr_in6*>(&peer)->sin6_addr;
  if (!address || !inet_ntop(peer.ss_family, address, text, sizeof text)) return {};
  return text;
}

}  // namespace lx

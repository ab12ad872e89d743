"""SMTP server for the mail client's tests, on loopback only.

Prints "PORT <n>" once it listens. Modes:
  smtp      aiosmtpd server (plain, STARTTLS with --starttls, TLS from the start with --smtps)
  mute      accepts connections and never says anything
  stall     greets, then reads and never answers
  terse     answers with bare codes ("250\r\n"), dashed continuation lines and
            replies split over several packets
Received mails are appended to --out as: length line, then the raw bytes.
"""
import argparse
import asyncio
import hashlib
import hmac
import os
import socket
import ssl
import sys
import threading
import time

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword, MISSING

CRAM_CHALLENGE = "<1896.697170952@postoffice.reston.mci.net>"
DIGEST_REALM = "elwood.innosoft.com"
DIGEST_NONCE = "OA6MG9tEQGm2hh"


def parse_digest(text):
    fields = {}
    for part in text.split(","):
        if "=" in part:
            key, value = part.split("=", 1)
            fields[key.strip()] = value.strip().strip('"')
    return fields


def digest_response(user, realm, password, nonce, cnonce, nc, qop, uri, prefix):
    a1 = hashlib.md5(f"{user}:{realm}:{password}".encode()).digest() + f":{nonce}:{cnonce}".encode()
    a2 = f"{prefix}:{uri}".encode()
    kd = f"{hashlib.md5(a1).hexdigest()}:{nonce}:{nc}:{cnonce}:{qop}:{hashlib.md5(a2).hexdigest()}"
    return hashlib.md5(kd.encode()).hexdigest()


class TestSMTP(SMTP):
    login = b""
    password = b""
    log_file = None
    host = "127.0.0.1"

    def note(self, text):
        if self.log_file:
            with open(self.log_file, "a") as f:
                f.write(text + "\n")

    async def auth_CRAM__MD5(self, _, args):
        answer = await self.challenge_auth(CRAM_CHALLENGE)
        if answer is MISSING:
            return AuthResult(success=False, handled=False)
        user, _, digest = answer.decode().partition(" ")
        expected = hmac.new(self.password, CRAM_CHALLENGE.encode(), hashlib.md5).hexdigest()
        self.note(f"CRAM {user} {digest}")
        return AuthResult(success=(user.encode() == self.login and digest == expected), handled=False)

    async def auth_DIGEST__MD5(self, _, args):
        challenge = f'realm="{DIGEST_REALM}",nonce="{DIGEST_NONCE}",qop="auth",algorithm=md5-sess,charset=utf-8'
        answer = await self.challenge_auth(challenge)
        if answer is MISSING:
            return AuthResult(success=False, handled=False)
        fields = parse_digest(answer.decode())
        self.note("DIGEST " + answer.decode())
        realm = fields.get("realm", "")
        pw = self.password.decode()
        user = fields.get("username", "")
        ok = (user.encode() == self.login and fields.get("nonce") == DIGEST_NONCE
              and fields.get("digest-uri") == "smtp/" + self.host and fields.get("nc") == "00000001")
        expected = digest_response(user, realm, pw, DIGEST_NONCE, fields.get("cnonce", ""), fields.get("nc", ""),
                                   fields.get("qop", ""), fields.get("digest-uri", ""), "AUTHENTICATE")
        ok = ok and fields.get("response") == expected
        if not ok:
            return AuthResult(success=False, handled=False)
        rspauth = digest_response(user, realm, pw, DIGEST_NONCE, fields["cnonce"], fields["nc"], fields["qop"],
                                  fields["digest-uri"], "")
        final = await self.challenge_auth("rspauth=" + rspauth)
        if final is MISSING:
            return AuthResult(success=False, handled=False)
        return AuthResult(success=True, handled=False)


class Handler:
    def __init__(self, out):
        self.out = out

    async def handle_DATA(self, server, session, envelope):
        with open(self.out, "ab") as f:
            data = envelope.original_content
            header = f"{envelope.mail_from}|{','.join(envelope.rcpt_tos)}|{len(data)}\n".encode()
            f.write(header + data)
        return "250 OK"


def authenticator(server, session, envelope, mechanism, auth_data):
    ok = isinstance(auth_data, LoginPassword) and auth_data.login == TestSMTP.login and \
        auth_data.password == TestSMTP.password
    TestSMTP.note(TestSMTP, f"AUTH {mechanism} {ok}")
    return AuthResult(success=ok, handled=False)


def terse_session(conn):
    def send_split(*pieces):
        for piece in pieces:
            conn.sendall(piece)
            time.sleep(0.05)

    send_split(b"220-terse server\r\n", b"220\r\n")
    buf = b""
    in_data = False
    while True:
        data = conn.recv(4096)
        if not data:
            return
        buf += data
        while True:
            if in_data:
                end = buf.find(b"\r\n.\r\n")
                if end < 0:
                    break
                buf = buf[end + 5:]
                in_data = False
                send_split(b"25", b"0 queued\r\n")
                continue
            end = buf.find(b"\r\n")
            if end < 0:
                break
            line, buf = buf[:end], buf[end + 2:]
            verb = line[:4].upper()
            if verb == b"EHLO":
                send_split(b"250-terse\r\n250-SIZE 1000\r\n", b"250\r\n")
            elif verb == b"DATA":
                conn.sendall(b"354\r\n")
                in_data = True
            elif verb == b"QUIT":
                conn.sendall(b"221\r\n")
                conn.close()
                return
            else:
                conn.sendall(b"250\r\n")


def raw_server(mode):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(5)
    print("PORT", listener.getsockname()[1], flush=True)
    held = []
    while True:
        conn, _ = listener.accept()
        held.append(conn)
        if mode == "stall":
            conn.sendall(b"220 stalling server ready\r\n")
        elif mode == "terse":
            threading.Thread(target=terse_session, args=(conn,), daemon=True).start()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--mode", default="smtp")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--starttls", action="store_true")
    p.add_argument("--smtps", action="store_true")
    p.add_argument("--login", default="")
    p.add_argument("--password", default="")
    p.add_argument("--exclude", default="")
    p.add_argument("--no-auth", action="store_true", help="do not offer AUTH at all")
    p.add_argument("--out", required=False, default=os.devnull)
    p.add_argument("--log", default=None)
    p.add_argument("--host", default="127.0.0.1", help="the loopback address to listen on")
    a = p.parse_args()
    if a.mode in ("mute", "stall", "terse"):
        raw_server(a.mode)
        return
    TestSMTP.login = a.login.encode()
    TestSMTP.password = a.password.encode()
    TestSMTP.log_file = a.log
    TestSMTP.host = a.host
    context = None
    if a.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.cert, a.key)
    exclude = [m for m in a.exclude.split(",") if m]
    handler = Handler(a.out)

    def factory():
        return TestSMTP(handler, hostname="test.server", authenticator=authenticator, auth_require_tls=a.no_auth,
                        auth_exclude_mechanism=exclude,
                        tls_context=context if a.starttls else None, require_starttls=False)

    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(
        loop.create_server(factory, a.host, 0, ssl=context if a.smtps else None))
    print("PORT", server.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()

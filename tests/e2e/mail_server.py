"""Real mail servers on loopback for the report tests: an SMTP server with a login
(aiosmtpd), and a server that greets with a refusal after a pause."""
import email
import email.policy
import os
import re
import socket
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

from harness import BUILD


def mail_settings():
    """The build's mail settings: host, port, mailbox and password."""
    with open(os.path.join(BUILD, 'CMakeCache.txt'), encoding='utf-8') as f:
        cache = dict(re.findall(r'^(GLIMMERA_MAIL_\w+):\w+=(.*)$', f.read(), re.M))
    return (cache['GLIMMERA_MAIL_HOST'], int(cache['GLIMMERA_MAIL_PORT']),
            cache['GLIMMERA_MAIL_USER'], cache['GLIMMERA_MAIL_PASSWORD'])


class Mailbox:
    """What the server took: one parsed message per mail, with its envelope."""

    def __init__(self):
        self.mails = []

    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        self.mails.append((envelope.mail_from, envelope.rcpt_tos, message))
        return '250 OK'


class MailServer:
    """An SMTP server that wants the mailbox's login; with a wrong password configured it
    refuses every login. delay holds each login answer back that many seconds."""

    def __init__(self, password=None, delay=0.0):
        self.host, self.port, self.user, right = mail_settings()
        self.password = right if password is None else password
        self.delay = delay
        self.mailbox = Mailbox()
        self.controller = Controller(self.mailbox, hostname=self.host, port=self.port,
                                     authenticator=self.check, auth_required=True,
                                     auth_require_tls=False)
        self.controller.start()

    def check(self, server, session, envelope, mechanism, auth_data):
        time.sleep(self.delay)
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == self.user
              and auth_data.password.decode() == self.password)
        # Not handled: the server answers 535 itself, and the client does not hang.
        return AuthResult(success=ok, handled=False)

    def wait_mail(self, timeout=30):
        deadline = time.monotonic() + timeout
        while not self.mailbox.mails:
            if time.monotonic() > deadline:
                raise TimeoutError('waited for a mail')
            time.sleep(0.05)
        return self.mailbox.mails[0]

    def stop(self):
        self.controller.stop()


class RefusingServer:
    """Takes each connection, waits, then refuses service and hangs up; or, silent, takes it
    and never says a word until stopped."""

    def __init__(self, delay=0.0, silent=False):
        host, port, _, _ = mail_settings()
        self.delay = delay
        self.silent = silent
        self.stopped = threading.Event()
        self.socket = socket.create_server((host, port))
        self.thread = threading.Thread(target=self.serve, daemon=True)
        self.thread.start()

    def serve(self):
        while True:
            try:
                connection, _ = self.socket.accept()
            except OSError:
                return
            with connection:
                if self.silent:
                    self.stopped.wait()
                    return
                time.sleep(self.delay)
                connection.sendall(b'554 5.3.2 No service here\r\n')

    def stop(self):
        self.stopped.set()
        self.socket.close()

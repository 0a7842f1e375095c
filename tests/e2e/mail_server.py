"""Real mail servers on loopback for the report tests: an SMTP server with a login
(aiosmtpd), with or without STARTTLS, and a server that greets with a refusal after a pause;
certificate authorities made for the test run that issue the servers' certificates."""
import datetime
import email
import email.policy
import ipaddress
import os
import re
import socket
import ssl
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword
from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import rsa
from cryptography.x509.oid import ExtendedKeyUsageOID, NameOID

from harness import BUILD


def mail_settings():
    """The build's mail settings: host, port, mailbox and password."""
    with open(os.path.join(BUILD, 'CMakeCache.txt'), encoding='utf-8') as f:
        cache = dict(re.findall(r'^(GLIMMERA_MAIL_\w+):\w+=(.*)$', f.read(), re.M))
    return (cache['GLIMMERA_MAIL_HOST'], int(cache['GLIMMERA_MAIL_PORT']),
            cache['GLIMMERA_MAIL_USER'], cache['GLIMMERA_MAIL_PASSWORD'])


def _name(text):
    return x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, text)])


class Authority:
    """A certificate authority made for the test run (its certificate in DER in folder, for the
    Wine prefix to trust or not), issuing certificates for servers."""

    def __init__(self, folder, name):
        self.folder = folder
        self.key = rsa.generate_private_key(public_exponent=65537, key_size=2048)
        now = datetime.datetime.now(datetime.timezone.utc)
        self.certificate = (
            x509.CertificateBuilder().subject_name(_name(name)).issuer_name(_name(name))
            .public_key(self.key.public_key()).serial_number(x509.random_serial_number())
            .not_valid_before(now - datetime.timedelta(hours=1))
            .not_valid_after(now + datetime.timedelta(days=1))
            .add_extension(x509.BasicConstraints(ca=True, path_length=0), critical=True)
            .add_extension(x509.KeyUsage(
                digital_signature=False, content_commitment=False, key_encipherment=False,
                data_encipherment=False, key_agreement=False, key_cert_sign=True, crl_sign=True,
                encipher_only=False, decipher_only=False), critical=True)
            .add_extension(x509.SubjectKeyIdentifier.from_public_key(self.key.public_key()),
                           critical=False)
            .sign(self.key, hashes.SHA256()))
        self.der = os.path.join(folder, f'{self.certificate.serial_number:x}.der')
        with open(self.der, 'wb') as f:
            f.write(self.certificate.public_bytes(serialization.Encoding.DER))

    def server_context(self, host):
        """A server's TLS context with a certificate for host (an IP address) issued here."""
        key = rsa.generate_private_key(public_exponent=65537, key_size=2048)
        now = datetime.datetime.now(datetime.timezone.utc)
        certificate = (
            x509.CertificateBuilder().subject_name(_name(host))
            .issuer_name(self.certificate.subject).public_key(key.public_key())
            .serial_number(x509.random_serial_number())
            .not_valid_before(now - datetime.timedelta(hours=1))
            .not_valid_after(now + datetime.timedelta(days=1))
            # The address as a DNS name too: libcurl's own check of the name (Schannel, with
            # the roots given) compares DNS names only.
            .add_extension(x509.SubjectAlternativeName(
                [x509.IPAddress(ipaddress.ip_address(host)), x509.DNSName(host)]), critical=False)
            .add_extension(x509.ExtendedKeyUsage([ExtendedKeyUsageOID.SERVER_AUTH]),
                           critical=False)
            .add_extension(x509.AuthorityKeyIdentifier.from_issuer_public_key(
                self.key.public_key()), critical=False)
            .sign(self.key, hashes.SHA256()))
        stem = os.path.join(self.folder, f'{certificate.serial_number:x}')
        with open(stem + '.pem', 'wb') as f:
            f.write(certificate.public_bytes(serialization.Encoding.PEM))
        with open(stem + '.key', 'wb') as f:
            f.write(key.private_bytes(serialization.Encoding.PEM,
                                      serialization.PrivateFormat.PKCS8,
                                      serialization.NoEncryption()))
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(stem + '.pem', stem + '.key')
        return context


class Mailbox:
    """What the server took: one parsed message per mail, with its envelope; and what it saw,
    in order: (command, whether the connection was under TLS by then) for each greeting,
    finished STARTTLS, login and mail."""

    def __init__(self):
        self.mails = []
        self.events = []

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        # With this hook aiosmtpd leaves the greeting's name to it; unset, the login is refused.
        session.host_name = hostname
        self.events.append(('EHLO', session.ssl is not None))
        return responses

    def handle_STARTTLS(self, server, session, envelope):
        self.events.append(('STARTTLS', session.ssl is not None))
        return True

    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        self.events.append(('DATA', session.ssl is not None))
        self.mails.append((envelope.mail_from, envelope.rcpt_tos, message))
        return '250 OK'


class MailServer:
    """An SMTP server that wants the mailbox's login; with a wrong password configured it
    refuses every login. delay holds each login answer back that many seconds. With an
    authority it offers STARTTLS with a certificate the authority issued; it takes a login
    without TLS all the same, so that a client sending one is seen."""

    def __init__(self, password=None, delay=0.0, authority=None):
        self.host, self.port, self.user, right = mail_settings()
        self.password = right if password is None else password
        self.delay = delay
        self.mailbox = Mailbox()
        tls = {'tls_context': authority.server_context(self.host)} if authority else {}
        self.controller = Controller(self.mailbox, hostname=self.host, port=self.port,
                                     authenticator=self.check, auth_required=True,
                                     auth_require_tls=False, **tls)
        self.controller.start()

    @property
    def events(self):
        return self.mailbox.events

    def check(self, server, session, envelope, mechanism, auth_data):
        self.mailbox.events.append(('AUTH', session.ssl is not None))
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

"""Error and bug reports mailed to a real SMTP server on loopback: the error dialog an escaped
exception ends in, the bug report dialog with and without an attachment, failures that close
the dialog quietly, the Russian texts and charset, and the login only over STARTTLS to a server
whose certificate the Wine prefix trusts."""
import contextlib
import os
import shutil
import subprocess
import tempfile
import time

import pytest

from conftest import screen, wine_server_on
from harness import BUILD, wait_until, wine_env, wine_path
from mail_server import Authority, MailServer, RefusingServer

ERROR_TITLE = 'Glimmera: error occurred'
BUG_TITLE = 'Send bug report'
ROOTSTORE = os.path.join(BUILD, 'helpers', 'rootstore.exe')


def rootstore(verb, certificate):
    """Adds a certificate to the Wine prefix's root store, or removes it, with the test helper
    on the display the tests use."""
    display = screen('1280x1024').display
    wine_server_on(display)
    result = subprocess.run(['wine', ROOTSTORE, verb, wine_path(certificate)],
                            env=wine_env(display), stdin=subprocess.DEVNULL, capture_output=True,
                            timeout=60)
    assert result.returncode == 0, f'rootstore {verb}: exit {result.returncode}'


@contextlib.contextmanager
def authority(trusted):
    """A certificate authority made for the test; with trusted, the Wine prefix trusts it until
    the block ends."""
    folder = tempfile.mkdtemp(prefix='glimmera-authority-')
    try:
        made = Authority(folder, 'Glimmera test authority' if trusted else 'Unknown authority')
        if trusted:
            rootstore('add', made.der)
        try:
            yield made
        finally:
            if trusted:
                rootstore('remove', made.der)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


@pytest.fixture
def trusted():
    """A certificate authority made for the test, which the Wine prefix trusts while it runs."""
    with authority(trusted=True) as made:
        yield made


@pytest.fixture
def server():
    """The reports' server, with STARTTLS and a certificate the prefix trusts. Other modules
    import this fixture alone, so it asks for no other."""
    with authority(trusted=True) as trusted:
        running = MailServer(authority=trusted)
        yield running
        running.stop()


def raise_error(launch, env=None):
    """Starts the program with the test hook that makes an exception escape it."""
    program = launch(env={'GLIMMERA_TEST_HOOK': 'raise', **(env or {})})
    return program


def window_named(program, title, timeout=60):
    """A shown window of exactly that title, compared as text (xdotool's search pattern does
    not match Cyrillic titles)."""
    def find():
        for window in program.visible_windows('.*', exact=False):
            if program.xdotool('getwindowname', window, check=False).strip() == title:
                return window
        return None

    return program.wait(find, timeout, f'a window "{title}"')


def body_of(message):
    """The first text part of a mail, decoded with its declared charset, and that charset."""
    part = next(p for p in message.walk() if p.get_content_type() == 'text/plain')
    return part.get_content(), part.get_content_charset()


def titles_while_open(program, window, timeout):
    """The dialog's titles in the order seen, until it closes."""
    seen = []
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        title = program.xdotool('getwindowname', window, check=False).strip()
        if not title or window not in program.visible_windows('.*', exact=False):
            return seen
        if not seen or seen[-1] != title:
            seen.append(title)
        time.sleep(0.05)
    raise TimeoutError('the dialog stayed open')


def test_an_escaped_exception_reports_and_sends_the_edited_text(launch, server):
    program = raise_error(launch)
    dialog = program.find_window(ERROR_TITLE)
    program.type_text(' typed at the end', window=dialog)
    program.key('Tab', 'Tab', 'space', window=dialog)  # Exit, then Send and exit
    sender, recipients, mail = server.wait_mail()
    assert program.wait_exit(60) == 0
    user = server.user
    assert sender == user and recipients == [user]
    assert mail['Subject'] == 'Error report'
    assert user in mail['From'] and user in mail['To']
    body, charset = body_of(mail)
    assert charset in ('windows-1252', 'utf-8')  # the code page of the prefix's locale
    assert body.startswith('Test error raised on request')
    assert 'Exception class: EGMException\r\nMessage: Test error raised on request\r\n' in body
    assert ('Help us to fix it faster with comments:\r\n* Last action performed?\r\n'
            '* Can you reproduce the error (how)?\r\n typed at the end') in body
    assert len(server.mailbox.mails) == 1


def test_exit_ends_the_program_without_mail(launch, server):
    program = raise_error(launch)
    dialog = program.find_window(ERROR_TITLE)
    program.key('Tab', 'space', window=dialog)
    assert program.wait_exit(30) == 0
    assert server.mailbox.mails == []


def send_bug_report(program, attachment):
    dialog = program.find_window(BUG_TITLE)
    program.type_text('it broke', window=dialog)
    program.key('Tab', window=dialog)
    program.type_text(attachment, window=dialog)
    program.key('Tab', 'Tab', 'Tab', 'space', window=dialog)  # ..., Cancel, Send
    wait_until(lambda: dialog not in program.visible_windows(BUG_TITLE), 60, 'the dialog to close')


def test_a_bug_report_carries_its_attachment_when_the_file_exists(launch, server, scratch):
    attached = os.path.join(scratch, 'screen shot.bin')
    data = bytes(range(256)) * 40 + b'\n\r\n\x00end'
    with open(attached, 'wb') as f:
        f.write(data)
    program = launch(env={'GLIMMERA_TEST_HOOK': 'bug-report'})
    send_bug_report(program, wine_path(attached))
    _, _, mail = server.wait_mail()
    body, _ = body_of(mail)
    assert '# Your name or nick:' in body and body.endswith('Thank you for report!it broke')
    (part,) = [p for p in mail.iter_attachments()]
    assert part.get_filename() == 'screen shot.bin'
    assert part.get_content() == data

    server.mailbox.mails.clear()
    program.wait_main_window()
    program.close_and_check(0)
    program = launch(env={'GLIMMERA_TEST_HOOK': 'bug-report'})
    send_bug_report(program, wine_path(os.path.join(scratch, 'missing.bin')))
    _, _, mail = server.wait_mail()
    assert list(mail.iter_attachments()) == []
    program.wait_main_window()
    program.close_and_check(0)


@pytest.mark.parametrize('kind', ['wrong password', 'refusing server', 'no server',
                                  'silent server'])
def test_a_failed_send_closes_the_dialog_quietly(launch, trusted, kind):
    """A server that takes the connection and never greets is given up when the 15 seconds a
    connection may take are over: libcurl counts the greeting as part of it."""
    running = {'wrong password': lambda: MailServer(password='XX0000', delay=1.6,
                                                    authority=trusted),
               'refusing server': lambda: RefusingServer(delay=1.6),
               'no server': lambda: None,
               'silent server': lambda: RefusingServer(silent=True)}[kind]()
    silent = kind == 'silent server'
    try:
        program = raise_error(launch)
        dialog = program.find_window(ERROR_TITLE)
        program.key('Tab', 'Tab', 'space', window=dialog)
        started = time.monotonic()
        titles = [title for title in titles_while_open(program, dialog, 70)
                  if title.startswith('Sending')]
        waited = time.monotonic() - started
        assert program.wait_exit(30) == 0
        assert titles[0] == 'Sending.'
        if running:  # long enough to see the dots move on
            assert titles[:3] == ['Sending.', 'Sending..', 'Sending...']
        assert 13 < waited < 40 if silent else waited < 60
        assert program.message_boxes() == []
        if isinstance(running, MailServer):
            assert running.mailbox.mails == []
    finally:
        if running:
            running.stop()


def test_russian_dialogs_and_the_mails_charset(launch, server):
    program = raise_error(launch, env={'LC_ALL': 'ru_RU.UTF-8'})
    dialog = window_named(program, 'Glimmera: ошибка')
    program.key('Tab', 'Tab', 'space', window=dialog)
    _, _, mail = server.wait_mail()
    assert program.wait_exit(60) == 0
    body, charset = body_of(mail)
    assert charset == 'windows-1251'
    assert ('Помогите нам комментариями(опционально):\r\n* Последнее действие?\r\n'
            '* Вы можете воспроизвести ошибку (как именно)?\r\n') in body

    program = launch(env={'GLIMMERA_TEST_HOOK': 'bug-report', 'LC_ALL': 'ru_RU.UTF-8'})
    dialog = window_named(program, 'Отправить отчет об ошибке')
    program.key('Escape', window=dialog)
    wait_until(lambda: dialog not in program.visible_windows('.*', exact=False), 30, 'closed')
    program.wait_main_window()
    program.close_and_check(0)


@pytest.mark.parametrize('kind', ['trusted authority', 'unknown authority', 'no STARTTLS'])
def test_the_login_goes_only_over_tls_to_a_trusted_server(launch, kind):
    """Every server here takes a login in the clear too. With a certificate from the authority
    the prefix trusts, the report goes after STARTTLS; with one from an authority it does not
    trust, or without STARTTLS, the server sees a greeting and neither login nor mail."""
    with authority(trusted=kind == 'trusted authority') as made:
        running = MailServer(authority=None if kind == 'no STARTTLS' else made)
        try:
            program = raise_error(launch)
            dialog = program.find_window(ERROR_TITLE)
            program.key('Tab', 'Tab', 'space', window=dialog)
            if kind == 'trusted authority':
                running.wait_mail()
            assert program.wait_exit(60) == 0
            if kind == 'trusted authority':
                assert running.events == [('EHLO', False), ('STARTTLS', True), ('EHLO', True),
                                          ('AUTH', True), ('DATA', True)]
            else:
                assert running.events[0] == ('EHLO', False)
                assert [event for event in running.events if event[0] in ('AUTH', 'DATA')] == []
                assert running.mailbox.mails == []
        finally:
            running.stop()

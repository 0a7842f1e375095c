"""Processor faults end in the error report as escaped exceptions do: a null write in a
window's message handler and in a worker thread, each reported with its kind, the address and
module it happened in and the stack, and mailed; and an exception raised inside the address
edit's own window procedure takes the same way out."""
import re

import pytest

from harness import SPLIT
from test_reports import ERROR_TITLE, body_of, server  # noqa: F401 (server is a fixture)

ADDRESS = r'[0-9A-F]{16}'
FAULT = re.compile(r"Access violation at address (" + ADDRESS + r") in module 'glimmera\.exe'\. "
                   r'Write of address 0{16}\.')


def send_and_exit(program, server):
    """Sends the report of the error dialog; returns its mailed text once the program ended."""
    dialog = program.find_window(ERROR_TITLE)
    # Keys go where the dialog's own thread put the keyboard once it is up: the report's text.
    program.wait(lambda: (info := program.info(ERROR_TITLE)) and info.focus == 'Edit', 30,
                 'the report text to have the keyboard')
    program.key('Tab', 'Tab', 'space', window=dialog)  # Exit, then Send and exit
    _, _, mail = server.wait_mail(60)
    assert program.wait_exit(60) == 0
    return body_of(mail)[0]


@pytest.mark.parametrize('hook', ['fault', 'fault-thread'])
def test_a_null_write_is_reported_with_where_it_happened(launch, server, hook):
    body = send_and_exit(launch(env={'GLIMMERA_TEST_HOOK': hook}), server)
    message = FAULT.match(body)
    assert message, body[:300]
    address = message.group(1)
    assert f'Exception class: Access violation\r\nMessage: {message.group(0)}\r\n' in body
    # The address line, then the stack from the faulting instruction outwards.
    lines = body[body.index(f'\r\n{address}\r\n') + 2:].split('\r\n')
    stack = [line for line in lines if re.fullmatch(ADDRESS, line)]
    assert stack[:2] == [address, address] and len(stack) >= 4, lines[:10]
    assert len(server.mailbox.mails) == 1


def test_an_exception_in_the_address_edit_ends_in_the_error_report(launch, server, scratch):
    # The edit raises as it takes the keyboard for an address to be typed: in a message the
    # system sends, which Wine would otherwise swallow with its "ignoring exception".
    program = launch(env={'GLIMMERA_TEST_HOOK': 'raise-address'}, workdir=scratch)
    program.wait_main_window()
    program.click_client(SPLIT + 60, 7)
    body = send_and_exit(program, server)
    assert body.startswith('Test error raised on request')
    assert 'Exception class: EGMException\r\nMessage: Test error raised on request\r\n' in body

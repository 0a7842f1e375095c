"""The Help menu: the update check against a web server on loopback, the download and start of
the installer, the About box, and the help file."""
import glob
import os
import shutil

import pytest

from harness import BUILD, PREFIX, wait_until
from test_reports import window_named
from update_server import ENDLESS, UpdateServer

UP_TO_DATE = 'Your version is up to date'
FAILURE = 'Connection failure. Please try again later'


@pytest.fixture
def server():
    running = UpdateServer()
    yield running
    running.stop()


def help_menu(program, entry):
    """Chooses an entry of the Help menu with the keyboard (the first Down selects the first
    entry; the separator is skipped): 1 Help, 2 About, 3 Home page, 4 Check for update."""
    x, y, _, _ = program.geometry()
    top = program.client_rect()[1]
    untitled = set(program.visible_windows(''))
    program.click(x + 50, (y + top) // 2)  # "Help", right of "Exit" in the menu bar
    program.wait(lambda: set(program.visible_windows('')) - untitled, 10, 'the Help menu')
    program.key(*['Down'] * entry, 'Return')


def failures(program, count):
    """Waits for the count-th connection failure box and closes it."""
    program.wait(lambda: program.message_boxes().count(FAILURE) == count, 60,
                 f'failure box {count}')
    program.answer_dialog('Message', 'Return')


def answer(program, title, text):
    """Waits for a message box with that title and text, and closes it."""
    program.wait(lambda: text in program.message_boxes(), 30, f'the box "{text}"')
    program.answer_dialog(title, 'Return')


def test_the_update_check_compares_major_and_minor_and_reports_bad_answers(launch, server):
    program = launch()
    program.wait_main_window()
    # The program is 1.0: 1.1 and 2.0 are newer, 1.0 of a later build is not.
    for words in ([0, 0, 1, 1], [0, 0, 0, 2]):
        server.version(words)
        help_menu(program, 4)
        program.answer_dialog('Update', 'Escape')
    server.version([9, 9, 0, 1])
    help_menu(program, 4)
    answer(program, 'No updates', UP_TO_DATE)
    for count, body in enumerate((b'\x00\x00\x01\x00\x02\x00\x03',
                                  b'\x00\x00\x01\x00\x02\x00\x03\x00\x04'), 1):
        server.answers['/download/u_ver'] = (200, body, None, False)
        help_menu(program, 4)
        failures(program, count)
    server.stop()  # no server at all
    help_menu(program, 4)
    failures(program, 3)
    program.close_and_check(0)


def leftover_installer():
    """Where the program keeps a downloaded installer: Wine's temporary folder of the user."""
    return os.path.join(PREFIX, 'drive_c', 'users', os.environ.get('USER', 'root'),
                        'Temp', 'glimmera-update.exe')


def test_update_starts_only_a_whole_installer_and_the_next_start_removes_it(launch, server):
    (setup,) = glob.glob(os.path.join(BUILD, 'glimmera-setup-*.exe'))
    installer = open(setup, 'rb').read()
    server.version([0, 0, 1, 1])
    program = launch()
    program.wait_main_window()
    # Cut short, an error page, a dropped connection: nothing starts, the dialog stays usable.
    # A body without end is given up at a size no installer comes near.
    for count, answer_of_server in enumerate(((200, installer[:5000], len(installer), True),
                                               (500, b'<html>broken</html>', None, False),
                                               (200, b'MZ', 1 << 20, True),
                                               (200, ENDLESS, None, False)), 1):
        server.answers['/download/u_update'] = answer_of_server
        help_menu(program, 4)
        dialog = program.find_window('Update')
        program.key('Return', window=dialog)  # Update
        failures(program, count)
        program.wait(lambda: dialog in program.visible_windows('Update'), 10,
                     'the title back from "Downloading, please wait..."')
        program.key('Escape', window=dialog)
        wait_until(lambda: dialog not in program.visible_windows('Update'), 30, 'closed')
        assert not os.path.exists(leftover_installer())

    server.answers['/download/u_update'] = (200, installer, None, False)
    help_menu(program, 4)
    program.key('Return', window=program.find_window('Update'))
    assert program.wait_exit(60) == 0, 'the program closes as after Exit'
    assert open(leftover_installer(), 'rb').read() == installer
    # The installer this build made is running, at its first page.
    setup_window = wait_until(lambda: program.visible_windows('^Glimmera Setup', exact=False),
                              60, 'the installer window')[0]
    program.xdotool('windowkill', setup_window)

    again = launch()
    again.wait_main_window()
    wait_until(lambda: not os.path.exists(leftover_installer()), 30, 'the leftover to go')
    again.close_and_check(0)


def test_about_box_shows_picture_links_and_opens_the_bug_report(launch):
    program = launch()
    program.wait_main_window()
    help_menu(program, 2)
    about = program.find_window('About Glimmera')
    x, y, width, height = program.geometry(about)

    def picture_columns():
        image = program.screenshot().crop((x, y, x + width, y + height))
        return image, [px for px in range(width // 2) for py in range(10, 50)
                       if image.getpixel((px, py)) != (255, 255, 255)]

    image, coloured = program.wait(lambda: (shot := picture_columns())[1] and shot, 30,
                                   'the picture')
    # White around the picture; the picture's first coloured column is at x = 30 or right of it.
    assert image.getpixel((5, 5)) == (255, 255, 255)
    assert min(coloured) >= 30
    # From OK, where the box starts, over the home page and mail links to the bug report's.
    program.key('Tab', 'Tab', 'Tab', 'Return', window=about)
    bug = program.find_window('Send bug report')
    program.key('Escape', window=bug)
    wait_until(lambda: bug not in program.visible_windows('Send bug report'), 30, 'closed')
    program.key('Escape', window=about)
    program.close_and_check(0)

    russian = launch(env={'LC_ALL': 'ru_RU.UTF-8'})
    russian.wait_main_window()
    help_menu(russian, 2)
    box = window_named(russian, 'О программе')
    russian.key('Return', window=box)  # OK has the keyboard, not the home page's link
    wait_until(lambda: box not in russian.visible_windows('.*', exact=False), 30, 'closed')
    russian.close_and_check(0)


HELP_FILES = [os.path.join(BUILD, name) for name in ('glimmera.chm', 'glimmera-ru.chm')]
RUSSIAN_HELP_TITLE = 'Справка Glimmera'


def with_help_files(program, files=HELP_FILES):
    """Puts the help files beside the program, as an installation has them."""
    for help_file in files:
        assert os.path.exists(help_file)
        shutil.copy(help_file, program.exe_dir)
    return program


def test_f1_opens_the_help_file_and_without_the_library_nothing_happens(launch):
    help_file = HELP_FILES[0]
    # Both manuals are there: the English interface opens the English one.
    program = with_help_files(launch())
    program.wait_main_window()
    program.key('F1')
    (viewer,) = program.wait(lambda: program.visible_windows('Glimmera Help'), 30,
                             'the help viewer')
    program.key('alt+F4', window=viewer)
    wait_until(lambda: not program.visible_windows('Glimmera Help'), 30, 'the viewer to close')
    program.close_and_check(0)

    without = launch(env={'WINEDLLOVERRIDES': 'mscoree,mshtml,winemenubuilder.exe,hhctrl.ocx='})
    shutil.copy(help_file, without.exe_dir)
    without.wait_main_window()
    without.key('F1')
    help_menu(without, 1)
    without.wait_idle()
    assert not without.visible_windows('Glimmera Help')
    without.close_and_check(0)


def test_the_russian_interface_opens_the_russian_manual_and_without_it_the_english_one(launch):
    def close_viewer(program, viewer, title):
        program.key('alt+F4', window=viewer)
        wait_until(lambda: not [window for window in program.visible_windows('.*', exact=False)
                                if program.xdotool('getwindowname', window,
                                                   check=False).strip() == title],
                   30, 'the viewer to close')

    russian = with_help_files(launch(env={'LC_ALL': 'ru_RU.UTF-8'}))
    russian.wait_main_window()
    russian.key('F1')
    close_viewer(russian, window_named(russian, RUSSIAN_HELP_TITLE, 30), RUSSIAN_HELP_TITLE)
    help_menu(russian, 1)
    close_viewer(russian, window_named(russian, RUSSIAN_HELP_TITLE, 30), RUSSIAN_HELP_TITLE)
    assert not russian.visible_windows('Glimmera Help')
    russian.close_and_check(0)

    # A copy set down with the English manual alone still has help.
    alone = with_help_files(launch(env={'LC_ALL': 'ru_RU.UTF-8'}), HELP_FILES[:1])
    alone.wait_main_window()
    alone.key('F1')
    (viewer,) = alone.wait(lambda: alone.visible_windows('Glimmera Help'), 30, 'the help viewer')
    close_viewer(alone, viewer, 'Glimmera Help')
    alone.close_and_check(0)

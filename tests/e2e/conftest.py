import os
import re
import shutil
import subprocess
import tempfile

import pytest

from harness import PREFIX, RESULTS, Glimmera, Xvfb

_screens = {}
_server_display = [None]


def stop_wine_server():
    env = dict(os.environ, WINEPREFIX=PREFIX)
    subprocess.run(['wineserver', '-k'], env=env, check=False)
    subprocess.run(['wineserver', '-w'], env=env, check=False)


def wine_server_on(display):
    """Wine's desktop process lives on one display: stop the server when the display changes."""
    if _server_display[0] not in (None, display):
        stop_wine_server()
    _server_display[0] = display


@pytest.fixture(scope='session', autouse=True)
def wine_session():
    """One Wine server for the whole session; it and the screens end with the session."""
    yield
    stop_wine_server()
    for screen in _screens.values():
        screen.stop()


@pytest.fixture(scope='module', autouse=True)
def fresh_wine_server():
    """Each test file starts with a Wine server (and desktop process) of its own, so what one
    file's runs leave in it cannot fail the next file's."""
    stop_wine_server()
    yield


def screen(size):
    if size not in _screens:
        _screens[size] = Xvfb(size)
    return _screens[size]


class Launcher:
    """Starts the program on a screen of the given size; remembers every run of the test. The
    runs of one test share a trash of their own (Wine recycles into $XDG_DATA_HOME/Trash), so
    no other test and no user's own trash can change what a test finds there."""

    def __init__(self):
        self.programs = []
        self.data_home = tempfile.mkdtemp(prefix='glimmera-data-')
        self.trash = os.path.join(self.data_home, 'Trash', 'files')
        # Wine recycles only into a trash that exists.
        os.makedirs(self.trash)
        os.makedirs(os.path.join(self.data_home, 'Trash', 'info'))

    def __call__(self, args=(), size='1280x1024', env=None, workdir=None):
        display = screen(size).display
        wine_server_on(display)
        program = Glimmera(display, args=args, env={'XDG_DATA_HOME': self.data_home, **(env or {})},
                           workdir=workdir)
        self.programs.append(program)
        return program

    def recycled(self):
        """The bytes of every file in this test's trash, by its name there."""
        return {name: open(os.path.join(self.trash, name), 'rb').read()
                for name in os.listdir(self.trash)}


@pytest.fixture
def launch(request):
    launcher = Launcher()
    yield launcher
    for program in launcher.programs:
        program.stop()
    shutil.rmtree(launcher.data_home, ignore_errors=True)
    # A failed test may leave the Wine server in any state; the next test starts afresh.
    if getattr(request.node, 'glimmera_failed', False):
        stop_wine_server()


@pytest.fixture
def drive():
    """A drive T: of the prefix on a folder of the test's own: (letter, folder). Wine reads its
    drives from the prefix's dosdevices links when its server starts, so the server is
    stopped after the link comes and after it goes."""
    folder = tempfile.mkdtemp(prefix='glimmera-drive-')
    link = os.path.join(PREFIX, 'dosdevices', 't:')
    if os.path.islink(link):
        os.remove(link)  # left by a run that was killed
    os.symlink(folder, link)
    stop_wine_server()
    yield 'T:', folder
    os.remove(link)
    stop_wine_server()
    shutil.rmtree(folder, ignore_errors=True)


@pytest.fixture
def scratch():
    """A temporary folder for the test's files, removed afterwards."""
    folder = tempfile.mkdtemp(prefix='glimmera-scratch-')
    yield folder
    shutil.rmtree(folder, ignore_errors=True)


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item):
    """Keeps a screenshot and the Wine log of every run of a failed test in RESULTS/<test>,
    taken while the runs are still there (fixtures end after this report); a passing test
    removes what an earlier failure left there."""
    outcome = yield
    report = outcome.get_result()
    launcher = getattr(item, 'funcargs', {}).get('launch')
    if report.when != 'call' or not launcher:
        return
    folder = os.path.join(RESULTS, re.sub(r'[^\w.-]+', '_', item.name))
    shutil.rmtree(folder, ignore_errors=True)
    item.glimmera_failed = report.failed
    if report.failed:
        for number, program in enumerate(launcher.programs, 1):
            program.save_evidence(folder, f'glimmera-{number}')

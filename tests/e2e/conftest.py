import os
import re
import shutil
import subprocess
import tempfile

import pytest

from harness import BUILD, RESULTS, Glimmera, Xvfb

_screens = {}
_server_display = [None]


def stop_wine_server():
    env = dict(os.environ, WINEPREFIX=os.path.join(BUILD, 'wineprefix'))
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


def screen(size):
    if size not in _screens:
        _screens[size] = Xvfb(size)
    return _screens[size]


class Launcher:
    """Starts the program on a screen of the given size; remembers every run of the test."""

    def __init__(self):
        self.programs = []

    def __call__(self, args=(), size='1280x1024', env=None, workdir=None):
        display = screen(size).display
        wine_server_on(display)
        program = Glimmera(display, args=args, env=env, workdir=workdir)
        self.programs.append(program)
        return program


@pytest.fixture
def launch():
    launcher = Launcher()
    yield launcher
    for program in launcher.programs:
        program.stop()


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
    if report.failed:
        for number, program in enumerate(launcher.programs, 1):
            program.save_evidence(folder, f'glimmera-{number}')

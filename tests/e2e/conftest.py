import os
import subprocess

import pytest

from harness import BUILD, Glimmera, Xvfb

_screens = {}
_server_display = [None]


def wine_server_on(display):
    """Wine's desktop process lives on one display: kill the server when the display changes."""
    if _server_display[0] not in (None, display):
        env = dict(os.environ, WINEPREFIX=os.path.join(BUILD, 'wineprefix'))
        subprocess.run(['wineserver', '-k'], env=env, check=False)
        subprocess.run(['wineserver', '-w'], env=env, check=False)
    _server_display[0] = display


@pytest.fixture(scope='session', autouse=True)
def wine_session():
    """One Wine server for the whole session; killed at the end."""
    yield
    env = dict(os.environ, WINEPREFIX=os.path.join(BUILD, 'wineprefix'))
    subprocess.run(['wineserver', '-k'], env=env, check=False)
    for screen in _screens.values():
        screen.stop()


def screen(size):
    if size not in _screens:
        _screens[size] = Xvfb(size)
    return _screens[size]


@pytest.fixture
def launch():
    """Starts the program on a screen of the given size; stops what is left at the end."""
    started = []

    def start(args=(), size='1280x1024', env=None, workdir=None):
        display = screen(size).display
        wine_server_on(display)
        program = Glimmera(display, args=args, env=env, workdir=workdir)
        started.append(program)
        return program

    yield start
    for program in started:
        program.stop()

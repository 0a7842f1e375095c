"""The help file the build compiles and the installer it makes: a silent install under Wine,
the installed program running with its help file, and the uninstaller removing it again."""
import glob
import html.parser
import os
import re
import shutil
import subprocess
import tempfile

import pytest

from conftest import screen, wine_server_on
from harness import BUILD, ROOT, wait_until, wine_env, wine_path

HELP = os.path.join(ROOT, 'help')
CHM = os.path.join(BUILD, 'glimmera.chm')
UNINSTALL_KEY = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmera'


def project_version():
    with open(os.path.join(ROOT, 'CMakeLists.txt'), encoding='utf-8') as source:
        return re.search(r'project\(Glimmera VERSION ([0-9.]+)', source.read()).group(1)


def chm_files(path):
    """Names of the files a compiled help file holds, as chmls lists them ('/keys.html')."""
    result = subprocess.run(['chmls', '-p', '-n', 'list', path], capture_output=True, text=True,
                            check=True, timeout=30)
    return {line.strip() for line in result.stdout.splitlines() if line.startswith('/')}


class Links(html.parser.HTMLParser):
    """The href attributes and the sitemap's Local values of a page or table of contents."""

    def __init__(self):
        super().__init__()
        self.targets = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == 'a' and 'href' in attrs:
            self.targets.append(attrs['href'])
        elif tag == 'param' and (attrs.get('name') or '').lower() == 'local':
            self.targets.append(attrs['value'])


def links(path):
    parser = Links()
    with open(path, encoding='ascii') as page:
        parser.feed(page.read())
    return [target.split('#')[0] for target in parser.targets]


def test_help_file_holds_every_page_its_contents_and_index():
    pages = {name for name in os.listdir(HELP) if name.endswith('.html')}
    inside = chm_files(CHM)
    assert {'/' + name for name in pages} <= inside
    assert {'/glimmera.hhc', '/glimmera.hhk', '/glimmera.css'} <= inside
    # Every page is reachable from the contents, and no link leads out of the file.
    assert set(links(os.path.join(HELP, 'glimmera.hhc'))) == pages
    for source in [*pages, 'glimmera.hhk']:
        for target in links(os.path.join(HELP, source)):
            assert '/' + target in inside, f'{source} links to {target}'
    # chmls prints the stored strings with their terminating zero.
    system = subprocess.run(['chmls', 'printsystem', CHM], capture_output=True, text=True,
                            check=True, timeout=30).stdout.replace('\0', '')
    assert re.search(r'Title from \[options\]\s*:Glimmera Help$', system, re.M)
    assert re.search(r'Default topic from \[options\]\s*:index.html$', system, re.M)


def wine(display, *args, timeout=120):
    """Runs a Windows program to its end; returns its exit code."""
    return subprocess.run(['wine', *args], env=wine_env(display), stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=timeout).returncode


def uninstall_entry(display):
    """The uninstall entry's values as reg prints them, or None when there is no entry."""
    result = subprocess.run(['wine', 'reg', 'query', UNINSTALL_KEY], env=wine_env(display),
                            stdin=subprocess.DEVNULL, capture_output=True, text=True,
                            timeout=60)
    return result.stdout if result.returncode == 0 else None


def start_menu_shortcut():
    return glob.glob(os.path.join(BUILD, 'wineprefix', 'drive_c', 'users', '*', 'AppData',
                                  'Roaming', 'Microsoft', 'Windows', 'Start Menu', 'Programs',
                                  'Glimmera.lnk'))


@pytest.fixture
def install_dir():
    parent = tempfile.mkdtemp(prefix='glimmera-install-')
    # No space in it: wine quotes such an argument, and the installer ignores a quoted /D=.
    yield os.path.join(parent, 'Glimmera')
    shutil.rmtree(parent, ignore_errors=True)


def test_silent_install_runs_the_program_and_uninstall_removes_it(launch, install_dir):
    setup = os.path.join(BUILD, f'glimmera-setup-{project_version()}.exe')
    assert os.path.exists(setup)
    display = screen('1280x1024').display
    wine_server_on(display)

    assert wine(display, setup, '/S', '/D=' + wine_path(install_dir)) == 0
    try:
        installed = sorted(os.listdir(install_dir))
        assert installed == ['Uninstall.exe', 'glimmera.chm', 'glimmera.exe']
        help_file = os.path.join(install_dir, 'glimmera.chm')
        with open(help_file, 'rb') as copy, open(CHM, 'rb') as built:
            assert copy.read() == built.read()
        assert '/keys.html' in chm_files(help_file)

        # The shortcut starts this installed program (an earlier install's is replaced).
        shortcuts = start_menu_shortcut()
        assert len(shortcuts) == 1
        with open(shortcuts[0], 'rb') as link:
            data = link.read()
        target = (wine_path(install_dir) + '\\glimmera.exe').lower()
        assert (target.encode('utf-16-le') in data.lower()) or (target.encode() in data.lower())
        entry = uninstall_entry(display)
        assert entry and wine_path(install_dir) + '\\Uninstall.exe' in entry

        program = launch(workdir=install_dir)
        program.wait_main_window()
        program.close_and_check(0)
        # The program keeps its settings beside itself; the uninstaller takes them too.
        assert os.path.exists(os.path.join(install_dir, 'settings'))
    finally:
        # As a user starts it: it copies itself to the temporary folder, runs from there and
        # returns at once, so the removal is waited for.
        uninstaller = os.path.join(install_dir, 'Uninstall.exe')
        code = wine(display, uninstaller, '/S') if os.path.exists(uninstaller) else None
    assert code == 0
    wait_until(lambda: not os.path.exists(install_dir), 60, 'the install folder to go')
    assert not start_menu_shortcut()
    assert uninstall_entry(display) is None



def test_install_over_a_running_copy_waits_for_it_to_close(launch, install_dir):
    """An update starts the installer and only then closes the program, whose file stays
    locked until it has ended."""
    setup = os.path.join(BUILD, f'glimmera-setup-{project_version()}.exe')
    os.makedirs(install_dir)
    # The build's own program, with debug information: the installer's copy differs.
    shutil.copy(os.path.join(BUILD, 'glimmera.exe'), install_dir)
    program = launch(workdir=install_dir)
    program.wait_main_window()
    display = program.display
    installer = subprocess.Popen(['wine', setup, '/S', '/D=' + wine_path(install_dir)],
                                 env=wine_env(display), stdin=subprocess.DEVNULL,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # The help file goes first; then the installer waits for the program's file.
        wait_until(lambda: os.path.exists(os.path.join(install_dir, 'glimmera.chm')), 60,
                   'the installer to write the help file')
        program.close_and_check(0)
        assert installer.wait(timeout=60) == 0
        with open(os.path.join(install_dir, 'glimmera.exe'), 'rb') as installed, \
                open(os.path.join(BUILD, 'installer-stage', 'glimmera.exe'), 'rb') as packed:
            assert installed.read() == packed.read()
    finally:
        if installer.poll() is None:
            installer.kill()
        uninstaller = os.path.join(install_dir, 'Uninstall.exe')
        if os.path.exists(uninstaller):
            wine(display, uninstaller, '/S')
            wait_until(lambda: not os.path.exists(install_dir), 60, 'the install folder to go')

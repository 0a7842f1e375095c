"""The help file the build compiles and the installer it makes: a silent install under Wine,
the installed program running with its help file, and the uninstaller removing it again."""
import glob
import hashlib
import html.parser
import os
import re
import shutil
import struct
import subprocess
import tempfile

import pytest

from conftest import screen, wine_server_on
from harness import BUILD, PREFIX, ROOT, wait_until, wine_env, wine_path

HELP = os.path.join(ROOT, 'help')
HELP_RU = os.path.join(HELP, 'ru')
CHM = os.path.join(BUILD, 'glimmera.chm')
CHM_RU = os.path.join(BUILD, 'glimmera-ru.chm')
# The help viewer reads a Russian help file's pages, contents and title in this code page.
RUSSIAN_CODEPAGE = 'windows-1251'
UNINSTALL_KEY = r'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmera'
# Resource types of an icon's images and of the group that lists them.
RT_ICON, RT_GROUP_ICON = 3, 14
# The resource id of the program's icon (src/app/glimmera.rc.in).
PROGRAM_ICON = 111


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


def links(path, encoding='ascii'):
    parser = Links()
    with open(path, encoding=encoding) as page:
        parser.feed(page.read())
    return [target.split('#')[0] for target in parser.targets]


def html_pages(folder):
    return {name for name in os.listdir(folder) if name.endswith('.html')}


# Each manual: its sources, its project's name, its file, the encoding of its sources and
# the title its viewer shows.
MANUALS = {
    'English': (HELP, 'glimmera', CHM, 'ascii', 'Glimmera Help'),
    'Russian': (HELP_RU, 'glimmera-ru', CHM_RU, RUSSIAN_CODEPAGE, 'Справка Glimmera'),
}


@pytest.mark.parametrize('manual', MANUALS)
def test_help_file_holds_every_page_its_contents_and_index(manual):
    folder, project, chm, encoding, title = MANUALS[manual]
    pages = html_pages(folder)
    inside = chm_files(chm)
    assert {'/' + name for name in pages} <= inside
    assert {f'/{project}.hhc', f'/{project}.hhk', '/glimmera.css'} <= inside
    # Every page is reachable from the contents, and no link leads out of the file.
    assert set(links(os.path.join(folder, f'{project}.hhc'), encoding)) == pages
    for source in [*pages, f'{project}.hhk']:
        for target in links(os.path.join(folder, source), encoding):
            assert '/' + target in inside, f'{source} links to {target}'
    # chmls prints the stored strings with their terminating zero, in the file's code page.
    system = subprocess.run(['chmls', 'printsystem', chm], capture_output=True, check=True,
                            timeout=30).stdout.decode(encoding).replace('\0', '')
    assert re.search(rf'Title from \[options\]\s*:{title}$', system, re.M)
    assert re.search(r'Default topic from \[options\]\s*:index.html$', system, re.M)


def test_every_english_page_has_its_russian_counterpart_in_the_same_places():
    english = html_pages(HELP)
    assert html_pages(HELP_RU) == english
    # The contents list the pages in the same order; the index leads to the same pages.
    assert (links(os.path.join(HELP_RU, 'glimmera-ru.hhc'), RUSSIAN_CODEPAGE)
            == links(os.path.join(HELP, 'glimmera.hhc')))
    assert (set(links(os.path.join(HELP_RU, 'glimmera-ru.hhk'), RUSSIAN_CODEPAGE))
            == set(links(os.path.join(HELP, 'glimmera.hhk'))))
    for page in english:
        with open(os.path.join(HELP_RU, page), 'rb') as file:
            data = file.read()
        # A page saved as UTF-8 would show as gibberish: the viewer takes the declared code
        # page, and every Cyrillic letter in it is one byte that UTF-8 does not accept.
        assert f'charset={RUSSIAN_CODEPAGE}'.encode() in data, page
        with pytest.raises(UnicodeDecodeError):
            data.decode('utf-8')
        # The same sections as the English page.
        with open(os.path.join(HELP, page), encoding='ascii') as file:
            sections = len(re.findall('<h[12]>', file.read()))
        assert len(re.findall('<h[12]>', data.decode(RUSSIAN_CODEPAGE))) == sections, page


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


def in_roaming(*parts):
    """Paths below the user's roaming application data (%APPDATA%) in the build's prefix."""
    return glob.glob(os.path.join(PREFIX, 'drive_c', 'users', '*', 'AppData',
                                  'Roaming', *parts))


def start_menu_shortcut():
    return in_roaming('Microsoft', 'Windows', 'Start Menu', 'Programs', 'Glimmera.lnk')


def setup_exe():
    return os.path.join(BUILD, f'glimmera-setup-{project_version()}.exe')


def resources(path):
    """The resources of a Windows executable: {(type, name): data}, the first language of
    each (names are ids, or strings for named resources)."""
    with open(path, 'rb') as file:
        image = file.read()
    pe = struct.unpack_from('<I', image, 0x3C)[0]
    assert image[pe:pe + 4] == b'PE\0\0', path
    sections, optional_size = struct.unpack_from('<2xH12xH', image, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from('<H', image, optional)[0]
    directories = optional + (112 if magic == 0x20B else 96)
    root_rva = struct.unpack_from('<I', image, directories + 2 * 8)[0]

    def offset(rva):
        for section in range(sections):
            size, address, raw_size, raw = struct.unpack_from(
                '<8xIIII', image, optional + optional_size + 40 * section)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f'{path}: RVA {rva:#x} lies in no section')

    root = offset(root_rva)

    def entries(directory):
        named, ids = struct.unpack_from('<HH', image, root + directory + 12)
        for number in range(named + ids):
            name, target = struct.unpack_from('<II', image, root + directory + 16 + 8 * number)
            if name & 0x80000000:
                at = root + (name & 0x7FFFFFFF)
                length = struct.unpack_from('<H', image, at)[0]
                name = image[at + 2:at + 2 + 2 * length].decode('utf-16-le')
            yield name, target & 0x7FFFFFFF

    found = {}
    for kind, names in entries(0):
        for name, languages in entries(names):
            _, leaf = next(entries(languages))
            rva, size = struct.unpack_from('<II', image, root + leaf)
            found[kind, name] = image[offset(rva):offset(rva) + size]
    return found


def icons(path):
    """Every icon group of an executable as a sorted list of its images: (width, height,
    digest of the image's bytes)."""
    found = resources(path)
    groups = {}
    for (kind, name), group in found.items():
        if kind != RT_GROUP_ICON:
            continue
        count = struct.unpack_from('<H', group, 4)[0]
        images = []
        for number in range(count):
            width, height, image_id = struct.unpack_from('<BB10xH', group, 6 + 14 * number)
            data = found[RT_ICON, image_id]
            # 0 stands for 256 pixels.
            images.append((width or 256, height or 256, hashlib.sha256(data).hexdigest()[:16]))
        groups[name] = sorted(images)
    return groups


def uninstall(display, install_dir):
    """Runs the uninstaller as a user starts it and waits for its work: it copies itself to
    the temporary folder, runs from there and returns at once. Removing the uninstall entry
    is the last thing it does."""
    assert wine(display, os.path.join(install_dir, 'Uninstall.exe'), '/S') == 0
    wait_until(lambda: not os.path.exists(install_dir), 60, 'the install folder to go')
    wait_until(lambda: uninstall_entry(display) is None, 60, 'the uninstall entry to go')


@pytest.fixture
def install_dir():
    parent = tempfile.mkdtemp(prefix='glimmera-install-')
    # No space in it: wine quotes such an argument, and the installer ignores a quoted /D=.
    yield os.path.join(parent, 'Glimmera')
    shutil.rmtree(parent, ignore_errors=True)


def test_silent_install_runs_the_program_and_uninstall_removes_it(launch, install_dir):
    setup = setup_exe()
    assert os.path.exists(setup)
    display = screen('1280x1024').display
    wine_server_on(display)

    assert wine(display, setup, '/S', '/D=' + wine_path(install_dir)) == 0
    try:
        installed = sorted(os.listdir(install_dir))
        assert installed == ['Uninstall.exe', 'glimmera-ru.chm', 'glimmera.chm', 'glimmera.exe']
        for built in (CHM, CHM_RU):
            help_file = os.path.join(install_dir, os.path.basename(built))
            with open(help_file, 'rb') as copy, open(built, 'rb') as original:
                assert copy.read() == original.read()
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


def test_installer_and_uninstaller_show_the_program_icon(install_dir):
    program = icons(os.path.join(BUILD, 'glimmera.exe'))[PROGRAM_ICON]
    assert len(program) > 1
    # Whichever group the shell picks, it shows the program's icon.
    assert set(map(tuple, icons(setup_exe()).values())) == {tuple(program)}

    # The installer writes the uninstaller, with its own icon, only when it installs.
    display = screen('1280x1024').display
    wine_server_on(display)
    assert wine(display, setup_exe(), '/S', '/D=' + wine_path(install_dir)) == 0
    try:
        uninstaller = icons(os.path.join(install_dir, 'Uninstall.exe'))
        assert set(map(tuple, uninstaller.values())) == {tuple(program)}
    finally:
        uninstall(display, install_dir)


def test_uninstall_takes_the_settings_kept_for_an_unwritable_folder_and_nothing_else(
        install_dir):
    """Where its folder is not writable the program keeps its settings in the user's
    %APPDATA%\\Glimmera (services/SettingsFileWin.cpp); the uninstaller takes them from there
    too, and that folder only when nothing of the user's is left in it."""
    (roaming, ) = in_roaming()
    kept = os.path.join(roaming, 'Glimmera')
    assert not os.path.exists(kept)
    # Another program's folder whose name begins the same.
    neighbour = os.path.join(roaming, 'Glimmera Notes')
    os.makedirs(neighbour)
    with open(os.path.join(neighbour, 'settings'), 'wb') as file:
        file.write(b'not ours')
    # The program's record (window size, place, split, maximised, padding).
    record = struct.pack('<iiiiiB3s', 640, 480, 0, 0, 200, 0, b'\0\0\0')
    display = screen('1280x1024').display
    wine_server_on(display)
    try:
        for users_file in (None, 'notes.txt'):
            assert wine(display, setup_exe(), '/S', '/D=' + wine_path(install_dir)) == 0
            os.makedirs(kept)
            with open(os.path.join(kept, 'settings'), 'wb') as file:
                file.write(record)
            if users_file:
                with open(os.path.join(kept, users_file), 'w') as file:
                    file.write('mine')
            uninstall(display, install_dir)
            if users_file:
                assert os.listdir(kept) == [users_file]
                shutil.rmtree(kept)
            else:
                assert not os.path.exists(kept)
            assert os.listdir(neighbour) == ['settings']
            with open(os.path.join(neighbour, 'settings'), 'rb') as file:
                assert file.read() == b'not ours'
    finally:
        if os.path.exists(os.path.join(install_dir, 'Uninstall.exe')):
            uninstall(display, install_dir)
        shutil.rmtree(kept, ignore_errors=True)
        shutil.rmtree(neighbour, ignore_errors=True)


def test_install_over_a_running_copy_waits_for_it_to_close(launch, install_dir):
    """An update starts the installer and only then closes the program, whose file stays
    locked until it has ended."""
    setup = setup_exe()
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
        # While the copy runs, the installer waits: it has not ended, and the program's file
        # is still the one that runs.
        running = os.path.join(install_dir, 'glimmera.exe')
        for _ in range(3):
            program.wait_idle()
            assert installer.poll() is None, 'the installer ended while the program ran'
            with open(running, 'rb') as current, \
                    open(os.path.join(BUILD, 'glimmera.exe'), 'rb') as original:
                assert current.read() == original.read()
        program.close_and_check(0)
        assert installer.wait(timeout=60) == 0
        with open(os.path.join(install_dir, 'glimmera.exe'), 'rb') as installed, \
                open(os.path.join(BUILD, 'installer-stage', 'glimmera.exe'), 'rb') as packed:
            assert installed.read() == packed.read()
    finally:
        if installer.poll() is None:
            installer.kill()
        # Nothing stays behind: the folder, the uninstall entry and the shortcut go.
        if os.path.exists(os.path.join(install_dir, 'Uninstall.exe')):
            uninstall(display, install_dir)
        assert not start_menu_shortcut()

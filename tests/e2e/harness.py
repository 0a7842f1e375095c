"""Drives glimmera.exe under Wine in Xvfb with real input, screenshots and its debug trace.

Input goes through XTEST only (xdotool without --window: with it xdotool sends synthetic
events, which Wine treats differently). Without a window manager the X keyboard focus follows
the pointer, so every key press first puts the pointer over its window. Every wait polls for
what it expects and fails after a timeout naming it.
"""
import collections
import dataclasses
import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.parse

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get('GLIMMERA_BUILD', os.path.join(ROOT, 'build', 'mingw'))
EXE = os.path.join(BUILD, 'glimmera.exe')
WININFO = os.path.join(BUILD, 'helpers', 'wininfo.exe')
# Screenshots and Wine logs of failed tests, one folder per test.
# The test command gives the Wine stages a prefix (and a home) of their own.
PREFIX = os.environ.get('GLIMMERA_PREFIX', os.path.join(BUILD, 'wineprefix'))
RESULTS = os.environ.get('GLIMMERA_RESULTS',
                         os.path.join(ROOT, 'build', 'test-results', 'e2e-failures'))

TITLE = 'Glimmera'
# The class of the scene's own window, which has the keyboard while the scene does.
SCENE_CLASS = 'GlimmeraScene'
# The scene's background gradient, bottom and top colour, and the default width of the strip
# left of the scene.
GRADIENT_BOTTOM = (83, 101, 120)
GRADIENT_TOP = (133, 162, 192)
SPLIT = 200
# Pause between the small moves of a drag: Wine's OLE drag loop misses a single large jump.
DRAG_PACE = 0.03
# Windows' default double-click time: two clicks within it make a double-click.
DOUBLE_CLICK_TIME = 0.5


def wine_path(path):
    """The Windows name of a Unix path: Wine's Z: drive holds the whole tree."""
    return 'Z:' + path.replace('/', '\\')


def write(path, data):
    """A file of these bytes, created with its folder."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def path_at(program, point, upper=True):
    """The path the scene's Ctrl+P copies at a screen point, upper case unless upper is False.
    Wine can learn of the probe's owner on the X clipboard only after the program's copy,
    which then stays hidden behind the probe: the probe is offered and the key pressed
    again."""
    program.xdotool('mousemove', *point)
    program.wait_idle()
    for attempt in range(4):
        program.set_clipboard('probe')
        program.key('ctrl+p')
        try:
            path = wait_until(lambda: (text := program.clipboard()) not in ('probe', None)
                              and [text], 3, 'the probed path')[0]
            return path.upper() if upper else path
        except TimeoutError:
            if attempt == 3:
                raise


def make_files(folder, names):
    """Empty files of these names in folder, created with it."""
    os.makedirs(folder, exist_ok=True)
    for name in names:
        open(os.path.join(folder, name), 'w').close()


def item(folder, name):
    """The trace line, lower-cased, of an item of folder when its page loads."""
    return (wine_path(folder) + '\\' + name).lower()


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls predicate until it returns something true and returns that; raises TimeoutError
    naming what after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f'waited {timeout} s for {what}')
        time.sleep(interval)


def wait_file(path, timeout=30, content=False):
    """Waits until path exists (and, with content, is not empty)."""
    def ready():
        return os.path.exists(path) and (not content or os.path.getsize(path) > 0)

    wait_until(ready, timeout, f'{path}{" with content" if content else ""}')


def churning(folder):
    """Creates and removes files in folder until the returned event is set; the thread that
    does it is joined by the caller."""
    stop = threading.Event()

    def churn():
        i = 0
        while not stop.is_set():
            path = os.path.join(folder, f'churn{i % 5}.tmp')
            try:
                open(path, 'w').close()
                os.remove(path)
            except OSError:
                pass
            i += 1

    thread = threading.Thread(target=churn)
    thread.start()
    return stop, thread


# A menu's entry as the program traces it when the menu shows ('title: text#number|-|...').
MenuEntry = collections.namedtuple('MenuEntry', 'text id')


def traced_menu(program, start, title):
    """The entries of the menu titled title that showed after trace line start."""
    prefix = title + ': '
    lines = program.wait(lambda: [line for line in program.trace()[start:]
                                  if line.startswith(prefix)], 10, f'the {title}')
    entries = []
    for part in lines[-1][len(prefix):].split('|'):
        if part == '-':
            entries.append(MenuEntry('-', 0))
        else:
            text, _, number = part.rpartition('#')
            entries.append(MenuEntry(text, int(number)))
    return entries


def open_menu(program, click, title):
    """Runs click, which opens the menu titled title; returns its window and its entries."""
    start = len(program.trace())
    untitled = set(program.visible_windows(''))  # the root window has no title either
    click()
    entries = traced_menu(program, start, title)
    menu = program.wait(lambda: set(program.visible_windows('')) - untitled, 10,
                        f'the {title} window').pop()
    return menu, entries


def choose(program, menu, entries, wanted):
    """Walks down to the entry with the keyboard (separators are skipped) and runs it: the
    program's own by number, the shell's by text."""
    choices = [entry for entry in entries if entry.text != '-']
    downs = next(i for i, entry in enumerate(choices) if wanted in (entry.id, entry.text)) + 1
    program.key(*['Down'] * downs, 'Return', window=menu)
    program.wait(lambda: menu not in program.visible_windows(''), 10, 'the menu to close')


def wine_env(display):
    env = dict(os.environ)
    env.update({
        'DISPLAY': display,
        'WINEPREFIX': PREFIX,
        'WINEARCH': 'win64',
        # Wine 8 reports OutputDebugString on the seh channel and message box texts on msgbox.
        'WINEDEBUG': '-all,warn+seh,trace+msgbox',
        'WINEDLLOVERRIDES': 'mscoree,mshtml,winemenubuilder.exe=',
    })
    return env


class Xvfb:
    """A virtual screen of the given size on a free display."""

    def __init__(self, size='1280x1024'):
        for number in range(200, 300):
            socket = f'/tmp/.X11-unix/X{number}'
            if os.path.exists(f'/tmp/.X{number}-lock') or os.path.exists(socket):
                continue
            self.display = f':{number}'
            self.process = subprocess.Popen(
                ['Xvfb', self.display, '-screen', '0', f'{size}x24', '-nolisten', 'tcp'],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                # Another run may take the same number first: then this Xvfb ends at once.
                wait_until(lambda: os.path.exists(socket) or self.process.poll() is not None,
                           10, f'Xvfb on {self.display}')
            except TimeoutError:
                self.stop()
                raise
            if self.process.poll() is None:
                return
        raise RuntimeError('no free display for Xvfb')

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


@dataclasses.dataclass
class WindowInfo:
    """What tests/helpers/wininfo.exe reports of a window and its process."""
    window: tuple  # outer rectangle on the screen: left, top, width, height
    client: tuple  # client area on the screen: left, top, width, height
    focus: str  # class of the window that has the keyboard in the window's thread, '-' for none
    responds: bool  # the window's thread answered a message (it is not busy)
    pid: int
    threads: int
    handles: int  # Wine 8 reports 0
    gdi: int  # Wine 8 reports 0
    user: int  # Wine 8 reports 0


class Glimmera:
    """One run of the program from its own temporary folder (a copy of the executable, so its
    settings file is its own, unless workdir names a folder to share between runs), with its
    stderr captured for the debug trace."""

    def __init__(self, display, args=(), env=None, workdir=None):
        self.display = display
        self.dir = tempfile.mkdtemp(prefix='glimmera-e2e-')
        self.exe_dir = workdir or self.dir
        self.exe = os.path.join(self.exe_dir, 'glimmera.exe')
        if not os.path.exists(self.exe):
            shutil.copy(EXE, self.exe)
        self.log_path = os.path.join(self.dir, 'stderr.log')
        self.log = open(self.log_path, 'wb')
        self.env = wine_env(display)
        self.env.update(env or {})
        self.x_env = {**os.environ, 'DISPLAY': display}
        self.clipboard_owner = None
        self.last_click = -DOUBLE_CLICK_TIME
        self.process = subprocess.Popen(['wine', self.exe, *args], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=self.log, cwd=self.exe_dir)
        self.window = None
        # A screen point inside the main window, for a second run whose window has the same
        # title: the window helper then finds it there rather than by its title.
        self.located_at = None

    # --- waiting ----------------------------------------------------------------------------
    def wait(self, predicate, timeout, what):
        """wait_until, failing at once when the program has ended meanwhile."""
        def check():
            value = predicate()
            if not value and self.process.poll() is not None:
                raise RuntimeError(f'program ended ({self.process.returncode}) '
                                   f'while waiting for {what}')
            return value

        return wait_until(check, timeout, what)

    def wait_main_window(self, timeout=60, frame=True):
        """Waits for the main window to show and answer messages, and with frame for its first
        drawn frame (the gradient at the bottom right of the scene). Without frame only for the
        answer: without a window manager the screen shows only part of a maximised window, and
        where the scene draws on its own GL surface Wine leaves it black."""
        self.window = self.find_window(TITLE, timeout)
        self.wait_idle(timeout)
        if frame:
            self.wait_frame(timeout)
        return self.window

    def wait_idle(self, timeout=30):
        """Waits until the main window's thread has handled everything sent to the program
        before (keys, clicks, a closed dialog): the test build answers the barrier message
        only when no message and no input is waiting."""
        self.wait(self.passes_barrier, timeout, 'the main window to handle what it was sent')

    def passes_barrier(self, title=TITLE):
        result = subprocess.run(['wine', WININFO, '--barrier', title], env=self.env,
                                capture_output=True, text=True, timeout=60)
        return result.returncode == 0 and result.stdout.strip() == 'barrier 1'

    def wait_frame(self, timeout=30):
        """Waits until the bottom right pixel of the client area shows the gradient's bottom
        colour: a frame was drawn at the window's present size."""
        def drawn():
            left, top, width, height = self.client_rect()
            pixel = self.screenshot().getpixel((left + width - 5, top + height - 1))
            return near(pixel, GRADIENT_BOTTOM, 4)

        self.wait(drawn, timeout, 'a drawn frame')

    def wait_trace(self, match, timeout=30, what='a trace line', since=0):
        """Waits until some trace lines from line since on satisfy match(line); returns them."""
        return self.wait(lambda: [line for line in self.trace()[since:] if match(line)], timeout,
                         what)

    def wait_focus(self, window_class, timeout=30):
        """Waits until a window of the given class has the keyboard in the main thread."""
        self.wait(lambda: (info := self.info()) and info.focus == window_class, timeout,
                  f'the keyboard in a {window_class} window')

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)

    # --- windows ----------------------------------------------------------------------------
    def xdotool(self, *args, check=True):
        result = subprocess.run(['xdotool', *map(str, args)], env=self.x_env,
                                capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f'xdotool {args}: {result.stderr}')
        return result.stdout.strip()

    def visible_windows(self, title, exact=True):
        """X ids of the shown windows whose title is title (or matches the pattern title)."""
        pattern = f'^{re.escape(title)}$' if exact else title
        return self.xdotool('search', '--onlyvisible', '--name', pattern, check=False).split()

    def find_window(self, title, timeout=60, exact=True):
        """Waits for a shown window whose title is title (or matches the pattern title);
        returns its X id."""
        return self.wait(lambda: self.visible_windows(title, exact), timeout,
                         f'a window "{title}"')[0]

    def geometry(self, window=None):
        """(x, y, width, height) of an X window on the screen."""
        out = self.xdotool('getwindowgeometry', '--shell', window or self.window)
        values = dict(line.split('=') for line in out.splitlines() if '=' in line)
        return int(values['X']), int(values['Y']), int(values['WIDTH']), int(values['HEIGHT'])

    def info(self, title=TITLE):
        """What Windows knows of the window with that title and its process (WindowInfo), or
        None when there is no such window."""
        where = [title] if self.located_at is None else ['--at', *map(str, self.located_at)]
        result = subprocess.run(['wine', WININFO, *where], env=self.env, capture_output=True,
                                text=True, timeout=60)
        if result.returncode != 0:
            return None
        fields = dict(line.split(' ', 1) for line in result.stdout.splitlines() if ' ' in line)
        numbers = {name: tuple(map(int, fields[name].split())) for name in ('window', 'client')}
        numbers.update({name: int(fields[name])
                        for name in ('pid', 'threads', 'handles', 'gdi', 'user')})
        return WindowInfo(focus=fields['focus'], responds=fields['responds'] == '1', **numbers)

    def client_rect(self, title=TITLE):
        """(left, top, width, height) of the window's client area on the screen. A single run of
        the helper can miss the window while Wine is busy: it is asked again for a while."""
        return self.wait(lambda: self.info(title), 10, f'a window "{title}"').client

    def screenshot(self, path=None):
        """The whole screen; kept in the run's folder (or path) until the next one."""
        path = path or os.path.join(self.dir, 'screen.png')
        subprocess.run(['import', '-display', self.display, '-window', 'root', path], check=True,
                       timeout=30)
        with Image.open(path) as image:
            return image.convert('RGB')

    # --- input ------------------------------------------------------------------------------
    def pointer_over(self, window=None):
        """Puts the pointer in the middle of an X window (default: the main window) unless it
        is over it already, which gives that window the X keyboard focus."""
        x, y, width, height = self.geometry(window)
        location = dict(item.split(':') for item in self.xdotool('getmouselocation').split())
        px, py = int(location['x']), int(location['y'])
        if not (x <= px < x + width and y <= py < y + height):
            self.xdotool('mousemove', x + width // 2, y + height // 2)

    def key(self, *keys, window=None):
        """Presses keys (xdotool names such as Return, shift+End) with the pointer over window."""
        self.pointer_over(window)
        self.xdotool('key', *keys)

    def type_text(self, text, window=None):
        self.pointer_over(window)
        self.xdotool('type', '--delay', '5', text)

    def to_screen(self, x, y):
        left, top, _, _ = self.client_rect()
        return left + x, top + y

    def click(self, x, y, button=1, modifiers=()):
        """Clicks once at a point of the screen, holding modifiers (such as 'ctrl', 'shift').
        A click follows the previous one only after the double-click time (input pacing)."""
        time.sleep(max(0.0, self.last_click + DOUBLE_CLICK_TIME - time.monotonic()))
        self.xdotool('mousemove', x, y, *hold(modifiers), 'click', button, *release(modifiers))
        self.last_click = time.monotonic()

    def click_client(self, x, y, button=1, modifiers=()):
        """Clicks at a point of the main window's client area."""
        self.click(*self.to_screen(x, y), button=button, modifiers=modifiers)

    def double_click_client(self, x, y):
        """Double-clicks at a point of the main window's client area, after the double-click
        time since the last click (which would otherwise make the first a second)."""
        time.sleep(max(0.0, self.last_click + DOUBLE_CLICK_TIME - time.monotonic()))
        self.xdotool('mousemove', *self.to_screen(x, y), 'click', '--repeat', '2', '--delay',
                     '80', '1')
        self.last_click = time.monotonic()

    def drag_client(self, path, button=1, modifiers=(), steps=8, late_modifiers=()):
        """Presses at the first client point of path, moves through the others in small
        steps, and releases at the last, holding modifiers from before the press and
        late_modifiers from the start of the last stretch."""
        points = [self.to_screen(x, y) for x, y in path]
        self.xdotool('mousemove', *points[0], *hold(modifiers), 'mousedown', button)
        for leg, ((x0, y0), (x1, y1)) in enumerate(zip(points, points[1:])):
            if late_modifiers and leg == len(points) - 2:
                self.xdotool(*hold(late_modifiers))
            for step in range(1, steps + 1):
                time.sleep(DRAG_PACE)
                self.xdotool('mousemove', round(x0 + (x1 - x0) * step / steps),
                             round(y0 + (y1 - y0) * step / steps))
        time.sleep(DRAG_PACE)
        self.xdotool('mouseup', button, *release(tuple(modifiers) + tuple(late_modifiers)))

    def answer_dialog(self, title, *keys, timeout=30, exact=True):
        """Waits for a dialog with that title, presses keys over it (Return, Escape, alt+y...)
        and waits until it has closed."""
        box = self.find_window(title, timeout, exact)
        self.key(*keys, window=box)
        self.wait(lambda: box not in self.visible_windows(title, exact), timeout,
                  f'"{title}" to close')

    # --- clipboard (X side) -----------------------------------------------------------------
    def clipboard(self, target='UTF8_STRING'):
        """The X clipboard's content in that format, or None when nobody offers it or its
        owner does not answer within ten seconds (a busy owner is asked again by the waits)."""
        try:
            result = subprocess.run(['xclip', '-o', '-selection', 'clipboard', '-t', target],
                                    env=self.x_env, capture_output=True, timeout=10)
        except subprocess.TimeoutExpired:
            return None
        return result.stdout.decode('utf-8') if result.returncode == 0 else None

    def set_clipboard(self, text, target='UTF8_STRING'):
        """Offers text on the X clipboard in that format until the next set or stop."""
        self._drop_clipboard_owner()
        # -quiet keeps xclip in the foreground, so that it ends with this run.
        self.clipboard_owner = subprocess.Popen(
            ['xclip', '-quiet', '-i', '-selection', 'clipboard', '-t', target],
            env=self.x_env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.clipboard_owner.stdin.write(text.encode('utf-8'))
        self.clipboard_owner.stdin.close()
        wait_until(lambda: self.clipboard(target) == text, 10, 'xclip to own the clipboard')

    def clipboard_files(self):
        """Paths of the files on the X clipboard (text/uri-list), or None."""
        text = self.clipboard('text/uri-list')
        if text is None:
            return None
        return [urllib.parse.unquote(urllib.parse.urlparse(line).path)
                for line in text.splitlines() if line and not line.startswith('#')]

    def set_clipboard_files(self, paths):
        """Offers files on the X clipboard; Wine reads them as CF_HDROP only with CRLF line
        ends."""
        self.set_clipboard(''.join(f'file://{urllib.parse.quote(path)}\r\n' for path in paths),
                           'text/uri-list')

    def _drop_clipboard_owner(self):
        if self.clipboard_owner:
            self.clipboard_owner.terminate()
            self.clipboard_owner.wait(timeout=10)
            self.clipboard_owner = None

    # --- the program's side -----------------------------------------------------------------
    def _log_text(self):
        self.log.flush()
        with open(self.log_path, 'rb') as f:
            return f.read().decode('utf-8', 'replace')

    def trace(self):
        """The program's OutputDebugString lines so far."""
        return [unescape(m.group(1))
                for m in re.finditer(r'OutputDebugStringA "(.*)"', self._log_text())]

    def message_boxes(self):
        """Texts of the message boxes shown so far."""
        return [unescape(m.group(1))
                for m in re.finditer(r'MSGBOX_OnInit L"(.*)"', self._log_text())]

    def close(self):
        """Closes the program as a user would: Alt+F4 with the pointer over its window."""
        self.key('alt+F4')

    def close_and_check(self, expected=0, timeout=30):
        self.close()
        code = self.wait_exit(timeout)
        assert code == expected, f'exit code {code}, expected {expected}'

    def save_evidence(self, folder, name):
        """Copies a screenshot and the Wine log into folder as name.png and name.log, and when
        the program still runs but does not answer, every thread's backtrace as
        name-threads.txt; the shown X windows (menus, tips and boxes over the program) go to
        name-windows.txt."""
        os.makedirs(folder, exist_ok=True)
        self.screenshot(os.path.join(folder, f'{name}.png'))
        with open(os.path.join(folder, f'{name}-windows.txt'), 'w') as listing:
            for window in self.visible_windows('', exact=False):
                title = self.xdotool('getwindowname', window, check=False)
                listing.write(f'{window} {self.geometry(window)} {title!r}\n')
        self.log.flush()
        shutil.copy(self.log_path, os.path.join(folder, f'{name}.log'))
        if self.process.poll() is None and not ((info := self.info()) and info.responds):
            save_backtraces(self.env, os.path.join(folder, f'{name}-threads.txt'))

    def stop(self):
        """Ends what is left of the run and removes its folder. Killing is the last resort:
        tests close the program themselves."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self._drop_clipboard_owner()
        self.log.close()
        shutil.rmtree(self.dir, ignore_errors=True)


def save_backtraces(env, path):
    """Writes every thread's backtrace of every process in the Wine prefix to path: where a
    program that does not answer hangs."""
    try:
        result = subprocess.run(['winedbg', '--command', 'bt all'], env=env,
                                capture_output=True, text=True, timeout=120)
        text = result.stdout + result.stderr
    except subprocess.TimeoutExpired as timeout:
        text = f'winedbg did not finish: {timeout}'
    with open(path, 'w') as f:
        f.write(text)


def hold(modifiers):
    """xdotool arguments pressing modifier keys ('ctrl', 'shift'...) down."""
    return [arg for key in modifiers for arg in ('keydown', key)]


def release(modifiers):
    return [arg for key in reversed(modifiers) for arg in ('keyup', key)]


def unescape(text):
    """Undoes Wine's debug-string escapes: \\r, \\n, \\t, \\\\, \\" and \\NNNN or \\xNN."""
    def replace(match):
        escaped = match.group(1)
        if escaped[0] == 'x':
            return chr(int(escaped[1:], 16))
        if len(escaped) == 4:
            return chr(int(escaped, 16))
        return {'r': '\r', 'n': '\n', 't': '\t'}.get(escaped, escaped)

    return re.sub(r'\\(x[0-9a-fA-F]{2}|[0-9a-fA-F]{4}|.)', replace, text)


def near(color, expected, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(color, expected))

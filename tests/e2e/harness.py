"""Drives glimmera.exe under Wine in Xvfb with real input, screenshots and its debug trace."""
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get('GLIMMERA_BUILD', os.path.join(ROOT, 'build', 'mingw'))
EXE = os.path.join(BUILD, 'glimmera.exe')


def wine_env(display):
    env = dict(os.environ)
    env.update({
        'DISPLAY': display,
        'WINEPREFIX': os.path.join(BUILD, 'wineprefix'),
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
            if os.path.exists(f'/tmp/.X{number}-lock') or os.path.exists(f'/tmp/.X11-unix/X{number}'):
                continue
            self.display = f':{number}'
            self.process = subprocess.Popen(
                ['Xvfb', self.display, '-screen', '0', f'{size}x24', '-nolisten', 'tcp'],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if os.path.exists(f'/tmp/.X11-unix/X{number}'):
                    return
                if self.process.poll() is not None:
                    break
                time.sleep(0.05)
        raise RuntimeError('no free display for Xvfb')

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Glimmera:
    """One run of the program, from its own copy of the executable (so its settings file is
    its own), with its stderr captured for the debug trace."""

    def __init__(self, display, args=(), env=None, workdir=None):
        self.display = display
        self.dir = workdir or tempfile.mkdtemp(prefix='glimmera-e2e-')
        self.exe = os.path.join(self.dir, 'glimmera.exe')
        if not os.path.exists(self.exe):
            shutil.copy(EXE, self.exe)
        self.log_path = os.path.join(self.dir, 'stderr.log')
        self.log = open(self.log_path, 'wb')
        self.env = wine_env(display)
        self.env.update(env or {})
        self.process = subprocess.Popen(['wine', self.exe, *args], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=self.log, cwd=self.dir)
        self.window = None

    # --- X side -----------------------------------------------------------------------------
    def xdotool(self, *args, check=True):
        result = subprocess.run(['xdotool', *map(str, args)], env={**os.environ, 'DISPLAY': self.display},
                                capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f'xdotool {args}: {result.stderr}')
        return result.stdout.strip()

    def find_window(self, title, timeout=60, exact=True):
        """An X window whose title is title (or matches the pattern title when not exact)."""
        pattern = f'^{re.escape(title)}$' if exact else title
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.xdotool('search', '--name', pattern, check=False)
            if found:
                return found.split()[0]
            if self.process.poll() is not None:
                raise RuntimeError(f'program ended ({self.process.returncode}) before "{title}"')
            time.sleep(0.2)
        raise TimeoutError(f'no window "{title}"')

    def wait_main_window(self, timeout=60, settle=1.5):
        self.window = self.find_window('Glimmera', timeout)
        time.sleep(settle)
        return self.window

    def geometry(self, window=None):
        """(x, y, width, height) of an X window on the screen."""
        out = self.xdotool('getwindowgeometry', '--shell', window or self.window)
        values = dict(line.split('=') for line in out.splitlines() if '=' in line)
        return int(values['X']), int(values['Y']), int(values['WIDTH']), int(values['HEIGHT'])

    def screenshot(self, path=None):
        path = path or os.path.join(self.dir, f'shot-{time.time():.3f}.png')
        subprocess.run(['import', '-display', self.display, '-window', 'root', path], check=True,
                       timeout=30)
        return Image.open(path).convert('RGB')

    def key(self, *keys, window=None):
        self.xdotool('key', '--window', window or self.window, *keys)

    def click(self, x, y, button=1):
        self.xdotool('mousemove', x, y)
        time.sleep(0.1)
        self.xdotool('click', button)

    # --- process side -----------------------------------------------------------------------
    def wait_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)

    def _log_text(self):
        self.log.flush()
        with open(self.log_path, 'rb') as f:
            return f.read().decode('utf-8', 'replace')

    def trace(self):
        """The program's OutputDebugString lines so far."""
        return [unescape(m.group(1)) for m in re.finditer(r'OutputDebugStringA "(.*)"', self._log_text())]

    def message_boxes(self):
        """Texts of the message boxes shown so far."""
        return [unescape(m.group(1)) for m in re.finditer(r'MSGBOX_OnInit L"(.*)"', self._log_text())]

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    def settings_bytes(self):
        path = os.path.join(self.dir, 'settings')
        return open(path, 'rb').read() if os.path.exists(path) else None


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

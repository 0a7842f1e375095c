"""The soak: creates the sandbox and its manifest, starts glimmera.exe on it (test build, counts
hook on), drives it with seeded random input for the given minutes while checking every few
seconds that it lives, answers, and holds no more GDI and USER objects, kernel handles and GL
textures than after the warm-up; then closes it and checks every manifest file is in the
sandbox or the trash with its bytes. Prints a summary; exits 1 on any fault.

Usage: soak.py MINUTES SEED DRIVE TRASH — DRIVE is the folder Wine's Z: drive shows (the
sandbox is created in DRIVE/sandbox), TRASH the trash folder Wine recycles into."""
import os
import random
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), 'e2e'))

import harness  # noqa: E402
import sandbox  # noqa: E402
from dialogs import Dialogs  # noqa: E402
from driver import Driver  # noqa: E402

CHECK_EVERY = 5  # seconds between liveness and count checks
COUNTS = os.path.join(harness.BUILD, 'helpers', 'counts.exe')
COUNT_LINE = re.compile(r'test counts: (.*)')
# What a count may exceed its warm-up value by in the same state before it is a leak. Wine's
# first message box in a process takes 23 GDI objects for good (the next ones none), and the
# shell's confirmations a few more on their first showing, whenever the random input first
# brings them.
SLACK = {'gdi': 30, 'user': 5, 'gdi-found': 30, 'user-found': 5, 'handles': 12, 'textures': 2}
INPUT = {'mousemove', 'click', 'key', 'type', 'mousedown', 'mouseup', 'keydown', 'keyup'}


class Program(harness.Glimmera):
    """The harness's run, counting the input commands it sends, and keeping the main window's
    client area between checks (nothing in the soak moves the window; asking Wine costs a
    process start for every point)."""
    events = 0
    client = None

    def xdotool(self, *args, check=True):
        if args and args[0] in INPUT:
            Program.events += 1
        return super().xdotool(*args, check=check)

    def client_rect(self, title=harness.TITLE):
        if title != harness.TITLE:
            return super().client_rect(title)
        if self.client is None:
            self.client = super().client_rect(title)
        return self.client


class Soak:
    def __init__(self, minutes, seed, drive, trash):
        self.minutes, self.seed, self.drive, self.trash = minutes, seed, drive, trash
        self.root = os.path.join(drive, 'sandbox')
        self.log_file = open(os.path.join(os.path.dirname(drive), 'actions.log'), 'w',
                             encoding='utf-8')
        self.started = time.monotonic()
        self.checks = 0
        self.hangs = 0
        self.crashed = False
        self.exit_code = None
        self.samples = []  # (seconds, counts) of every check
        self.warm = None  # counts in the canonical state after the warm-up
        self.end = None
        self.faults = []

    def log(self, text):
        self.log_file.write(f'{time.monotonic() - self.started:8.2f} {text}\n')
        self.log_file.flush()

    # --- checks ---------------------------------------------------------------------------
    def counts(self):
        """Asks the program for its counts; returns them as a dict, or None."""
        start = len(self.program.trace())
        result = subprocess.run(['wine', COUNTS], env=self.program.env, capture_output=True,
                                timeout=60)
        if result.returncode != 0:
            return None
        try:
            lines = self.program.wait(lambda: [line for line in self.program.trace()[start:]
                                               if COUNT_LINE.match(line)], 10, 'the counts')
        except TimeoutError:
            return None
        words = COUNT_LINE.match(lines[-1]).group(1).split()
        return {name: int(value) for name, value in zip(words[::2], words[1::2])}

    def check(self):
        """The process lives and its window answers (a busy window gets a minute)."""
        self.checks += 1
        self.program.client = None
        if self.program.process.poll() is not None:
            self.crashed = True
            raise RuntimeError(f'the program ended with {self.program.process.returncode}')
        try:
            self.program.wait_idle(60)
        except TimeoutError:
            self.hangs += 1
            raise RuntimeError(f'the main window did not answer for 60 s: {self.diagnose()}')
        counts = self.counts()
        if counts:
            self.samples.append((round(time.monotonic() - self.started), counts))
            self.log(f'counts {counts}')

    def diagnose(self):
        """What the window helper and the counts helper say now, for the report of a hang."""
        info = subprocess.run(['wine', harness.WININFO, harness.TITLE], env=self.program.env,
                              capture_output=True, text=True, timeout=60)
        counts = self.counts()
        return (f'wininfo exit {info.returncode}: {" / ".join(info.stdout.splitlines())} '
                f'{info.stderr.strip()[-200:]}; counts: {counts}; windows: ' +
                ', '.join(f'{w} "{self.program.xdotool("getwindowname", w, check=False)}"'
                          for w in self.program.visible_windows('.*', exact=False)))

    def canonical_counts(self):
        """Counts in the canonical state, once two answers in a row agree (icon work settles)."""
        self.driver.canonical()
        answers = [None]

        def agreed():
            answers.append(self.counts())
            return answers[-1] is not None and answers[-1] == answers[-2]

        try:
            self.program.wait(agreed, 30, 'two equal counts')
        except TimeoutError:
            pass  # the last answer stands; the end check compares it
        self.log(f'canonical counts {answers[-1]}')
        return answers[-1]

    # --- the run --------------------------------------------------------------------------
    def run(self):
        shutil.rmtree(self.root, ignore_errors=True)
        folders = sandbox.make_tree(self.root, self.seed)
        self.manifest = sandbox.manifest(self.root)
        sandbox.save(self.manifest, os.path.join(os.path.dirname(self.drive), 'manifest.json'))
        self.trash_before = set(os.listdir(os.path.join(self.trash, 'files')))
        self.program = Program(os.environ['DISPLAY'], args=['Z:\\sandbox'],
                               env={'GLIMMERA_TEST_HOOK': 'counts'})
        try:
            self.program.wait_main_window(90)
            self.dialogs = Dialogs(self.program, self.log)
            self.dialogs.start()
            self.driver = Driver(self.program, self.dialogs, random.Random(self.seed),
                                 'Z:\\sandbox', folders, self.log)
            self.drive_for(self.minutes * 60)
            self.finish()
        except Exception as error:  # a fault of the program or the soak: reported, not raised
            self.faults.append(f'{type(error).__name__}: {error}')
            self.log(f'fault {error}')
            if self.program.process.poll() is not None and self.exit_code is None:
                self.crashed = True
            self.keep_evidence()
        finally:
            self.program.stop()
        self.verify_files()
        return self.summary()

    def drive_for(self, seconds):
        """Random actions; the warm-up ends after the first opening of levels up to the limit
        (the caption atlases are pooled up to the most levels open at once) with the counts
        in the canonical state. Long runs reach the limit again every ten minutes."""
        end = self.started + seconds
        limit_at = [self.started + max(10, seconds * 0.1)]
        limit_at += [self.started + t for t in range(600, int(seconds) - 60, 600)]
        next_check = time.monotonic() + CHECK_EVERY
        while time.monotonic() < end:
            self.driver.step()
            time.sleep(self.driver.rng.uniform(0.05, 0.3))  # pacing between actions
            now = time.monotonic()
            if limit_at and now >= limit_at[0]:
                limit_at.pop(0)
                self.log(f'open_to_limit {self.driver.open_to_limit()}')
                if self.warm is None:
                    self.warm = self.canonical_counts()
            if now >= next_check:
                self.check()
                next_check = time.monotonic() + CHECK_EVERY

    def finish(self):
        self.check()
        self.end = self.canonical_counts()
        # A leak check without counts to compare proves nothing: that is a fault of its own.
        if not self.warm or not self.end:
            self.faults.append(f'no counts to compare: warm-up {self.warm}, end {self.end}')
        for name, slack in SLACK.items():
            if self.warm and self.end and name in self.warm and \
                    self.end[name] > self.warm[name] + slack:
                self.faults.append(f'{name} grew from {self.warm[name]} to {self.end[name]}')
        self.dialogs.settle()
        self.program.close()
        try:
            self.exit_code = self.program.wait_exit(60)
        except subprocess.TimeoutExpired:
            self.hangs += 1
            self.faults.append('the program did not exit within 60 s of Alt+F4')
            return
        if self.exit_code != 0:
            self.crashed = True
            self.faults.append(f'exit code {self.exit_code}')

    def keep_evidence(self):
        folder = os.path.join(os.path.dirname(self.drive), 'evidence')
        try:
            self.program.save_evidence(folder, 'glimmera')
        except Exception:
            pass

    def verify_files(self):
        files = os.path.join(self.trash, 'files')
        self.missing = sandbox.missing(self.manifest, self.root, files)
        self.trashed = len(set(os.listdir(files)) - self.trash_before)
        if self.missing:
            self.faults.append(f'{len(self.missing)} files missing: {self.missing[:10]}')

    def summary(self):
        first = self.samples[0][1] if self.samples else None
        peak = {name: max(s[1].get(name, 0) for s in self.samples) for name in SLACK} \
            if self.samples else None
        lines = [
            f'soak: {self.minutes} min, seed {self.seed}, '
            f'{round(time.monotonic() - self.started)} s',
            f'events sent: {Program.events}',
            f'dialogs answered: {sum(self.dialogs.seen.values()) if hasattr(self, "dialogs") else 0}',
        ]
        if hasattr(self, 'dialogs'):
            lines += [f'  {count} x {kind}' for kind, count in sorted(self.dialogs.seen.items())]
        lines += [
            f'checks made: {self.checks}',
            f'actions given up (a wait in vain): '
            f'{self.driver.timeouts if hasattr(self, "driver") else 0}',
            f'counts first check: {first}',
            f'counts at warm-up:  {self.warm}',
            f'counts at the end:  {self.end}',
            f'counts peak:        {peak}',
            f'crashes: {int(self.crashed)}',
            f'hangs: {self.hangs}',
            f'exit code: {self.exit_code}',
            f'files: {len(self.manifest)} in the manifest, {len(self.missing)} missing, '
            f'{self.trashed} entries recycled',
            f'faults: {len(self.faults)}',
        ] + [f'  {fault}' for fault in self.faults]
        print('\n'.join(lines))
        return 1 if self.faults or self.crashed or self.hangs else 0


def main():
    minutes, seed, drive, trash = float(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
    return Soak(minutes, seed, drive, trash).run()


if __name__ == '__main__':
    sys.exit(main())

"""Answers whatever window shows up beside the main window during the soak, and remembers
which ones came: menus are dismissed with Escape, the program's limits box and the shell's
boxes with Return, and a deletion question is answered Yes only for the Delete the soak just
pressed, and only the first one: a second question is Wine asking to delete for good."""
import collections
import time

# Titles of the shell's deletion questions contain this; Wine asks with the same titles
# before it deletes for good (an item the trash cannot take).
DELETION = 'delet'
LIMITS = 'Glimmera: limits'


class Dialogs:
    def __init__(self, program, log):
        self.program = program
        self.log = log
        self.baseline = set()
        self.seen = collections.Counter()
        self.stuck = set()  # untitled windows that answer no key (a tooltip): left alone
        self.deletion_allowed = False

    def visible(self):
        return set(self.program.visible_windows('.*', exact=False))

    def start(self):
        """Takes the windows up now (the main window and its parts) as the program's own."""
        self.baseline = self.visible()

    def allow_one_deletion(self):
        self.deletion_allowed = True

    def new_windows(self):
        return self.visible() - self.baseline - self.stuck

    def settle(self, timeout=20):
        """Answers every new window until none is left; returns how many were answered."""
        answered = 0
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            windows = self.new_windows()
            if not windows:
                break
            for window in windows:
                answered += self.answer(window)
        self.deletion_allowed = False
        return answered

    def answer(self, window):
        title = self.program.xdotool('getwindowname', window, check=False)
        if DELETION in title.lower():
            keys = ['Return'] if self.deletion_allowed else ['Escape']
            kind = f'{title}: {"Yes" if keys == ["Return"] else "No"}'
            self.deletion_allowed = False
        elif title == '':
            keys, kind = ['Escape'], 'menu (untitled window): Escape'
        elif title == LIMITS:
            keys, kind = ['Return'], f'{title}: OK'
        else:
            keys, kind = ['Escape', 'Return'], f'{title}: Escape (then Return)'
        # A box that came up while the keyboard was elsewhere (an edit of the pane) is not
        # active and misses the keys: a click on its caption makes it so, and it hears them again.
        for attempt in range(2):
            if attempt:
                x, y, width, _ = self.program.geometry(window)
                self.program.click(x + width // 2, y + 8)
            for key in keys:
                if window not in self.visible():
                    break
                try:
                    self.program.key(key, window=window)
                except RuntimeError:
                    break  # it closed meanwhile
                try:
                    self.program.wait(lambda: window not in self.visible(), 5,
                                      f'"{title}" to close')
                except TimeoutError:
                    continue
            if window not in self.visible() or not title:
                break
        if window in self.visible():
            if title:
                # A box that stays holds the program: what follows would fail for its sake.
                raise AssertionError(f'the box "{title}" answers no key')
            self.stuck.add(window)
            kind = '(untitled): left open, answers no key'
        self.seen[kind] += 1
        self.log(f'dialog {kind}')
        return 1

"""Random real input for the soak: each action picks its target from what the screen shows
(level frames, tiles, the rows of the Explorer pane) and the seeded generator. Actions that
change files or start programs (Enter, clicks on tiles, drags, paste, Delete) act only where a
probe (Ctrl+P, the path on the clipboard) shows a level or tile of the sandbox, and every action
in the pane only while the address edit names a sandbox folder as the one the pane shows (a
click on a selected row opens its name for editing), so the soak never touches anything
else."""
import os
import string

from harness import SCENE_CLASS, SPLIT
from test_context_menu import CLOSE_ALL_BUT_THIS, choose, right_click
from test_drag_drop import drag
from test_explorer_pane import pane
from test_levels import open_by_address
from test_scene_input import current_frame, hover_level, level_frames, tile_point

PROBE = 'soak-probe'
PAGE = 20  # tiles on a page
# Keys of the scene's tables, sent alone.
PLAIN_KEYS = ['Left', 'Right', 'Up', 'Down', 'Prior', 'Next', 'Home', 'End',
              'shift+Left', 'shift+Right', 'shift+Up', 'shift+Down',
              'ctrl+Left', 'ctrl+Right', 'ctrl+Up', 'ctrl+Down', 'ctrl+Tab',
              'ctrl+shift+Left', 'ctrl+shift+Up', 'minus', 'equal'] + list('0123456789')


class Driver:
    def __init__(self, program, dialogs, rng, sandbox_windows, folders, log):
        self.program = program
        self.dialogs = dialogs
        self.rng = rng
        self.sandbox = sandbox_windows.lower()  # Z:\sandbox
        self.folders = folders  # relative paths of the sandbox's folders, '' the root
        self.log = log
        self.timeouts = 0  # actions that waited in vain
        self.layout_toggles = 0  # Ctrl+Tab presses: the canonical state has the first layout
        self.names = 0  # names typed into the pane, each one new
        self.pane_actions = [
            (4, self.pane_click), (3, self.pane_double_click), (2, self.pane_parent),
            (2, self.pane_rename), (2, self.pane_new_folder), (2, self.pane_delete),
        ]
        self.actions = [
            (25, self.plain_key), (5, self.type_ahead), (5, self.filter), (3, self.refresh),
            (4, self.close_level), (6, self.wheel), (12, self.click), (6, self.band),
            (8, self.drag_tiles), (4, self.copy_paste), (3, self.delete), (4, self.enter),
            (4, self.sort_menu), (5, self.context_menu), (4, self.open_folder),
            (3, self.split_drag),
        ] + self.pane_actions

    # --- helpers --------------------------------------------------------------------------
    def frames(self):
        try:
            return level_frames(self.program)
        except AssertionError:
            return []

    def current(self):
        try:
            return current_frame(self.program)
        except AssertionError:
            return None

    def probe(self, client_point):
        """The path Ctrl+P puts on the clipboard at a client point ('' on empty space), lower
        case, or None when none came."""
        self.program.set_clipboard(PROBE)
        self.program.xdotool('mousemove', *self.program.to_screen(*client_point))
        self.program.key('ctrl+p')
        try:
            text = self.program.wait(lambda: (value := self.program.clipboard()) is not None
                                     and value != PROBE and [value], 3, 'the probed path')[0]
        except TimeoutError:
            return None
        return text.lower()

    def in_sandbox(self, client_point):
        path = self.probe(client_point)
        return path is not None and (path == self.sandbox or
                                     path.startswith(self.sandbox + '\\'))

    def background(self, frame):
        return (frame[0] + frame[2]) // 2, frame[3] - 6

    def random_tile(self, frame):
        return tile_point(frame, self.rng.randrange(PAGE), PAGE)

    def sandbox_frames(self, frames):
        return [frame for frame in frames if self.in_sandbox(self.background(frame))]

    def scene_point(self):
        left, top, width, height = self.program.client_rect()
        return self.rng.randrange(SPLIT + 10, width - 5), self.rng.randrange(30, height - 30)

    def pane_rows(self):
        """Client points on the names of the pane's rows in sight: a click there selects."""
        shown = pane(self.program)
        if not shown:
            return []
        _, _, _, height = self.program.client_rect()
        return [(left + 4, (top + bottom) // 2)
                for left, top, _, bottom in shown.rows.values() if bottom < height - 20]

    def click_list(self, point):
        """Clicks the pane's list at a client point; returns what the pane then shows, or
        None."""
        self.program.click_client(*point)
        self.program.wait_focus('SysListView32', 10)
        self.program.wait_idle()
        return pane(self.program)

    def list_space(self):
        """A random point of the list, on a row or below the last one."""
        _, _, _, height = self.program.client_rect()
        return 40, self.rng.randrange(25, height - 30)

    def select_row(self):
        """Clicks a random row of a sandbox folder the pane shows; None when it shows none. A
        click on the row already selected opens its name for editing, as in Explorer, so rows
        outside the sandbox are never clicked."""
        rows = self.pane_rows()
        if not rows or self.pane_folder(pane(self.program)) is None:
            return None
        return self.click_list(self.rng.choice(rows))

    def pane_folder(self, shown):
        """The sandbox folder the pane shows, relative and with '/' ('' the sandbox itself), or
        None when it shows none: the address edit names the current level's folder, which
        the pane follows."""
        address = (shown and shown.address) or ''
        if address.lower() == self.sandbox:
            return ''
        if address.lower().startswith(self.sandbox + '\\'):
            return address[len(self.sandbox) + 1:].replace('\\', '/')
        return None

    def keyboard_to_scene(self):
        """Tab goes round pane, address edit and scene: back to the scene, where the scene's
        actions send their keys."""
        for _ in range(3):
            info = self.program.info()
            if info and info.focus == SCENE_CLASS:
                return
            # A name left open for editing in the pane is given up first: Tab stays in it.
            self.program.key('Escape' if info and info.focus == 'Edit' else 'Tab')
            self.program.wait_idle()

    def new_name(self):
        self.names += 1
        return f'{self.rng.choice(["renamed", "pane", "x.y"])}{self.names}' + \
            self.rng.choice(['', '.txt', '.dat'])

    def press_delete(self):
        """Delete, with the shell's question that follows a moment later answered Yes."""
        self.dialogs.allow_one_deletion()
        self.program.key('Delete')
        self.program.wait_idle()
        try:
            self.program.wait(lambda: self.dialogs.new_windows(), 5, 'the deletion question')
        except TimeoutError:
            pass
        self.dialogs.settle()

    # --- actions --------------------------------------------------------------------------
    def step(self):
        """One random action. An action that waited in vain (a box of the shell came up late
        and took the keyboard) is counted and its boxes answered: whether the program still
        lives and answers is for the checks to say."""
        weights = [weight for weight, _ in self.actions]
        action = self.rng.choices([a for _, a in self.actions], weights)[0]
        try:
            detail = action() or ''
        except TimeoutError as error:
            self.timeouts += 1
            detail = f'gave up: {error}'
        self.log(f'{action.__name__} {detail}'.strip())
        if action in (self.enter, self.click, self.pane_double_click):
            self.late_box()
        self.dialogs.settle()
        if action in [a for _, a in self.pane_actions]:
            self.keyboard_to_scene()

    def late_box(self):
        """A launched file's box comes from the shell a moment after the click or Enter."""
        try:
            self.program.wait(lambda: self.dialogs.new_windows(), 1.5, 'a box')
        except TimeoutError:
            pass

    def plain_key(self):
        key = self.rng.choice(PLAIN_KEYS)
        self.program.key(key)
        self.layout_toggles += key == 'ctrl+Tab'
        return key

    def type_ahead(self):
        text = ''.join(self.rng.choice('abdgmnorz_.') for _ in range(self.rng.randint(1, 3)))
        self.program.type_text(text)
        return text

    def filter(self):
        frame = self.current()
        if frame:
            hover_level(self.program, frame)
        self.program.key('F3')
        text = ''.join(self.rng.choice(string.ascii_lowercase + '.0123')
                       for _ in range(self.rng.randint(1, 4)))
        self.program.type_text(text)
        self.program.wait_idle()
        end = self.rng.choice(['Escape', 'ctrl+BackSpace', 'F3', 'BackSpace'])
        self.program.key(end)
        if end != 'ctrl+BackSpace':
            self.program.key('ctrl+BackSpace')
        return f'{text} {end}'

    def refresh(self):
        self.program.key('F5')

    def close_level(self):
        self.program.key('BackSpace')

    def wheel(self):
        frames = self.frames()
        if frames:
            hover_level(self.program, self.rng.choice(frames))
        button = self.rng.choice([4, 5])
        count = self.rng.randint(1, 3)
        self.program.xdotool('click', '--repeat', count, button)
        return f'{button} x{count}'

    def click(self):
        """A click on a tile or a level of the sandbox, or on empty space."""
        frames = self.frames()
        if frames and self.rng.random() < 0.8:
            frame = self.rng.choice(frames)
            point = self.random_tile(frame) if self.rng.random() < 0.7 else self.background(frame)
            if not self.in_sandbox(point):
                return 'skipped: not the sandbox'
            hover_level(self.program, frame)
        else:
            point = self.scene_point()
            if self.probe(point) != '':
                return 'skipped: not empty space'
        modifiers = self.rng.choice([(), (), ('ctrl',)])
        self.program.click_client(*point, modifiers=modifiers)
        return f'{point} {modifiers}'

    def band(self):
        frames = self.frames()
        if not frames:
            return 'no level'
        frame = self.rng.choice(frames)
        start = (max(SPLIT + 5, frame[0] - self.rng.randint(5, 40)),
                 self.rng.randint(frame[1], frame[3]))
        end = self.random_tile(frame)
        hover_level(self.program, frame)
        modifiers = self.rng.choice([(), ('ctrl',)])
        self.program.drag_client([start, end], modifiers=modifiers)
        return f'{start} {end} {modifiers}'

    def drag_tiles(self):
        """Drags a sandbox tile onto another sandbox level, or onto another tile of its own
        (a folder takes it) when only one is in sight; Ctrl copies."""
        frames = self.sandbox_frames(self.frames())
        if not frames:
            return 'skipped: no sandbox level'
        if len(frames) >= 2:
            source, target = self.rng.sample(frames, 2)
            end = self.background(target)
        else:
            source = frames[0]
            end = self.random_tile(source)
        start = self.random_tile(source)
        if not self.in_sandbox(start) or not self.in_sandbox(end):
            return 'skipped: no sandbox tile'
        modifiers = self.rng.choice([(), ('ctrl',)])
        hover_level(self.program, source)
        drag(self.program, self.program.to_screen(*start), self.program.to_screen(*end),
             modifiers=modifiers)
        return f'{start} -> {end} {"copy" if modifiers else "move"}'

    def copy_paste(self):
        frames = self.sandbox_frames(self.frames())
        if not frames:
            return 'skipped: no sandbox level'
        source, target = self.rng.choice(frames), self.rng.choice(frames)
        hover_level(self.program, source)
        self.program.click_client(*self.random_tile(source), modifiers=('ctrl',))
        self.program.key('ctrl+c')
        self.program.wait_idle()
        hover_level(self.program, target)
        # A click on the level's background makes it current; Ctrl+V pastes there.
        self.program.click_client(*self.background(target))
        self.program.key('ctrl+v')
        return f'{source} -> {target}'

    def delete(self):
        """Selects one sandbox tile of the current level (a right click, its menu dismissed)
        and presses Delete; the shell's question is answered Yes."""
        frame = self.current()
        if not frame or not self.in_sandbox(self.background(frame)):
            return 'skipped: the current level is not the sandbox'
        point = self.random_tile(frame)
        if not self.in_sandbox(point):
            return 'skipped: no tile'
        try:
            menu, _ = right_click(self.program, frame, point)
        except TimeoutError:
            return 'skipped: no menu'
        self.program.key('Escape', window=menu)
        self.program.wait(lambda: menu not in self.program.visible_windows(''), 10,
                          'the menu to close')
        self.program.wait_idle()
        self.press_delete()
        return str(point)

    def enter(self):
        frame = self.current()
        if not frame or not self.in_sandbox(self.background(frame)):
            return 'skipped: the current level is not the sandbox'
        self.program.key('Return')

    def sort_menu(self):
        frames = self.frames()
        if not frames:
            return 'no level'
        frame = self.rng.choice(frames)
        left, top, right, _ = frame
        width = right - left
        caption = (round(right - width * 0.064), round(top + width * 0.057))
        hover_level(self.program, frame)
        before = set(self.program.visible_windows(''))
        self.program.click_client(*caption)
        try:
            menu = self.program.wait(lambda: set(self.program.visible_windows('')) - before, 5,
                                     'the sort menu').pop()
        except TimeoutError:
            return 'no menu'
        keys = ['Down'] * self.rng.randint(0, 4) + [self.rng.choice(['Return', 'Escape'])]
        self.program.key(*keys, window=menu)
        return ' '.join(keys)

    def context_menu(self):
        frames = self.frames()
        if not frames:
            return 'no level'
        frame = self.rng.choice(frames)
        try:
            menu, entries = right_click(self.program, frame, self.random_tile(frame))
        except TimeoutError:
            return 'no menu'
        self.program.key('Escape', window=menu)
        return f'{len(entries)} entries'

    def open_folder(self, folder=None):
        """Opens a sandbox folder by typing its path into the address edit (plain names only:
        xdotool types no other letters into Wine)."""
        if folder is None:
            folder = self.rng.choice([f for f in self.folders if f.isascii()])
        path = self.sandbox_path(folder)
        open_by_address(self.program, path)
        self.wait_opened()
        return path

    def split_drag(self):
        """Drags the strip's edge left or right and back: everything else finds the scene's
        left edge at SPLIT."""
        _, _, width, height = self.program.client_rect()
        target = SPLIT + self.rng.choice([-1, 1]) * self.rng.randint(20, 150)
        target = max(40, min(target, width - 100))
        y = self.rng.randrange(40, height - 40)
        self.move_split(SPLIT, target, y)
        self.move_split(target, SPLIT, y)
        return f'to {target} and back'

    def move_split(self, split, target, y):
        """Presses on the grip (the scene's first pixels) and releases at target, where the
        edge follows the pointer, and waits for the pane to take that width. A box that came
        late and disabled the window is answered and the drag made again."""
        _, _, _, height = self.program.client_rect()
        for _ in range(3):
            self.program.drag_client([(split + 1, y), (target, y)])
            try:
                self.program.wait(lambda: (shown := pane(self.program)) and
                                  shown.bounds == (0, 0, target, height), 10,
                                  f'the pane {target} pixels wide')
                return
            except TimeoutError:
                self.dialogs.settle()
                shown = pane(self.program)
                split = shown.bounds[2] if shown else split
        raise AssertionError(f'the pane stayed {split} pixels wide, its edge dragged to {target}')

    # --- the Explorer pane ----------------------------------------------------------------
    def pane_click(self):
        shown = self.select_row()
        return f'selected {shown.selected}' if shown else 'skipped: no rows of the sandbox'

    def pane_double_click(self):
        """Opens a folder as a level, or launches a file (the shell's box answers)."""
        folder = self.pane_folder(pane(self.program))
        rows = self.pane_rows()
        if folder is None or not rows:
            return 'skipped: no rows of the sandbox'
        point = self.rng.choice(rows)
        self.program.double_click_client(*point)
        return f'a row at {point} in {folder or "the sandbox"}'

    def pane_parent(self):
        """Backspace in the list: the pane and the scene go to the parent folder."""
        if self.pane_folder(pane(self.program)) is None:
            return 'skipped: the pane is not in the sandbox'
        shown = self.click_list(self.list_space())
        self.program.key('BackSpace')
        return f'from {shown and shown.address}'

    def pane_rename(self):
        shown = self.select_row()
        folder = self.pane_folder(shown)
        if folder is None or not shown.selected:
            return 'skipped: no selected row of the sandbox'
        old, name = shown.selected[0], self.new_name()
        self.program.key('F2')
        self.program.wait(lambda: (edited := pane(self.program)) and edited.editing is not None,
                          5, 'the name open for editing')
        self.program.wait_focus('Edit', 5)
        self.program.key('Home', 'shift+End')
        self.program.type_text(name)
        self.program.key('Return')
        self.program.wait_idle()
        if (after := pane(self.program)) and name in after.items:
            self.folder_renamed(os.path.join(folder, old), os.path.join(folder, name))
        return f'{old} -> {name}'

    def folder_renamed(self, old, new):
        """Keeps the folders that open_folder types up to a rename of one of them."""
        self.folders = [new + f[len(old):] if f == old or f.startswith(old + '/') else f
                        for f in self.folders]

    def pane_new_folder(self):
        """F7 makes a new folder with its name open: a typed name or the shell's kept."""
        if self.pane_folder(pane(self.program)) is None:
            return 'skipped: the pane is not in the sandbox'
        self.click_list(self.list_space())
        self.program.key('F7')
        name = self.program.wait(lambda: (edited := pane(self.program)) and edited.editing, 5,
                                 'the new folder being named')
        if self.rng.random() < 0.5:
            name = self.new_name()
            self.program.wait_focus('Edit', 5)
            self.program.key('Home', 'shift+End')
            self.program.type_text(name)
        self.program.key('Return')
        return name

    def pane_delete(self):
        shown = self.select_row()
        if self.pane_folder(shown) is None or not shown.selected:
            return 'skipped: no selected row of the sandbox'
        self.press_delete()
        return shown.selected[0]

    def sandbox_path(self, folder):
        return 'Z:\\sandbox' + ('\\' + folder.replace('/', '\\') if folder else '')

    def wait_opened(self):
        """Waits until the opened level has the keyboard or a box came up instead; gives the
        keyboard back to the scene when neither happened (the folder is gone)."""
        try:
            self.program.wait(lambda: self.dialogs.new_windows() or
                              ((info := self.program.info()) and info.focus == SCENE_CLASS),
                              8, 'the level or a box')
        except TimeoutError:
            self.log('no level opened: the keyboard back to the scene')
            self.program.key('Escape')
            self.program.click_client(*self.empty_space())

    def empty_space(self):
        _, _, width, height = self.program.client_rect()
        return width - 20, height - 20

    def open_to_limit(self):
        """Opens plain sandbox folders not open yet by address until the limits box comes,
        answers it, and closes some levels again."""
        folders = [f for f in self.folders if f.isascii()]
        self.rng.shuffle(folders)
        opened = 0
        for folder in folders[:45]:
            self.open_folder(folder)
            opened += 1
            if any(self.program.xdotool('getwindowname', w, check=False) ==
                   'Glimmera: limits' for w in self.dialogs.new_windows()):
                break
            self.dialogs.settle()
        self.dialogs.settle()
        self.program.wait_idle()
        closed = self.rng.randint(5, 30)
        for _ in range(closed):
            self.program.key('BackSpace')
        self.program.wait_idle()
        return f'after {opened} opens, closed {closed}'

    def canonical(self):
        """Brings the program to the same state each time, so that its counts compare: every
        box answered, no filter, the first level layout, the sandbox root alone beside the
        desktop, current and in sight, with its first tile selected and the Explorer pane on
        it."""
        self.dialogs.settle()
        self.program.key('ctrl+BackSpace')
        if self.layout_toggles % 2:
            self.program.key('ctrl+Tab')
            self.layout_toggles += 1
        frame = None
        for _ in range(3):
            open_by_address(self.program, 'Z:\\sandbox')
            self.wait_opened()
            if self.dialogs.settle():  # the limit: make room
                for _ in range(5):
                    self.program.key('BackSpace')
                continue
            self.program.wait_idle()
            try:
                frame = self.settled(current_frame)
                break
            except TimeoutError:
                self.log('canonical: the sandbox level not in sight, again')
        if frame is None:
            raise RuntimeError('the sandbox level did not come into sight')
        menu, entries = right_click(self.program, frame, tile_point(frame, 0, PAGE))
        choose(self.program, menu, entries, CLOSE_ALL_BUT_THIS)
        self.program.wait_idle()
        frame = self.settled(current_frame)
        hover_level(self.program, frame)
        self.program.click_client(*self.background(frame))
        self.program.wait_idle()
        self.probe(self.background(frame))
        self.program.wait_idle()

    def settled(self, look):
        """What look finds once two looks agree (the camera has stopped flying)."""
        frames = [None]

        def same():
            try:
                frames.append(look(self.program))
            except AssertionError:  # the level is not in sight yet
                frames.append(None)
            return frames[-1] == frames[-2] and frames[-1]

        return self.program.wait(same, 20, 'the camera to settle')

"""The Explorer pane left of the scene: it follows the scene's current level, its own
navigations open levels, and renaming, new folders, deleting and refreshing go through it.
What it shows is read with the paneinfo helper (its rows, the name being edited, and the
address edit naming the scene's current folder); test_window_parts looks at it on the screen."""
import dataclasses
import os
import subprocess

from harness import BUILD, SCENE_CLASS, SPLIT, item, make_files, wine_path
from test_files import confirm
from test_scene_input import open_folder

PANEINFO = os.path.join(BUILD, 'helpers', 'paneinfo.exe')


@dataclasses.dataclass
class Pane:
    bounds: tuple  # left, top, width, height in the main window's client area
    items: list  # the list's rows, in order
    selected: list
    editing: str  # the name open for editing, None when none is
    address: str  # the scene's current folder
    scroll_bar: bool = False  # the list shows its vertical scroll bar
    rows: dict = dataclasses.field(default_factory=dict)  # index: name's rectangle, rows in sight
    per_page: int = 0  # how many rows fit the list's height


def pane(program):
    """What the pane shows, or None while the helper cannot read it."""
    result = subprocess.run(['wine', PANEINFO, 'Glimmera'], env=program.env, capture_output=True,
                            text=True, timeout=60)
    if result.returncode != 0:
        return None
    shown = Pane(None, [], [], None, None)
    for line in result.stdout.splitlines():
        name, _, value = line.partition(' ')
        if name == 'pane':
            shown.bounds = tuple(map(int, value.split()))
        elif name == 'item':
            flags, _, text = value.partition(' ')
            shown.items.append(text)
            if 's' in flags:
                shown.selected.append(text)
        elif name == 'edit':
            shown.editing = value
        elif name == 'address':
            shown.address = value
        elif name == 'vscroll':
            shown.scroll_bar = value == '1'
        elif name == 'perpage':
            shown.per_page = int(value)
        elif name == 'row':
            index, *rect = map(int, value.split())
            shown.rows[index] = tuple(rect)
    return shown


def wait_pane(program, check, what, timeout=20):
    return program.wait(lambda: (shown := pane(program)) and check(shown) and shown, timeout, what)


def wait_pane_shows(program, items, what):
    return wait_pane(program, lambda shown: shown.items == items, f'the pane showing {what}')


def wait_current(program, folder):
    """Waits until the scene's current level is that folder."""
    path = wine_path(folder).lower()
    return wait_pane(program, lambda shown: (shown.address or '').lower() == path,
                     f'{folder} current in the scene')


def focus_list(program):
    """Gives the pane's list the keyboard with a click on its empty space."""
    _, _, _, height = program.client_rect()
    program.click_client(SPLIT // 2, height - 20)
    program.wait_focus('SysListView32')


def traced_count(program, line):
    return sum(1 for traced in program.trace() if traced.lower() == line)


def test_the_pane_follows_the_scene_and_its_navigations_open_levels(launch, scratch):
    folder = os.path.join(scratch, 'follow')
    a_sub, b_sub = os.path.join(folder, 'a_sub'), os.path.join(folder, 'b_sub')
    make_files(a_sub, ['inner.txt'])
    make_files(b_sub, ['other.txt'])
    program = open_folder(launch, folder)
    shown = wait_pane_shows(program, ['a_sub', 'b_sub'], 'the command-line folder')
    _, _, _, height = program.client_rect()
    assert shown.bounds == (0, 0, SPLIT, height), 'the pane fills the strip'

    # Program-made changes of the current level: opening a folder, Shift+Up, a digit.
    program.key('Return')
    wait_pane_shows(program, ['inner.txt'], 'the opened a_sub')
    program.key('shift+Up')
    wait_pane_shows(program, ['a_sub', 'b_sub'], 'the parent level made current')
    wait_current(program, folder)
    program.key('3')  # desktop 0, Computer 1, follow 2, a_sub 3
    wait_pane_shows(program, ['inner.txt'], 'a_sub again')

    # Backspace in the pane's list goes to the parent, which the scene makes current.
    focus_list(program)
    program.key('BackSpace')
    wait_current(program, folder)
    wait_pane_shows(program, ['a_sub', 'b_sub'], 'the parent after Backspace')
    # A subfolder opened from the list with the keyboard opens as a level.
    focus_list(program)
    program.type_text('b')
    wait_pane(program, lambda shown: shown.selected == ['b_sub'], 'b_sub selected')
    program.key('Return')
    program.wait_trace(lambda line: line.lower() == item(b_sub, 'other.txt'), 20,
                       'b_sub opened as a level')
    wait_current(program, b_sub)

    # Back and forward in the pane; the scene follows.
    program.key('alt+Left')
    wait_current(program, folder)
    wait_pane_shows(program, ['a_sub', 'b_sub'], 'the folder before b_sub')
    program.key('alt+Right')
    wait_current(program, b_sub)
    wait_pane_shows(program, ['other.txt'], 'b_sub again')

    # No level was opened twice: each folder's first page was loaded once.
    assert traced_count(program, item(folder, 'a_sub')) == 1
    assert traced_count(program, item(a_sub, 'inner.txt')) == 1
    assert traced_count(program, item(b_sub, 'other.txt')) == 1
    program.close_and_check(0)


def test_f2_and_f7_in_the_scene_edit_names_in_the_pane(launch, scratch):
    folder = os.path.join(scratch, 'names')
    make_files(folder, ['a_file.txt'])
    program = open_folder(launch, folder)
    wait_pane_shows(program, ['a_file.txt'], 'the command-line folder')

    # F2 opens the focused item's name in the pane; the typed name lands on disk and in the
    # level once it has read its folder again.
    program.key('F2')
    wait_pane(program, lambda shown: shown.editing == 'a_file.txt', 'a_file.txt being edited')
    program.wait_focus('Edit')
    program.key('Home', 'shift+End')
    program.type_text('renamed.txt')
    program.key('Return')
    program.wait(lambda: os.listdir(folder) == ['renamed.txt'], 10, 'the file renamed on disk')
    program.wait_trace(lambda line: line.lower() == item(folder, 'renamed.txt'), 20,
                       'the level showing the new name')

    # F7 makes "New Folder" with its name open; Escape keeps the name.
    program.key('F7')
    wait_pane(program, lambda shown: shown.editing == 'New Folder', 'the new folder being named')
    assert os.path.isdir(os.path.join(folder, 'New Folder'))
    program.key('Escape')
    wait_pane(program, lambda shown: shown.editing is None, 'the edit closed')
    # A second F7 gets the shell's numbered name, and a typed name replaces it.
    program.key('F7')
    wait_pane(program, lambda shown: (shown.editing or '').startswith('New Folder ('),
              'the numbered new folder being named')
    numbered = pane(program).editing
    assert os.path.isdir(os.path.join(folder, numbered))
    program.wait_focus('Edit')
    program.key('Home', 'shift+End')
    program.type_text('made_here')
    program.key('Return')
    program.wait(lambda: sorted(os.listdir(folder)) == ['New Folder', 'made_here', 'renamed.txt'],
                 10, 'the second new folder renamed on disk')
    program.close_and_check(0)


def test_delete_f2_and_f5_in_the_pane(launch, scratch):
    folder = os.path.join(scratch, 'pane_keys')
    make_files(folder, ['a_victim.txt', 'b_keep.txt'])
    victim = os.path.join(folder, 'a_victim.txt')
    with open(victim, 'w') as f:
        f.write('recycled, not lost')
    program = open_folder(launch, folder)
    wait_pane_shows(program, ['a_victim.txt', 'b_keep.txt'], 'the command-line folder')

    # Delete takes the pane's selection to the bin after the shell's question.
    focus_list(program)
    program.type_text('a')
    wait_pane(program, lambda shown: shown.selected == ['a_victim.txt'], 'a_victim selected')
    program.key('Delete')
    confirm(program, 'Return')
    program.wait(lambda: not os.path.exists(victim), 10, 'the selection deleted')
    assert list(launch.recycled().values()) == [b'recycled, not lost']

    # F2 in the list opens its selected item's name.
    focus_list(program)
    program.type_text('b')
    wait_pane(program, lambda shown: shown.selected == ['b_keep.txt'], 'b_keep selected')
    program.key('F2')
    wait_pane(program, lambda shown: shown.editing == 'b_keep.txt', 'b_keep.txt being edited')
    program.key('Escape')
    wait_pane(program, lambda shown: shown.editing is None, 'the edit closed')

    # A file made behind the shell's back reaches the level through its watcher, but the
    # pane only with F5, which also reads the level again.
    make_files(folder, ['c_new.txt'])
    program.wait_trace(lambda line: line.lower() == item(folder, 'c_new.txt'), 20,
                       'the watcher reloading the level')
    _, _, width, height = program.client_rect()
    program.click_client(width - 20, height - 20)  # the keyboard back to the scene
    program.wait_focus(SCENE_CLASS)
    assert 'c_new.txt' not in pane(program).items
    start = len(program.trace())
    program.key('F5')
    wait_pane_shows(program, ['b_keep.txt', 'c_new.txt'], 'the refreshed folder')
    program.wait(lambda: item(folder, 'b_keep.txt') in
                 [line.lower() for line in program.trace()[start:]], 10, 'the level reloaded')

    # Shift+Delete in the pane deletes for good: the bin keeps only the first deletion.
    focus_list(program)
    program.type_text('c')
    wait_pane(program, lambda shown: shown.selected == ['c_new.txt'], 'c_new selected')
    program.key('shift+Delete')
    confirm(program, 'Return')
    program.wait(lambda: not os.path.exists(os.path.join(folder, 'c_new.txt')), 10,
                 'c_new deleted')
    assert list(launch.recycled().values()) == [b'recycled, not lost']
    program.close_and_check(0)

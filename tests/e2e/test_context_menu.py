"""The shell's context menu of a tile with the program's two entries: the path to the
clipboard, closing the other levels, and the shell's own commands."""
import os

from harness import SCENE_CLASS, choose, item, make_files, open_menu, wine_path
from test_files import confirm
from test_levels import open_by_address
from test_scene_input import current_frame, hover_level, open_folder, settled_frame, tile_point

# The numbers of the program's own entries.
COPY_FULL_PATH = 0x7000
CLOSE_ALL_BUT_THIS = 0x7001


def right_click(program, frame, point):
    """Right-clicks a client point inside the level; returns the menu window and its entries."""
    hover_level(program, frame)
    return open_menu(program, lambda: program.click_client(*point, button=3), 'context menu')


def copy_path_through_menu(program, frame, point, path):
    """Chooses "Copy full path" in the menu of the tile at point and waits for path on the
    clipboard."""
    menu, entries = right_click(program, frame, point)
    choose(program, menu, entries, COPY_FULL_PATH)
    expected = wine_path(path)
    program.wait(lambda: program.clipboard() == expected, 10, f'{expected} on the clipboard')


def test_a_file_tiles_menu_holds_the_programs_entries_and_copies_the_path(launch, scratch):
    folder = os.path.join(scratch, 'menu')
    make_files(folder, ['first.txt', 'second.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    point = tile_point(frame, 1, 2)
    program.set_clipboard('untouched')

    menu, entries = right_click(program, frame, point)
    assert entries[0].text != '-' and entries[0].id < COPY_FULL_PATH
    assert entries[1:5] == [('-', 0), ('Copy full path [Ctrl+P]', COPY_FULL_PATH),
                            ('Close all but this', CLOSE_ALL_BUT_THIS), ('-', 0)]
    assert '&Delete' in [entry.text for entry in entries[5:]]
    program.key('Escape', window=menu)
    program.wait(lambda: menu not in program.visible_windows(''), 10, 'the menu to close')
    program.wait_idle()
    assert program.clipboard() == 'untouched'
    assert sorted(os.listdir(folder)) == ['first.txt', 'second.txt']

    copy_path_through_menu(program, frame, point, os.path.join(folder, 'second.txt'))
    program.close_and_check(0)


def test_the_shells_delete_entry_deletes_after_its_question(launch, scratch):
    folder = os.path.join(scratch, 'shell')
    make_files(folder, ['a_keep.txt', 'b_victim.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)

    menu, entries = right_click(program, frame, tile_point(frame, 1, 2))
    choose(program, menu, entries, '&Delete')
    confirm(program, 'Return')
    victim = os.path.join(folder, 'b_victim.txt')
    program.wait(lambda: not os.path.exists(victim), 10, 'the file deleted')
    assert list(launch.recycled()) == ['b_victim.txt']
    assert os.path.exists(os.path.join(folder, 'a_keep.txt'))
    program.close_and_check(0)


def test_close_all_but_this_keeps_the_root_and_the_marked_level(launch, scratch):
    first = os.path.join(scratch, 'first')
    second = os.path.join(scratch, 'second')
    make_files(first, ['one.txt', 'zero.txt'])
    make_files(second, ['two.txt', 'three.txt'])
    program = open_folder(launch, first)
    open_by_address(program, wine_path(second))
    program.wait_trace(lambda line: line.lower() == item(second, 'two.txt'), 10, 'second')
    program.wait_focus(SCENE_CLASS)
    program.wait_idle()

    frame = current_frame(program)  # the level opened last is current and marked
    menu, entries = right_click(program, frame, tile_point(frame, 0, 2))
    choose(program, menu, entries, CLOSE_ALL_BUT_THIS)

    # Two levels are left: the digit of a third one makes none current, and the kept level's
    # tile answers the menu.
    program.key('2')
    program.wait_idle()
    frame = settled_frame(program)
    copy_path_through_menu(program, frame, tile_point(frame, 1, 2), os.path.join(second, 'two.txt'))
    program.close_and_check(0)


def test_a_right_click_on_empty_space_opens_no_menu(launch, scratch):
    folder = os.path.join(scratch, 'empty')
    make_files(folder, ['only.txt'])
    program = open_folder(launch, folder)
    start = len(program.trace())
    left, top, width, height = program.client_rect()
    untitled = set(program.visible_windows(''))
    program.click(left + width - 20, top + height - 20, button=3)
    program.wait_idle()
    # A menu would be up by now: its loop holds the window's thread, which answers meanwhile.
    program.xdotool('mousemove', left + width - 30, top + height - 30)
    program.wait_idle()
    assert not [line for line in program.trace()[start:] if line.startswith('context menu: ')]
    assert set(program.visible_windows('')) == untitled
    program.close_and_check(0)


def test_the_first_click_after_a_dismissed_menu_opens_a_folder(launch, scratch):
    folder = os.path.join(scratch, 'after')
    make_files(os.path.join(folder, 'a_sub'), ['inner.txt'])
    make_files(folder, ['b.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)

    menu, _ = right_click(program, frame, tile_point(frame, 1, 2))
    program.key('Escape', window=menu)
    program.wait(lambda: menu not in program.visible_windows(''), 10, 'the menu to close')
    program.click_client(*tile_point(frame, 0, 2))
    program.wait_trace(lambda line: line.lower() == item(os.path.join(folder, 'a_sub'),
                                                         'inner.txt'),
                       10, 'the clicked folder opened as a level')
    program.close_and_check(0)

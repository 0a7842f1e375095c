"""Levels: a folder from the command line, paging trace, and the limit of 40 open folders."""
import os

from harness import SCENE_CLASS, SPLIT, wine_path
from test_scene_input import current_frame, settled_frame


def make_files(folder, count):
    os.makedirs(folder, exist_ok=True)
    for i in range(count):
        open(os.path.join(folder, f'item{i:02d}.txt'), 'w').close()


def in_folder(folder):
    """Whether a trace line names an item of folder."""
    prefix = wine_path(folder).lower() + '\\'
    return lambda line: line.lower().startswith(prefix)


def traced_items(program, folder):
    return [line for line in program.trace() if in_folder(folder)(line)]


def test_command_line_folder_opens_with_its_first_page_traced(launch, scratch):
    folder = os.path.join(scratch, 'twentyone')
    make_files(folder, 21)
    program = launch(args=[wine_path(folder)])
    program.wait_main_window()  # the first page is loaded before the first frame
    items = traced_items(program, folder)
    # Only the first page of 20 is loaded, in name order.
    assert len(items) == 20, items
    assert items[0].lower().endswith('item00.txt')
    assert not any(line.lower().endswith('item20.txt') for line in items)
    program.close_and_check(0)


def open_by_address(program, path):
    program.click_client(SPLIT + 60, 7)  # the address edit along the top of the scene
    # Wine sends a key to the control that has the keyboard when the key arrives, so the
    # click must have reached the edit before typing.
    program.wait_focus('Edit')
    # The edit selects its text when it gets the focus, but a mouse move Wine reports while the
    # button is down narrows that selection to the click point; Wine's edit has no Ctrl+A.
    program.key('Home', 'shift+End')
    program.type_text(path)
    program.key('Return')


def test_address_edit_opens_levels_up_to_forty(launch, scratch):
    folders = []
    for i in range(39):
        folder = os.path.join(scratch, f'f{i:02d}')
        make_files(folder, 1)
        folders.append(folder)
    program = launch()
    program.wait_main_window()
    # The desktop and the Computer folder are two of the forty.
    for folder in folders[:38]:
        open_by_address(program, wine_path(folder))
        program.wait_trace(in_folder(folder), what=f'the items of {folder}')
        # The opened level becomes current and takes the keyboard back from the edit.
        program.wait_focus(SCENE_CLASS)
    assert program.message_boxes() == []

    open_by_address(program, wine_path(folders[38]))
    title = 'Glimmera: limits'
    program.find_window(title)
    assert program.message_boxes() == ['Too many folders opened. Please close a few']
    program.answer_dialog(title, 'Return')
    program.wait_idle()  # the Return that asked for the folder is handled to its end
    assert not traced_items(program, folders[38])
    program.close_and_check(0)


def test_a_command_line_that_names_no_folder_opens_the_usual_levels(launch, scratch):
    """A missing path, a file and paths longer than MAX_PATH each start the program quietly on
    its usual levels, Computer on top; a long path to a real folder opens it only when the
    shell can parse it (Wine's cannot)."""
    a_file = os.path.join(scratch, 'plain.txt')
    open(a_file, 'w').close()
    deep = scratch
    while len(wine_path(deep)) < 300:
        deep = os.path.join(deep, 'd' * 40)
    make_files(deep, 2)
    for argument in (wine_path(os.path.join(scratch, 'missing')), wine_path(a_file),
                     'C:\\' + 'x' * 298, wine_path(deep)):
        program = launch(args=[argument])
        program.wait_main_window()
        assert not program.message_boxes(), argument
        assert 'C:\\' in program.trace(), 'the Computer level was read'
        opened = traced_items(program, scratch)
        assert opened == [] or (argument == wine_path(deep) and len(opened) == 2), opened
        program.close_and_check(0)


def test_the_level_left_current_by_a_close_is_framed_as_when_it_was_opened(launch, scratch):
    folder = os.path.join(scratch, 'parent')
    make_files(folder, 25)
    os.makedirs(os.path.join(folder, 'a_sub'))  # the first of 26 items: focused at the start
    open(os.path.join(folder, 'a_sub', 'inner.txt'), 'w').close()
    program = launch(args=[wine_path(folder)])
    program.wait_main_window()
    opened = settled_frame(program)

    program.key('Return')
    program.wait_trace(lambda line: line.lower().endswith('\\a_sub\\inner.txt'), 10,
                       'the subfolder opened')
    below = settled_frame(program)
    assert below != opened
    program.key('BackSpace')
    program.wait(lambda: current_frame(program) != below, 10, 'the subfolder closed')
    assert settled_frame(program) == opened
    program.close_and_check(0)

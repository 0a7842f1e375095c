"""Levels: a folder from the command line, paging trace, and the limit of 40 open folders."""
import os
import shutil
import tempfile
import time

import pytest


def wine_path(path):
    return 'Z:' + path.replace('/', '\\')


@pytest.fixture
def tree():
    root = tempfile.mkdtemp(prefix='glimmera-levels-')
    yield root
    shutil.rmtree(root, ignore_errors=True)


def make_files(folder, count):
    os.makedirs(folder, exist_ok=True)
    for i in range(count):
        open(os.path.join(folder, f'item{i:02d}.txt'), 'w').close()


def traced_items(program, folder):
    prefix = wine_path(folder).lower() + '\\'
    return [line for line in program.trace() if line.lower().startswith(prefix)]


def test_command_line_folder_opens_with_its_first_page_traced(launch, tree):
    folder = os.path.join(tree, 'twentyone')
    make_files(folder, 21)
    program = launch(args=[wine_path(folder)])
    program.wait_main_window(settle=4)
    items = traced_items(program, folder)
    # Only the first page of 20 is loaded, in name order.
    assert len(items) == 20, items
    assert items[0].lower().endswith('item00.txt')
    assert not any(line.lower().endswith('item20.txt') for line in items)
    program.key('alt+F4')
    assert program.wait_exit(30) == 0


def open_by_address(program, path):
    x, y, width, height = program.geometry()
    menu = height - 480
    program.click(x + 200 + 60, y + menu + 7)  # the address edit along the top of the scene
    time.sleep(0.2)
    program.xdotool('key', 'ctrl+a')
    program.xdotool('type', '--delay', '5', path)
    program.xdotool('key', 'Return')


def wait_traced(program, folder, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if traced_items(program, folder):
            return True
        time.sleep(0.1)
    return False


def test_address_edit_opens_levels_up_to_forty(launch, tree):
    folders = []
    for i in range(39):
        folder = os.path.join(tree, f'f{i:02d}')
        make_files(folder, 1)
        folders.append(folder)
    program = launch()
    program.wait_main_window(settle=3)
    # The desktop and the Computer folder are two of the forty.
    for folder in folders[:38]:
        open_by_address(program, wine_path(folder))
        assert wait_traced(program, folder), folder
        # The new level becomes current and rewrites the address edit when its flight ends;
        # text typed before that would be replaced.
        time.sleep(0.6)
    assert program.message_boxes() == []

    open_by_address(program, wine_path(folders[38]))
    box = program.find_window('Glimmera: limits', timeout=30)
    assert program.message_boxes() == ['Too many folders opened. Please close a few']
    program.key('Return', window=box)
    time.sleep(1)
    assert not traced_items(program, folders[38])
    program.key('alt+F4')
    assert program.wait_exit(30) == 0

"""Bad input from outside: each gives a clear outcome, a box or a quiet no-op, and loses
nothing."""
import contextlib
import os
import subprocess
import sys

import pytest
from PIL import Image

from harness import SCENE_CLASS, item, make_files, path_at, wine_path, write
from test_drag_drop import SOURCE_PROGRAM, drag, empty_spot, window_point
from test_context_menu import choose, right_click
from test_files import confirm, copy_and_paste
from test_levels import open_by_address
from test_scene_input import current_frame, open_folder, settled_frame, tile_point


@contextlib.contextmanager
def small_drive(folder, size, read_only=False):
    """A tmpfs of the given size at folder (tests run as root, where file modes do not stop a
    write), holding one file, remounted read-only on request; skips where mounting is not
    allowed."""
    os.makedirs(folder)
    if subprocess.run(['mount', '-t', 'tmpfs', '-o', f'size={size}', 'tmpfs', folder],
                      capture_output=True).returncode != 0:
        pytest.skip('this machine does not allow mounting a tmpfs')
    try:
        make_files(folder, ['inside.txt'])
        if read_only:
            subprocess.run(['mount', '-o', 'remount,ro', folder], check=True)
        yield
    finally:
        subprocess.run(['umount', '-l', folder], check=False)


@pytest.mark.parametrize('case', ['read-only', 'full'])
def test_a_paste_into_a_read_only_or_full_drive_keeps_both_sides(launch, scratch, case):
    source = os.path.join(scratch, 'source')
    target = os.path.join(scratch, 'target')
    data = os.urandom(256 * 1024)
    write(os.path.join(source, 'precious.bin'), data)
    with small_drive(target, '1m' if case == 'read-only' else '64k', case == 'read-only'):
        program = copy_and_paste(launch, source, target, 'inside.txt')
        program.wait_idle()
        assert open(os.path.join(source, 'precious.bin'), 'rb').read() == data
        assert open(os.path.join(target, 'inside.txt')).read() == ''
        copy = os.path.join(target, 'precious.bin')
        if case == 'read-only':
            assert not os.path.exists(copy)
        else:
            # Wine's shell leaves the copy cut where the drive filled up, quietly.
            assert os.path.getsize(copy) < len(data)
        program.close_and_check(0)


@pytest.mark.parametrize('kind', ['--text', '--image'])
def test_a_drop_of_text_or_an_image_is_refused_and_changes_nothing(launch, scratch, kind):
    target = os.path.join(scratch, 'target')
    make_files(target, ['existing.txt'])
    picture = os.path.join(scratch, 'picture.png')
    Image.new('RGB', (8, 8), (200, 30, 30)).save(picture)
    program = open_folder(launch, target)
    frame = current_frame(program)
    offered = 'some dragged words' if kind == '--text' else picture
    x_program = subprocess.Popen([sys.executable, SOURCE_PROGRAM, kind, '800', '100', offered],
                                 env=program.x_env, stdout=subprocess.PIPE, text=True)
    try:
        assert x_program.stdout.readline().strip() == 'ready'
        window = program.find_window('x drag source')
        drag(program, window_point(program, window), empty_spot(program, frame))
        assert x_program.stdout.readline().strip() == 'ended'
    finally:
        x_program.terminate()
        x_program.wait(timeout=10)
    program.wait_idle()
    assert sorted(os.listdir(target)) == ['existing.txt']
    program.close_and_check(0)


def test_a_paste_of_files_that_no_longer_exist_is_a_quiet_no_op(launch, scratch):
    """The clipboard names a file that went away after it was copied."""
    source = os.path.join(scratch, 'source')
    target = os.path.join(scratch, 'target')
    write(os.path.join(source, 'vanishing.txt'), b'soon gone')
    make_files(target, ['inside.txt'])
    program = open_folder(launch, source)
    program.key('ctrl+c')
    program.wait_idle()
    os.remove(os.path.join(source, 'vanishing.txt'))
    open_by_address(program, wine_path(target))
    program.wait_trace(lambda line: line.lower() == item(target, 'inside.txt'), 10, 'target')
    program.wait_focus(SCENE_CLASS)
    program.key('ctrl+v')
    program.wait_idle()
    assert sorted(os.listdir(target)) == ['inside.txt']
    assert program.message_boxes() == []
    program.close_and_check(0)


def test_names_apart_only_in_case_or_forbidden_on_windows_touch_no_other_file(launch, scratch):
    # The Linux side holds names Windows would not: two apart only in case, and one with a
    # wildcard, which the shell could take for a pattern matching whatX.txt as well.
    folder = os.path.join(scratch, 'odd')
    names = {'Same.txt': b'upper case', 'same.txt': b'lower case', 'what?.txt': b'forbidden',
             'whatX.txt': b'matches the pattern'}
    for name, data in names.items():
        write(os.path.join(folder, name), data)
    program = open_folder(launch, folder)

    def tiles():
        """Each tile's client point by the path Ctrl+P copies there, as the shell spells it."""
        frame = settled_frame(program)
        count = len(os.listdir(folder))
        points = [tile_point(frame, index, count) for index in range(count)]
        return frame, {path_at(program, program.to_screen(*point), upper=False): point
                       for point in points}

    def delete(name):
        """Chooses the shell's Delete on the tile of the name and answers its question."""
        frame, shown = tiles()
        assert len(shown) == len(os.listdir(folder)), shown
        menu, entries = right_click(program, frame, shown[wine_path(os.path.join(folder, name))])
        choose(program, menu, entries, '&Delete')
        confirm(program, 'Return')
        program.wait_idle()

    delete('same.txt')
    program.wait(lambda: 'same.txt' not in os.listdir(folder), 10, 'same.txt deleted')
    assert list(launch.recycled().values()) == [b'lower case']
    # Wine's shell refuses the wildcard's name (an invalid name) and deletes nothing.
    delete('what?.txt')
    del names['same.txt']
    assert {name: open(os.path.join(folder, name), 'rb').read()
            for name in os.listdir(folder)} == names
    assert list(launch.recycled().values()) == [b'lower case']
    program.close_and_check(0)

"""Drag and drop onto the scene: tiles dragged from one level to another (move, copy,
shortcut, nothing onto their own level, Escape), between two runs of the program, and files
from an X program."""
import os
import subprocess
import sys
import time

import pytest

from harness import (DRAG_PACE, PREFIX, SCENE_CLASS, hold, item, make_files, path_at, release,
                     wait_until, wine_path, write)
from test_files import confirm, files_under
from test_levels import open_by_address
from test_scene_input import current_frame, hover_level, level_frames, open_folder, tile_point

SOURCE_PROGRAM = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'x_drag_source.py')


def still_frames(program):
    """The level frames once the camera has come to rest (two looks alike)."""
    last = []

    def settled():
        nonlocal last
        frames, last = last, level_frames(program)
        return frames == last and last

    return program.wait(settled, 20, 'the camera to rest')


def drag(program, start, end, modifiers=(), before_release=None, steps=10, press_at=None,
         dropped=None):
    """Drags from one screen point to another in small steps as a hand does, pressing the
    modifiers at step press_at, by default near the end (Ctrl held at the press would toggle the
    tile instead, and Ctrl with Shift keeps the level marked where they went down). Keys reach
    the drag loop only while the source window has the X focus, which follows the pointer.
    before_release runs with the cursor at the end, the button still down. dropped waits for
    the drop's outcome while the modifiers are still held: a drop into another program reads
    the keys when its loop sees the release, and Wine's key state is shared between programs,
    so a release sent right behind the button may reach it first."""
    program.xdotool('mousemove', *start, 'mousedown', '1')
    for step in range(1, steps + 1):
        time.sleep(DRAG_PACE)
        if step == (press_at or steps - 1) and modifiers:
            program.xdotool(*hold(modifiers))
        program.xdotool('mousemove', round(start[0] + (end[0] - start[0]) * step / steps),
                        round(start[1] + (end[1] - start[1]) * step / steps))
    time.sleep(DRAG_PACE)
    if before_release:
        before_release()
    if dropped:
        program.xdotool('mouseup', '1')
        dropped()
        program.xdotool(*release(modifiers))
    else:
        program.xdotool('mouseup', '1', *release(modifiers))
    program.wait_idle()


def label_line(operation, folder):
    """The trace line of a drag label naming the operation and the folder."""
    return f'drag label: {operation} To {wine_path(folder)} '


def label(program, operation, folder):
    """Waits for the drag label naming the operation and the folder."""
    expected = label_line(operation, folder)
    program.wait_trace(lambda line: line == expected, 20, f'the label "{expected}"')


def hover_until_label(program, point, operation, folder):
    """Nudges the pointer at point until the drag label names the operation and the folder:
    Wine passes an X program's drag on to the window under it only as the pointer moves, and
    under load the last move before the drop can be lost."""
    expected = label_line(operation, folder)

    def named():
        if expected in program.trace():
            return True
        program.xdotool('mousemove', point[0] + 1, point[1], 'mousemove', *point)
        return False

    program.wait(named, 20, f'the label "{expected}"')


def empty_spot(program, level):
    """A screen point on a level's background below its tiles."""
    return program.to_screen((level[0] + level[2]) // 2, level[3] - 6)


def tile(program, level, folder, name):
    """The screen point of a file's tile on a level, tiles in name order."""
    names = sorted(os.listdir(folder), key=str.lower)
    return program.to_screen(*tile_point(level, names.index(name), len(names)))


def test_tiles_dragged_onto_another_level_move_copy_or_link_and_escape_cancels(launch, scratch):
    top = os.path.join(scratch, 'top')
    target = os.path.join(top, 'z_target')
    write(os.path.join(top, 'a_move.txt'), b'moved whole')
    write(os.path.join(top, 'b_copy.bin'), bytes(range(256)) * 16)
    write(os.path.join(top, 'c_link.txt'), b'linked')
    make_files(target, ['inside.txt'])
    program = open_folder(launch, top)
    frame = current_frame(program)
    hover_level(program, frame)
    program.click_client(*tile_point(frame, 3, 4))  # opens z_target under top
    program.wait_trace(lambda line: line.lower() == item(target, 'inside.txt'), 20, 'target')
    parent, below = still_frames(program)[-2:]
    into = empty_spot(program, below)

    # Onto the level it came from: the label names that folder, and nothing moves.
    own = empty_spot(program, parent)
    drag(program, tile(program, parent, top, 'a_move.txt'), own)
    label(program, 'MOVE', top)
    # Escape over the target cancels.
    drag(program, tile(program, parent, top, 'a_move.txt'), into,
         before_release=lambda: program.xdotool('key', 'Escape'))
    label(program, 'MOVE', target)
    program.wait_idle()
    assert os.path.exists(os.path.join(top, 'a_move.txt'))
    assert not os.path.exists(os.path.join(target, 'a_move.txt'))

    drag(program, tile(program, parent, top, 'a_move.txt'), into)
    moved = os.path.join(target, 'a_move.txt')
    program.wait(lambda: os.path.exists(moved) and not os.path.exists(
        os.path.join(top, 'a_move.txt')), 20, 'the move')
    assert open(moved, 'rb').read() == b'moved whole'

    program.wait_trace(lambda line: line.lower() == item(target, 'a_move.txt'), 20, 'reload')
    parent, below = still_frames(program)[-2:]
    drag(program, tile(program, parent, top, 'b_copy.bin'), into, modifiers=('ctrl',))
    label(program, 'COPY', target)
    copied = os.path.join(target, 'b_copy.bin')
    program.wait(lambda: os.path.exists(copied) and os.path.getsize(copied) == 4096, 20,
                 'the copy')
    assert open(copied, 'rb').read() == bytes(range(256)) * 16
    assert os.path.exists(os.path.join(top, 'b_copy.bin'))

    program.wait_trace(lambda line: line.lower() == item(target, 'b_copy.bin'), 20, 'reload')
    parent, below = still_frames(program)[-2:]
    into = empty_spot(program, below)
    drag(program, tile(program, parent, top, 'c_link.txt'), into, modifiers=('ctrl', 'shift'))
    label(program, 'SHORTCUT', target)
    program.wait(lambda: os.path.exists(os.path.join(target, 'c_link.txt - Shortcut.lnk')), 20,
                 'the shortcut')
    assert os.path.exists(os.path.join(top, 'c_link.txt'))
    program.close_and_check(0)


def test_drops_onto_a_file_or_into_a_dragged_folder_change_nothing_and_a_copy_is_beside(
        launch, scratch):
    top = os.path.join(scratch, 'top')
    b_dir = os.path.join(top, 'b_dir')
    write(os.path.join(top, 'a_file.txt'), b'dragged about')
    write(os.path.join(b_dir, 'sub', 'deep.txt'), b'deep inside')
    write(os.path.join(top, 'c_under.txt'), b'under the drop')
    before = files_under(top)
    program = open_folder(launch, top)
    frame = current_frame(program)
    hover_level(program, frame)

    def unchanged(what):
        program.wait_idle()
        assert not program.visible_windows('Confirm', exact=False), what
        assert files_under(top) == before, what

    # Onto a file's tile, moved or copied (a_file is selected as the level opens): a file is no
    # folder, and the shell would take its path for the new name and overwrite it.
    for modifiers in ((), ('ctrl',)):
        start = len(program.trace())
        drag(program, tile(program, frame, top, 'a_file.txt'),
             tile(program, frame, top, 'c_under.txt'), modifiers=modifiers)
        program.wait_trace(lambda line: line.endswith(' To  '), 20, 'a label without target',
                           since=start)
        unchanged(f'a drop onto a file tile, keys {modifiers}')

    # b_dir, opened below by a click, dragged onto its own subfolder's tile.
    program.click(*tile(program, frame, top, 'b_dir'))
    program.wait_trace(lambda line: line.lower() == item(b_dir, 'sub'), 20, 'b_dir opened')
    parent, below = still_frames(program)[-2:]
    drag(program, tile(program, parent, top, 'b_dir'), tile(program, below, b_dir, 'sub'))
    label(program, 'MOVE', os.path.join(b_dir, 'sub'))
    unchanged('a folder dropped into its own subfolder')

    # a_file and b_dir dragged onto b_dir's tile: the second item is the target itself.
    program.click(*tile(program, parent, top, 'a_file.txt'), modifiers=('ctrl',))
    program.wait_idle()
    drag(program, tile(program, parent, top, 'a_file.txt'), tile(program, parent, top, 'b_dir'))
    label(program, 'MOVE', b_dir)
    unchanged('a drop onto the second dragged item')

    # Ctrl-dragged onto their own level, both get a copy of a name of their own beside them.
    drag(program, tile(program, parent, top, 'a_file.txt'), empty_spot(program, parent),
         modifiers=('ctrl',))
    label(program, 'COPY', top)
    added = lambda: {name: data for name, data in files_under(top).items() if name not in before}
    program.wait(lambda: len(added()) == 2, 20, 'the copies beside the originals')
    assert sorted(added().values()) == [b'deep inside', b'dragged about']
    assert files_under(top) == {**before, **added()}
    program.close_and_check(0)


def window_point(program, window):
    """A screen point well inside an X window."""
    x, y, width, height = program.geometry(window)
    return x + width // 2, y + height // 2


def test_a_drag_between_two_runs_of_the_program_copies_or_moves_the_files(launch, scratch):
    source = os.path.join(scratch, 'source')
    target = os.path.join(scratch, 'target')
    write(os.path.join(source, 'copied.bin'), bytes(range(256)) * 8)
    write(os.path.join(source, 'moved.txt'), b'moved across')
    make_files(target, ['existing.txt'])
    receiver = open_folder(launch, target)
    receiver_frame = current_frame(receiver)
    # The receiver stands right of the sender; each is then found at its place, not by title.
    receiver.xdotool('windowmove', receiver.window, 640, 0)
    receiver.located_at = (900, 300)
    receiver.wait(lambda: receiver.client_rect()[0] >= 640, 20, 'the receiver to move')
    sender = launch(args=[wine_path(source)])
    sender.window = sender.wait(
        lambda: [w for w in sender.visible_windows('Glimmera') if w != receiver.window], 60,
        'the second window')[0]
    sender.located_at = window_point(sender, sender.window)
    sender.wait_idle()
    sender.wait_frame()
    sender_frame = current_frame(sender)
    hover_level(sender, sender_frame)
    into = empty_spot(receiver, receiver_frame)

    copied = os.path.join(target, 'copied.bin')
    drag(sender, sender.to_screen(*tile_point(sender_frame, 0, 2)), into, modifiers=('ctrl',),
         press_at=2, before_release=lambda: hover_until_label(receiver, into, 'COPY', target),
         dropped=lambda: sender.wait(
             lambda: os.path.exists(copied) and os.path.getsize(copied) == 2048, 20, 'the copy'))
    label(receiver, 'COPY', target)
    assert os.path.exists(os.path.join(source, 'copied.bin'))

    drag(sender, sender.to_screen(*tile_point(sender_frame, 1, 2)), into,
         before_release=lambda: hover_until_label(receiver, into, 'MOVE', target))
    sender.wait(lambda: os.path.exists(os.path.join(target, 'moved.txt')) and not
                os.path.exists(os.path.join(source, 'moved.txt')), 20, 'the move')
    sender.close_and_check(0)
    receiver.close_and_check(0)


def test_files_dragged_from_an_x_program_arrive_on_the_level(launch, scratch):
    target = os.path.join(scratch, 'target')
    outside = os.path.join(scratch, 'outside', 'from x.txt')
    make_files(target, ['existing.txt'])
    write(outside, 'from an X program'.encode())
    program = open_folder(launch, target)
    frame = current_frame(program)
    x_program = subprocess.Popen([sys.executable, SOURCE_PROGRAM, '800', '100', outside],
                                 env=program.x_env, stdout=subprocess.PIPE, text=True)
    try:
        assert x_program.stdout.readline().strip() == 'ready'
        window = program.find_window('x drag source')
        into = empty_spot(program, frame)
        drag(program, window_point(program, window), into,
             before_release=lambda: hover_until_label(program, into, 'MOVE', target))
        arrived = os.path.join(target, 'from x.txt')
        wait_until(lambda: os.path.exists(arrived) and os.path.getsize(arrived) == 17, 20,
                   'the dropped file')
        assert open(arrived, 'rb').read() == b'from an X program'
    finally:
        x_program.terminate()
        x_program.wait(timeout=10)
    program.close_and_check(0)


RECYCLE_BIN = '::{645FF040-5081-101B-9F08-00AA002F954E}'
COMPUTER = '::{20D04FE0-3AEA-1069-A2D8-08002B30309D}'


def level_of(program, path):
    """The frame of the level showing path, found by probing each level's background."""
    return next(level for level in still_frames(program)
                if path_at(program, empty_spot(program, level)) == path.upper())


def drive_tile(program, computer, letter):
    """The screen point of a drive's tile on the Computer level (Control Panel and the
    prefix's drives), found by probing each tile."""
    drives = [name for name in os.listdir(os.path.join(PREFIX, 'dosdevices'))
              if len(name) == 2 and name[1] == ':']
    points = [program.to_screen(*tile_point(computer, index, len(drives) + 1))
              for index in range(len(drives) + 1)]
    return next(point for point in points if path_at(program, point) == f'{letter}\\')


def test_virtual_folders_take_no_files_and_the_recycle_bin_recycles(launch, scratch, drive):
    folder = os.path.join(scratch, 'source')
    write(os.path.join(folder, 'a_keep.txt'), b'kept')
    write(os.path.join(folder, 'b_victim.txt'), b'recycled')
    victim = os.path.join(folder, 'b_victim.txt')

    # At the start Computer is current: a paste there goes nowhere, and nothing asks.
    workdir = os.path.join(scratch, 'work')
    os.makedirs(workdir)
    program = launch(workdir=workdir)
    program.wait_main_window()
    program.set_clipboard_files([victim])
    for _ in range(3):  # Wine learns of the X clipboard's new owner a moment late
        program.wait_focus(SCENE_CLASS)
        program.key('ctrl+v')
        program.wait_idle()
    assert os.listdir(workdir) == ['glimmera.exe'] and program.message_boxes() == []
    assert sorted(os.listdir(scratch)) == ['source', 'work']
    program.close_and_check(0)

    # Dragged onto the Computer level: no target, and the drop leaves the file.
    program = open_folder(launch, folder)
    computer = level_of(program, COMPUTER)
    source = level_of(program, wine_path(folder))
    start = len(program.trace())
    drag(program, tile(program, source, folder, 'b_victim.txt'), empty_spot(program, computer))
    program.wait_trace(lambda line: line == 'drag label: MOVE To  ', 20, 'a label without target')
    assert not [line for line in program.trace()[start:] if '::{' in line]
    assert open(victim, 'rb').read() == b'recycled'

    # Onto the Recycle Bin's level: recycled after the shell's question.
    start = len(program.trace())
    open_by_address(program, RECYCLE_BIN)
    # Probes in flight would point at nothing; the Recycle Bin's first page can hold up the
    # flight long enough for two screenshots to look alike.
    program.wait_trace(lambda line: line == 'camera at rest', 30, 'the flight to the Recycle Bin',
                       since=start)
    program.wait_focus(SCENE_CLASS)
    recycle_bin = level_of(program, RECYCLE_BIN)

    # A whole drive is never recycled: the shell would empty it after one question.
    letter, drive_folder = drive
    write(os.path.join(drive_folder, 'on_the_drive.txt'), b'whole drive')
    start = len(program.trace())
    drag(program, drive_tile(program, level_of(program, COMPUTER), letter),
         empty_spot(program, recycle_bin))
    program.wait_trace(lambda line: line.startswith('drag label: '), 20, 'the drive dragged',
                       since=start)
    with pytest.raises(TimeoutError):
        program.find_window('Confirm', timeout=3, exact=False)
    assert open(os.path.join(drive_folder, 'on_the_drive.txt'), 'rb').read() == b'whole drive'

    source = level_of(program, wine_path(folder))
    drag(program, tile(program, source, folder, 'b_victim.txt'), empty_spot(program, recycle_bin))
    confirm(program, 'Return')
    program.wait(lambda: not os.path.exists(victim), 20, 'the file recycled')
    assert list(launch.recycled().values()) == [b'recycled']
    assert os.path.exists(os.path.join(folder, 'a_keep.txt'))
    program.close_and_check(0)


def test_several_files_moved_to_another_drive_arrive_whole_and_leave_their_folder(
        launch, scratch, drive):
    letter, drive_folder = drive
    source = os.path.join(drive_folder, 'src')
    write(os.path.join(source, 'a_one.txt'), b'first of two')
    write(os.path.join(source, 'b_two.bin'), bytes(range(256)) * 8)
    write(os.path.join(source, 'c_stays.txt'), b'not selected')
    target = os.path.join(scratch, 'target')
    make_files(target, ['existing.txt'])
    program = open_folder(launch, target)
    start = len(program.trace())
    open_by_address(program, f'{letter}\\src')
    program.wait_trace(lambda line: line == 'camera at rest', 30, 'the flight to T:', since=start)
    program.wait_focus(SCENE_CLASS)

    # a_one is selected as the level opens; Ctrl+click adds b_two, and a drag of a_one onto
    # the level on Z: moves both (across drives the shell copies, then removes).
    current = current_frame(program)
    program.click(*tile(program, current, source, 'b_two.bin'), modifiers=('ctrl',))
    program.wait_idle()
    into = level_of(program, wine_path(target))
    drag(program, tile(program, current, source, 'a_one.txt'), empty_spot(program, into))
    label(program, 'MOVE', target)
    program.wait(lambda: sorted(os.listdir(source)) == ['c_stays.txt'], 30,
                 f'the move, source {os.listdir(source)} target {os.listdir(target)}')
    program.wait(lambda: os.path.exists(os.path.join(target, 'b_two.bin')) and
                 os.path.getsize(os.path.join(target, 'b_two.bin')) == 2048, 20, 'the copy')
    assert open(os.path.join(target, 'a_one.txt'), 'rb').read() == b'first of two'
    assert open(os.path.join(target, 'b_two.bin'), 'rb').read() == bytes(range(256)) * 8
    assert sorted(os.listdir(target)) == ['a_one.txt', 'b_two.bin', 'existing.txt']
    program.close_and_check(0)

"""Closing the program in the middle of something: while page icons load, while a watcher
reports, with the shell's question up and during a drag. Each ends with exit code 0 and every
file whole."""
import os
import subprocess
import time

import pytest

from harness import DRAG_PACE, churning, make_files, wine_path, write
from test_files import CONFIRM, files_under
from test_scene_input import current_frame, open_folder, tile_point


@pytest.mark.parametrize('activity', ['icons', 'watcher', 'question', 'drag'])
def test_closing_in_the_middle_of_an_activity_exits_cleanly_and_keeps_every_file(
        launch, scratch, activity):
    folder = os.path.join(scratch, 'busy')
    make_files(folder, [f'file{i:04}.txt' for i in range(1500 if activity == 'icons' else 3)])
    write(os.path.join(folder, 'a_first.txt'), b'kept whole')
    before = files_under(folder)

    if activity == 'icons':
        # Closed as soon as the window answers, while the first page's icons are fetched.
        program = launch(args=[wine_path(folder)])
        program.wait_main_window(frame=False)
        program.close_and_check(0)
    elif activity == 'watcher':
        program = open_folder(launch, folder)
        stop, thread = churning(folder)
        try:
            time.sleep(0.5)  # let the watcher report a few changes before the close
            program.close_and_check(0)
        finally:
            stop.set()
            thread.join()
    elif activity == 'question':
        # Alt+F4 goes to the question, which it declines; the second closes the program.
        program = open_folder(launch, folder)
        program.key('Delete')
        program.answer_dialog(CONFIRM, 'alt+F4')
        program.wait_idle()
        program.close_and_check(0)
    else:
        # Alt+F4 with the button down in the middle of a drag over the program's own level.
        program = open_folder(launch, folder)
        frame = current_frame(program)
        start = program.to_screen(*tile_point(frame, 0, len(before)))
        program.xdotool('mousemove', *start, 'mousedown', '1')
        for step in range(1, 6):
            time.sleep(DRAG_PACE)
            program.xdotool('mousemove', start[0] + 8 * step, start[1] + 4 * step)
        program.key('alt+F4')
        program.xdotool('mouseup', '1')
        # The drag's loop may have taken the key; then the program is still there to close.
        try:
            assert program.wait_exit(5) == 0
        except subprocess.TimeoutExpired:
            program.close_and_check(0)

    assert {name: data for name, data in files_under(folder).items()
            if not name.startswith('churn')} == before

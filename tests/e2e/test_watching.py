"""Open folders follow the disk: names that come and go, bursts, vanished folders and drives
that go away. (Wine delivers the shell's change notifications only inside the process that
reports them; tests/win covers the registrations.)"""
import os
import shutil
import subprocess
import threading
import time

from harness import BUILD, churning, item, make_files, wine_path
from test_explorer_pane import wait_pane

NOTIFY = os.path.join(BUILD, 'helpers', 'notify.exe')


def reads_of(program, folder, first):
    """How often the page starting with first was loaded: once per read of the folder."""
    line = item(folder, first)
    return sum(1 for traced in program.trace() if traced.lower() == line)


def page_after(program, start):
    """Trace lines from index start on, lower-cased."""
    return [line.lower() for line in program.trace()[start:]]


def notify(program, *args):
    subprocess.run(['wine', NOTIFY, *args], env=program.env, check=True, timeout=60,
                   capture_output=True)


def test_names_that_come_and_go_are_read_again_but_contents_are_not(launch, scratch):
    folder = os.path.join(scratch, 'watched')
    make_files(folder, ['b1.txt', 'b2.txt', 'b3.txt'])
    program = launch(args=[wine_path(folder)])
    program.wait_main_window()
    assert reads_of(program, folder, 'b1.txt') == 1

    start = len(program.trace())
    make_files(folder, ['a_new.txt'])
    program.wait_trace(lambda line: line.lower() == item(folder, 'a_new.txt'), 10,
                       'the new file in the re-read page')
    assert item(folder, 'a_new.txt') == page_after(program, start)[0], 'it sorts first'

    start = len(program.trace())
    os.remove(os.path.join(folder, 'b2.txt'))
    program.wait(lambda: reads_of(program, folder, 'a_new.txt') == 2, 10, 'a read after delete')
    assert item(folder, 'b2.txt') not in page_after(program, start)

    start = len(program.trace())
    os.rename(os.path.join(folder, 'b3.txt'), os.path.join(folder, 'b9.txt'))
    program.wait_trace(lambda line: line.lower() == item(folder, 'b9.txt'), 10, 'the new name')
    assert item(folder, 'b3.txt') not in page_after(program, start)

    # Writing into a file changes its size and time, not the names: no read. A later new name
    # shows that the watch still works and was not just slow.
    program.wait(lambda: reads_of(program, folder, 'a_new.txt') == 3, 10, 'the rename read')
    with open(os.path.join(folder, 'b1.txt'), 'w') as f:
        f.write('contents that change the size and the time')
    time.sleep(0.5)  # room for a read that must not happen
    make_files(folder, ['c_marker.txt'])
    program.wait_trace(lambda line: line.lower() == item(folder, 'c_marker.txt'), 10, 'marker')
    assert reads_of(program, folder, 'a_new.txt') == 4
    program.close_and_check(0)


def test_a_burst_of_two_thousand_files_is_read_a_handful_of_times(launch, scratch):
    folder = os.path.join(scratch, 'burst')
    make_files(folder, ['a0000.txt'])
    program = launch(args=[wine_path(folder)])
    program.wait_main_window()

    answered = []

    def burst():
        for i in range(1, 2001):
            open(os.path.join(folder, f'f{i:04d}.txt'), 'w').close()

    writer = threading.Thread(target=burst)
    writer.start()
    while writer.is_alive():
        info = program.info()
        answered.append(bool(info and info.responds))
    writer.join()
    # The last read sees every file: its page ends with the last of the first twenty.
    program.wait(lambda: reads_of(program, folder, 'a0000.txt') >= 2
                 and program.trace()[-1].lower() == item(folder, 'f0019.txt'),
                 30, 'a read after the burst')
    program.wait_idle()
    reads = reads_of(program, folder, 'a0000.txt') - 1
    assert 1 <= reads <= 30, reads
    assert answered and all(answered), 'the window answered during the burst'
    program.close_and_check(0)


def test_vanished_folders_close_their_levels_and_their_watchers_end(launch, scratch):
    parent = os.path.join(scratch, 'parent')
    child = os.path.join(parent, 'child')
    make_files(parent, ['p.txt'])
    make_files(child, ['c.txt'])
    program = launch(args=[wine_path(child)])
    program.wait_main_window()
    program.wait_idle()
    with_child = program.info().threads

    # Keep the folder busy, then take it away: its level closes and its watcher goes.
    stop, churner = churning(child)
    program.wait(lambda: reads_of(program, child, 'c.txt') >= 2, 10, 'reads while it churns')
    stop.set()
    churner.join()
    shutil.rmtree(child)
    # The level is gone from the scene (another is current), and its watcher with it.
    wait_pane(program,
              lambda shown: (shown.address or '').lower() not in ('', wine_path(child).lower()),
              'another level current')
    program.wait(lambda: program.info().threads < with_child, 30, 'the watcher thread to end')
    program.close_and_check(0)


def test_a_removed_drive_closes_its_levels_and_computer_is_read_again(launch, scratch):
    folder = os.path.join(scratch, 'ondrive')
    make_files(folder, ['d.txt'])
    program = launch(args=[wine_path(folder)])
    program.wait_main_window()
    program.wait_idle()
    threads = program.info().threads
    start = len(program.trace())
    # The level's folder lies on Z:, the drive of the whole Unix tree.
    notify(program, 'volume-removed', 'Z')
    wait_pane(program, lambda shown: not (shown.address or 'z:').lower().startswith('z:'),
              'a level off Z: current', timeout=30)
    program.wait(lambda: program.info().threads < threads, 30, 'the watch on Z: to end')
    assert any(line.startswith('::') or line.lower().startswith('c:\\')
               for line in program.trace()[start:]), 'the Computer level was read again'
    program.close_and_check(0)

"""Working on files from the scene: delete with the shell's confirmation, copy and paste
between levels, and the full path on the clipboard."""
import os

from harness import SCENE_CLASS, item, make_files, path_at, wine_path, write
from test_levels import open_by_address
from test_scene_input import current_frame, hover_level, open_folder, tile_point

CONFIRM = 'Confirm file deletion'


def confirm(program, key):
    """Answers the shell's deletion question, and a second one where Wine asks again before it
    deletes for good (a prefix that cannot recycle)."""
    program.answer_dialog(CONFIRM, key)
    try:
        program.answer_dialog(CONFIRM, key, timeout=2)
    except TimeoutError:
        pass


def test_delete_asks_first_and_shift_delete_deletes_for_good(launch, scratch):
    folder = os.path.join(scratch, 'deleting')
    make_files(folder, ['a_victim.txt', 'b_keep.txt'])
    with open(os.path.join(folder, 'a_victim.txt'), 'w') as f:
        f.write('recycled, not lost')
    victim = os.path.join(folder, 'a_victim.txt')
    program = open_folder(launch, folder)

    program.key('Delete')  # the first item is selected
    confirm(program, 'n')
    assert os.path.exists(victim), 'declining keeps the file'

    start = len(program.trace())
    program.key('Delete')
    confirm(program, 'Return')
    program.wait(lambda: not os.path.exists(victim), 10, 'the file deleted')
    assert list(launch.recycled().values()) == [b'recycled, not lost']

    # The folder is read again and b_keep is the first item now: gone for good with Shift.
    program.wait_trace(lambda line: line.lower() == item(folder, 'b_keep.txt'), 10, 'the re-read',
                       since=start)
    assert item(folder, 'a_victim.txt') not in [line.lower() for line in program.trace()[start:]]
    program.key('shift+Delete')
    confirm(program, 'Return')
    program.wait(lambda: not os.path.exists(os.path.join(folder, 'b_keep.txt')), 10, 'deleted')
    assert len(launch.recycled()) == 1, 'Shift+Delete recycles nothing'
    program.close_and_check(0)


def copy_and_paste(launch, source, target, shown):
    """Opens source, copies its first file, opens target (shown is a file in it) and pastes
    there; returns the program."""
    program = open_folder(launch, source)
    program.key('ctrl+c')
    program.wait_idle()
    open_by_address(program, wine_path(target))
    program.wait_trace(lambda line: line.lower() == item(target, shown), 10, 'target')
    program.wait_focus(SCENE_CLASS)
    program.key('ctrl+v')
    return program


def paste_from_x(program, pasted, what, timeout=10):
    """Ctrl+V in the scene until pasted() holds, three presses at the most. Wine learns of a
    new X clipboard owner asynchronously: a paste right after the change may still find the
    clipboard empty and paste nothing. After the shell's copy the keyboard may come back to
    the scene a moment late."""
    for attempt in range(3):
        program.wait_focus(SCENE_CLASS)
        program.key('ctrl+v')
        try:
            program.wait(pasted, timeout, what)
            return
        except TimeoutError:
            if attempt == 2:
                raise


def test_copy_and_paste_between_levels_copies_the_files(launch, scratch):
    source = os.path.join(scratch, 'source')
    target = os.path.join(scratch, 'target')
    make_files(target, ['existing.txt'])
    os.makedirs(source)
    with open(os.path.join(source, 'data.bin'), 'wb') as f:
        f.write(bytes(range(256)) * 64)
    program = copy_and_paste(launch, source, target, 'existing.txt')
    copied = os.path.join(target, 'data.bin')
    program.wait(lambda: os.path.exists(copied) and os.path.getsize(copied) == 256 * 64, 15,
                 'the pasted copy')
    assert open(copied, 'rb').read() == bytes(range(256)) * 64

    # Files another program put on the clipboard (an X program's text/uri-list) paste too.
    program.wait_trace(lambda line: line.lower() == item(target, 'data.bin'), 10, 'the re-read')
    outside = os.path.join(scratch, 'outside', 'from x \u00e9t\u00e9.txt')
    make_files(os.path.dirname(outside), [])
    with open(outside, 'w', encoding='utf-8') as f:
        f.write('pasted from X')
    program.set_clipboard_files([outside])
    pasted = os.path.join(target, os.path.basename(outside))
    paste_from_x(program, lambda: os.path.exists(pasted) and os.path.getsize(pasted) == 13,
                 'the file pasted from X')
    assert open(pasted, encoding='utf-8').read() == 'pasted from X'

    # A second paste of the same file: the shell asks before replacing it; declined, the
    # file stays as it was.
    with open(pasted, 'a', encoding='utf-8') as f:
        f.write(', changed since')
    program.wait_idle()
    program.key('ctrl+v')
    program.answer_dialog('Confirm file overwrite', 'Escape')
    program.wait_idle()
    assert open(pasted, encoding='utf-8').read() == 'pasted from X, changed since'
    program.close_and_check(0)


def test_a_colliding_paste_replaces_what_is_accepted_and_a_cancel_keeps_the_rest(
        launch, scratch):
    source = os.path.join(scratch, 'from')
    target = os.path.join(scratch, 'into')
    for name, data in (('a_new.txt', b'new'), ('b_replaced.txt', b'the replacement'),
                       ('c_kept.txt', b'not wanted'), ('d_after.txt', b'after the cancel')):
        write(os.path.join(source, name), data)
    write(os.path.join(target, 'b_replaced.txt'), b'old b')
    write(os.path.join(target, 'c_kept.txt'), b'old c, kept')
    sources = files_under(source)
    program = open_folder(launch, target)
    program.set_clipboard_files([os.path.join(source, name) for name in sorted(sources)])

    # The shell asks about each name the folder holds: Yes replaces b, Cancel keeps c (what
    # follows a Cancel is the shell's to copy or leave, but never with other bytes).
    overwrite = 'Confirm file overwrite'
    paste_from_x(program, lambda: program.visible_windows(overwrite), 'the first question')
    program.answer_dialog(overwrite, 'Return')
    program.wait(lambda: files_under(target).get('b_replaced.txt') == b'the replacement', 15,
                 'b replaced')
    program.answer_dialog(overwrite, 'Escape')
    program.wait_idle()
    assert not program.visible_windows(overwrite)
    pasted = files_under(target)
    assert pasted['a_new.txt'] == b'new'
    assert pasted['b_replaced.txt'] == b'the replacement'
    assert pasted['c_kept.txt'] == b'old c, kept'
    assert pasted.get('d_after.txt', b'after the cancel') == b'after the cancel'
    assert set(pasted) <= set(sources)
    assert files_under(source) == sources
    program.close_and_check(0)


def test_pastes_into_the_copied_folder_itself_keep_every_file_whole(launch, scratch):
    top = os.path.join(scratch, 'top')
    inner = os.path.join(top, 'a_dir', 'inner')
    write(os.path.join(inner, 'x.txt'), b'the only copy')
    write(os.path.join(top, 'b.txt'), b'beside')
    before = files_under(top)

    # The folder a_dir (selected at the start) pasted into its own subfolder: nothing happens,
    # where the shell would copy the folder into itself without end.
    program = open_folder(launch, top)
    program.key('ctrl+c')
    program.wait_idle()
    open_by_address(program, wine_path(inner))
    program.wait_trace(lambda line: line.lower() == item(inner, 'x.txt'), 10, 'inner')
    program.wait_focus(SCENE_CLASS)
    program.key('ctrl+v')

    # x.txt pasted where it is gets a name of its own and leaves the original whole (Wine's
    # shell would ask to overwrite it and empty it). The keys are handled in order, so once
    # the copy is there the paste before it is done.
    program.key('ctrl+c')
    program.wait_idle()
    program.key('ctrl+v')
    copies = lambda: sorted(set(os.listdir(inner)) - {'x.txt'})
    (copy,) = program.wait(copies, 15, 'the numbered copy')
    copied = os.path.join('a_dir', 'inner', copy)
    program.wait(lambda: files_under(top).get(copied) == b'the only copy', 10, 'the copy written')
    assert files_under(top) == {**before, copied: b'the only copy'}
    assert copy.startswith('x') and copy.endswith('.txt')
    program.close_and_check(0)


def files_under(top):
    """The bytes of every file under top, by its path relative to top."""
    return {os.path.relpath(os.path.join(folder, name), top):
            open(os.path.join(folder, name), 'rb').read()
            for folder, _, names in os.walk(top) for name in names}


def test_ctrl_p_puts_the_tiles_full_path_alone_on_the_clipboard(launch, scratch):
    folder = os.path.join(scratch, 'paths')
    make_files(folder, ['first.txt', 'second.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    hover_level(program, frame)
    expected = wine_path(os.path.join(folder, 'second.txt'))
    assert path_at(program, program.to_screen(*tile_point(frame, 1, 2)), upper=False) == expected
    assert 'text/uri-list' not in program.clipboard('TARGETS')

    # Over the level's background: the folder's path.
    background = program.to_screen((frame[0] + frame[2]) // 2, frame[3] - 6)
    assert path_at(program, background, upper=False) == wine_path(folder)

    left, top, width, height = program.client_rect()
    assert path_at(program, (left + width - 20, top + height - 20)) == ''  # empty space
    program.close_and_check(0)

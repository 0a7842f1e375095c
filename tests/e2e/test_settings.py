"""The window placement and split survive a restart; a bad settings file gives the defaults."""
import os
import struct

LAYOUT = '<iiiiiB3s'  # client width, height, left, top, split, maximised, padding


def read_settings(folder):
    with open(os.path.join(folder, 'settings'), 'rb') as f:
        return f.read()


def test_placement_survives_a_restart(launch, scratch):
    first = launch(workdir=scratch)
    first.wait_main_window()
    first.xdotool('windowmove', first.window, 120, 90)
    first.xdotool('windowsize', first.window, 820, 619)
    first.wait(lambda: first.info().client[2] == 820 and first.geometry() == (120, 90, 820, 619),
               30, 'the window to move and grow')
    moved = first.geometry()
    info = first.info()
    first.close_and_check(0)

    data = read_settings(scratch)
    assert len(data) == 24
    width, height, left, top, split, maximised, padding = struct.unpack(LAYOUT, data)
    assert (width, split, maximised, padding) == (820, 200, 0, b'\0\0\0')
    # The record holds the real client size and the outer window's position; the menu bar
    # takes its share of the 619 X pixels.
    assert (width, height) == info.client[2:]
    assert height == 619 - (info.client[1] - moved[1])
    assert (left, top) == info.window[:2]

    second = launch(workdir=scratch)
    second.wait_main_window()
    assert second.geometry() == moved
    assert second.info().client == info.client
    second.close_and_check(0)
    # A valid load followed by a save writes back exactly the same bytes.
    assert read_settings(scratch) == data


def test_malformed_settings_give_the_defaults(launch, scratch):
    for number, content in enumerate(
            (b'\x01' * 23, b'\x7f' * 25, struct.pack(LAYOUT, 5, 700, 30, 40, 250, 0, b'\0\0\0'))):
        workdir = os.path.join(scratch, str(number))
        os.mkdir(workdir)
        with open(os.path.join(workdir, 'settings'), 'wb') as f:
            f.write(content)
        program = launch(workdir=workdir)
        program.wait_main_window()
        assert program.client_rect()[2:] == (640, 480), content
        program.close_and_check(0)
        width, height, _, _, split, maximised, _ = struct.unpack(LAYOUT, read_settings(workdir))
        assert (width, height, split, maximised) == (640, 480, 200, 0)


def test_maximised_window_comes_back_maximised_with_its_restored_size(launch, scratch):
    record = struct.pack(LAYOUT, 700, 500, 30, 40, 250, 1, b'\0\0\0')
    with open(os.path.join(scratch, 'settings'), 'wb') as f:
        f.write(record)
    program = launch(workdir=scratch)
    # Without a window manager Wine keeps the X window at its restored size, so the screen
    # shows only part of the maximised window: only the record is checked.
    program.wait_main_window(frame=False)
    program.close_and_check(0)
    assert read_settings(scratch) == record


def test_a_window_saved_off_every_monitor_opens_on_the_screen(launch, scratch):
    record = struct.pack(LAYOUT, 640, 480, 5000, 4000, 200, 0, b'\0\0\0')
    with open(os.path.join(scratch, 'settings'), 'wb') as f:
        f.write(record)
    program = launch(workdir=scratch)
    program.wait_main_window()
    left, top, width, height = program.info().window
    # Moved onto the 1280 x 1024 screen by the least distance: wholly on it, right edge on
    # the screen's right edge.
    assert 0 <= left and left + width == 1280, (left, width)
    assert 0 <= top and top + height <= 1024, (top, height)
    # Only the placement moved: the stored record stays until the window saves it again.
    assert read_settings(scratch) == record
    program.close_and_check(0)
    _, _, saved_left, saved_top, _, _, _ = struct.unpack(LAYOUT, read_settings(scratch))
    assert (saved_left, saved_top) == (left, top)

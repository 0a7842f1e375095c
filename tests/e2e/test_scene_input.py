"""Mouse and keyboard in the scene: tiles, pages, the name filter, the strip's edge and the
camera."""
import os
import struct

from harness import SPLIT, choose, item, make_files, open_menu, wine_path


# The sort menu's trace title, and its entry for the descending name order (an order's number
# plus one).
SORT_MENU = 'sort menu'
NAME_DESCENDING = 4


def traced(program, start=0):
    return [line.lower() for line in program.trace()[start:]]


def current_frame(program):
    """The current level's green frame in client coordinates: left, top, right, bottom. Its
    top and bottom edges are the only long green lines (a selected tile's frame is short)."""
    left, top, width, height = program.client_rect()
    image = program.screenshot().crop((left, top, left + width, top + height))
    pixels = image.load()
    edges = []
    for y in range(height):
        xs = [x for x in range(SPLIT, width) if pixels[x, y][1] > 200 and pixels[x, y][0] < 90
              and pixels[x, y][2] < 90]
        if len(xs) > 100:
            edges.append((y, min(xs), max(xs)))
    assert edges, 'no current level on the screen'
    return (min(e[1] for e in edges), edges[0][0], max(e[2] for e in edges), edges[-1][0])


def settled_frame(program):
    """The current level's frame once the camera has stopped flying."""
    frames = [None]

    def settled():
        frames.append(current_frame(program))
        return frames[-1] == frames[-2] and frames[-1]

    return program.wait(settled, 15, 'the camera to settle')


def level_frames(program):
    """The frames of the levels on the screen, top to bottom, in client coordinates: left, top,
    right, bottom. A frame's top and bottom edges are long lines a few rows thick, light (drawn
    blended, so not quite white) or, for the current level, green; levels stacked one under
    the other share an edge, or leave a gap of a few rows between their edges, which is no
    level. Light fills many rows tall (the filter field) are no edges."""
    left, top, width, height = program.client_rect()
    image = program.screenshot().crop((left, top, left + width, top + height))
    pixels = image.load()
    lines = []
    for y in range(height):
        xs = [x for x in range(SPLIT + 20, width)
              if min(pixels[x, y]) > 150 or (pixels[x, y][1] > 200 and pixels[x, y][0] < 90
                                             and pixels[x, y][2] < 90)]
        if len(xs) > 150 and len(xs) >= 0.8 * (max(xs) - min(xs) + 1):
            if lines and y - lines[-1][-1][0] <= 1:
                lines[-1].append((y, min(xs), max(xs)))
            else:
                lines.append([(y, min(xs), max(xs))])
    edges = [(group[0][0], group[0][1], group[0][2]) for group in lines
             if len(group) <= EDGE_ROWS]
    return [(min(a[1], b[1]), a[0], max(a[2], b[2]), b[0]) for a, b in zip(edges, edges[1:])
            if b[0] - a[0] > LEVEL_GAP]


# The most rows a frame's edge, or two edges touching, take.
EDGE_ROWS = 4
# More rows than two stacked levels leave between their edges, fewer than a level's title.
LEVEL_GAP = 8


# The distance between two rows of tiles, in level widths.
ROW_PITCH = 0.0714


def tile_point(frame, index, count):
    """Where the caption of the index-th of count tiles of the shown page lies: two columns
    filled top down, as many rows as half the page needs; offsets measured on a level, in
    frame widths (a level is always the same width in the scene, so they scale with the
    camera's distance)."""
    left, top, right, _ = frame
    width = right - left
    rows = (min(count, 20) + 1) // 2
    column, row = divmod(index, rows)
    return round(left + width * (0.125 + 0.52 * column)), round(top + width * (0.125 + ROW_PITCH * row))


def hover_level(program, frame):
    """Moves the pointer across the level's frame into it, as a hand does: crossing the frame
    marks the level, and clicks and page keys work on the marked level."""
    left, top, _, bottom = frame
    for x in range(left - 6, left + 8, 2):
        program.xdotool('mousemove', *program.to_screen(x, (top + bottom) // 2))
    program.wait_idle()


def open_folder(launch, folder):
    program = launch(args=[wine_path(folder)])
    program.wait_main_window()
    program.wait_idle()
    return program


def test_a_click_on_a_folder_tile_opens_it_and_modifiers_at_the_release_do_not(launch, scratch):
    folder = os.path.join(scratch, 'top')
    make_files(os.path.join(folder, 'a_sub'), ['inner.txt'])
    make_files(os.path.join(folder, 'b_sub'), ['other.txt'])
    make_files(folder, ['c.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)

    # Ctrl held through the release toggles the tile and opens nothing; so does the middle
    # button pressed while the left one was down.
    hover_level(program, frame)
    program.click_client(*tile_point(frame, 0, 3), modifiers=('ctrl',))
    program.wait_idle()
    program.xdotool('mousemove', *program.to_screen(*tile_point(frame, 0, 3)), 'mousedown', 1,
                    'mousedown', 2, 'mouseup', 1, 'mouseup', 2)
    program.wait_idle()
    # A plain click on a tile not selected opens it.
    hover_level(program, frame)
    program.click_client(*tile_point(frame, 1, 3))
    program.wait_trace(lambda line: line.lower() == item(os.path.join(folder, 'b_sub'),
                                                         'other.txt'),
                       10, 'the clicked folder opened as a level')
    assert item(os.path.join(folder, 'a_sub'), 'inner.txt') not in traced(program)
    program.close_and_check(0)


def test_page_keys_load_the_next_page_and_the_filter_narrows_at_every_key(launch, scratch):
    folder = os.path.join(scratch, 'paged')
    make_files(folder, [f'file{i:02d}.txt' for i in range(25)] + ['zeta.txt'])
    program = open_folder(launch, folder)
    assert item(folder, 'file20.txt') not in traced(program)
    # The page keys page the marked level.
    hover_level(program, current_frame(program))
    program.key('Next')
    program.wait_trace(lambda line: line.lower() == item(folder, 'file20.txt'), 10, 'page two')

    start = len(program.trace())
    program.key('F3')
    program.type_text('ze')
    program.wait_trace(lambda line: line.lower() == item(folder, 'zeta.txt')
                       and len(program.trace()) > start, 10, 'the filtered page')
    filtered = traced(program, start)
    assert item(folder, 'zeta.txt') in filtered
    assert item(folder, 'file00.txt') not in filtered

    start = len(program.trace())
    program.key('ctrl+BackSpace')
    program.wait(lambda: item(folder, 'file00.txt') in traced(program, start), 10,
                 'every item back')
    program.close_and_check(0)


def test_dragging_the_strips_edge_moves_the_split_into_the_settings(launch, scratch):
    program = launch(workdir=scratch)
    program.wait_main_window()
    program.drag_client([(SPLIT + 1, 300), (SPLIT + 60, 300), (SPLIT + 100, 300)])
    program.wait_idle()
    program.close_and_check(0)
    with open(os.path.join(scratch, 'settings'), 'rb') as f:
        split = struct.unpack('<iiiiiB3s', f.read())[4]
    assert SPLIT + 90 <= split <= SPLIT + 101, split


def test_shift_drag_on_empty_space_orbits_the_camera(launch, scratch):
    folder = os.path.join(scratch, 'orbit')
    make_files(folder, ['x.txt'])
    program = open_folder(launch, folder)
    left, top, width, height = program.client_rect()
    before = program.screenshot().crop((left + SPLIT, top, left + width, top + height))
    # Empty space at the bottom of the scene, away from the levels.
    program.drag_client([(width - 40, height - 20), (width - 140, height - 40)],
                        modifiers=('shift',))
    program.wait_idle()
    after = program.screenshot().crop((left + SPLIT, top, left + width, top + height))
    assert before.tobytes() != after.tobytes(), 'the picture changed'
    program.close_and_check(0)


def green_near(program, point, radius=4):
    """Whether a selection frame (green) is drawn around a tile whose caption is at point."""
    left, top, _, _ = program.client_rect()
    x, y = point
    # The right edge of the frame around the tile's icon, just left of its caption (a few
    # pixels further left in the second column).
    box = program.screenshot().crop((left + x - 18, top + y - radius, left + x - 8,
                                     top + y + radius))
    return any(g > 200 and r < 90 and b < 90 for r, g, b in box.getdata())


def test_keys_open_close_and_type_ahead(launch, scratch):
    folder = os.path.join(scratch, 'keys')
    make_files(os.path.join(folder, 'a_sub'), ['inner.txt'])
    make_files(os.path.join(folder, 'b_sub'), ['other.txt'])
    program = open_folder(launch, folder)
    inner = item(os.path.join(folder, 'a_sub'), 'inner.txt')
    other = item(os.path.join(folder, 'b_sub'), 'other.txt')

    # Enter opens the focused folder, the first one; Backspace closes the level again.
    program.key('Return')
    program.wait_trace(lambda line: line.lower() == inner, 10, 'a_sub opened by Enter')
    program.key('BackSpace')
    # The level closed: its parent is current again, framed as its child was (same rows).
    from test_explorer_pane import wait_current  # that module imports this one
    wait_current(program, folder)

    # Typing a name's start focuses it; Enter opens that one.
    program.type_text('b_')
    program.key('Return')
    program.wait_trace(lambda line: line.lower() == other, 10, 'b_sub opened by type-ahead')
    assert traced(program).count(inner) == 1
    program.close_and_check(0)


def test_a_band_selects_the_tiles_under_it_and_ctrl_toggles(launch, scratch):
    folder = os.path.join(scratch, 'band')
    make_files(folder, [f'f{i}.txt' for i in range(6)])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    tiles = [tile_point(frame, i, 6) for i in range(6)]
    assert green_near(program, tiles[0]) and not green_near(program, tiles[1])

    # From the empty space left of the level down across the first two tiles of column one.
    start = (frame[0] - 20, tiles[0][1] - 8)
    end = (tiles[1][0] + 10, tiles[1][1] + 4)
    hover_level(program, frame)
    program.drag_client([start, end])
    program.wait_idle()
    assert green_near(program, tiles[0]) and green_near(program, tiles[1])
    assert not green_near(program, tiles[2]) and not green_near(program, tiles[3])

    # Ctrl toggles what the band covers: the second tile goes, the third comes.
    start = (frame[0] - 20, tiles[1][1] - 4)
    end = (tiles[2][0] + 10, tiles[2][1] + 4)
    program.drag_client([start, end], modifiers=('ctrl',))
    program.wait_idle()
    assert green_near(program, tiles[0])
    assert not green_near(program, tiles[1]) and green_near(program, tiles[2])

    # A band's kind is set at its press: Ctrl pressed on the way does not turn a plain band
    # into a toggling one. From the right of the level over the second column's first two.
    start = (frame[2] + 20, tiles[3][1] - 4)
    end = (tiles[4][0] - 10, tiles[4][1] + 4)
    program.drag_client([start, end, (end[0] - 4, end[1])], late_modifiers=('ctrl',))
    program.wait_idle()
    assert green_near(program, tiles[3]) and green_near(program, tiles[4])
    assert not green_near(program, tiles[0]) and not green_near(program, tiles[2])
    program.close_and_check(0)


def test_the_sort_menu_reverses_the_order_and_dismissing_it_changes_nothing(launch, scratch):
    folder = os.path.join(scratch, 'sorted')
    make_files(folder, ['alpha.txt', 'beta.txt', 'omega.txt'])
    program = open_folder(launch, folder)
    left, top, right, _ = frame = current_frame(program)
    width = right - left
    caption = (round(right - width * 0.064), round(top + width * 0.057))  # "ABC"

    def pages_read():
        return [line for line in traced(program, start) if not line.startswith(SORT_MENU)]

    hover_level(program, frame)
    start = len(program.trace())
    menu, _ = open_menu(program, lambda: program.click_client(*caption), SORT_MENU)
    program.key('Escape', window=menu)
    program.wait_idle()
    assert pages_read() == []

    hover_level(program, frame)
    start = len(program.trace())
    menu, entries = open_menu(program, lambda: program.click_client(*caption), SORT_MENU)
    choose(program, menu, entries, NAME_DESCENDING)
    program.wait(lambda: pages_read()[:1] == [item(folder, 'omega.txt')], 10,
                 'the page read again, last name first')
    program.close_and_check(0)


def test_ctrl_over_a_tile_shows_its_path_and_the_scene_stays_drawn(launch, scratch):
    folder = os.path.join(scratch, 'tips')
    make_files(folder, ['one.txt', 'two.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    left, top, width, height = program.client_rect()
    hover_level(program, frame)
    program.xdotool('mousemove', *program.to_screen(*tile_point(frame, 1, 2)))
    program.wait_idle()
    before = program.screenshot()
    program.xdotool('keydown', 'ctrl')
    program.wait_idle()
    shown = program.screenshot()
    program.xdotool('keyup', 'ctrl')
    program.wait_idle()
    after = program.screenshot()

    def scene(image):
        return image.crop((left + SPLIT + 2, top, left + width, top + height))

    assert scene(shown).tobytes() != scene(before).tobytes(), 'the tooltip shows'
    assert scene(after).tobytes() == scene(before).tobytes(), 'and goes with Ctrl'
    # The background is still drawn under and after the tooltip (a hit test ran between).
    corner = (left + width - 5, top + height - 1)
    assert shown.getpixel(corner) == before.getpixel(corner) != (0, 0, 0)
    program.close_and_check(0)


def test_the_wheel_and_the_page_keys_page_the_marked_level(launch, scratch):
    folder = os.path.join(scratch, 'wheel')
    make_files(folder, [f'file{i:02d}.txt' for i in range(25)])
    program = open_folder(launch, folder)
    page_two = item(folder, 'file20.txt')
    hover_level(program, current_frame(program))
    program.xdotool('click', 5)  # towards the user: the next page
    program.wait(lambda: traced(program).count(page_two) == 1, 10, 'page two by the wheel')
    program.key('Prior')
    program.wait_idle()
    program.key('Next')  # page two was let go when page one came back: it loads again
    program.wait(lambda: traced(program).count(page_two) == 2, 10, 'page two by Page Down')
    program.close_and_check(0)


def test_the_filter_field_edits_and_gives_the_keys_back_when_the_pointer_leaves(launch, scratch):
    folder = os.path.join(scratch, 'filter')
    make_files(folder, ['zeta.txt', 'zulu.txt', 'alpha.txt'])
    make_files(os.path.join(folder, 'beta_dir'), ['inside.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    hover_level(program, frame)
    program.key('F3')
    program.type_text('ze')
    program.wait(lambda: traced(program)[-1:] == [item(folder, 'zeta.txt')], 10, 'zeta alone')
    start = len(program.trace())
    program.key('BackSpace')  # the field takes it: "z"
    program.wait(lambda: item(folder, 'zulu.txt') in traced(program, start), 10, 'zeta and zulu')
    assert item(folder, 'alpha.txt') not in traced(program, start)
    program.key('ctrl+BackSpace')
    program.wait(lambda: item(folder, 'alpha.txt') in traced(program, start), 10, 'all back')
    # The camera's keys "-" and "=" are the field's characters while it has the keyboard.
    program.key('minus', 'minus', 'equal', 'minus')
    program.wait_idle()
    start = len(program.trace())
    program.key('ctrl+BackSpace')
    program.wait(lambda: item(folder, 'alpha.txt') in traced(program, start), 10, 'all back')
    assert settled_frame(program) == frame

    # The pointer leaves the field: typing goes to the level again.
    hover_level(program, frame)
    program.type_text('bet')
    program.key('Return')
    program.wait_trace(lambda line: line.lower() == item(os.path.join(folder, 'beta_dir'),
                                                         'inside.txt'),
                       10, 'the typed-ahead folder opened')
    program.close_and_check(0)


def test_layout_and_camera_keys_change_the_picture(launch, scratch):
    folder = os.path.join(scratch, 'camera')
    make_files(folder, ['x.txt'])
    program = open_folder(launch, folder)
    left, top, width, height = program.client_rect()

    def scene():
        return program.screenshot().crop((left + SPLIT + 2, top + 20, left + width,
                                          top + height)).tobytes()

    pictures = [scene()]
    for keys in (['minus'], ['equal'], ['ctrl+Tab'], ['ctrl+shift+Left']):
        program.key(*keys)
        program.wait_idle()
        program.wait(lambda: scene() != pictures[-1], 10, f'{keys} to change the picture')
        pictures.append(scene())
    program.close_and_check(0)


def test_a_click_on_a_file_tile_launches_it_through_the_shell(launch, scratch):
    folder = os.path.join(scratch, 'launch')
    make_files(folder, ['a_first.txt', 'notes.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    hover_level(program, frame)
    program.click_client(*tile_point(frame, 1, 2))
    # This Wine prefix has no program for text files: the shell says so in its own box.
    program.wait(lambda: any('configured to open this type of file' in text
                             for text in program.message_boxes()), 30, "the shell's answer")
    box = program.find_window('.*', timeout=10, exact=False)
    program.key('Return', window=box)
    program.close_and_check(0)


def test_digits_and_shift_arrows_move_between_levels_and_shift_right_drag_pans(launch, scratch):
    folder = os.path.join(scratch, 'levels')
    make_files(os.path.join(folder, 'a_sub'), ['inner.txt'])
    program = open_folder(launch, folder)
    program.key('Return')  # opens a_sub: levels desktop 0, Computer 1, folder 2, a_sub 3
    program.wait_trace(lambda line: line.lower() == item(os.path.join(folder, 'a_sub'),
                                                         'inner.txt'), 10, 'a_sub open')
    program.wait_idle()
    deepest = current_frame(program)
    program.key('2')
    program.wait(lambda: current_frame(program) != deepest, 10, 'level 2 current')
    second = current_frame(program)
    program.key('shift+Down')  # to its last child, a_sub again
    program.wait(lambda: current_frame(program) != second, 10, 'the child current again')

    left, top, width, height = program.client_rect()
    before = program.screenshot().crop((left + SPLIT + 2, top + 20, left + width, top + height))
    program.drag_client([(width - 40, height - 20), (width - 120, height - 60)], button=3,
                        modifiers=('shift',))
    program.wait_idle()
    after = program.screenshot().crop((left + SPLIT + 2, top + 20, left + width, top + height))
    assert before.tobytes() != after.tobytes(), 'the camera panned'
    program.close_and_check(0)


def test_arrow_keys_walk_the_focus_across_the_page_edge(launch, scratch):
    folder = os.path.join(scratch, 'arrows')
    make_files(folder, [f'file{i:02d}.txt' for i in range(25)])
    program = open_folder(launch, folder)
    program.key(*['Down'] * 24)
    program.wait_trace(lambda line: line.lower() == item(folder, 'file20.txt'), 10,
                       'the next page when the focus leaves the last tile')
    program.close_and_check(0)


def test_four_pixels_after_pressing_a_tile_are_a_click_and_five_a_drag(launch, scratch):
    folder = os.path.join(scratch, 'threshold')
    make_files(os.path.join(folder, 'a_sub'), ['inner.txt'])
    make_files(os.path.join(folder, 'b_sub'), ['other.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    x, y = tile_point(frame, 1, 2)

    # Five pixels: the items are dragged (nowhere, here), and the release opens nothing.
    hover_level(program, frame)
    program.drag_client([(x, y), (x + 5, y)], steps=5)
    program.wait_idle()
    other = item(os.path.join(folder, 'b_sub'), 'other.txt')
    assert other not in traced(program)
    # Four pixels: still a click, which opens the folder.
    hover_level(program, frame)
    program.drag_client([(x, y), (x + 4, y)], steps=4)
    program.wait_trace(lambda line: line.lower() == other, 10, 'the pressed folder opened')
    program.close_and_check(0)


def test_three_pixels_from_the_strip_grip_its_edge_and_four_start_a_band(launch, scratch):
    def split_after(offset):
        workdir = os.path.join(scratch, str(offset))
        os.mkdir(workdir)
        program = launch(workdir=workdir)
        program.wait_main_window()
        program.drag_client([(SPLIT + offset, 300), (SPLIT + offset + 50, 300)])
        program.wait_idle()
        program.close_and_check(0)
        with open(os.path.join(workdir, 'settings'), 'rb') as f:
            return struct.unpack('<iiiiiB3s', f.read())[4]

    assert split_after(4) == SPLIT
    assert split_after(3) > SPLIT + 40

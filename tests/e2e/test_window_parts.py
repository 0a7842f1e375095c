"""The main window's parts side by side: the Explorer pane, the address edit and the scene are
each drawn on the screen, take the keyboard when clicked, and the program keeps answering while
they move, resize and grow."""
import os

from harness import SCENE_CLASS, SPLIT, item, make_files, wine_path
from test_drag_drop import drag, still_frames, tile
from test_explorer_pane import pane, wait_current, wait_pane, wait_pane_shows
from test_files import paste_from_x
from test_scene_input import ROW_PITCH, current_frame, hover_level, open_folder, tile_point

# The address edit's background and height, along the top of the scene.
ADDRESS_BRUSH = (150, 170, 220)
ADDRESS_HEIGHT = 15
# A level of one page is this much higher than its rows of tiles, in level widths (title and
# sort captions above, the lower margin below).
ONE_PAGE_MARGINS = 0.13
# The pane's list: a white background with dark text.
LIST_BACKGROUND = (255, 255, 255)


def client_image(program):
    left, top, width, height = program.client_rect()
    return program.screenshot().crop((left, top, left + width, top + height))


def dark(pixel):
    return sum(pixel) < 250


def text_rows(image, left, right, top, bottom):
    """The bands of rows between top and bottom that hold dark (text) pixels between left and
    right, as (first, last) row pairs."""
    pixels = image.load()
    bands = []
    for y in range(top, bottom):
        if any(dark(pixels[x, y]) for x in range(left, right)):
            if bands and bands[-1][1] == y - 1:
                bands[-1][1] = y
            else:
                bands.append([y, y])
    return [tuple(band) for band in bands]


def list_rows(program, count):
    """The vertical middles of the pane's first count rows in the client area, with the x of
    their names' left edges: a click there selects the row."""
    shown = wait_pane(program, lambda shown: len(shown.rows) >= count, f'{count} rows in sight')
    return [((rect[0] + 4), (rect[1] + rect[3]) // 2)
            for _, rect in sorted(shown.rows.items())[:count]]


def address_text_right_edge(image):
    """The rightmost column of text in the address edit, or None when it shows none."""
    pixels = image.load()
    columns = [x for x in range(SPLIT + 1, image.width - 1) for y in range(2, ADDRESS_HEIGHT - 2)
               if dark(pixels[x, y])]
    return max(columns) if columns else None


def assert_parts_drawn(program):
    """The pane shows its list with every row in sight written out, the address edit its
    background and a path, and the scene its gradient: no part of the window is black."""
    shown = pane(program)
    split = shown.bounds[2]
    image = client_image(program)
    pixels = image.load()
    width, height = image.size
    strip = [pixels[x, y] for x in range(2, split - 2, 3) for y in range(2, height - 2, 3)]
    white = sum(1 for pixel in strip if pixel == LIST_BACKGROUND)
    assert white > len(strip) // 2, f'the pane strip is not the list: {white} of {len(strip)} white'
    assert shown.rows, 'rows in sight'
    for index, (left, top, right, bottom) in shown.rows.items():
        if bottom < height - 20 and shown.items[index] not in shown.selected:
            assert text_rows(image, max(left, 0), min(right, split - 20), top, bottom), \
                f'row {index} ({shown.items[index]}) shows its name'
    edit = [pixels[x, y] for x in range(split + 1, width, 5) for y in range(1, ADDRESS_HEIGHT - 1)]
    assert sum(1 for pixel in edit if pixel == ADDRESS_BRUSH) > len(edit) // 4, \
        'the address edit shows its background'
    assert address_text_right_edge(image) is not None, 'the address edit shows text'
    scene = [pixels[x, y] for x in range(split + 2, width, 4)
             for y in range(ADDRESS_HEIGHT + 1, height, 4)]
    black = sum(1 for pixel in scene if max(pixel) < 8)
    assert black < len(scene) // 50, f'{black} of {len(scene)} scene samples are black'


def test_the_pane_and_the_address_edit_are_drawn_beside_the_scene(launch, scratch):
    folder = os.path.join(scratch, 'drawn parts')
    names = [f'row {i}.txt' for i in range(6)]
    make_files(folder, names)
    make_files(os.path.join(folder, 'sub'), ['inner.txt'])
    program = open_folder(launch, folder)
    wait_pane_shows(program, ['sub'] + names, 'the command-line folder')
    assert_parts_drawn(program)
    long_edge = address_text_right_edge(client_image(program))

    # A click in the address edit: it takes the keyboard and still shows the path.
    program.click_client(SPLIT + 80, 7)
    program.wait_focus('Edit')
    assert pane(program).address.lower() == wine_path(folder).lower()
    # Focus selects the whole path, so the edit repaints after the click: poll for the text.
    program.wait(lambda: address_text_right_edge(client_image(program)) is not None, 10,
                 'the path still drawn in the focused address edit')

    # A navigation in the pane (Backspace in its list) shows the parent's shorter path.
    program.click_client(SPLIT // 2, program.client_rect()[3] - 30)
    program.wait_focus('SysListView32')
    program.key('BackSpace')
    wait_current(program, scratch)
    program.wait(lambda: (edge := address_text_right_edge(client_image(program))) is not None
                 and edge < long_edge, 10, 'the shorter path drawn in the address edit')
    program.close_and_check(0)


def test_clicks_in_the_pane_select_and_a_double_click_opens_a_level(launch, scratch):
    folder = os.path.join(scratch, 'clicks')
    a_sub, b_sub = os.path.join(folder, 'a_sub'), os.path.join(folder, 'b_sub')
    make_files(a_sub, ['first.txt'])
    make_files(b_sub, ['second.txt'])
    make_files(folder, ['c.txt'])
    program = open_folder(launch, folder)
    wait_pane_shows(program, ['a_sub', 'b_sub', 'c.txt'], 'the folder')
    rows = list_rows(program, 3)

    program.click_client(*rows[2])
    wait_pane(program, lambda shown: shown.selected == ['c.txt'], 'c.txt selected by a click')
    program.wait_focus('SysListView32')

    program.double_click_client(*rows[1])
    program.wait_trace(lambda line: line.lower() == item(b_sub, 'second.txt'), 20,
                       'b_sub opened as a level by a double-click in the pane')
    wait_current(program, b_sub)
    wait_pane_shows(program, ['second.txt'], 'b_sub in the pane')
    # The user went on in the pane: the flight to the new level leaves the keyboard there.
    program.wait_idle()
    program.wait_focus('SysListView32')
    program.close_and_check(0)


def test_tab_and_clicks_move_the_keyboard_between_the_parts(launch, scratch):
    folder = os.path.join(scratch, 'focus')
    make_files(folder, ['a.txt', 'b.txt'])
    program = open_folder(launch, folder)
    frame = current_frame(program)
    program.wait_focus(SCENE_CLASS)

    program.click_client(SPLIT // 2, program.client_rect()[3] - 30)
    program.wait_focus('SysListView32')
    program.click_client(frame[0] + 10, frame[3] - 6)  # the level's background
    program.wait_focus(SCENE_CLASS)
    program.click_client(SPLIT + 80, 7)
    program.wait_focus('Edit')

    # Tab goes round pane, address edit, scene; Shift+Tab the other way.
    for expected in (SCENE_CLASS, 'SysListView32', 'Edit', SCENE_CLASS):
        program.key('Tab')
        program.wait_focus(expected)
    for expected in ('Edit', 'SysListView32', SCENE_CLASS):
        program.key('shift+Tab')
        program.wait_focus(expected)
    program.close_and_check(0)


def test_resizing_the_window_and_dragging_the_split_keep_every_part_answering(launch, scratch):
    folder = os.path.join(scratch, 'resized')
    make_files(folder, [f'file {i:02}.txt' for i in range(40)])
    program = open_folder(launch, folder)
    wait_pane(program, lambda shown: len(shown.items) == 40, 'the folder in the pane')
    x, y, width, height = program.geometry()
    for i in range(20):
        program.xdotool('windowsize', program.window, width - 8 * (i % 5), height - 10 * (i % 4))
        program.wait_idle()
    program.xdotool('windowsize', program.window, width, height)
    program.wait_idle()
    _, _, client_width, client_height = program.client_rect()
    wait_pane(program, lambda shown: shown.bounds == (0, 0, SPLIT, client_height),
              'the pane filling the strip again')
    program.wait_frame()

    # The strip's edge dragged to and fro: the pane takes each new width at once.
    split = SPLIT
    for i in range(20):
        target = SPLIT + (40 if i % 2 == 0 else 0)
        # Pressed on the grip (the scene's first pixels), released where the edge goes.
        program.drag_client([(split + 1, client_height // 2), (target, client_height // 2)])
        split = target
        program.wait_idle()
        wait_pane(program, lambda shown: shown.bounds == (0, 0, split, client_height),
                  f'the pane {split} pixels wide')
    assert_parts_drawn(program)
    program.close_and_check(0)


def level_above(program, parent_count):
    """The frame of the level right above the current one, a level of one page showing
    parent_count items. Its top edge may be cut off or lie close to the edge of the level above
    it, so it is found from its bottom edge and its rows (levels in the scene are equally wide,
    their rows equally high)."""
    below = current_frame(program)
    width = below[2] - below[0]
    # A thin gap between two levels' edges is no level.
    bottom = max(frame[3] for frame in still_frames(program)
                 if frame[3] <= below[1] + 2 and frame[3] - frame[1] > 10)
    rows = (min(parent_count, 20) + 1) // 2
    return below[0], round(bottom - width * (ONE_PAGE_MARGINS + rows * ROW_PITCH)), below[2], bottom


def test_tiles_dragged_onto_a_folder_the_pane_shows_until_its_list_scrolls(launch, scratch):
    top = os.path.join(scratch, 'top')
    target = os.path.join(top, '0_target')
    names = [f'a{i}.txt' for i in range(5)]
    make_files(top, names)
    make_files(target, ['inside.txt'])
    program = open_folder(launch, top)
    frame = current_frame(program)
    hover_level(program, frame)
    program.click_client(*tile_point(frame, 0, 6))  # opens 0_target below top
    program.wait_trace(lambda line: line.lower() == item(target, 'inside.txt'), 20, 'target')
    shown = wait_pane_shows(program, ['inside.txt'], '0_target in the pane')
    # Filled to one row short of the list's height and read again (F5): a few copies bring
    # the scroll bar.
    fill = [f'fill{i:02}.txt' for i in range(shown.per_page - 2)]
    make_files(target, fill)
    program.wait_focus(SCENE_CLASS)
    program.key('F5')
    shown = wait_pane(program, lambda shown: len(shown.items) == len(fill) + 1, 'the filled list')
    assert not shown.scroll_bar, 'the list scrolls before the drags'

    parent = level_above(program, 6)
    into = tile(program, parent, top, '0_target')
    for name in names:
        drag(program, tile(program, parent, top, name), into, modifiers=('ctrl',))
        program.wait(lambda: os.path.exists(os.path.join(target, name)), 20, f'{name} copied')
        program.wait_idle(10)
        if pane(program).scroll_bar:
            break
    wait_pane(program, lambda shown: shown.scroll_bar, 'the list with its scroll bar')
    program.wait_idle(10)
    assert all(os.path.exists(os.path.join(top, name)) for name in names), 'copies keep originals'
    program.close_and_check(0)


def test_a_paste_of_5000_files_into_the_folder_the_pane_shows_completes(launch, scratch):
    source = os.path.join(scratch, 'many')
    target = os.path.join(scratch, 'into')
    names = [f'file{i:04}.txt' for i in range(5000)]
    make_files(source, names)
    make_files(target, ['existing.txt'])
    program = open_folder(launch, target)
    wait_pane_shows(program, ['existing.txt'], 'the target folder')
    program.set_clipboard_files([os.path.join(source, name) for name in names])

    paste_from_x(program, lambda: len(os.listdir(target)) > 1, 'the paste to start', 10)
    program.wait(lambda: len(os.listdir(target)) == 5001, 600, 'all 5,000 files copied')
    program.wait_idle(60)
    wait_pane(program, lambda shown: len(shown.items) == 5001, 'the pane listing all of them', 120)

    # The level holds them all: typing the last one's name focuses it, and its page loads.
    program.wait_focus(SCENE_CLASS)
    program.type_text('file4999')
    program.wait_trace(lambda line: line.lower() == item(target, 'file4999.txt'), 60,
                       'the last page of the level')
    program.close_and_check(0)


def test_without_framebuffer_objects_the_scene_draws_on_its_own_window(launch, scratch):
    """Where the driver has no framebuffer objects the frame goes to the scene window's own GL
    surface (which Wine leaves black beside other windows, so only the rest is looked at): the
    program starts, the pane is drawn, and the scene takes keys and opens levels."""
    folder = os.path.join(scratch, 'window surface')
    sub = os.path.join(folder, 'a_sub')
    make_files(sub, ['inner.txt'])
    program = launch(args=[wine_path(folder)], env={'GLIMMERA_TEST_HOOK': 'window-surface'})
    program.wait_main_window(frame=False)
    wait_pane_shows(program, ['a_sub'], 'the folder in the pane')
    program.wait_focus(SCENE_CLASS)
    program.key('Return')
    program.wait_trace(lambda line: line.lower() == item(sub, 'inner.txt'), 20, 'a_sub opened')
    wait_current(program, sub)
    program.close_and_check(0)

"""The main window: start-up picture, menu, closing, resizing and the requirement check."""
import pytest

from harness import GRADIENT_BOTTOM, GRADIENT_TOP, SPLIT, near

WHITE = (255, 255, 255)


def test_start_shows_gradient_scene_menu_and_strip(launch):
    program = launch()
    program.wait_main_window()
    x, y, _, height = program.geometry()
    left, top, client_width, client_height = program.client_rect()
    assert (client_width, client_height) == (640, 480)
    # Without a window manager the X window holds the one-line menu bar above the client area.
    menu_height = top - y
    assert (left, top + client_height) == (x, y + height)
    assert 10 < menu_height < 40
    image = program.screenshot()
    # The scene's right edge: the name filter field covers its upper left corner and the
    # levels stand in its middle.
    scene_x = left + client_width - 5
    # The gradient runs from the bottom colour to the top colour of the scene.
    assert near(image.getpixel((scene_x, top + client_height - 1)), GRADIENT_BOTTOM, 3)
    assert near(image.getpixel((scene_x, top + 20)), GRADIENT_TOP, 6)
    middle = image.getpixel((scene_x, top + 240))
    assert GRADIENT_BOTTOM[2] < middle[2] < GRADIENT_TOP[2]
    # The left strip is not part of the scene.
    assert image.getpixel((left + SPLIT - 20, top + 240)) != middle
    # The menu bar is drawn: white right of its entries.
    assert image.getpixel((left + 100, y + menu_height // 2)) == WHITE


def test_exit_in_menu_ends_with_code_zero(launch):
    program = launch()
    program.wait_main_window()
    _, y, _, _ = program.geometry()
    left, top, _, _ = program.client_rect()
    program.click(left + 15, (y + top) // 2)  # "Exit", the first entry of the menu bar
    assert program.wait_exit(30) == 0


def test_closing_the_window_ends_with_code_zero(launch):
    program = launch()
    program.wait_main_window()
    program.close_and_check(0)


def test_resizing_keeps_the_gradient_filling_the_scene(launch):
    program = launch()
    program.wait_main_window()
    _, y, _, _ = program.geometry()
    menu_height = program.client_rect()[1] - y
    program.xdotool('windowsize', program.window, 900, 700)
    program.wait(lambda: program.client_rect()[2:] == (900, 700 - menu_height), 30,
                 'the client area to grow to 900x(700 - menu)')
    program.wait_frame()
    left, top, width, height = program.client_rect()
    image = program.screenshot()
    for sx in (left + SPLIT + 5, left + width - 5):
        assert near(image.getpixel((sx, top + height - 1)), GRADIENT_BOTTOM, 4)
    # The top right of the scene: the name filter field covers its upper left corner.
    assert near(image.getpixel((left + width - 5, top + 20)), GRADIENT_TOP, 8)


@pytest.mark.parametrize('size', ['1000x800', '1280x720'])
def test_small_screen_shows_the_requirements_box(launch, size):
    program = launch(size=size)
    title = 'Glimmera: system requirements'
    program.find_window(title)
    assert program.message_boxes() == [
        'One or more required features are not present: \r\nMinimal resolution 1024x768 is required']
    assert program.process.poll() is None  # the box waits for the user
    program.answer_dialog(title, 'Return')
    assert program.wait_exit(30) == 0


def test_russian_user_interface_gets_russian_requirement_texts(launch):
    program = launch(size='1000x800', env={'LC_ALL': 'ru_RU.UTF-8'})
    pattern = 'Glimmera: .*'
    program.find_window(pattern, exact=False)
    # Wine cuts long traced texts short.
    (text,) = program.message_boxes()
    expected = 'Одно или более требований не выполнено:\r\nТребуется разрешение экрана минимум 1024x768'
    assert len(text) > 40 and expected.startswith(text)
    program.answer_dialog(pattern, 'Return', exact=False)
    assert program.wait_exit(30) == 0

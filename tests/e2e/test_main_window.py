"""The main window: start-up picture, menu, closing, resizing and the requirement check."""
import time

import pytest

from harness import near

BOTTOM = (83, 101, 120)
TOP = (133, 162, 192)
SPLIT = 200


def client_origin(program):
    """Screen position of the client area: below the one-line menu bar."""
    x, y, width, height = program.geometry()
    return x, y + (height - 480), width, 480


def test_start_shows_gradient_scene_menu_and_strip(launch):
    program = launch()
    program.wait_main_window()
    x, y, width, height = program.geometry()
    assert (width, height - 480) [0] == 640
    image = program.screenshot()
    menu_height = height - 480
    client_top = y + menu_height
    scene_x = x + SPLIT + 40
    # The gradient runs from the bottom colour to the top colour of the scene.
    assert near(image.getpixel((scene_x, client_top + 479)), BOTTOM, 3)
    assert near(image.getpixel((scene_x, client_top + 20)), TOP, 6)
    middle = image.getpixel((scene_x, client_top + 240))
    assert BOTTOM[2] < middle[2] < TOP[2]
    # The left strip is not part of the scene.
    assert image.getpixel((x + SPLIT - 20, client_top + 240)) != middle
    # The menu bar sits above the client area.
    assert image.getpixel((x + 100, y + menu_height // 2)) == (255, 255, 255) or menu_height > 10


def test_exit_in_menu_ends_with_code_zero(launch):
    program = launch()
    program.wait_main_window()
    x, y, _, _ = program.geometry()
    program.click(x + 15, y + 9)  # "Exit", the first entry of the menu bar
    assert program.wait_exit(30) == 0


def test_closing_the_window_ends_with_code_zero(launch):
    program = launch()
    program.wait_main_window()
    program.key('alt+F4')
    assert program.wait_exit(30) == 0


def test_resizing_keeps_the_gradient_filling_the_scene(launch):
    program = launch()
    program.wait_main_window()
    program.xdotool('windowsize', program.window, 900, 700)
    time.sleep(1.5)
    x, y, width, height = program.geometry()
    image = program.screenshot()
    client_top = y + height - 700 + 19 if height > 700 else y + 19
    menu_height = height - 700 if height > 700 else 19
    client_top = y + menu_height
    for sx in (x + SPLIT + 5, x + width - 5):
        assert near(image.getpixel((sx, y + height - 1)), BOTTOM, 4)
        assert near(image.getpixel((sx, client_top + 20)), TOP, 8)


@pytest.mark.parametrize('size', ['1000x800', '1280x720'])
def test_small_screen_shows_the_requirements_box(launch, size):
    program = launch(size=size)
    box = program.find_window('Glimmera: system requirements', timeout=60)
    assert program.message_boxes() == [
        'One or more required features are not present: \r\nMinimal resolution 1024x768 is required']
    assert program.process.poll() is None  # the box waits for the user
    program.key('Return', window=box)
    assert program.wait_exit(30) == 0


def test_russian_user_interface_gets_russian_requirement_texts(launch):
    program = launch(size='1000x800', env={'LC_ALL': 'ru_RU.UTF-8'})
    box = program.find_window('Glimmera: .*', timeout=60, exact=False)
    # Wine cuts long traced texts short.
    (text,) = program.message_boxes()
    expected = 'Одно или более требований не выполнено:\r\nТребуется разрешение экрана минимум 1024x768'
    assert len(text) > 40 and expected.startswith(text)
    program.key('Return', window=box)
    assert program.wait_exit(30) == 0

"""Shortcut files in the scene: opening one to a folder opens the folder as a level."""
import os
import subprocess

from conftest import screen, wine_server_on
from harness import BUILD, item, make_files, wine_env, wine_path
from test_scene_input import current_frame, hover_level, open_folder, tile_point

MAKELINK = os.path.join(BUILD, 'helpers', 'makelink.exe')


def make_link(target, link):
    """A shell link to target, saved by another program on the display the tests use."""
    display = screen('1280x1024').display
    wine_server_on(display)
    subprocess.run(['wine', MAKELINK, wine_path(target), wine_path(link)], env=wine_env(display),
                   check=True, timeout=60, stdin=subprocess.DEVNULL, capture_output=True)


def test_a_click_on_a_shortcut_to_a_folder_opens_the_folder_as_a_level(launch, scratch):
    target = os.path.join(scratch, 'target')
    make_files(target, ['inside.txt'])
    links = os.path.join(scratch, 'links')
    os.makedirs(links)
    make_link(target, os.path.join(links, 'to_target.lnk'))
    program = open_folder(launch, links)
    frame = current_frame(program)
    hover_level(program, frame)
    program.click_client(*tile_point(frame, 0, 1))
    program.wait_trace(lambda line: line.lower() == item(target, 'inside.txt'), 10,
                       'the target folder opened as a level')
    program.close_and_check(0)

"""The counts hook of the test build: asked by tests/helpers/counts.exe, the program writes one
trace line of the GDI and USER objects, kernel handles and GL textures it holds."""
import os
import re
import subprocess

from harness import BUILD, make_files, wine_path

COUNTS = os.path.join(BUILD, 'helpers', 'counts.exe')
LINE = re.compile(r'test counts: gdi (\d+) user (\d+) gdi-found (\d+) user-found (\d+) '
                  r'handles (\d+) textures (\d+)$')


def ask(program):
    """Runs the helper; returns the values of the new counts lines."""
    start = len(program.trace())
    assert subprocess.run(['wine', COUNTS], env=program.env, timeout=60).returncode == 0
    return [tuple(map(int, match.groups())) for line in program.trace()[start:]
            if (match := LINE.match(line))]


def test_the_counts_hook_traces_plausible_counts_on_request(launch, scratch):
    folder = os.path.join(scratch, 'counted')
    make_files(folder, ['one.txt', 'two.txt'])
    program = launch(args=[wine_path(folder)],
                     env={'GLIMMERA_TEST_HOOK': 'counts'})
    program.wait_main_window()
    program.wait_idle()
    lines = ask(program)
    assert len(lines) == 1, program.trace()[-5:]
    _, _, gdi, user, handles, textures = lines[0]
    # The window, its DCs and fonts, the threads and events, and the atlases of three levels.
    assert gdi > 10 and user >= 2 and handles > 10 and textures >= 3, lines[0]
    # Asked again in the same state: the same counts, nothing taken by asking.
    assert ask(program) == lines
    program.close_and_check(0)


def test_without_the_hook_nobody_answers_with_counts(launch, scratch):
    program = launch()
    program.wait_main_window()
    start = len(program.trace())
    subprocess.run(['wine', COUNTS], env=program.env, timeout=60)
    program.wait_idle()
    assert not [line for line in program.trace()[start:] if line.startswith('test counts')]
    program.close_and_check(0)

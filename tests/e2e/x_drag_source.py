"""An X program that offers files by drag and drop (text/uri-list), as a Linux file manager
does, or with --text plain text (text/plain), as an editor does. Usage:
x_drag_source.py [--text] <x> <y> <path or text>...; prints "ready" once its window is shown at
(x, y) and "ended" when a drag of it has ended."""
import sys
import urllib.parse

import gi

gi.require_version('Gtk', '3.0')
from gi.repository import Gdk, Gtk  # noqa: E402


def main():
    arguments = sys.argv[1:]
    text = arguments[0] == '--text'
    if text:
        arguments = arguments[1:]
    x, y, paths = int(arguments[0]), int(arguments[1]), arguments[2:]
    window = Gtk.Window(title='x drag source')
    window.set_default_size(160, 120)
    window.move(x, y)
    area = Gtk.EventBox()
    area.add(Gtk.Label(label='files'))
    window.add(area)
    area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK,
                         [Gtk.TargetEntry.new('text/plain' if text else 'text/uri-list', 0, 0)],
                         Gdk.DragAction.COPY | Gdk.DragAction.MOVE)
    if text:
        area.connect('drag-data-get', lambda widget, context, data, info, time: data.set_text(
            ' '.join(paths), -1))
    else:
        area.connect('drag-data-get', lambda widget, context, data, info, time: data.set_uris(
            [f'file://{urllib.parse.quote(path)}' for path in paths]))
    area.connect('drag-end', lambda *args: print('ended', flush=True))
    window.connect('destroy', Gtk.main_quit)
    window.connect('map-event', lambda *args: print('ready', flush=True))
    window.show_all()
    Gtk.main()


if __name__ == '__main__':
    main()

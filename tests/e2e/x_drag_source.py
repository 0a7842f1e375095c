"""An X program that offers files by drag and drop (text/uri-list), as a Linux file manager
does. Usage: x_drag_source.py <x> <y> <path>...; prints "ready" once its window is shown at
(x, y) and "ended" when a drag of it has ended."""
import sys
import urllib.parse

import gi

gi.require_version('Gtk', '3.0')
from gi.repository import Gdk, Gtk  # noqa: E402


def main():
    x, y, paths = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
    window = Gtk.Window(title='x drag source')
    window.set_default_size(160, 120)
    window.move(x, y)
    area = Gtk.EventBox()
    area.add(Gtk.Label(label='files'))
    window.add(area)
    area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK,
                         [Gtk.TargetEntry.new('text/uri-list', 0, 0)],
                         Gdk.DragAction.COPY | Gdk.DragAction.MOVE)
    area.connect('drag-data-get', lambda widget, context, data, info, time: data.set_uris(
        [f'file://{urllib.parse.quote(path)}' for path in paths]))
    area.connect('drag-end', lambda *args: print('ended', flush=True))
    window.connect('destroy', Gtk.main_quit)
    window.connect('map-event', lambda *args: print('ready', flush=True))
    window.show_all()
    Gtk.main()


if __name__ == '__main__':
    main()

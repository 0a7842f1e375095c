"""An X program that offers files by drag and drop (text/uri-list), as a Linux file manager
does; with --text plain text (text/plain), as an editor does; with --image the PNG picture in
the given file (image/png), as an image viewer does. Usage:
x_drag_source.py [--text | --image] <x> <y> <path or text>...; prints "ready" once its window is
shown at (x, y) and "ended" when a drag of it has ended."""
import sys
import urllib.parse

import gi

gi.require_version('Gtk', '3.0')
from gi.repository import Gdk, Gtk  # noqa: E402


def main():
    arguments = sys.argv[1:]
    kind = arguments.pop(0) if arguments[0] in ('--text', '--image') else '--files'
    x, y, paths = int(arguments[0]), int(arguments[1]), arguments[2:]
    window = Gtk.Window(title='x drag source')
    window.set_default_size(160, 120)
    window.move(x, y)
    area = Gtk.EventBox()
    area.add(Gtk.Label(label='files'))
    window.add(area)
    target = {'--text': 'text/plain', '--image': 'image/png', '--files': 'text/uri-list'}[kind]
    area.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [Gtk.TargetEntry.new(target, 0, 0)],
                         Gdk.DragAction.COPY | Gdk.DragAction.MOVE)

    def give(widget, context, data, info, time):
        if kind == '--text':
            data.set_text(' '.join(paths), -1)
        elif kind == '--image':
            data.set(data.get_target(), 8, open(paths[0], 'rb').read())
        else:
            data.set_uris([f'file://{urllib.parse.quote(path)}' for path in paths])

    area.connect('drag-data-get', give)
    area.connect('drag-end', lambda *args: print('ended', flush=True))
    window.connect('destroy', Gtk.main_quit)
    window.connect('map-event', lambda *args: print('ready', flush=True))
    window.show_all()
    Gtk.main()


if __name__ == '__main__':
    main()

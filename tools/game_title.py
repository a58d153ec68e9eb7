"""The game's title for the pictures that show it (res/splash, res/overlay), taken from the
packager's res/data the way the player takes its window title from there, and fitted to the
room a picture has for it."""
import os

from pixfont import text_mask

BOM = b"\xef\xbb\xbf"


def data_path():
    """res/data of this source tree."""
    return os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "res", "data")


def read_title(path):
    """The title in the game description at path, by the player's rules: "None" without the
    file; otherwise the first line holding "title=" decides, and unless it begins with it and
    its value begins with a printable character, the title is "Game". The value runs up to a
    tab or the line end (LF or CR LF); a byte-order mark at the start is skipped. Characters
    the font lacks become "?"."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return "None"
    if data.startswith(BOM):
        data = data[len(BOM):]
    for line in data.split(b"\n"):
        at = line.find(b"title=")
        if at < 0:
            continue
        value = line[len(b"title="):]
        if at != 0 or not value or not 32 <= value[0] < 128:
            return "Game"
        value = value.split(b"\t")[0].split(b"\r")[0].split(b"\0")[0]
        return "".join(chr(c) if 32 <= c < 127 else "?" for c in value)
    return "Game"


def ink_width(text, scale=1):
    """Width of the inked columns of text laid out by the overlay's font at scale."""
    _, _, mask = text_mask(text, scale)
    ink = [x for row in mask for x, v in enumerate(row) if v]
    return max(ink) - min(ink) + 1 if ink else 0


def fit(text, room, scale=1):
    """text, cut and ended with ".." until its ink is at most room pixels wide."""
    if ink_width(text, scale) <= room:
        return text
    while text and ink_width(text + "..", scale) > room:
        text = text[:-1].rstrip()
    return text + ".."


if __name__ == "__main__":
    # game_title.py DATA ROOM: the title the pictures would show, from that res/data in ROOM pixels.
    import sys
    print(fit(read_title(sys.argv[1]), int(sys.argv[2])))

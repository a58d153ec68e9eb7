"""The game's title for the pictures that show it (res/splash, res/overlay) and for the
Windows zip's folder, taken from the packager's res/data the way the player takes its window
title from there, and fitted to the room a picture has for it."""
import os
import unicodedata

from title_font import as_drawn, named, text_mask, undrawable

BOM = b"\xef\xbb\xbf"
UNSAFE_IN_NAMES = '/\\:*?"<>|'


def data_path():
    """res/data of this source tree."""
    return os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "res", "data")


def read_title(path):
    """The title in the game description at path, by the player's rules: "None" without the
    file; otherwise the first line holding "title=" decides, and unless it begins with it and
    its value begins with a character other than a control character, the title is "Game".
    The value runs up to a tab or the line end (LF or CR LF); a byte-order mark at the start is
    skipped. It is read as UTF-8, bytes that are not becoming U+FFFD."""
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
        if at != 0 or not value or value[0] < 32:
            return "Game"
        value = value.split(b"\t")[0].split(b"\r")[0].split(b"\0")[0]
        return value.decode("utf-8", errors="replace")
    return "Game"


def folder_name(title):
    """title as a folder name any system takes: characters a file name cannot hold (and
    U+FFFD, for bytes that were not UTF-8) become "_"; trailing dots and spaces, which Windows
    drops, go; "Game" when nothing is left."""
    name = "".join("_" if c in UNSAFE_IN_NAMES or ord(c) < 32 or c in "\x7f\ufffd" else c
                   for c in unicodedata.normalize("NFC", title))
    return name.rstrip(". ") or "Game"


def ink_width(text, scale=1):
    """Width of the inked columns of text laid out by the title's font at scale."""
    _, _, mask = text_mask(text, scale)
    ink = [x for row in mask for x, v in enumerate(row) if v]
    return max(ink) - min(ink) + 1 if ink else 0


def fit(text, room, scale=1):
    """text as drawn ("?" for what cannot be), cut and ended with ".." until its ink is at
    most room pixels wide."""
    text = as_drawn(text)
    if ink_width(text, scale) <= room:
        return text
    while text and ink_width(text + "..", scale) > room:
        text = text[:-1].rstrip()
    return text + ".."


def cannot_draw(title):
    """A line for each character of title the pictures cannot show."""
    return [f"cannot draw {named(ch)}: drawn as \"?\"" for ch in undrawable(unicodedata.normalize("NFC", title))]


if __name__ == "__main__":
    # game_title.py DATA ROOM: the title the pictures would show, from that res/data in ROOM
    # pixels, on its first line; then each character it cannot draw.
    import sys
    whole = read_title(sys.argv[1])
    print("\n".join([fit(whole, int(sys.argv[2]))] + cannot_draw(whole)))

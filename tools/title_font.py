"""The letters a game's title is drawn with in res/splash and res/overlay: our font of
pixfont.py (printable ASCII) and, beyond it, Latin, Greek and Cyrillic letters, either drawn
here or composed from a base letter and a drawn mark (accents, cedilla, ogonek); Greek and
Cyrillic letters shaped like Latin ones reuse those. Laid out the way the overlay lays out
its text. A character none of this covers is drawn as "?" and named by the tools.

Designs use pixfont's rows ('#' inked, row 0 at the cap line, rows 8 and 9 the descender);
marks above capitals reach ABOVE rows over the font's cell, so a title's mask is that much
taller than the cell and its ink sits TOP pixels lower than in the cell."""
import unicodedata

from pixfont import CELL_W, GLYPHS, GRID_H, GRID_W, SCALE, epx

ABOVE = 3                 # design rows over the cell: a ring over a capital reaches the top one
TOP = ABOVE * SCALE       # pixels at scale 1 the mask adds above the cell
HEIGHT = (GRID_H + ABOVE) * SCALE

# Where the rule of what is drawn is told (the tools' --help, res/README.md): the letters of
# these ranges, besides the extra characters below, and every space.
RANGES = [(0x20, 0x7E, "printable ASCII"),
          (0xC0, 0x17F, "the letters of Latin-1 Supplement and Latin Extended-A"),
          (0x386, 0x3CE, "the Greek letters, with tonos and dialytika"),
          (0x400, 0x45F, "the Cyrillic letters of Russian, Ukrainian, Belarusian, Serbian, Macedonian")]
EXTRA = "ª º µ ‘ ’ “ ” – — « » ¡ ¿ ·".split()

# Letters drawn here; the rest of the ranges reuse these or ASCII, or are composed.
LETTERS = {
    "Æ": ".##### #..#.. #..#.. #..### ####.. #..#.. #..#.. #..###",
    "æ": "....... ....... .##.##. ...#..# .###### #..#... #..#..# .##.##.",
    "Œ": ".##### #..#.. #..#.. #..### #..#.. #..#.. #..#.. .#####",
    "œ": "....... ....... .##.##. #..#..# #..#### #..#... #..#..# .##.##.",
    "Ð": ".####. .#...# .#...# ####.# .#...# .#...# .#...# .####.",
    "ð": ".#.#. ..#.. .#.#. ....# .#### #...# #...# .###.",
    "đ": "....#. ...### .####. #...#. #...#. #...#. #...#. .####.",
    "Ø": ".#### #..## #..## #.#.# #.#.# ##..# ##..# ####.",
    "ø": "..... ..... .#### #..## #.#.# #.#.# ##..# ####.",
    "Þ": "#.... ####. #...# #...# #...# ####. #.... #....",
    "þ": "#.... #.... ####. #...# #...# #...# #...# ####. #.... #....",
    "ß": ".###. #...# #...# #.##. #...# #...# #...# #.##.",
    "ı": "... ... ##. .#. .#. .#. .#. ###",
    "ȷ": ".... .... ..## ...# ...# ...# ...# ...# #..# .##.",
    "Ħ": ".#...#. ####### .#...#. .#####. .#...#. .#...#. .#...#. .#...#.",
    "ħ": ".#.... ###... .#.... .####. .#...# .#...# .#...# .#...#",
    "Ĳ": "###..# .#...# .#...# .#...# .#...# .#...# .#.#.# ###.##",
    "ĳ": "#..# .... #..# #..# #..# #..# #..# #..# ...# .##.",
    "Ŀ": "#.... #.... #.... #..#. #.... #.... #.... #####",
    "ŀ": "##... .#... .#... .#.#. .#... .#... .#... ###..",
    "Ł": ".#.... .#.... .#.#.. .##... ##.... .#.... .#.... .#####",
    "ł": ".##.. ..#.. ..#.# ..##. .##.. #.#.. ..#.. .###.",
    "Ŋ": "#.##. ##..# #...# #...# #...# #...# #...# #...# ....# ..##.",
    "ŋ": "..... ..... ####. #...# #...# #...# #...# #...# ....# ..##.",
    "ŉ": ".#..... #...... ..####. ..#...# ..#...# ..#...# ..#...# ..#...#",
    "ſ": "..## .#.. .#.. .#.. .#.. .#.. .#.. .#..",
    "Ŧ": "##### ..#.. ..#.. .###. ..#.. ..#.. ..#.. ..#..",
    "ŧ": ".#.. .#.. #### .#.. ###. .#.. .#.. ..##",
    "ª": ".##. ...# .### #..# .### .... ####",
    "º": ".##. #..# #..# .##. .... ####",
    # Greek
    "Γ": "##### #.... #.... #.... #.... #.... #.... #....",
    "Δ": "..#.. ..#.. .#.#. .#.#. #...# #...# #...# #####",
    "Θ": ".###. #...# #...# ##### #...# #...# #...# .###.",
    "Λ": "..#.. ..#.. .#.#. .#.#. .#.#. #...# #...# #...#",
    "Ξ": "##### ..... ..... .###. ..... ..... ..... #####",
    "Π": "##### #...# #...# #...# #...# #...# #...# #...#",
    "Σ": "##### #.... .#... ..#.. ..#.. .#... #.... #####",
    "Φ": "..#.. .###. #.#.# #.#.# #.#.# .###. ..#.. ..#..",
    "Ψ": "#.#.# #.#.# #.#.# #.#.# .###. ..#.. ..#.. ..#..",
    "Ω": ".###. #...# #...# #...# #...# .#.#. .#.#. ##.##",
    "α": "..... ..... .##.# #..#. #..#. #..#. #..#. .##.#",
    "β": ".##.. #..#. #..#. ###.. #..#. #..#. #..#. ###.. #.... #....",
    "γ": "..... ..... #...# #...# .#.#. .#.#. ..#.. ..#.. ..#.. ..#..",
    "δ": "..##. .#... ..#.. .###. #...# #...# #...# .###.",
    "ε": "..... ..... .###. #.... .##.. #.... #.... .###.",
    "ζ": "##### ...#. ..#.. .#... #.... #.... .###. ....# ..##.",
    "η": "..... ..... #.##. ##..# #...# #...# #...# #...# ....# ....#",
    "θ": ".##. #..# #..# #### #..# #..# #..# .##.",
    "ι": "... ... #.. #.. #.. #.. #.. .##",
    "κ": ".... .... #..# #.#. ##.. ##.. #.#. #..#",
    "λ": "##... ..#.. ..#.. ..#.. .#.#. .#.#. #...# #...#",
    "μ": "..... ..... #...# #...# #...# #...# ##..# #.##. #.... #....",
    "ξ": "..### .#... ..##. .#... #.... #.... .###. ....# ..##.",
    "π": "..... ..... ##### .#.#. .#.#. .#.#. .#.#. .#..#",
    "ρ": "..... ..... .###. #...# #...# #...# #...# ####. #.... #....",
    "ς": "..... ..... .###. #.... #.... .###. ....# ...#. .##..",
    "σ": "..... ..... .#### #..#. #...# #...# #...# .###.",
    "τ": "..... ..... ##### ..#.. ..#.. ..#.. ..#.. ...##",
    "υ": "..... ..... #...# #...# #...# #...# #...# .###.",
    "φ": "..... ..... ..#.. .###. #.#.# #.#.# #.#.# .###. ..#.. ..#..",
    "χ": "..... ..... #...# #...# .#.#. ..#.. ..#.. .#.#. #...# #...#",
    "ψ": "..... ..... #.#.# #.#.# #.#.# #.#.# #.#.# .###. ..#.. ..#..",
    "ω": "..... ..... .#.#. #...# #.#.# #.#.# #.#.# .#.#.",
    # Cyrillic
    "Б": "##### #.... #.... ####. #...# #...# #...# ####.",
    "Д": "..###. .#..#. .#..#. .#..#. .#..#. .#..#. #...#. ###### #....#",
    "Ж": "#.#.# #.#.# .###. ..#.. .###. #.#.# #.#.# #.#.#",
    "И": "#...# #...# #..## #.#.# #.#.# ##..# #...# #...#",
    "Л": ".#### .#..# .#..# .#..# .#..# .#..# .#..# #...#",
    "У": "#...# #...# #...# #...# .#### ....# #...# .###.",
    "Ц": "#...#. #...#. #...#. #...#. #...#. #...#. #...#. ###### .....#",
    "Ч": "#...# #...# #...# #...# .#### ....# ....# ....#",
    "Ш": "#.#.# #.#.# #.#.# #.#.# #.#.# #.#.# #.#.# #####",
    "Щ": "#.#.#. #.#.#. #.#.#. #.#.#. #.#.#. #.#.#. #.#.#. ###### .....#",
    "Ъ": "##... .#... .#... .###. .#..# .#..# .#..# .###.",
    "Ы": "#....# #....# #....# ###..# #..#.# #..#.# #..#.# ###..#",
    "Ь": "#.... #.... #.... ####. #...# #...# #...# ####.",
    "Э": ".###. #...# ....# .#### ....# ....# #...# .###.",
    "Ю": "#..##. #.#..# #.#..# ###..# #.#..# #.#..# #.#..# #..##.",
    "Я": ".#### #...# #...# #...# .#### ..#.# .#..# #...#",
    "Ђ": "#####. .#.... .#.... .####. .#...# .#...# .#...# .#..#.",
    "Ћ": "#####. .#.... .#.... .####. .#...# .#...# .#...# .#...#",
    "Є": ".###. #...# #.... ####. #.... #.... #...# .###.",
    "Љ": ".###... .#.#... .#.#... .#.###. .#.#..# .#.#..# .#.#..# #..###.",
    "Њ": "#..#... #..#... #..#... ######. #..#..# #..#..# #..#..# #..###.",
    "Џ": "#...# #...# #...# #...# #...# #...# #...# ##### ..#..",
    "б": "..### .#... #.... ####. #...# #...# #...# .###.",
    "в": "..... ..... ####. #...# ####. #...# #...# ####.",
    "г": "..... ..... ##### #.... #.... #.... #.... #....",
    "д": "...... ...... ..###. .#..#. .#..#. .#..#. #...#. ###### #....#",
    "ж": "..... ..... #.#.# #.#.# .###. .###. #.#.# #.#.#",
    "з": "..... ..... .###. #...# ..##. ....# #...# .###.",
    "и": "..... ..... #...# #..## #.#.# #.#.# ##..# #...#",
    "л": "..... ..... .#### .#..# .#..# .#..# .#..# #...#",
    "м": "..... ..... #...# ##.## #.#.# #...# #...# #...#",
    "н": "..... ..... #...# #...# ##### #...# #...# #...#",
    "п": "..... ..... ##### #...# #...# #...# #...# #...#",
    "т": "..... ..... ##### ..#.. ..#.. ..#.. ..#.. ..#..",
    "ф": "..#.. ..#.. .###. #.#.# #.#.# #.#.# #.#.# .###. ..#.. ..#..",
    "ц": "...... ...... #...#. #...#. #...#. #...#. #...#. ###### .....#",
    "ч": "..... ..... #...# #...# #...# .#### ....# ....#",
    "ш": "..... ..... #.#.# #.#.# #.#.# #.#.# #.#.# #####",
    "щ": "...... ...... #.#.#. #.#.#. #.#.#. #.#.#. #.#.#. ###### .....#",
    "ъ": "..... ..... ##... .#... .###. .#..# .#..# .###.",
    "ы": "..... ..... #...# #...# ###.# #.#.# #.#.# ###.#",
    "ь": "..... ..... #.... #.... ####. #...# #...# ####.",
    "э": "..... ..... .###. #...# ..### ....# #...# .###.",
    "ю": "..... ..... #..#. #.#.# ###.# #.#.# #.#.# #..#.",
    "я": "..... ..... .#### #...# .#### ..#.# .#..# #...#",
    "ђ": ".#... ###.. .#... .###. .#..# .#..# .#..# .#..# ....# ...#.",
    "ћ": ".#... ###.. .#... .###. .#..# .#..# .#..# .#..#",
    "є": "..... ..... .###. #...# ####. #.... #...# .###.",
    "љ": "....... ....... .##.... .#.#... .#.###. .#.#..# .#.#..# #..###.",
    "њ": "....... ....... #..#... #..#... ######. #..#..# #..#..# #..###.",
    "џ": "..... ..... #...# #...# #...# #...# #...# ##### ..#..",
    # Punctuation titles use
    "‘": ".# #. ## ##",
    "’": "## ## .# #.",
    "“": ".#.# #.#. ##.## ##.##",
    "”": "##.## ##.## .#.#. #.#..",
    "–": "..... ..... ..... ..... #####",
    "—": "....... ....... ....... ....... #######",
    "«": "..... ..... ..#.# .#.#. #.#.. .#.#. ..#.#",
    "»": "..... ..... #.#.. .#.#. ..#.# .#.#. #.#..",
    "¡": "# . # # # # # #",
    "¿": "..#.. ..... ..#.. ..#.. .#... #.... #...# .###.",
    "·": ". . . ## ##",
}

# Letters of the same shape as another one: each pair the letter, then the one it looks like.
SAME_AS = dict(pair for pair in (
    "ΑA ΒB ΕE ΖZ ΗH ΙI ΚK ΜM ΝN ΟO ΡP ΤT ΥY ΧX οo νv µμ ĸκ ĐÐ ЅS ІI ЈJ АA ВB ЕE З3 КK МM "
    "НH ОO РP СC ТT ФΦ ХX ГΓ ПΠ ѕs іi јj аa еe оo сc кκ рp уy хx").split())

# Marks composed onto a base letter: (where, rows). "above" marks sit one blank row over the
# base's ink, "below" ones under its baseline, "ogonek" at its bottom right.
MARKS = {
    "\u0300": ("above", "#. .#"),            # grave
    "\u0301": ("above", ".# #."),            # acute, also the Greek tonos
    "\u0302": ("above", ".#. #.#"),          # circumflex
    "\u0303": ("above", ".##.# #.##."),      # tilde
    "\u0304": ("above", "###"),              # macron
    "\u0306": ("above", "#...# .###."),      # breve
    "\u0307": ("above", "#"),                # dot above
    "\u0308": ("above", "#.#"),              # diaeresis, also the Greek dialytika
    "\u030a": ("above", ".#. #.# .#."),      # ring above
    "\u030b": ("above", ".#.# #.#."),        # double acute
    "\u030c": ("above", "#.# .#."),          # caron
    "\u0327": ("below", ".#. ..# .##"),      # cedilla
    "\u0328": ("ogonek", "#. .#"),           # ogonek
}
DOTLESS = {"i": "ı", "j": "ȷ", "і": "ı", "ј": "ȷ"}
CARON_AS_APOSTROPHE = "dLlt"   # ď Ľ ľ ť: their caron stands beside the ascender
TURNED_COMMA = ".# #."        # over a letter whose descender leaves no room below (ģ)


def parse(rows):
    """Inked (row, column) points of a design in pixfont's notation."""
    return {(r, c) for r, row in enumerate(rows.split()) for c, ch in enumerate(row) if ch == "#"}


def place(points, mark, row, col):
    """points with the mark's rows added, its top-left design pixel at (row, col)."""
    return points | {(row + r, col + c) for r, c in parse(mark)}


def compose(base, marks):
    """The design of base with the combining marks on it, or None when a mark is unknown."""
    if any(m not in MARKS for m in marks):
        return None
    if any(MARKS[m][0] == "above" for m in marks):
        base = DOTLESS.get(base, base)
    points = design(base)
    if points is None:
        return None
    for m in marks:
        where, rows = MARKS[m]
        mark_w = max(len(r) for r in rows.split())
        mark_h = len(rows.split())
        top, bottom = min(r for r, _ in points), max(r for r, _ in points)
        left, right = min(c for _, c in points), max(c for _, c in points)
        centre = left + (right - left + 1 - mark_w) // 2
        if m == "\u030c" and base in CARON_AS_APOSTROPHE:
            stem = max(c for r, c in points if r <= top + 1)
            points = place(points, "# #", top, stem + 2)
        elif where == "below" and bottom > 7:
            points = place(points, TURNED_COMMA, top - 3, centre)
        elif where == "above":
            points = place(points, rows, top - 1 - mark_h, centre)
        elif where == "below":
            points = place(points, rows, 8, centre)
        else:
            points = place(points, rows, 8, right - mark_w + 1)
    return points


def design(ch):
    """The design of ch as inked (row, column) points, or None when it cannot be drawn."""
    if ch in GLYPHS:
        return parse(GLYPHS[ch])
    if ch in LETTERS:
        return parse(LETTERS[ch])
    if ch in SAME_AS:
        return design(SAME_AS[ch])
    parts = unicodedata.normalize("NFD", ch)
    if len(parts) > 1:
        return compose(parts[0], parts[1:])
    return None


def drawable(ch):
    """Whether the title can show ch as itself: a space or a design that fits the cell."""
    return is_space(ch) or bitmap(ch) is not None


def is_space(ch):
    return unicodedata.category(ch) == "Zs"


def bitmap(ch):
    """ch at cell resolution (CELL_W x HEIGHT) as rows of 0/1, or None."""
    points = design(ch)
    if points is None:
        return None
    grid = [[0] * GRID_W for _ in range(GRID_H + ABOVE)]
    for r, c in points:
        y, x = ABOVE + 1 + r, 1 + c
        if not (0 <= y < GRID_H + ABOVE and 0 <= x < GRID_W):
            return None
        grid[y][x] = 1
    return epx(epx(grid))


def undrawable(text):
    """The characters of text the title cannot show, each once, in order."""
    return list(dict.fromkeys(ch for ch in text if not drawable(ch)))


def as_drawn(text):
    """text as the pictures show it: composed where it came decomposed, "?" for what cannot be
    drawn."""
    text = unicodedata.normalize("NFC", text)
    return "".join(ch if drawable(ch) else "?" for ch in text)


def advance(ch, bits):
    """Advance the overlay gives a glyph: its last inked column plus cell_w / 7."""
    if is_space(ch):
        return CELL_W // 2
    last = max((x for row in bits for x, v in enumerate(row) if v), default=0)
    return CELL_W // 7 + last


def text_mask(text, scale=1):
    """Lays out as_drawn(text) the way the overlay lays out text; returns (width, height, rows
    of 0/1), height being HEIGHT * scale with the cell's top TOP * scale rows down."""
    text = as_drawn(text)
    bitmaps = [None if is_space(ch) else bitmap(ch) for ch in text]
    width = sum(advance(ch, b) for ch, b in zip(text, bitmaps)) + CELL_W
    mask = [[0] * width for _ in range(HEIGHT)]
    pen = 0
    for ch, b in zip(text, bitmaps):
        if b:
            for y in range(HEIGHT):
                for x in range(CELL_W):
                    if b[y][x] and pen + x < width:
                        mask[y][pen + x] = 1
        pen += advance(ch, b)
    if scale != 1:
        mask = [[mask[y // scale][x // scale] for x in range(width * scale)]
                for y in range(HEIGHT * scale)]
    return width * scale, HEIGHT * scale, mask


def rule():
    """Which characters a title is drawn with, as the tools' help and output say it."""
    ranges = "; ".join(f"{name} (U+{lo:04X} to U+{hi:04X})" for lo, hi, name in RANGES)
    return f"{ranges}; also {' '.join(EXTRA)} and any space. Any other character is drawn as \"?\" " \
           "and named in the output."


def named(ch):
    """A character as the tools name one they cannot draw."""
    name = unicodedata.name(ch, "")
    return f"\"{ch}\" (U+{ord(ch):04X}{' ' + name if name else ''})" if ch.isprintable() else \
        f"U+{ord(ch):04X}{' ' + name if name else ''}"

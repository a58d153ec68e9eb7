"""What make_splash.py and make_overlay.py share: their command line, the lines that say what
they draw and where, and progress while drawing takes long."""
import argparse
import os
import textwrap
import time

from game_title import cannot_draw, data_path
from title_font import rule

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse_args(doc, name):
    """The command line of a tool that writes res/<name>: --data, --out, --dry-run."""
    parser = argparse.ArgumentParser(description=doc, formatter_class=argparse.RawDescriptionHelpFormatter,
                                     epilog=textwrap.fill("Letters drawn: " + rule(), 92))
    parser.add_argument("--data", metavar="FILE", default=data_path(),
                        help="the game description to take the title from (default: res/data)")
    parser.add_argument("--out", metavar="FILE", default=os.path.join(ROOT, "res", name),
                        help=f"where to write the picture (default: res/{name})")
    parser.add_argument("--dry-run", action="store_true",
                        help="only print the title it would draw and what it cannot draw")
    return parser.parse_args()


def say_title(title, drawn, args, how):
    """Prints the title drawn, where it came from and how, then each character it cannot draw."""
    print(f"title \"{drawn}\" from {args.data}, {how}", flush=True)
    for line in cannot_draw(title):
        print(line, flush=True)


class Steps:
    """Prints each step as it starts; a step's progress in tenths once it has taken a second;
    the time it all took."""

    def __init__(self):
        self.start = time.monotonic()

    def begin(self, what):
        print(what, flush=True)
        self.step = time.monotonic()
        self.tenths = 0

    def progress(self, done, total):
        tenths = 10 * done // total
        if tenths > self.tenths and time.monotonic() - self.step >= 1.0:
            print(f"  {10 * tenths}%", flush=True)
        self.tenths = tenths

    def wrote(self, path, width, height):
        print(f"wrote {path} ({width} x {height}) in {time.monotonic() - self.start:.0f} s", flush=True)

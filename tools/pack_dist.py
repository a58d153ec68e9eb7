#!/usr/bin/env python3
"""Packs a build's ready-to-ship folder into a zip that unpacks into one folder named after
the game: ZIP_DIR/<title>-<PLATFORM>.zip holding <title>/ with everything of DIST in it. The
title is DIST's res/data's, read as the player reads it, with characters a file name cannot
hold made "_" (see game_title.folder_name). Names are stored as UTF-8.

    tools/pack_dist.py DIST ZIP_DIR PLATFORM"""
import os
import sys
import zipfile

from game_title import folder_name, read_title


def entries(dist):
    """Every folder and file under dist as (path, name inside dist), folders before their
    contents, in name order."""
    found = []
    for here, folders, files in os.walk(dist):
        folders.sort()
        for name in folders + sorted(files):
            path = os.path.join(here, name)
            found.append((path, os.path.relpath(path, dist).replace(os.sep, "/")))
    return found


def pack(dist, zip_dir, platform):
    """Writes the zip; returns its path and how many files it holds."""
    name = folder_name(read_title(os.path.join(dist, "res", "data")))
    path = os.path.join(zip_dir, f"{name}-{platform}.zip")
    files = 0
    with zipfile.ZipFile(path + ".tmp", "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.write(dist, name + "/")
        for source, inside in entries(dist):
            z.write(source, f"{name}/{inside}")
            files += os.path.isfile(source)
    os.replace(path + ".tmp", path)
    return path, name, files


def main():
    if len(sys.argv) != 4 or not os.path.isdir(sys.argv[1]):
        sys.exit("usage: tools/pack_dist.py DIST ZIP_DIR PLATFORM (DIST a folder)")
    path, name, files = pack(*sys.argv[1:])
    print(f"packed {path}: the folder \"{name}\" with {files} files")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Prints what a Windows shortcut (.lnk) holds, one line each, in UTF-8:
target=, working_dir=, icon=. The target is the link's own Unicode path when
it has one, else the code-page path; the fields missing from the link are
left out."""

import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80


def c_string(data, at):
    return data[at:data.index(b"\0", at)].decode("cp1252", "replace")


def wide_c_string(data, at):
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def read(data):
    fields = {}
    if struct.unpack_from("<I", data, 0)[0] != 0x4C:
        raise ValueError("not a shortcut")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    at = 0x4C
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & HAS_LINK_INFO:
        size, header, info_flags, _, base, _, suffix = struct.unpack_from("<7I", data, at)
        if info_flags & 1:  # a path on a local volume
            if header >= 0x24:
                wide_base, wide_suffix = struct.unpack_from("<2I", data, at + 0x1C)
                fields["target"] = (wide_c_string(data, at + wide_base) +
                                    wide_c_string(data, at + wide_suffix))
            else:
                fields["target"] = c_string(data, at + base) + c_string(data, at + suffix)
        at += size
    for flag, name in ((HAS_NAME, "name"), (HAS_RELATIVE_PATH, "relative_path"),
                       (HAS_WORKING_DIR, "working_dir"), (HAS_ARGUMENTS, "arguments"),
                       (HAS_ICON_LOCATION, "icon")):
        if flags & flag:
            count = struct.unpack_from("<H", data, at)[0]
            width = 2 if flags & IS_UNICODE else 1
            raw = data[at + 2:at + 2 + count * width]
            # Wine counts the terminating null in; Windows does not.
            fields[name] = raw.decode("utf-16-le" if width == 2 else "cp1252").rstrip("\0")
            at += 2 + count * width
    return fields


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as link:
        for key, value in read(link.read()).items():
            print(f"{key}={value}")

#!/usr/bin/env python3
"""Writes the seed corpora: the formats' edge cases, each framed as its target reads it."""
import pathlib
import shutil
import struct

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"
CHUNK = 65536

SAMPLE = (b"Sample sayings\n3\n%\nFirst sample quote,~on two lines.\nFirst Author\n%\n"
          b"Second sample quote.\nSecond Author\n%\nThird sample quote, without attribution.\n%\n")
SAMPLE_CRLF = SAMPLE.replace(b"\n", b"\r\n")

# Line reader limits: codes below 112 are the limit itself; 0x80 passes over the line.
SKIP = 0x80
# The large limits in the order of kLargeLimits in LineReaderFuzz.cpp, coded from 112 up.
LARGE_LIMITS = [199, 200, 254, 255, 1024, 8192, CHUNK - 2, CHUNK - 1, CHUNK, CHUNK + 1, CHUNK + 2,
                2 * CHUNK - 1, 2 * CHUNK, 2 * CHUNK + 1, 3 * CHUNK, 4 * CHUNK]
LARGE = {size: 128 - len(LARGE_LIMITS) + i for i, size in enumerate(LARGE_LIMITS)}
MODULE_LIMITS = [25, 5, LARGE[200], LARGE[200], 50]
SETTINGS_LIMITS = [LARGE[255], 5, 4, 3, 3, 3]

# Display steps.
REPAINT, NEXT, PREVIOUS, NEXT_MODULE_GONE = range(4)
HOLD, FIRST_SHOW, RUN = 1, 2, 4


def line_reader(binary, limits, content, run=None):
    flags = (1 if binary else 0) | (2 if run else 0)
    pos, length = run or (0, 0)
    return (struct.pack("<BHIB", flags, pos, length, len(limits) - 1) + bytes(limits) + content)


def display(module, index=-1, order=2, steps=(), flags=HOLD | FIRST_SHOW, clock=1700000000,
            run=None):
    script = 0
    for i, step in enumerate(steps):
        script |= step << (2 * i)
    flags |= len(steps) << 3 | (RUN if run else 0)
    pos, length = run or (0, 0)
    return struct.pack("<BiqbHHI", flags, index, clock, order, script, pos, length) + module


def path_of_length(length, name=b"m.adg"):
    """A path to the module padded with "./" (and one more "/" if need be) to the length."""
    pad = length - len(name)
    return b"./" * (pad // 2) + b"/" * (pad % 2) + name


def line_reader_seeds():
    return {
        "sample-text": line_reader(False, MODULE_LIMITS, SAMPLE),
        "sample-crlf": line_reader(False, MODULE_LIMITS, SAMPLE_CRLF),
        "sample-binary-crlf": line_reader(True, MODULE_LIMITS[:3], SAMPLE_CRLF),
        "eof-byte": line_reader(False, [6, 6], b"ab\x1acd\nef"),
        "eof-byte-binary": line_reader(True, [6, 6], b"ab\x1acd\nef"),
        "lone-cr": line_reader(False, [6, 6, 6], b"a\rb\r\nc\r"),
        "cr-at-limit": line_reader(False, [6, 6, 6], b"abcd\r\nabcde\r\nz"),
        "title-23-24": line_reader(False, [25, 25, 25, 25],
                                   b"t" * 23 + b"\n" + b"u" * 24 + b"\n1\n"),
        "limits-0-1-2": line_reader(False, [0, 1, 2, 2 | SKIP], b"ab\ncd\n"),
        "skip-and-read": line_reader(False, [LARGE[200] | SKIP, 50, 5], SAMPLE),
        "settings-binary": line_reader(True, SETTINGS_LIMITS,
                                       b"miscellaneous.adg\n0\n10\n2\n1\n0"),
        "settings-crlf": line_reader(True, SETTINGS_LIMITS, b"m.adg\r\n3\r\n20\r\n1\r\n0\r\n2\r\n"),
        "count-999-1000": line_reader(False, [5, 5, 5, 5], b"999\n1000\n%\n"),
        "empty": line_reader(False, [5, 5], b""),
        "crlf-across-chunk": line_reader(False, [LARGE[CHUNK + 1]] * 2, b"x\r\nabc", run=(0, CHUNK - 2)),
        "cr-other-across-chunk": line_reader(False, [LARGE[CHUNK + 1], 5], b"x\rabc\n", run=(0, CHUNK - 2)),
        "eof-byte-after-chunk": line_reader(False, [LARGE[2 * CHUNK], 5], b"x\n\x1ay", run=(0, CHUNK + 3)),
        "long-line-pieces": line_reader(True, [LARGE[CHUNK], 6], b"x" * 10 + b"\nq", run=(0, CHUNK + 100)),
    }


def display_seeds():
    shipped = (HERE.parents[1] / "modules" / "miscellaneous.adg").read_bytes()
    count0 = b"T\n0\n%sep\nq0\na0\n"
    return {
        "sample-first-show": display(SAMPLE, 0, steps=(NEXT, NEXT, PREVIOUS, REPAINT)),
        "sample-crlf-previous": display(SAMPLE_CRLF, 0, steps=(PREVIOUS, PREVIOUS, NEXT)),
        "sample-random": display(SAMPLE, 1, order=1, steps=(NEXT, PREVIOUS, NEXT)),
        "sample-module-gone": display(SAMPLE, 2, steps=(NEXT, NEXT_MODULE_GONE, REPAINT, NEXT)),
        "sample-order-other": display(SAMPLE, 1, order=7, steps=(NEXT, PREVIOUS)),
        "shipped-module": display(shipped, 147, steps=(NEXT, NEXT, PREVIOUS)),
        "shipped-random": display(shipped, 5, order=1, steps=(NEXT, NEXT, NEXT)),
        "title-23": display(b"t" * 23 + b"\n1\n%\nq0\na0\n", -1),
        "title-24": display(b"t" * 24 + b"\n1\n%\nq0\na0\n", -1),
        "count-999": display(b"T\n999\n%\nq0\na0\n", 998, steps=(NEXT, PREVIOUS, PREVIOUS)),
        "count-1000": display(b"T\n1000\n%\nq0\na0\n", 0, steps=(NEXT,)),
        "count-0-previous": display(count0, 0, steps=(PREVIOUS, REPAINT, NEXT), flags=HOLD),
        "count-1-random": display(b"T\n1\n%\nq0\na0\n", 0, order=1, steps=(NEXT, PREVIOUS)),
        "count-2-random": display(b"T\n2\n%\nq0\na0\nq1\na1\n", 0, order=1, steps=(NEXT, NEXT)),
        "eof-byte": display(b"T\n2\n%\nq0\na0\n\x1a\nq1\na1\n", 0, steps=(NEXT,)),
        "lone-cr": display(b"T\n1\n%\nq\r0\na\r0\n", -1),
        "text-199": display(b"T\n2\n%\n" + b"x" * 199 + b"\na0\n%\nq1\na1\n", -1, steps=(NEXT,)),
        "author-49": display(b"T\n2\n%\nq0\n" + b"a" * 49 + b"\n%\nq1\na1\n", 0, steps=(NEXT,)),
        "separators": display(b"T\n3\n%\n%\n%text\n%%\nq1\n%\n\na2\n", -1, steps=(NEXT, NEXT)),
        "tildes": display(b"T\n1\n%\n~a~~b~\nx~y\n", -1),
        "huge-index-hold": display(SAMPLE, 2**31 - 1, flags=HOLD),
        "huge-index-moves": display(SAMPLE, 2**31 - 1, steps=(NEXT, PREVIOUS)),
        "lowest-index": display(SAMPLE, -2**31, steps=(PREVIOUS, PREVIOUS), flags=HOLD),
        "empty-module": display(b"", 0, steps=(NEXT, PREVIOUS)),
        "quote-across-chunk": display(b"T\n3\n%\nq0\r\na0\r\n%\r\nq1\r\na1\n", 1, flags=HOLD,
                                      run=(6, CHUNK - 9)),
    }


def settings_seeds():
    seeds = {
        "written-defaults": b"miscellaneous.adg\n0\n10\n2\n1\n0",
        "small-module": b"m.adg\n3\n20\n1\n0\n2",
        "trailing-lf": b"m.adg\n3\n20\n1\n0\n2\n",
        "crlf": b"m.adg\r\n3\r\n20\r\n1\r\n0\r\n2\r\n",
        "crlf-short-interval": b"m.adg\r\n3\r\n2\r\n1\r\n0\r\n2\r\n",
        "index-minus-1": b"m.adg\n-1\n20\n1\n0\n2",
        "index-minus-2": b"m.adg\n-2\n20\n1\n0\n2",
        "index-999": b"m.adg\n999\n20\n1\n1\n1",
        "index-1000": b"m.adg\n1000\n20\n1\n1\n1",
        "index-digit-letter": b"m.adg\n5x\n20\n1\n1\n1",
        "index-blank-digit": b"m.adg\n 5\n20\n1\n1\n1",
        "four-lines": b"m.adg\n3\n20\n1",
        "three-lines": b"m.adg\n3\n20",
        "empty": b"",
        "interval-0-99": b"m.adg\n3\n99\n0\n1\n0",
        "order-7-timer-letter": b"m.adg\n3\n10\n7\nx\n9",
        "index-long-continues": b"m.adg\n12345\n1\n1\n0",
        "interval-long-continues": b"m.adg\n3\n1555\n1\n1\n0",
        "interval-three-digits": b"m.adg\n3\n155\n1\n1\n0",
        "order-two-digits": b"m.adg\n3\n10\n12\n5\n1",
        "timer-negative": b"m.adg\n3\n10\n1\n-5\n-1",
        "timer-two-digits": b"m.adg\n3\n10\n1\n10\n2",
        "position-long": b"m.adg\n3\n10\n1\n1\n123",
        "path-253": path_of_length(253) + b"\n3\n10\n1\n1\n0",
        "path-254": path_of_length(254) + b"\n3\n10\n1\n1\n0",
        "long-title": b"long.adg\n3\n10\n1\n1\n0",
        "names-itself": b"index.txt\n3\n10\n1\n1\n0",
        "directory": b".\n3\n10\n1\n1\n0",
        "device-module": b"/dev/null\n3\n10\n1\n1\n0",
        "missing-module": b"nothere.adg\n3\n10\n1\n1\n0",
        "nul-in-path": b"m.adg\0junk\n3\n10\n1\n1\n0",
        "eof-byte-in-path": b"m.adg\x1a\n3\n10\n1\n1\n0",
    }
    assert len(path_of_length(253)) == 253 and len(path_of_length(254)) == 254
    return seeds


def write(target, seeds):
    folder = CORPUS / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


if __name__ == "__main__":
    write("line_reader", line_reader_seeds())
    write("quote_display", display_seeds())
    write("settings", settings_seeds())

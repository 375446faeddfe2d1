"""The structure builder's tables, read from the C++ sources so that the
pictures are always drawn for the positions the window uses."""

import os
import re

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def _braced(text, start):
    """The text of the braced initializer that starts at or after `start`."""
    body = text[text.index("{", start):]
    depth = 0
    for i, ch in enumerate(body):
        depth += ch == "{"
        depth -= ch == "}"
        if depth == 0:
            return body[: i + 1]
    raise ValueError("unbalanced braces")


def _python(body):
    body = re.sub(r"//[^\n]*", "", body)
    body = body.replace("{", "[").replace("}", "]")
    body = re.sub(r"\bfrag\(", '("frag", ', body)
    body = re.sub(r"\bmovedBase\(", '("moved", ', body)
    body = re.sub(r"\bbase\(", '("base", ', body)
    return body.replace("true", "True").replace("false", "False")


def _at(top, left, entries):
    return [[text, ("frag", bitmap, top, left)] for text, bitmap in entries]


def _cpp_list(path, name):
    """Evaluates a table of plain literals, the helper `at` and the named
    lists defined before it in the same file."""
    text = open(os.path.join(ROOT, path), encoding="utf-8").read()
    names = {"at": _at}
    for m in re.finditer(r"const std::vector<Named> (\w+) = ", text):
        names[m.group(1)] = eval(_python(_braced(text, m.end())), names)
    return eval(_python(_braced(text, text.index(name))), names)


class Base:
    def __init__(self, row):
        (self.letter, self.name, self.code, self.bitmap, self.w, self.h,
         self.top, self.left, self.pic_left, x, y, z) = row
        self.slots = {"X": x, "Y": y, "Z": z}

    def picture_offset(self, top_tw, left_tw):
        """A fragment's top left corner in this skeleton picture's pixels."""
        return (self.left + left_tw - self.pic_left) / 15.0, (self.top + top_tw - self.top) / 15.0


def bases():
    return [Base(r) for r in _cpp_list("structure/basestructures.cpp", "kBaseStructures")]


def fragments():
    return {r[0]: (r[1], r[2], r[3]) for r in _cpp_list("structure/compoundtypes.cpp", "kFragments")}

"""Layout of an unknown data file: file code, name scrambling, sample characters,
and a writer and reader for the whole line layout.

The file is single-byte text (Windows-1252), every line ended by CR LF.  Lines 1-201
hold the item texts, help texts, precluded-item lists and spectra; then come the
scrambled accepted names, the candidate names, the structure-choice line and the
accepted structure codes.
"""

UNKNOWN_FILE_KEY = ("Every careful student reads the spectra twice before naming "
                    "the unknown compound")
assert len(UNKNOWN_FILE_KEY) == 80

ENCODING = "cp1252"
MAX_NAMES, MAX_CHOICES, MAX_CODES, MAX_NAME_LEN = 12, 8, 4, 80
FIXED_LINES = 202

# Sample characters: code - 14 is the height, so codes 14..255 carry 0..241.
SAMPLE_BASE, SAMPLE_MAX = 14, 241
# Byte values kept out of every spectrum line although the height range would allow
# them: Ctrl-Z (26) ends a text file for some readers, the double quote (34) and comma
# (44) delimit fields, DEL (127) is a control, and 0x81, 0x8D, 0x8F, 0x90, 0x9D have no
# character in Windows-1252, so a reader that decodes the code page may lose them.
AVOIDED_SAMPLE_BYTES = frozenset({26, 34, 44, 127, 0x81, 0x8D, 0x8F, 0x90, 0x9D})
ALLOWED_HEIGHTS = [h for h in range(SAMPLE_MAX + 1)
                   if h + SAMPLE_BASE not in AVOIDED_SAMPLE_BYTES]

# Characters the name window lets a student type.
NAME_CHARS = frozenset(" '()+,-.[]" + "0123456789"
                       + "ABCDEFGHIJKLMNOPQRSTUVWXYZ" + "abcdefghijklmnopqrstuvwxyz")


def unknown_file_code(n):
    if not 0 <= n <= 99:
        raise ValueError(f"unknown number {n} outside 0..99")
    c = 400 - 3 * n
    return chr((c % 13) * 2 + 97) + chr(c // 13 + 92)


def nearest_allowed_height(v):
    """The allowed height nearest to v (ties go to the lower one)."""
    v = min(max(v, 0.0), float(SAMPLE_MAX))
    return min(ALLOWED_HEIGHTS, key=lambda h: (abs(h - v), h))


def sample_char(h):
    if h not in ALLOWED_HEIGHTS:
        raise ValueError(f"height {h} cannot be stored")
    return chr(h + SAMPLE_BASE)


def quantise(values):
    """Heights rounded to storable whole numbers with the rounding error carried on to
    the next sample, so that running sums (the proton integral) stay true."""
    out, carry = [], 0.0
    for v in values:
        want = v + carry
        h = nearest_allowed_height(want)
        carry = want - h
        # never let the carried error grow beyond a couple of units
        carry = max(-2.0, min(2.0, carry))
        out.append(h)
    return out


def scramble(name):
    if len(name) > MAX_NAME_LEN:
        raise ValueError(f"name longer than {MAX_NAME_LEN}: {name!r}")
    out = []
    for ch, k in zip(name, UNKNOWN_FILE_KEY):
        code = ord(ch) + ord(k)
        if code > 255:
            raise ValueError(f"name character {ch!r} cannot be scrambled")
        out.append(chr(code))
    return "".join(out)


def unscramble(stored):
    if len(stored) > MAX_NAME_LEN:
        raise ValueError("scrambled name longer than 80 characters")
    out = []
    for ch, k in zip(stored, UNKNOWN_FILE_KEY):
        code = ord(ch) - ord(k)
        if code < 0:
            raise ValueError("scrambled character below the key")
        out.append(chr(code))
    return "".join(out)


def precluded_string(numbers):
    return "".join(f"{n:02d}" for n in numbers)


def split_two_digit(text):
    if len(text) % 2:
        raise ValueError(f"odd-length item list {text!r}")
    return [int(text[i:i + 2]) for i in range(0, len(text), 2)]


class UnknownFile:
    """Everything one unknown file holds, by item number."""

    def __init__(self):
        self.title = [""] * 55        # A(i)
        self.help = [""] * 55         # B(i)
        self.precludes = [""] * 35    # C(i), items 1..34
        self.precluded_by = [""] * 35  # D(i), items 10..34
        self.cmr_data = self.cmr_label = ""
        self.ir_data = self.ir_label = ""
        self.ms_data = self.ms_ion = self.ms_label = ""
        self.pmr = [""] * 26          # elements 1..25
        self.names = []
        self.choices = []
        self.choice_line = ""
        self.codes = []

    def lines(self):
        L = [self.title[0], self.help[0]]
        for i in range(1, 5):
            L += [self.title[i], self.help[i], self.precludes[i]]
        L += [self.title[5], self.cmr_data, self.cmr_label, self.help[5], self.precludes[5]]
        L += [self.title[6], self.ir_data, self.ir_label, self.help[6], self.precludes[6]]
        L += [self.title[7], self.ms_data, self.ms_ion, self.ms_label,
              self.help[7], self.precludes[7]]
        L += [self.title[8]] + self.pmr[1:26] + [self.help[8], self.precludes[8]]
        L += [self.title[9], self.help[9], self.precludes[9]]
        for i in range(10, 35):
            L += [self.title[i], self.help[i], self.precludes[i], self.precluded_by[i]]
        for i in range(35, 55):
            L += [self.title[i], self.help[i]]
        assert len(L) == FIXED_LINES - 1
        L.append(str(len(self.names)))
        L += [scramble(n) for n in self.names]
        L.append(str(len(self.choices)))
        L += self.choices
        L.append(self.choice_line)
        L.append(str(len(self.codes)))
        L += self.codes
        return L

    def to_bytes(self):
        if len(self.names) > MAX_NAMES or len(self.choices) > MAX_CHOICES \
                or len(self.codes) > MAX_CODES:
            raise ValueError("too many names, candidates or structure codes")
        out = bytearray()
        for n, line in enumerate(self.lines(), 1):
            if "\r" in line or "\n" in line:
                raise ValueError(f"line {n} holds a line break")
            out += line.encode("latin-1") + b"\r\n"
        return bytes(out)

    @classmethod
    def from_bytes(cls, data):
        """Reads a file back, strictly: every line must be there and end in CR LF."""
        if not data.endswith(b"\r\n"):
            raise ValueError("file does not end with CR LF")
        raw = data[:-2].split(b"\r\n")
        for n, r in enumerate(raw, 1):
            if b"\r" in r or b"\n" in r:
                raise ValueError(f"line {n} holds a stray CR or LF")
        lines = [r.decode("latin-1") for r in raw]
        u = cls()
        it = iter(enumerate(lines, 1))

        def nxt():
            try:
                return next(it)[1]
            except StopIteration:
                raise ValueError("file ends early") from None
        u.title[0], u.help[0] = nxt(), nxt()
        for i in range(1, 5):
            u.title[i], u.help[i], u.precludes[i] = nxt(), nxt(), nxt()
        u.title[5], u.cmr_data, u.cmr_label, u.help[5], u.precludes[5] = [nxt() for _ in range(5)]
        u.title[6], u.ir_data, u.ir_label, u.help[6], u.precludes[6] = [nxt() for _ in range(5)]
        (u.title[7], u.ms_data, u.ms_ion, u.ms_label,
         u.help[7], u.precludes[7]) = [nxt() for _ in range(6)]
        u.title[8] = nxt()
        for j in range(1, 26):
            u.pmr[j] = nxt()
        u.help[8], u.precludes[8] = nxt(), nxt()
        u.title[9], u.help[9], u.precludes[9] = nxt(), nxt(), nxt()
        for i in range(10, 35):
            u.title[i], u.help[i], u.precludes[i], u.precluded_by[i] = [nxt() for _ in range(4)]
        for i in range(35, 55):
            u.title[i], u.help[i] = nxt(), nxt()
        n = int(nxt().strip())
        if not 0 <= n <= MAX_NAMES:
            raise ValueError(f"name count {n} out of range")
        u.names = [unscramble(nxt()) for _ in range(n)]
        m = int(nxt().split(",")[0].strip())
        if not 0 <= m <= MAX_CHOICES:
            raise ValueError(f"candidate count {m} out of range")
        u.choices = [nxt() for _ in range(m)]
        u.choice_line = nxt()
        k = int(nxt().strip())
        if not 0 <= k <= MAX_CODES:
            raise ValueError(f"structure code count {k} out of range")
        for _ in range(k):
            u.codes.append(nxt().strip().strip('"'))
        rest = [l for _, l in it]
        if rest:
            raise ValueError(f"{len(rest)} lines after the last structure code")
        return u

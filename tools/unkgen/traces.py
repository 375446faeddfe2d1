"""Synthesis of the four spectrum records from a chemist's description."""
import math

from fileformat import quantise, nearest_allowed_height, sample_char, SAMPLE_MAX

# ---------------------------------------------------------------- proton trace
PMR_MHZ = 400.0
PMR_SEGMENTS = 20            # 0.5 ppm each, 10.0 ppm down to 0.0 ppm
PMR_SAMPLES = 500            # 0.001 ppm apart
PMR_LINE_HZ = 1.0            # full width at half height of an ordinary line
PMR_TOP = 228.0              # height of the tallest point of the trace


def multiplet_lines(shift, n_h, couplings):
    """First-order lines of one multiplet: (ppm, intensity) with intensities
    adding up to n_h.  couplings: [(number of equivalent neighbours, J in Hz)]."""
    lines = [(0.0, 1.0)]
    for count, j in couplings:
        for _ in range(int(count)):
            new = {}
            for off, w in lines:
                for d in (-j / 2.0, j / 2.0):
                    key = round(off + d, 6)
                    new[key] = new.get(key, 0.0) + w / 2.0
            lines = sorted(new.items())
    return [(shift + off / PMR_MHZ, w * n_h) for off, w in lines]


def pmr_point_ppm(segment, k):
    """ppm of character k (1-based) of trace segment 0..19."""
    return 10.0 - 0.5 * segment - 0.001 * k


def pmr_trace(multiplets):
    """Returns the 20 trace lines (strings of sample characters, '' for flat)."""
    lines = []    # (ppm, intensity, width in ppm)
    for m in multiplets:
        width_hz = m.get("width", PMR_LINE_HZ)
        for ppm, w in multiplet_lines(m["shift"], m["nh"], m.get("j", [])):
            lines.append((ppm, w, width_hz / PMR_MHZ))
    n = PMR_SEGMENTS * PMR_SAMPLES
    raw = [0.0] * n
    for ppm, w, fw in lines:
        hw = fw / 2.0
        # a Lorentzian of unit area: hw / (pi (x^2 + hw^2)); evaluate near the line only
        reach = max(0.6, 400 * hw)
        for idx in range(n):
            seg, k = divmod(idx, PMR_SAMPLES)
            x = pmr_point_ppm(seg, k + 1) - ppm
            if abs(x) > reach:
                continue
            raw[idx] += w * hw / (math.pi * (x * x + hw * hw))
    top = max(raw)
    scale = PMR_TOP / top if top > 0 else 0.0
    heights = quantise([v * scale for v in raw])
    out = []
    for seg in range(PMR_SEGMENTS):
        chunk = heights[seg * PMR_SAMPLES:(seg + 1) * PMR_SAMPLES]
        out.append("" if not any(chunk) else "".join(sample_char(h) for h in chunk))
    return out


# ------------------------------------------------------------- infrared trace
IR_POINTS = 600
IR_BASELINE = 232.0          # about 89 % transmission (260 would be 100 %)
IR_STRENGTH = {"vs": 1.6, "s": 1.0, "m": 0.5, "w": 0.2, "vw": 0.08}   # absorbance
IR_WIDTH = {"sharp": 10.0, "medium": 20.0, "broad": 60.0, "vbroad": 300.0}
# Nujol (liquid paraffin) bands seen in every mull
NUJOL_BANDS = [(2954, "s", 25), (2924, "vs", 35), (2854, "vs", 25),
               (1462, "s", 18), (1377, "m", 12), (722, "w", 10)]


def ir_point_wavenumber(i):
    """Wavenumber at trace point i (1-based): 14 twips a point, 874 twips for 500 cm-1
    above 2000 and for 250 cm-1 below it."""
    x = 226 + 14 * i
    if x <= 3735:
        return 4000.0 - (x - 240) * 500.0 / 874.0
    return 2000.0 - (x - 3733) * 250.0 / 874.0


def _band_absorbance(nu, centre, strength, width):
    a = IR_STRENGTH[strength] if isinstance(strength, str) else float(strength)
    w = IR_WIDTH.get(width, width) if isinstance(width, str) else float(width)
    hw = w / 2.0
    x2 = (nu - centre) ** 2
    # half Lorentzian, half Gaussian: real bands fall off faster than a pure Lorentzian
    return a * (0.5 * hw * hw / (x2 + hw * hw) + 0.5 * math.exp(-0.693147 * x2 / (hw * hw)))


def ir_trace(bands, nujol=False):
    all_bands = list(bands)
    if nujol:
        all_bands += NUJOL_BANDS
    heights = []
    for i in range(1, IR_POINTS + 1):
        nu = ir_point_wavenumber(i)
        # the grid is 8 cm-1 wide above 2000 cm-1: average over the point's span
        span = 8.0 if nu > 2000 else 4.0
        t = 0.0
        for s in (-0.375, -0.125, 0.125, 0.375):
            a = sum(_band_absorbance(nu + s * span, *b) for b in all_bands)
            t += 10.0 ** (-a)
        t /= 4.0
        # a gently sloping baseline, as a real instrument gives
        base = IR_BASELINE - 6.0 * (nu - 600) / 3400.0
        heights.append(nearest_allowed_height(base * t))
    return "".join(sample_char(h) for h in heights)


# ------------------------------------------------------------------ carbon-13
def cmr_records(peaks):
    """peaks: (shift ppm, relative height, attached H). Tallest stick 230 high."""
    top = max(p[1] for p in peaks)
    out = []
    for shift, rel, nh in peaks:
        s10 = int(round(shift * 10))
        if not 0 <= s10 <= 9999:
            raise ValueError(f"carbon shift {shift} out of range")
        if nh not in (0, 1, 2, 3):
            raise ValueError(f"carbon hydrogen count {nh} out of range")
        h = nearest_allowed_height(230.0 * rel / top)
        out.append(f"{s10:04d}{sample_char(h)}{nh}")
    return "".join(out)


# ---------------------------------------------------------------------- mass
def ms_records(peaks):
    """peaks: (m/z, relative intensity %). The base peak is full height (241)."""
    top = max(p[1] for p in peaks)
    out = []
    for mz, rel in sorted(peaks):
        if not 31 <= mz <= 229:
            raise ValueError(f"m/z {mz} outside the drawn range 31..229")
        h = nearest_allowed_height(SAMPLE_MAX * rel / top)
        if rel > 0 and h == 0:
            h = 1
        out.append(f"{mz:03d}{sample_char(h)}")
    return "".join(out)

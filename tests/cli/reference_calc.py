"""A second, independent calculation of the camera scene, used to cross-check
fenwarde-calc. Written for clarity, not speed; IEEE double arithmetic is
emulated where Python would raise (division by zero)."""

import math

PI = 3.141592653589793
HALF_PI = 1.5707963267948966

DEFAULTS = {
    "horizontalMount": False,
    "scenario": 0,
    "plateType": 0,
    "pitchAngle": 0,
    "horizontalAngle": 0,
    "minPixels": 0,
    "maxPixels": 0,
    "resolutionWidth": 0,
    "resolutionHeight": 0,
    "lanesNum": 1,
    "lanesWidth": 0.0,
    "focalLength": 0.0,
    "targetHeight": 0.0,
    "sensorHeight": 0.0,
    "sensorWidth": 0.0,
    "ipcHeight": 0.0,
    "captureDistance": 0.0,
}

DISTANCE_KEYS = ["L1", "W1", "L2", "W2", "L3", "W3", "L4", "W4",
                 "drawDepth", "drawWidth", "farDistance", "farWidth"]


CLASSES = {"detect": 25.0, "observe": 62.5, "recognise": 125.0, "identify": 250.0}


def div(a, b):
    """a / b with IEEE results instead of ZeroDivisionError."""
    if b != 0 or math.isnan(a) or math.isnan(b):
        return a / b if b != 0 else math.nan
    if a == 0:
        return math.nan
    negative = (a < 0) != (math.copysign(1.0, b) < 0)
    return -math.inf if negative else math.inf


def count(x):
    """Truncation toward zero; 0 for values an int cannot hold."""
    if not math.isfinite(x) or x <= -2147483649.0 or x >= 2147483648.0:
        return 0
    return int(x)


def plate_width(code):
    return {0: 0.44, 1: 0.52, 2: 0.305}.get(code, 0.38)


def compute(record):
    rec = dict(DEFAULTS)
    rec.update(record)
    scen = rec["scenario"]
    f = rec["focalLength"]
    sw = rec["sensorWidth"]
    sh = rec["sensorHeight"]
    H1 = rec["ipcHeight"]
    tH = rec["targetHeight"]
    res = float(rec["resolutionWidth"])
    p = rec["pitchAngle"] * PI / 180
    h = rec["horizontalAngle"] * PI / 180

    out = {k: 0.0 for k in DISTANCE_KEYS}
    out["lateralScale"] = 1.0
    out["nearPixels"] = rec["maxPixels"]
    out["farPixels"] = rec["minPixels"]
    out["errorIndex"] = 0
    out["rangeEmitted"] = False
    out["identification"] = None
    out["pxPerMetre"] = {k: None for k in ("L1", "L2", "L3", "L4")}
    out["densityClasses"] = {k: None for k in CLASSES}
    for k in ("plateAtCapture", "plateAtL1", "plateAtL4",
              "faceAtCapture", "faceAtL1", "faceAtL4"):
        out[k] = 0

    pw = plate_width(rec["plateType"])
    tw = 0.2 if scen == 1 else pw
    halfH = math.atan(div(0.5 * sw, f))
    halfV = math.atan(div(0.5 * sh, f))
    corrected = scen == 2 and rec["horizontalMount"]

    if scen == 1 and tH >= H1:
        out["errorIndex"] = 51
    elif scen == 2 and H1 <= 0:
        out["errorIndex"] = 51
    elif corrected and h + halfH >= HALF_PI:
        out["errorIndex"] = 52
    if out["errorIndex"]:
        return finish(out)
    out["rangeEmitted"] = True

    Hc = H1 - tH if scen == 1 else H1

    L1 = W1 = 0.0
    if p + halfV < HALF_PI:
        L1 = div(Hc, math.tan(p + halfV))
        W1 = math.tan(halfH) * 2 * L1
    if p > halfV:
        L4 = math.tan(halfV + HALF_PI - p) * Hc
        W4 = math.tan(halfH) * 2 * L4
    else:
        L4 = W4 = -1.0

    if scen == 1:
        depth, width = 20.0, 10.0
    elif scen == 2:
        depth, width = 50.0, 30.0
    else:
        depth, width = 2.2 * L1, 3 * W1
    F, G = L4, W4
    if L4 == -1 or L4 >= depth:
        F = depth
        G = div(sw * depth, f)
    lateral = 1.0
    if scen == 1 and G > width:
        lateral = div(width, G)

    L2 = L3 = W2 = W3 = 0.0
    near, far = rec["maxPixels"], rec["minPixels"]

    def depth_at(x, height):
        return div((math.cos(p) * x + math.sin(p) * height) * sw, f)

    if scen in (1, 2):
        W2 = div(res * tw, rec["maxPixels"])
        W3 = div(res * tw, rec["minPixels"])
        L2 = div(div(f * W2, sw) - math.sin(p) * Hc, math.cos(p))
        L3 = div(div(f * W3, sw) - math.sin(p) * Hc, math.cos(p))
    elif scen == 3:
        L2 = L3 = rec["captureDistance"]
        W2 = W3 = depth_at(L3, Hc)
        out["plateAtCapture"] = count(div(res * pw, W2))
        out["plateAtL1"] = count(div(res * pw, depth_at(L1, Hc)))
        if L4 != -1:
            out["plateAtL4"] = count(div(res * pw, depth_at(L4, Hc)))
        if tH <= H1:
            Hf = H1 - tH
            out["faceAtCapture"] = count(div(res * 0.2, depth_at(L3, Hf)))
            out["faceAtL1"] = count(div(res * 0.2, depth_at(L1, Hf)))
            if L4 != -1:
                out["faceAtL4"] = count(div(res * 0.2, depth_at(L4, Hf)))

    if corrected:
        c = math.cos(h)
        L1 = L1 * c
        L2 = L2 * (c * c)
        L3 = L3 * (c * c)
        if L4 != -1:
            L4 = L4 * c
            F = min(depth, L4)

    ch = math.cos(rec["horizontalAngle"] * PI / 180)
    k = ch * ch

    def width_at(x):
        return div(sw * (div(x, k) * math.cos(p) + math.sin(p) * Hc), f)

    error = 0
    if L2 < L1 and L3 >= L1 and (L4 >= L3 or L4 == -1):
        L2 = L1
        W2 = width_at(L1)
        near = count(div(res * tw, W2))
        error = 53
    elif L2 < L1 and L3 > L4 and L4 != -1:
        L2, L3 = L1, L4
        W2, W3 = width_at(L1), width_at(L4)
        near = count(div(res * tw, W2))
        far = count(div(res * tw, W3))
        error = 53
    elif L2 >= L1 and (L4 >= L2 or L4 == -1) and L3 > L4 and L4 != -1:
        L3 = L4
        W3 = width_at(L4)
        far = count(div(res * tw, W3))
        error = 53
    elif ((L2 < L1 and L3 < L1) or (L2 > L4 and L3 > L4 and L4 != -1)
          or L1 > depth):
        L2 = L3 = W2 = W3 = 0.0
        error = 54 if scen == 3 else 51

    out.update(L1=L1, W1=W1, L2=L2, W2=W2, L3=L3, W3=W3, L4=L4, W4=W4,
               drawDepth=depth, drawWidth=width, farDistance=F, farWidth=G,
               lateralScale=lateral, nearPixels=near, farPixels=far,
               errorIndex=error)

    densities(out, rec, Hc, corrected)

    if scen == 3:
        pL4, pL1 = out["plateAtL4"], out["plateAtL1"]
        fL4, fL1 = out["faceAtL4"], out["faceAtL1"]
        out["identification"] = [
            "%d - %dpx" % (pL4, pL1),
            "%d - %dpx" % (count(pL4 * 1.8 / pw), count(pL1 * 1.8 / pw)),
            "%d - %dpx" % (fL4, fL1),
            "%d - %dpx" % (count(fL4 * 0.5 / 0.2), count(fL1 / 0.2 * tH)),
        ]
    return finish(out)


def densities(out, rec, Hc, corrected):
    """Pixels per metre across the picture at L1 to L4, and how far out each
    class reaches. A turned camera's distances stand for distance / cos^2 h
    along its line, as for its band."""
    f = rec["focalLength"]
    sw = rec["sensorWidth"]
    res = float(rec["resolutionWidth"])
    p = rec["pitchAngle"] * PI / 180
    scale = math.cos(rec["horizontalAngle"] * PI / 180) ** 2 if corrected else 1.0

    def density(x):
        width = div(sw * (div(x, scale) * math.cos(p) + math.sin(p) * Hc), f)
        if not (math.isfinite(width) and width > 0):
            return None
        value = div(res, width)
        return value if math.isfinite(value) else None

    L1, L4 = out["L1"], out["L4"]
    for key in ("L1", "L2", "L3", "L4"):
        x = out[key]
        unbounded = key == "L4" and x == -1
        out["pxPerMetre"][key] = None if x == 0 or unbounded else density(x)
    for name, value in CLASSES.items():
        # The picture is res / value metres wide where the class ends.
        depth = div(f * div(res, value), sw)
        reach = div(depth - math.sin(p) * Hc, math.cos(p)) * scale
        if L4 != -1:
            reach = min(reach, L4)
        if math.isfinite(reach) and reach >= L1:
            out["densityClasses"][name] = {"from": L1, "to": reach}


def finish(out):
    """No NaN or infinity leaves the calculation: such a value becomes 0
    (1 for the lateral scale)."""
    for k in DISTANCE_KEYS:
        if not math.isfinite(out[k]):
            out[k] = 0.0
    if not math.isfinite(out["lateralScale"]):
        out["lateralScale"] = 1.0
    return out

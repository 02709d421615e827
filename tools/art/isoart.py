"""Small isometric drawing kit for the level art: solids in world units, drawn as SVG polygons.

World axes: x runs to the lower right of the screen, y to the lower left, z up. A world point maps to
the screen as sx = x - y, sy = (x + y) / 2 - z, so a square plot of side s is a 2:1 diamond 2s wide.
Solids are convex; each draws only its faces that look at the viewer, lit by one light from the upper
left, and solids are painted back to front by their depth.
"""

import colorsys
import math

VIEW = (1.0, 1.0, 1.2)
LIGHT = (0.35, 0.75, 1.0)
_ll = math.sqrt(sum(c * c for c in LIGHT))
LIGHT = tuple(c / _ll for c in LIGHT)


def project(p):
    x, y, z = p
    return (x - y, (x + y) / 2.0 - z)


def hex_to_rgb(colour):
    colour = colour.lstrip('#')
    return tuple(int(colour[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def rgb_to_hex(rgb):
    return '#%02x%02x%02x' % tuple(max(0, min(255, int(round(c * 255)))) for c in rgb)


def shade(colour, factor):
    r, g, b = hex_to_rgb(colour)
    if factor <= 1.0:
        return rgb_to_hex((r * factor, g * factor, b * factor))
    t = factor - 1.0
    return rgb_to_hex((r + (1 - r) * t, g + (1 - g) * t, b + (1 - b) * t))


def mix(a, b, t):
    ra, rb = hex_to_rgb(a), hex_to_rgb(b)
    return rgb_to_hex(tuple(x + (y - x) * t for x, y in zip(ra, rb)))


def weathered(colour):
    """The run-down look: colours lose most of their saturation and turn towards dusty brown."""
    r, g, b = hex_to_rgb(colour)
    h, l, s = colorsys.rgb_to_hls(r, g, b)
    r, g, b = colorsys.hls_to_rgb(h, l * 0.85, s * 0.5)
    return mix(rgb_to_hex((r, g, b)), '#8a6a45', 0.3)


def _sub(a, b):
    return tuple(x - y for x, y in zip(a, b))


def _cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def _dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def _normal(points):
    n = _cross(_sub(points[1], points[0]), _sub(points[2], points[0]))
    length = math.sqrt(_dot(n, n)) or 1.0
    return tuple(c / length for c in n)


class Face:
    def __init__(self, points, colour, role='wall', lit=True, opacity=1.0, outline=True):
        self.points = points
        self.colour = colour
        self.role = role  # 'wall', 'roof', 'ground', 'glass', 'water', 'leaf', 'detail'
        self.lit = lit
        self.opacity = opacity
        self.outline = outline


class Solid:
    """A convex solid (or a flat decal) given as outward-facing faces, counter-clockwise seen from outside."""

    def __init__(self, faces, depth=None, always=False):
        self.faces = faces
        self.always = always  # decals: draw every face, in order
        if depth is None:
            pts = [p for f in faces for p in f.points]
            cx = sum(p[0] for p in pts) / len(pts)
            cy = sum(p[1] for p in pts) / len(pts)
            cz = min(p[2] for p in pts)
            depth = cx + cy + cz * 0.01
        self.depth = depth


class Round:
    """A shaded ellipse (tree crown, ball, cloud puff) at a world point, radius in screen pixels."""

    def __init__(self, centre, rx, ry, colour, role='leaf', depth=None, opacity=1.0, outline=True):
        self.centre = centre
        self.rx, self.ry = rx, ry
        self.colour = colour
        self.role = role
        self.opacity = opacity
        self.outline = outline
        self.depth = depth if depth is not None else centre[0] + centre[1] + 0.5


class Line:
    """A thick projected polyline (slides, wires, masts)."""

    def __init__(self, points, colour, width, depth=None, role='detail', cap='round'):
        self.points = points
        self.colour = colour
        self.width = width
        self.role = role
        self.cap = cap
        if depth is None:
            depth = max(p[0] + p[1] for p in points)
        self.depth = depth


# Solids ---------------------------------------------------------------------------------------------

def box(x, y, z, dx, dy, dz, colour, role='wall', top=None, top_role='roof', depth=None):
    p = [(x, y, z), (x + dx, y, z), (x + dx, y + dy, z), (x, y + dy, z),
         (x, y, z + dz), (x + dx, y, z + dz), (x + dx, y + dy, z + dz), (x, y + dy, z + dz)]
    faces = [
        Face([p[4], p[5], p[6], p[7]], top or colour, top_role),  # top
        Face([p[1], p[2], p[6], p[5]], colour, role),  # +x
        Face([p[2], p[3], p[7], p[6]], colour, role),  # +y
        Face([p[0], p[4], p[7], p[3]], colour, role),  # -x
        Face([p[0], p[1], p[5], p[4]], colour, role),  # -y
    ]
    return Solid(faces, depth)


def gable(x, y, z, dx, dy, h, colour, along='x', gable_colour=None, overhang=2.0, depth=None):
    """A pitched roof over the rectangle, its ridge along the given axis."""
    o = overhang
    g = gable_colour or colour
    if along == 'x':
        a, b = (x - o, y - o, z), (x + dx + o, y - o, z)
        c, d = (x + dx + o, y + dy + o, z), (x - o, y + dy + o, z)
        r1, r2 = (x - o, y + dy / 2.0, z + h), (x + dx + o, y + dy / 2.0, z + h)
        faces = [Face([a, b, r2, r1], colour, 'roof'), Face([c, d, r1, r2], colour, 'roof'),
                 Face([b, c, r2], g, 'wall'), Face([d, a, r1], g, 'wall'), Face([a, d, c, b], colour, 'roof')]
    else:
        a, b = (x - o, y - o, z), (x + dx + o, y - o, z)
        c, d = (x + dx + o, y + dy + o, z), (x - o, y + dy + o, z)
        r1, r2 = (x + dx / 2.0, y - o, z + h), (x + dx / 2.0, y + dy + o, z + h)
        faces = [Face([b, c, r2, r1], colour, 'roof'), Face([d, a, r1, r2], colour, 'roof'),
                 Face([a, b, r1], g, 'wall'), Face([c, d, r2], g, 'wall'), Face([a, d, c, b], colour, 'roof')]
    return Solid(faces, depth)


def tent(x, y, dx, dy, h, colour, along='x', door='#3a2a1a'):
    s = gable(x, y, 0, dx, dy, h, colour, along=along, overhang=0, gable_colour=shade(colour, 0.9))
    # A dark door triangle on the front gable.
    if along == 'x':
        px = x + dx + 0.05
        door_face = Face([(px, y + dy * 0.3, 0), (px, y + dy * 0.7, 0), (px, y + dy / 2.0, h * 0.7)], door, 'detail',
                         lit=False)
    else:
        py = y + dy + 0.05
        door_face = Face([(x + dx * 0.7, py, 0), (x + dx * 0.3, py, 0), (x + dx / 2.0, py, h * 0.7)], door, 'detail',
                         lit=False)
    s.faces.append(door_face)
    return s


def pyramid(x, y, z, dx, dy, h, colour, role='roof'):
    a, b, c, d = (x, y, z), (x + dx, y, z), (x + dx, y + dy, z), (x, y + dy, z)
    t = (x + dx / 2.0, y + dy / 2.0, z + h)
    return Solid([Face([a, b, t], colour, role), Face([b, c, t], colour, role), Face([c, d, t], colour, role),
                  Face([d, a, t], colour, role), Face([a, d, c, b], colour, role)])


def cylinder(cx, cy, z, r, h, colour, sides=16, top=None, role='wall', top_role='roof'):
    ring = [(cx + r * math.cos(2 * math.pi * i / sides), cy + r * math.sin(2 * math.pi * i / sides))
            for i in range(sides)]
    faces = [Face([(px, py, z + h) for px, py in ring], top or colour, top_role)]
    for i in range(sides):
        (x0, y0), (x1, y1) = ring[i], ring[(i + 1) % sides]
        faces.append(Face([(x0, y0, z), (x1, y1, z), (x1, y1, z + h), (x0, y0, z + h)], colour, role, outline=False))
    solid = Solid(faces, depth=cx + cy + z * 0.01)
    solid.silhouette = True
    return solid


def cone(cx, cy, z, r, h, colour, sides=16, role='roof'):
    ring = [(cx + r * math.cos(2 * math.pi * i / sides), cy + r * math.sin(2 * math.pi * i / sides))
            for i in range(sides)]
    tip = (cx, cy, z + h)
    faces = []
    for i in range(sides):
        (x0, y0), (x1, y1) = ring[i], ring[(i + 1) % sides]
        faces.append(Face([(x0, y0, z), (x1, y1, z), tip], colour, role, outline=False))
    solid = Solid(faces, depth=cx + cy + z * 0.01)
    solid.silhouette = True
    return solid


def flat(points, colour, role='ground', z=0.0, depth=-1000.0, outline=True, opacity=1.0):
    """A flat shape lying on the ground (or at height z): paths, water, flower beds."""
    face = Face([(px, py, z) for px, py in points], colour, role, outline=outline, opacity=opacity)
    return Solid([face], depth=depth, always=True)


def ellipse_points(cx, cy, rx, ry, n=20):
    return [(cx + rx * math.cos(2 * math.pi * i / n), cy + ry * math.sin(2 * math.pi * i / n)) for i in range(n)]


def windows(x, y, z, dx, dy, dz, face, rows, cols, colour='#bfe3ff', frame=0.22, sill=1.0, role='glass',
            height_share=0.55):
    """Window panes on one face ('x' = the +x face, 'y' = the +y face) of a box, as flat decals."""
    out = []
    if rows <= 0 or cols <= 0:
        return out
    storey = (dz - sill) / rows
    wh = storey * height_share
    for r in range(rows):
        z0 = z + sill + r * storey + (storey - wh) * 0.45
        for c in range(cols):
            if face == 'x':
                span = dy / cols
                w = span * (1 - 2 * frame)
                a0 = y + c * span + span * frame
                px = x + dx + 0.3
                pts = [(px, a0, z0), (px, a0 + w, z0), (px, a0 + w, z0 + wh), (px, a0, z0 + wh)]
            else:
                span = dx / cols
                w = span * (1 - 2 * frame)
                a0 = x + c * span + span * frame
                py = y + dy + 0.3
                pts = [(a0 + w, py, z0), (a0, py, z0), (a0, py, z0 + wh), (a0 + w, py, z0 + wh)]
            out.append(Face(pts, colour, role, lit=True, outline=False))
    return out


def decal(faces, depth):
    return Solid(faces, depth=depth, always=True)


def building(x, y, dx, dy, storeys, wall, roof=None, storey_h=11.0, win='#bfe3ff', wx=None, wy=None, z=0.0,
             roof_kind='flat', roof_h=12.0, along='x', trim=None):
    """A block of storeys with windows on both visible faces and a roof."""
    dz = storeys * storey_h
    parts = []
    top = roof if roof_kind == 'flat' and roof else shade(wall, 0.92)
    parts.append(box(x, y, z, dx, dy, dz, wall, top=top))
    cols_x = wx if wx is not None else max(1, int(round(dy / 11.0)))
    cols_y = wy if wy is not None else max(1, int(round(dx / 11.0)))
    depth = parts[0].depth + 0.01
    glass = windows(x, y, z, dx, dy, dz, 'x', storeys, cols_x, win) + windows(x, y, z, dx, dy, dz, 'y', storeys,
                                                                              cols_y, win)
    parts.append(decal(glass, depth))
    if trim:
        parts.append(box(x - 0.8, y - 0.8, z + dz - 2.2, dx + 1.6, dy + 1.6, 2.2, trim, top=top, depth=depth + 0.01))
    if roof_kind == 'gable':
        parts.append(gable(x, y, z + dz, dx, dy, roof_h, roof or '#c0503a', along=along, gable_colour=wall,
                           depth=depth + 0.02))
    elif roof_kind == 'hip':
        parts.append(pyramid(x - 1.5, y - 1.5, z + dz, dx + 3, dy + 3, roof_h, roof or '#c0503a'))
        parts[-1].depth = depth + 0.02
    return parts


def door(x, y, z, dx, dy, face, at, width, height, colour='#6b4226'):
    """A door on the +x or +y face of a box, 'at' its distance along the face."""
    if face == 'x':
        px = x + dx + 0.35
        pts = [(px, y + at, z), (px, y + at + width, z), (px, y + at + width, z + height), (px, y + at, z + height)]
    else:
        py = y + dy + 0.35
        pts = [(x + at + width, py, z), (x + at, py, z), (x + at, py, z + height), (x + at + width, py, z + height)]
    return Face(pts, colour, 'detail', lit=True, outline=True)


def tree(x, y, size=1.0, colour='#4fa341', trunk='#7a4e2a', kind='round'):
    parts = [box(x - 1.2 * size, y - 1.2 * size, 0, 2.4 * size, 2.4 * size, 7 * size, trunk, top=trunk)]
    parts[0].depth = x + y
    if kind == 'pine':
        parts.append(cone(x, y, 5 * size, 7 * size, 20 * size, colour, role='leaf'))
        parts[-1].depth = x + y + 0.1
    else:
        parts.append(Round((x, y, 13 * size), 9 * size, 8 * size, colour, depth=x + y + 0.1))
    return parts


def bush(x, y, size=1.0, colour='#5bb34a'):
    return [Round((x, y, 3 * size), 5 * size, 3.8 * size, colour, depth=x + y + 0.1)]


def person(x, y, shirt='#e0502e', size=1.0):
    legs = box(x - 0.9 * size, y - 0.9 * size, 0, 1.8 * size, 1.8 * size, 4 * size, '#334466', top='#334466')
    body = box(x - 1.2 * size, y - 1.2 * size, 4 * size, 2.4 * size, 2.4 * size, 4.5 * size, shirt)
    head = Round((x, y, 10.3 * size), 1.9 * size, 1.9 * size, '#f2c29b', role='skin', depth=x + y + 0.02)
    legs.depth, body.depth = x + y, x + y + 0.01
    return [legs, body, head]


# Drawing ----------------------------------------------------------------------------------------------

class Style:
    """What a drawing does to colours: normal, run down, or under snow."""

    def __init__(self, kind='normal'):
        self.kind = kind

    def colour(self, face_colour, role, normal=None):
        c = face_colour
        if self.kind == 'rundown':
            if role in ('glass',):
                return mix(c, '#5a6068', 0.7)
            if role == 'water':
                return mix(c, '#5d6b4a', 0.5)
            if role in ('leaf', 'grass'):
                return mix(c, '#9a8f4a', 0.55)
            return weathered(c)
        if self.kind == 'snow':
            if role in ('grass', 'leaf') or (role in ('roof', 'ground', 'plot') and normal is not None and normal[2] > 0.45):
                return mix(c, '#f8fbff', 0.93 if role != 'leaf' else 0.55)
            if role == 'water':
                return mix(c, '#cfe6f5', 0.55)
        return c


def _fmt(v):
    return ('%.1f' % v).rstrip('0').rstrip('.')


def render(items, style, offset, scale=1.0):
    """SVG elements for the items, back to front; offset is the screen position of the world origin."""
    ox, oy = offset
    out = []

    def scr(p):
        sx, sy = project(p)
        return (ox + sx * scale, oy + sy * scale)

    flat_items = []
    for item in items:
        if isinstance(item, (list, tuple)):
            flat_items.extend(item)
        else:
            flat_items.append(item)
    flat_items.sort(key=lambda it: it.depth)
    for item in flat_items:
        if isinstance(item, Round):
            cx, cy = scr(item.centre)
            col = style.colour(item.colour, item.role)
            rx, ry = item.rx * scale, item.ry * scale
            stroke = ' stroke="%s" stroke-width="1.2"' % shade(col, 0.55) if item.outline else ''
            op = ' fill-opacity="%s"' % _fmt(item.opacity) if item.opacity < 1 else ''
            out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s"%s%s/>' % (
                _fmt(cx), _fmt(cy), _fmt(rx), _fmt(ry), col, stroke, op))
            # Soft highlight in the upper left of the ball.
            out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" fill-opacity="0.22"/>' % (
                _fmt(cx - rx * 0.3), _fmt(cy - ry * 0.35), _fmt(rx * 0.45), _fmt(ry * 0.35)))
            continue
        if isinstance(item, Line):
            pts = ' '.join('%s,%s' % tuple(_fmt(v) for v in scr(p)) for p in item.points)
            col = style.colour(item.colour, item.role)
            out.append('<polyline points="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="%s" '
                       'stroke-linejoin="round"/>' % (pts, shade(col, 0.6), _fmt(item.width * scale + 2), item.cap))
            out.append('<polyline points="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="%s" '
                       'stroke-linejoin="round"/>' % (pts, col, _fmt(item.width * scale), item.cap))
            continue
        silhouette = getattr(item, 'silhouette', False)
        drawn = []
        for face in item.faces:
            n = _normal(face.points)
            if not item.always and _dot(n, VIEW) <= 0.0001:
                continue
            col = style.colour(face.colour, face.role, n)
            if face.lit:
                lam = max(0.0, _dot(n, LIGHT))
                if item.always and abs(n[2]) > 0.9:
                    lam = 0.77
                col = shade(col, 0.5 + 0.6 * lam)
            pts = [scr(p) for p in face.points]
            drawn.append(pts)
            stroke = ''
            if face.outline and not silhouette:
                stroke = ' stroke="%s" stroke-width="1" stroke-linejoin="round"' % shade(col, 0.6)
            elif silhouette:
                stroke = ' stroke="%s" stroke-width="0.6" stroke-linejoin="round"' % col
            op = ' fill-opacity="%s"' % _fmt(face.opacity) if face.opacity < 1 else ''
            out.append('<polygon points="%s" fill="%s"%s%s/>' % (
                ' '.join('%s,%s' % (_fmt(a), _fmt(b)) for a, b in pts), col, stroke, op))
            if face.role == 'glass' and style.kind != 'rundown' and len(pts) == 4:
                # A glint across the pane.
                (ax, ay), (bx, by), (cx, cy), (dx_, dy_) = pts[0], pts[1], pts[2], pts[3]
                out.append('<polygon points="%s,%s %s,%s %s,%s" fill="#ffffff" fill-opacity="0.45"/>' % (
                    _fmt(dx_), _fmt(dy_), _fmt((dx_ + cx) / 2), _fmt((dy_ + cy) / 2), _fmt((ax + dx_) / 2),
                    _fmt((ay + dy_) / 2)))
        if silhouette and drawn:
            # Curved solids get one outline around their visible outline instead of seams between facets.
            hull = _convex_hull([p for pts in drawn for p in pts])
            out.append('<polygon points="%s" fill="none" stroke="%s" stroke-width="1" stroke-linejoin="round"/>' % (
                ' '.join('%s,%s' % (_fmt(a), _fmt(b)) for a, b in hull),
                shade(style.colour(item.faces[-1].colour, item.faces[-1].role), 0.5)))
    return out


def _convex_hull(points):
    pts = sorted(set((round(a, 2), round(b, 2)) for a, b in points))
    if len(pts) <= 2:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])

    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def svg(width, height, body, comment=None):
    head = '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n' % (
        width, height, width, height)
    if comment:
        head += '  <!-- %s -->\n' % comment
    return head + ''.join('  %s\n' % line for line in body) + '</svg>\n'

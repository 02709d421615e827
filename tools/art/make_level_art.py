#!/usr/bin/env python3
"""Writes the level art as SVG files under assets-src/atlases/ (committed; the build rasterises them).

    tools/art/make_level_art.py [repository root]
    tools/art/make_level_art.py [repository root] --previews <folder>   (the building panel's previews)

Buildings come from buildings.py (one function per line), vehicles are drawn here for every heading the
path movers name, icons and the ground pictures of the levels are written out directly. Run it again
after changing a description and commit the SVG files it writes.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import buildings as B  # noqa: E402
from isoart import (Face, Line, Round, Solid, Style, box, cone, cylinder, decal, flat, person, render, svg,  # noqa
                    tree, windows, ellipse_points, shade, mix, bush)

# Building pictures: 160 x 240, the plot's top corner (world origin) at (80, 164); the template places the
# picture at (-8, -164) so the building node's origin is the top-left of the plot's diamond (144 x 72).
BUILDING_SIZE = (160, 240)
BUILDING_ORIGIN = (80, 164)

# Vehicles and people: the mover node is at the world origin, drawn at (48, 56) of a 96 x 80 picture, half as
# big again as the world units so they read at the map's scale.
VEHICLE_SIZE = (96, 80)
VEHICLE_ORIGIN = (48, 56)
VEHICLE_SCALE = 1.5
# The helicopter: 144 x 120, its point on the route at (72, 110), drawn 1.6 times the world units.
HELICOPTER_SIZE = (144, 120)
HELICOPTER_ORIGIN = (72, 110)
HELICOPTER_SCALE = 1.6

HEADINGS = {'Right': 0, 'RightUp': 45, 'Up': 90, 'LeftUp': 135, 'Left': 180, 'LeftDown': 225, 'Down': 270,
            'RightDown': 315}
HELICOPTER_HEADINGS = {'RightUp': 30, 'RightDown': -30, 'LeftUp': 150, 'LeftDown': 210}


def write(root, relative, text):
    path = os.path.join(root, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w') as out:
        out.write(text)


# Buildings --------------------------------------------------------------------------------------------

def building_svg(items, style, comment):
    body = render(items, style, BUILDING_ORIGIN)
    return svg(BUILDING_SIZE[0], BUILDING_SIZE[1], body, comment)


def building_place(style):
    items = B.plot('#c8b48a', role='plot')
    # Survey stakes with ribbons at the corners and a few tufts of grass.
    for x, y in ((6, 6), (66, 6), (6, 66), (66, 66)):
        items.append(box(x - 1, y - 1, 3, 2, 2, 10, '#f4f1e8', top='#e84a4a'))
    items.append(Line([(5, 66, 12), (5, 6, 12)], '#e84a4a', 0.8, depth=6 + 66 - 5))
    items.append(Line([(6, 67, 12), (66, 67, 12)], '#e84a4a', 0.8, depth=200))
    items.append(Line([(67, 6, 12), (67, 66, 12)], '#e84a4a', 0.8, depth=200))
    for x, y in ((20, 24), (50, 40), (30, 54), (56, 18)):
        items += B.on_plot(bush(x, y, 0.5, '#7cc45a'))
    return items


def make_buildings(root):
    folder = 'assets-src/atlases/Buildings/Buildings/'
    for name, (kind, draw) in B.records().items():
        for variant, style in (('', Style('normal')), ('Snow', Style('snow'))):
            items = B.plot() + B.on_plot(draw())
            write(root, folder + name + variant + '.svg', building_svg(items, style, name + ' ' + (variant or 'summer')))
        if kind == 'service':
            items = B.plot() + B.on_plot(B.rubble(draw()))
            write(root, folder + name + 'RunDown.svg', building_svg(items, Style('rundown'), name + ' run down'))
    for variant, style in (('', Style('normal')), ('Snow', Style('snow'))):
        write(root, folder + 'BuildingPlace' + variant + '.svg',
              building_svg(building_place(style), style, 'empty building place'))
    make_construction(root)


def make_construction(root):
    """The building site: fence and scaffold (one picture each), a crane whose jib is separate so it swings."""
    folder = 'assets-src/atlases/Buildings/Construction/'
    style = Style('normal')
    ground = B.plot('#b89a6a', role='plot')
    ground += B.on_plot([box(10, 10, 0, 14, 10, 5, '#c0503a', top='#d0603f'),  # bricks
                         box(12, 56, 0, 16, 8, 3, '#a07a4a', top='#c0a070'),  # planks
                         cone(58, 58, 0, 7, 6, '#d8c8a0', sides=12)])  # sand heap
    write(root, folder + 'Ground.svg', building_svg(ground, style, 'building site ground'))
    scaffold = []
    for x in (18, 34, 50):
        for y in (18, 50):
            scaffold.append(Line([(x, y, 3), (x, y, 45)], '#a8a8a8', 1.2))
    for z in (15, 27, 39):
        scaffold.append(Line([(18, 50, z), (50, 50, z)], '#c89040', 2.0))
        scaffold.append(Line([(50, 18, z), (50, 50, z)], '#c89040', 2.0))
    scaffold.append(box(20, 20, 3, 28, 28, 20, '#d8c8a8', top='#b0a080'))
    scaffold[-1].depth = 0
    write(root, folder + 'Scaffold.svg', building_svg(scaffold, style, 'scaffold'))
    fence = []
    for i in range(8):
        t = i * 9
        fence.append(box(t, 70, 3, 8, 1, 7, '#f2c230' if i % 2 == 0 else '#2a2a2a'))
        fence.append(box(70, t, 3, 1, 8, 7, '#f2c230' if i % 2 == 0 else '#2a2a2a'))
    write(root, folder + 'Fence.svg', building_svg(fence, style, 'site fence'))
    mast = [box(58, 6, 3, 4, 4, 80, '#f2b01e', top='#f2b01e'), box(56, 4, 80, 8, 8, 6, '#f2b01e', top='#d09010')]
    write(root, folder + 'CraneMast.svg', building_svg(mast, style, 'crane mast'))
    # The jib is drawn flat so the template can turn it about its root.
    jib = ('<svg xmlns="http://www.w3.org/2000/svg" width="96" height="24" viewBox="0 0 96 24">\n'
           '  <!-- crane jib, pivot at (12, 8) -->\n'
           '  <rect x="0" y="5" width="94" height="6" rx="1" fill="#f2b01e" stroke="#8a5a0a" stroke-width="1"/>\n'
           '  <path d="M4 5 L12 0 L90 5" fill="none" stroke="#8a5a0a" stroke-width="1"/>\n'
           '  <rect x="0" y="4" width="12" height="10" fill="#5a5a5a" stroke="#2a2a2a" stroke-width="1"/>\n'
           '  <line x1="80" y1="11" x2="80" y2="23" stroke="#3a3a3a" stroke-width="1"/>\n'
           '  <rect x="76" y="19" width="8" height="5" fill="#c0503a" stroke="#5a2a1a" stroke-width="0.8"/>\n'
           '</svg>\n')
    write(root, folder + 'CraneJib.svg', jib)
    dust = ''.join('<circle cx="%d" cy="%d" r="%d" fill="#d8cbb0" fill-opacity="0.8" stroke="#a89878" '
                   'stroke-width="1"/>' % (x, y, r) for x, y, r in
                   ((30, 60, 22), (60, 50, 26), (95, 58, 24), (125, 64, 20), (50, 80, 20), (100, 82, 22),
                    (75, 70, 28)))
    write(root, folder + 'Dust.svg', '<svg xmlns="http://www.w3.org/2000/svg" width="160" height="110" '
                                     'viewBox="0 0 160 110">\n  <!-- dust cloud -->\n  %s\n</svg>\n' % dust)


# Vehicles ---------------------------------------------------------------------------------------------

def heading_vector(screen_degrees):
    """The world direction that looks like the given screen heading (0 right, 90 up)."""
    sx, sy = math.cos(math.radians(screen_degrees)), -math.sin(math.radians(screen_degrees))
    dx, dy = (sx + 2 * sy) / 2.0, (2 * sy - sx) / 2.0
    length = math.hypot(dx, dy)
    return dx / length, dy / length


def turned(items, direction):
    """Turns vehicle parts drawn along +x to the world direction."""
    cx, cy = direction
    out = []

    def rot(p):
        x, y, z = p
        return (x * cx - y * cy, x * cy + y * cx, z)

    for item in items:
        if isinstance(item, Round):
            item.centre = rot(item.centre)
            item.depth = item.centre[0] + item.centre[1] + 0.3
        elif isinstance(item, Line):
            item.points = [rot(p) for p in item.points]
            item.depth = max(p[0] + p[1] for p in item.points)
        else:
            for face in item.faces:
                face.points = [rot(p) for p in face.points]
            pts = [p for f in item.faces for p in f.points]
            item.depth = sum(p[0] + p[1] for p in pts) / len(pts) + getattr(item, 'bias', 0.0)
        out.append(item)
    return out


def biased(solid, bias):
    solid.bias = bias
    return solid


def bus_parts():
    body = box(-13, -5, 2, 26, 10, 10, '#f2c230', top='#f7d650')
    parts = [biased(body, 0)]
    glass = windows(-13, -5, 2, 26, 10, 10, 'y', 1, 5, '#9fd0ff', sill=5, height_share=0.55)
    glass += windows(-13, -5, 2, 26, 10, 10, 'x', 1, 1, '#9fd0ff', sill=5, height_share=0.55)
    # The same panes on the hidden sides, so every heading shows windows.
    back = []
    for face in windows(-13, -5, 2, 26, 10, 10, 'y', 1, 5, '#9fd0ff', sill=5, height_share=0.55):
        back.append(Face([(x, -5.3, z) for x, y, z in reversed(face.points)], face.colour, 'glass', outline=False))
    for face in windows(-13, -5, 2, 26, 10, 10, 'x', 1, 1, '#9fd0ff', sill=5, height_share=0.55):
        back.append(Face([(-13.3, y, z) for x, y, z in reversed(face.points)], face.colour, 'glass', outline=False))
    parts.append(biased(Solid(glass + back), 0.01))
    parts.append(biased(box(-13, -5.2, 3.2, 26, 10.4, 1.4, '#d06a1a', top='#d06a1a'), 0.005))
    for wx in (-8, 8):
        for wy in (-5.5, 4.5):
            parts.append(biased(box(wx - 2, wy, 0, 4, 1, 4, '#2a2a2a'), -0.5))
    return parts


def car_parts(colour):
    parts = [biased(box(-8, -4, 1.5, 16, 8, 4, colour, top=shade(colour, 1.1)), 0)]
    parts.append(biased(box(-4, -3.5, 5.5, 8, 7, 3.2, '#9fd0ff', role='glass', top=shade(colour, 1.05)), 0.1))
    for wx in (-5, 5):
        for wy in (-4.3, 3.5):
            parts.append(biased(box(wx - 1.6, wy, 0, 3.2, 0.8, 3.2, '#2a2a2a'), -0.5))
    return parts


def van_parts():
    parts = [biased(box(-10, -4.5, 1.5, 14, 9, 9, '#f4f4f4', top='#e8e8e8'), 0)]
    parts.append(biased(box(4, -4.5, 1.5, 6, 9, 6.5, '#3d9a4a', top='#4aaa58'), 0.05))
    parts.append(biased(box(7, -4, 4.5, 3.2, 8, 3, '#9fd0ff', role='glass', top='#4aaa58'), 0.1))
    parts.append(biased(box(-10, -4.7, 5, 14, 9.4, 1.5, '#3d9a4a', top='#f4f4f4'), 0.02))
    for wx in (-6, 6):
        for wy in (-4.8, 4):
            parts.append(biased(box(wx - 1.8, wy, 0, 3.6, 0.8, 3.6, '#2a2a2a'), -0.5))
    return parts


CARS = {'CarBlue': lambda: car_parts('#3d7fd6'), 'CarRed': lambda: car_parts('#d63a2a'),
        'CarYellow': lambda: car_parts('#f2b81e'), 'Van': van_parts}


def worker_parts():
    return person(0, 0, '#f28c1e', size=1.4) + [biased(box(-1.2, -1.8, 13.5, 2.4, 3.6, 1.8, '#f2c230'), 0.3)]


def helicopter_parts():
    parts = [biased(box(-8, -5, 30, 18, 10, 9, '#d63a2a', top='#e85a4a'), 0)]
    parts.append(biased(box(6, -4, 32, 5, 8, 6, '#9fd0ff', role='glass'), 0.1))
    parts.append(biased(box(-26, -1.5, 35, 18, 3, 3, '#d63a2a'), -0.2))
    parts.append(biased(box(-28, -0.5, 35, 4, 1, 8, '#f4f4f4'), -0.3))
    parts.append(Line([(-6, -6, 28), (10, -6, 28)], '#3a3a3a', 1.0))
    parts.append(Line([(-6, 6, 28), (10, 6, 28)], '#3a3a3a', 1.0))
    parts.append(biased(box(-0.8, -0.8, 39, 1.6, 1.6, 3, '#3a3a3a'), 0.2))
    return parts


def rotor(origin, z):
    """The spinning rotor: a faint blurred disc with two blades above the cabin (the same from every side)."""
    ox, oy = origin
    cy = oy - z
    return ('<ellipse cx="%s" cy="%s" rx="40" ry="18" fill="#ffffff" fill-opacity="0.18" stroke="#3a4450" '
            'stroke-opacity="0.35" stroke-width="1.2"/>'
            '<path d="M%s %s L%s %s M%s %s L%s %s" stroke="#2a2f36" stroke-width="3" stroke-linecap="round" '
            'stroke-opacity="0.8"/>' % (ox, cy, ox - 36, cy - 6, ox + 36, cy + 6, ox - 14, cy + 14, ox + 14, cy - 14))


def make_vehicles(root):
    folder = 'assets-src/atlases/Buildings/Vehicles/'
    style = Style('normal')
    ox, oy = VEHICLE_ORIGIN
    shadow = '<ellipse cx="%d" cy="%d" rx="26" ry="11" fill="#000000" fill-opacity="0.22"/>' % (ox, oy + 3)
    for name, degrees in HEADINGS.items():
        body = render(turned(bus_parts(), heading_vector(degrees)), style, VEHICLE_ORIGIN, VEHICLE_SCALE)
        write(root, folder + 'Bus' + name + '.svg', svg(VEHICLE_SIZE[0], VEHICLE_SIZE[1], [shadow] + body,
                                                         'workers bus heading ' + name))
        body = render(turned(worker_parts(), heading_vector(degrees)), style, VEHICLE_ORIGIN, 2.2)
        write(root, folder + 'Worker' + name + '.svg',
              svg(VEHICLE_SIZE[0], VEHICLE_SIZE[1],
                  ['<ellipse cx="%d" cy="%d" rx="9" ry="4" fill="#000000" fill-opacity="0.25"/>' % (ox, oy + 1)]
                  + body, 'worker walking ' + name))
    for car, parts in CARS.items():
        for name, degrees in HEADINGS.items():
            body = render(turned(parts(), heading_vector(degrees)), style, VEHICLE_ORIGIN, VEHICLE_SCALE)
            write(root, folder + car + name + '.svg',
                  svg(VEHICLE_SIZE[0], VEHICLE_SIZE[1],
                      ['<ellipse cx="%d" cy="%d" rx="18" ry="8" fill="#000000" fill-opacity="0.22"/>' % (ox, oy + 3)]
                      + body, car + ' heading ' + name))
    for name, degrees in HELICOPTER_HEADINGS.items():
        body = render(turned(helicopter_parts(), heading_vector(degrees)), style, HELICOPTER_ORIGIN,
                      HELICOPTER_SCALE)
        write(root, folder + 'Helicopter' + name + '.svg',
              svg(HELICOPTER_SIZE[0], HELICOPTER_SIZE[1], body + [rotor(HELICOPTER_ORIGIN, 43 * HELICOPTER_SCALE)],
                  'helicopter heading ' + name))
    # The helicopter's load, its shadow on the ground and the same load set down on a building site.
    crate = [box(-6, -6, 0, 12, 12, 8, '#b07a3a', top='#c89050'), Line([(-6, 0, 8), (0, 0, 20), (6, 0, 8)],
                                                                       '#3a3a3a', 0.6, depth=100)]
    write(root, folder + 'Cargo.svg', svg(48, 48, render(crate, style, (24, 36)), 'cargo crate on its sling'))
    write(root, folder + 'CargoShadow.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="40" height="20" viewBox="0 0 40 20">\n'
          '  <ellipse cx="20" cy="10" rx="18" ry="8" fill="#000000" fill-opacity="0.28"/>\n</svg>\n')
    pallet = [box(-10, -10, 0, 20, 20, 2, '#8a6a3a', top='#a8844a'), box(-8, -8, 2, 16, 16, 9, '#c0503a',
                                                                          top='#d0603f')]
    write(root, folder + 'CargoPallet.svg', svg(48, 48, render(pallet, style, (24, 30)), 'bricks set down'))


def make_clouds(root):
    folder = 'assets-src/atlases/Buildings/Clouds/'
    shapes = {
        'Cloud1': [(60, 52, 30), (92, 44, 36), (128, 54, 28), (40, 64, 20), (150, 66, 18)],
        'Cloud2': [(50, 50, 26), (84, 40, 32), (118, 48, 26), (140, 60, 18)],
        'Cloud3': [(70, 48, 34), (112, 50, 30), (44, 62, 22), (140, 62, 20), (92, 62, 26)],
    }
    for name, puffs in shapes.items():
        shadow = ''.join('<circle cx="%d" cy="%d" r="%d" fill="#b8cde0"/>' % (x + 4, y + 6, r) for x, y, r in puffs)
        body = ''.join('<circle cx="%d" cy="%d" r="%d" fill="#ffffff"/>' % (x, y, r) for x, y, r in puffs)
        shine = ''.join('<circle cx="%d" cy="%d" r="%d" fill="#ffffff"/>' % (x - r // 4, y - r // 4, r * 2 // 3)
                        for x, y, r in puffs)
        write(root, folder + name + '.svg',
              '<svg xmlns="http://www.w3.org/2000/svg" width="190" height="100" viewBox="0 0 190 100">\n'
              '  <!-- drifting cloud; the template draws it translucent -->\n'
              '  <g>%s</g>\n  <g>%s</g>\n  <g fill-opacity="0.6">%s</g>\n</svg>\n' % (shadow, body, shine))


# Icons ------------------------------------------------------------------------------------------------

def bubble(colour, inner, size=40, comment=''):
    """A round badge with a pointer at the bottom: every icon that floats over a building."""
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 40 48">\n'
            '  <!-- %s -->\n'
            '  <path d="M20 46 L13 34 L27 34 Z" fill="%s" stroke="#1c2838" stroke-width="2" stroke-linejoin="round"/>\n'
            '  <circle cx="20" cy="19" r="17" fill="%s" stroke="#1c2838" stroke-width="2"/>\n'
            '  <circle cx="20" cy="19" r="14" fill="#ffffff" fill-opacity="0.15"/>\n'
            '  <ellipse cx="14" cy="11" rx="7" ry="4" class="shine"/>\n'
            '  %s\n</svg>\n') % (size, size * 48 // 40, comment, colour, colour, inner)


STAR = 'M20 3 L24.7 14.2 L36.8 15.3 L27.6 23.3 L30.4 35.2 L20 28.9 L9.6 35.2 L12.4 23.3 L3.2 15.3 L15.3 14.2 Z'


def make_icons(root):
    base = 'assets-src/atlases/Buildings/'
    write(root, base + 'Icons/Repair.svg', bubble(
        '#e04a3a', '<g transform="rotate(-45 20 19)"><rect x="17" y="12" width="6" height="18" rx="2" fill="#f4f4f4" '
        'stroke="#1c2838" stroke-width="1.5"/><path d="M13 6 A7 7 0 1 0 27 6 L24 6 L24 11 L16 11 L16 6 Z" '
        'fill="#f4f4f4" stroke="#1c2838" stroke-width="1.5" stroke-linejoin="round"/></g>', comment='broken: wrench'))
    write(root, base + 'Icons/Dirty.svg', bubble(
        '#9a6a3a', '<path d="M11 29 Q12 20 16 17 L24 17 Q28 20 29 29 Z" fill="#5a8a3a" stroke="#1c2838" '
        'stroke-width="1.5"/><path d="M16 17 Q20 10 24 17" fill="none" stroke="#1c2838" stroke-width="1.5"/>'
        '<path d="M9 10 q2 -3 4 0 M27 9 q2 -3 4 0 M18 7 q2 -3 4 0" fill="none" stroke="#e8dcc0" stroke-width="1.5"/>',
        comment='dirty: rubbish bag and flies'))
    write(root, base + 'Icons/Phone.svg', bubble(
        '#3d9a4a', '<path d="M11 14 Q11 9 16 9 L17 14 L15 16 Q17 22 23 24 L25 22 L30 23 Q30 29 25 29 Q13 27 11 14 Z" '
        'fill="#f4f4f4" stroke="#1c2838" stroke-width="1.5" stroke-linejoin="round"/>', comment='a buyer calls'))
    write(root, base + 'Icons/Feature1.svg', bubble(
        '#f2a81e', '<path d="M22 6 L12 21 L19 21 L16 33 L28 16 L21 16 Z" fill="#ffffff" stroke="#1c2838" '
        'stroke-width="1.5" stroke-linejoin="round"/>', comment='first feature: lightning'))
    write(root, base + 'Icons/Feature2.svg', bubble(
        '#8e44ad', '<path d="%s" transform="translate(6 5) scale(0.7)" fill="#ffffff" stroke="#1c2838" '
        'stroke-width="2" stroke-linejoin="round"/>' % STAR, comment='second feature: star'))
    write(root, base + 'Icons/FeatureFill.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="40" height="48" viewBox="0 0 40 48">\n'
          '  <!-- recharge shade over a feature badge, stretched to the share still to recharge -->\n'
          '  <rect width="40" height="48" fill="#1c2838" fill-opacity="0.6"/>\n</svg>\n')
    write(root, base + 'Icons/FeatureGauge.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20" viewBox="0 0 20 20">\n'
          '  <!-- rim of a feature badge\'s recharge gauge, drawn over the shade -->\n'
          '  <circle cx="10" cy="10" r="9" fill="none" stroke="#ffffff" stroke-opacity="0.7" stroke-width="1.5"/>\n'
          '</svg>\n')
    write(root, base + 'Icons/ForSale.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="96" height="64" viewBox="0 0 96 64">\n'
          '  <!-- for-sale sign on a post; the price is written over the board -->\n'
          '  <rect x="44" y="30" width="8" height="34" fill="#8a5a2a" stroke="#1c2838" stroke-width="1.5"/>\n'
          '  <rect x="3" y="3" width="90" height="34" rx="5" fill="#fff6dc" stroke="#1c2838" stroke-width="2"/>\n'
          '  <rect x="7" y="7" width="82" height="26" rx="3" fill="none" stroke="#d63a2a" stroke-width="2"/>\n'
          '  <circle cx="8" cy="9" r="1.5" class="ink"/><circle cx="88" cy="9" r="1.5" class="ink"/>\n'
          '</svg>\n')
    write(root, base + 'Icons/MoneyBurst.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
          '  <!-- coins bursting out of a finished job -->\n'
          '  <path d="M32 2 L37 20 L54 10 L44 27 L62 32 L44 37 L54 54 L37 44 L32 62 L27 44 L10 54 L20 37 L2 32 L20 27 '
          'L10 10 L27 20 Z" fill="#fff3a0" fill-opacity="0.85"/>\n'
          '  <circle cx="32" cy="32" r="15" class="gold" stroke="#8a5a0a" stroke-width="2"/>\n'
          '  <circle cx="32" cy="32" r="11" fill="none" stroke="#fff3a0" stroke-width="1.5"/>\n'
          '  <text x="32" y="38.5" text-anchor="middle" font-family="DejaVu Sans" font-weight="bold" font-size="17" '
          'fill="#7a4a08">$</text>\n</svg>\n')
    write(root, base + 'Icons/Selector.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="152" height="80" viewBox="0 0 152 80">\n'
          '  <!-- selection frame around a building plot -->\n'
          '  <path d="M76 4 L148 40 L76 76 L4 40 Z" fill="#ffe680" fill-opacity="0.18" stroke="#ffd34d" '
          'stroke-width="4" stroke-linejoin="round"/>\n'
          '  <path d="M76 4 L148 40 L76 76 L4 40 Z" fill="none" stroke="#ffffff" stroke-width="1.5" '
          'stroke-dasharray="10 8" stroke-linejoin="round"/>\n</svg>\n')
    write(root, base + 'Icons/RingBg.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="36" height="36" viewBox="0 0 36 36">\n'
          '  <!-- countdown ring: the dial behind the coloured sector -->\n'
          '  <circle cx="18" cy="18" r="16.5" fill="#1c2838" stroke="#ffffff" stroke-width="2"/>\n</svg>\n')
    write(root, base + 'Icons/RingFace.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="36" height="36" viewBox="0 0 36 36">\n'
          '  <!-- countdown ring: rim and ticks over the sector -->\n'
          '  <circle cx="18" cy="18" r="15" fill="none" stroke="#1c2838" stroke-width="2"/>\n'
          '  <g stroke="#ffffff" stroke-width="1.5"><line x1="18" y1="3" x2="18" y2="6"/>'
          '<line x1="33" y1="18" x2="30" y2="18"/><line x1="18" y1="33" x2="18" y2="30"/>'
          '<line x1="3" y1="18" x2="6" y2="18"/></g>\n</svg>\n')
    write(root, base + 'Icons/RingHand.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="6" height="18" viewBox="0 0 6 18">\n'
          '  <!-- countdown ring hand, turning about its lower end -->\n'
          '  <path d="M3 1 L5 15 L3 17 L1 15 Z" fill="#ffffff" stroke="#1c2838" stroke-width="1"/>\n</svg>\n')
    write(root, base + 'Stars/FilledStar.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="18" height="18" viewBox="0 0 40 40">\n'
          '  <!-- a level star earned -->\n'
          '  <path d="%s" class="gold" stroke="#7a4a08" stroke-width="3" stroke-linejoin="round"/>\n'
          '  <path d="M20 8 L23 15 L15 16 Z" fill="#ffffff" fill-opacity="0.6"/>\n</svg>\n' % STAR)
    write(root, base + 'Stars/EmptyStar.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="18" height="18" viewBox="0 0 40 40">\n'
          '  <!-- a level star still to earn -->\n'
          '  <path d="%s" fill="#5a6470" fill-opacity="0.55" stroke="#2a3038" stroke-width="3" '
          'stroke-linejoin="round"/>\n</svg>\n' % STAR)
    write(root, base + 'Stars/StarGlow.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
          '  <!-- the burst behind a new level star -->\n'
          '  <circle cx="32" cy="32" r="30" fill="#fff3a0" fill-opacity="0.35"/>\n'
          '  <path d="M32 0 L36 26 L64 32 L36 38 L32 64 L28 38 L0 32 L28 26 Z" fill="#fff8c8" fill-opacity="0.9"/>\n'
          '</svg>\n')
    faces = {'Green': ('#4cc04a', 'M12 22 Q20 30 28 22'), 'Blue': ('#3d8fd6', 'M12 23 Q20 28 28 23'),
             'Red': ('#e04a3a', 'M12 27 Q20 20 28 27')}
    for name, (colour, mouth) in faces.items():
        write(root, base + 'Smiles/%s.svg' % name,
              '<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 40 40">\n'
              '  <!-- luck of the place: %s -->\n'
              '  <circle cx="20" cy="20" r="18" fill="%s" stroke="#1c2838" stroke-width="2.5"/>\n'
              '  <ellipse cx="14" cy="11" rx="6" ry="3.5" class="shine"/>\n'
              '  <circle cx="14" cy="16" r="2.6" class="ink"/><circle cx="26" cy="16" r="2.6" class="ink"/>\n'
              '  <path d="%s" fill="none" stroke="#1c2838" stroke-width="3" stroke-linecap="round"/>\n'
              '</svg>\n' % (name.lower(), colour, mouth))
    write(root, base + 'Icons/Letter.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="48" height="36" viewBox="0 0 48 36">\n'
          '  <!-- a letter with money for the player -->\n'
          '  <rect x="2" y="2" width="44" height="31" rx="3" fill="#fff8e8" stroke="#1c2838" stroke-width="2"/>\n'
          '  <path d="M3 4 L24 20 L45 4" fill="#f4e6c4" stroke="#1c2838" stroke-width="2" stroke-linejoin="round"/>\n'
          '  <circle cx="24" cy="20" r="7" fill="#d63a2a" stroke="#7a1a10" stroke-width="1.5"/>\n'
          '  <text x="24" y="24.5" text-anchor="middle" font-family="DejaVu Sans" font-weight="bold" font-size="11" '
          'fill="#fff3a0">$</text>\n</svg>\n')
    write(root, base + 'Icons/Plate.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="60" height="20" viewBox="0 0 60 20">\n'
          '  <!-- label plate under a money letter\'s amount -->\n'
          '  <rect x="1" y="1" width="58" height="18" rx="8" fill="#fff8e8" fill-opacity="0.92" stroke="#1c2838" '
          'stroke-width="1.5"/>\n</svg>\n')
    write(root, base + 'Icons/ServeArea.svg',
          '<svg xmlns="http://www.w3.org/2000/svg" width="40" height="40" viewBox="0 0 40 40">\n'
          '  <!-- one cell of a serve area, stretched over the whole area -->\n'
          '  <rect x="1" y="1" width="38" height="38" rx="6" fill="#ffffff" fill-opacity="0.35" stroke="#ffffff" '
          'stroke-width="2"/>\n</svg>\n')


# Ground -----------------------------------------------------------------------------------------------

def ground_level1():
    """Harbour Road: grass, the quay road along y 505-578, Ferry Street down x 596-660, the sea with a pier."""
    e = []
    e.append('<rect width="1024" height="768" fill="url(Gradients.svg#grass)"/>')
    # Mown stripes and meadow flowers give the grass some life.
    for i in range(0, 1024, 64):
        e.append('<rect x="%d" y="0" width="32" height="505" fill="#ffffff" fill-opacity="0.035"/>' % i)
    import random
    rnd = random.Random(7)
    for _ in range(260):
        x, y = rnd.randint(0, 1023), rnd.randint(0, 767)
        if 480 < y < 600 or 580 < x < 680:
            continue
        colour = rnd.choice(('#5fa844', '#8fd06a', '#f4f1a0', '#ffffff', '#f0a0c0'))
        e.append('<circle cx="%d" cy="%d" r="%s" fill="%s" fill-opacity="0.7"/>' % (x, y, rnd.choice(('1.5', '2')),
                                                                                  colour))
    # Sea and beach in the lower right.
    e.append('<path d="M690 768 L700 700 Q760 650 860 640 Q960 630 1024 610 L1024 768 Z" fill="#ecd9a0"/>')
    e.append('<path d="M730 768 Q740 700 820 684 Q930 668 1024 650 L1024 768 Z" fill="url(Gradients.svg#sea)"/>')
    for y in (700, 724, 748):
        e.append('<path d="M%d %d q12 -5 24 0 t24 0" fill="none" stroke="#ffffff" stroke-opacity="0.5" '
                 'stroke-width="2"/>' % (860 + (y % 48), y))
    # Pier.
    e.append('<rect x="806" y="586" width="28" height="150" fill="#a8794a" stroke="#6a4a2a" stroke-width="2"/>')
    for y in range(592, 736, 10):
        e.append('<line x1="806" y1="%d" x2="834" y2="%d" stroke="#6a4a2a" stroke-width="1"/>' % (y, y))
    # Sidewalks, then the roads with their markings.
    e.append('<rect x="0" y="494" width="1024" height="94" fill="#cfc8b8"/>')
    e.append('<rect x="586" y="0" width="84" height="500" fill="#cfc8b8"/>')
    e.append('<rect x="0" y="510" width="1024" height="62" fill="url(Gradients.svg#asphalt)"/>')
    e.append('<rect x="600" y="0" width="56" height="516" fill="#5a5f66"/>')
    e.append('<line x1="0" y1="541" x2="1024" y2="541" stroke="#f4f1e8" stroke-width="3" stroke-dasharray="26 18"/>')
    e.append('<line x1="628" y1="0" x2="628" y2="505" stroke="#f4f1e8" stroke-width="3" stroke-dasharray="26 18"/>')
    e.append('<line x1="0" y1="510" x2="1024" y2="510" stroke="#8a8478" stroke-width="2"/>')
    e.append('<line x1="0" y1="572" x2="1024" y2="572" stroke="#8a8478" stroke-width="2"/>')
    # Driveways from the roads to the building places.
    for x, y0, y1 in ((168, 490, 510), (348, 490, 510), (168, 572, 604), (348, 572, 604)):
        e.append('<rect x="%d" y="%d" width="24" height="%d" fill="#cfc8b8" stroke="#a8a090" stroke-width="1"/>' % (
            x, y0, y1 - y0))
    e.append('<rect x="656" y="368" width="48" height="24" fill="#cfc8b8" stroke="#a8a090" stroke-width="1"/>')
    e.append('<rect x="576" y="288" width="24" height="24" fill="#cfc8b8" stroke="#a8a090" stroke-width="1"/>')
    # Zebra crossing.
    for i in range(6):
        e.append('<rect x="%d" y="514" width="6" height="54" fill="#f4f1e8"/>' % (602 + i * 9))
    # Flower beds by the crossing and along the quay.
    for cx, cy in ((540, 470), (720, 470), (470, 620), (560, 650)):
        e.append('<ellipse cx="%d" cy="%d" rx="26" ry="12" fill="#8a5a3a"/>' % (cx, cy))
        for i in range(9):
            e.append('<circle cx="%d" cy="%d" r="3.2" fill="%s"/>' % (
                cx - 18 + (i % 5) * 9, cy - 4 + (i // 5) * 8, ('#e84a6a', '#f2c230', '#ffffff')[i % 3]))
    trees = [(40, 60), (100, 36), (160, 90), (60, 160), (220, 40), (30, 270), (70, 350), (36, 440), (300, 120),
             (380, 60), (250, 200), (360, 190), (470, 40), (540, 80), (720, 40), (800, 90), (900, 50), (980, 120),
             (950, 250), (1000, 340), (890, 200), (730, 140), (960, 440), (880, 450), (30, 640), (60, 730),
             (480, 700), (560, 740), (640, 690), (20, 520 + 200)]
    extras = [(150, 500, lamp), (420, 500, lamp), (760, 500, lamp), (960, 500, lamp), (260, 584, lamp),
              (700, 584, lamp), (500, 470, bench), (760, 460, bench), (930, 720, sailboat), (870, 660, rowboat)]
    e += scenery(trees, extras)
    return e


def ground_level2():
    """Riverside: River Road (y 285-315) and Meadow Lane (y 585-615) joined by a bridge at x 466-538 over the
    river that winds between them."""
    e = ['<rect width="1024" height="768" fill="url(Gradients.svg#grass)"/>']
    import random
    rnd = random.Random(11)
    for _ in range(260):
        x, y = rnd.randint(0, 1023), rnd.randint(0, 767)
        colour = rnd.choice(('#5fa844', '#8fd06a', '#f4f1a0', '#ffffff', '#c0a0f0'))
        e.append('<circle cx="%d" cy="%d" r="1.8" fill="%s" fill-opacity="0.7"/>' % (x, y, colour))
    e.append('<path d="M-10 420 C200 380 300 480 500 450 S820 400 1034 470 L1034 540 C820 470 700 520 500 520 '
             'S200 450 -10 490 Z" fill="#e0cf98"/>')
    e.append('<path d="M-10 430 C200 392 300 492 500 462 S820 412 1034 480 L1034 528 C820 460 700 508 500 508 '
             'S200 440 -10 478 Z" fill="url(Gradients.svg#sea)"/>')
    for y0 in (262, 562):
        e.append('<rect x="0" y="%d" width="1024" height="76" fill="#cfc8b8"/>' % y0)
        e.append('<rect x="0" y="%d" width="1024" height="56" fill="url(Gradients.svg#asphalt)"/>' % (y0 + 10))
        e.append('<line x1="0" y1="%d" x2="1024" y2="%d" stroke="#f4f1e8" stroke-width="3" '
                 'stroke-dasharray="26 18"/>' % (y0 + 38, y0 + 38))
    e.append('<rect x="456" y="330" width="92" height="240" fill="#b8b0a0" stroke="#6a6458" stroke-width="2"/>')
    e.append('<rect x="476" y="330" width="52" height="240" fill="#5a5f66"/>')
    e.append('<line x1="502" y1="340" x2="502" y2="560" stroke="#f4f1e8" stroke-width="3" stroke-dasharray="20 14"/>')
    for x in (456, 544):
        e.append('<rect x="%d" y="400" width="4" height="130" fill="#8a8478"/>' % x)
    for x, y0, y1 in ((148, 250, 272), (318, 250, 272), (688, 250, 272), (868, 250, 272),
                      (148, 628, 662), (318, 628, 662), (688, 628, 662), (868, 628, 662)):
        e.append('<rect x="%d" y="%d" width="24" height="%d" fill="#cfc8b8" stroke="#a8a090" stroke-width="1"/>' % (
            x, y0, y1 - y0))
    # Reeds along the banks.
    for x in range(20, 1000, 47):
        y = 430 + int(18 * math.sin(x / 90.0))
        e.append('<path d="M%d %d l-3 -12 M%d %d l0 -14 M%d %d l3 -11" stroke="#4f8a3a" stroke-width="2" '
                 'fill="none" stroke-linecap="round"/>' % (x, y, x + 3, y, x + 6, y))
    trees = [(440, 120), (520, 50), (590, 150), (480, 210), (30, 80), (40, 200), (1000, 100), (995, 220),
             (200, 390), (300, 400), (700, 385), (820, 375), (940, 380), (60, 385), (470, 700), (540, 745),
             (590, 690), (1000, 700), (30, 745), (560, 20)]
    extras = [(380, 360, bench), (640, 360, bench), (250, 250 + 94, lamp), (760, 344, lamp), (600, 470, rowboat),
              (300, 470, sailboat)]
    e += scenery(trees, extras)
    return e


def scenery(trees, extras=()):
    """Trees and small things standing on the ground picture, given by their screen position."""
    items = []
    for i, (sx, sy) in enumerate(trees):
        x, y = sy + sx / 2.0, sy - sx / 2.0
        kind = 'pine' if i % 3 == 2 else 'round'
        colour = ('#4fa341', '#5bb34a', '#3f8f3a')[i % 3]
        items += tree(x, y, 1.5 + 0.2 * (i % 2), colour, kind=kind)
    for sx, sy, make in extras:
        items += make(sy + sx / 2.0, sy - sx / 2.0)
    shadows = ['<ellipse cx="%s" cy="%s" rx="15" ry="6" fill="#000000" fill-opacity="0.18"/>' % (sx + 4, sy + 2)
               for sx, sy in trees]
    return shadows + render(items, Style('normal'), (0, 0))


def lamp(x, y):
    return [box(x - 0.6, y - 0.6, 0, 1.2, 1.2, 16, '#4a5058', top='#4a5058'),
            Round((x, y, 17), 2.2, 2.2, '#fff2a8', role='detail', depth=x + y + 0.2)]


def bench(x, y):
    return [box(x, y, 0, 1, 1, 3, '#4a5058'), box(x, y + 11, 0, 1, 1, 3, '#4a5058'),
            box(x - 1, y - 1, 3, 5, 14, 1.5, '#b8844a', top='#c8945a'), box(x + 3, y - 1, 4.5, 1, 14, 5, '#a0703a')]


def sailboat(x, y):
    return [box(x - 10, y - 3, 0, 20, 6, 3, '#ffffff', top='#c8a070'),
            Line([(x, y, 3), (x, y, 26)], '#6a4a2a', 0.8, depth=x + y + 0.1),
            decal([Face([(x, y, 5), (x, y, 25), (x + 9, y, 6)], '#f4f1e8', 'detail')], x + y + 0.2),
            decal([Face([(x, y, 6), (x, y, 21), (x - 7, y, 6)], '#e84a4a', 'detail')], x + y + 0.15)]


def rowboat(x, y):
    return [box(x - 10, y - 4, 0, 20, 8, 3.5, '#c0503a', top='#8a5a3a'), box(x - 1, y - 4, 3.5, 2, 8, 0.8, '#6a4a2a')]


GROUND_GRADIENTS = (
    '<linearGradient id="grass" x1="0" y1="0" x2="0.3" y2="1">'
    '<stop offset="0" stop-color="#8ccf63"/><stop offset="1" stop-color="#6ab54c"/></linearGradient>'
)


# The hand-drawn levels were laid out on the whole 1024 x 768 screen; the play screen's panels cover its top
# and bottom, so each picture is moved (and level 2 squeezed) into the open band between them. The same
# mapping of y is applied to the places in tools/art/make_levels.py and to the levels' LevelPaths.xml.
GROUND_FIT = {1: (1.0, -100.0), 2: (0.75, 40.0)}


def make_ground(root, level, elements):
    """The ground picture in two halves of 512 x 768 (an atlas page holds 1024 pixels with padding)."""
    folder = 'assets-src/atlases/Level%d/Ground/' % level
    scale, offset = GROUND_FIT.get(level, (1.0, 0.0))
    # The first element fills the picture; everything drawn on it is fitted.
    body = ['%s' % elements[0], '<g transform="matrix(1 0 0 %s 0 %s)">' % (scale, offset)]
    body += ['  %s' % el for el in elements[1:]] + ['</g>']
    for half, x in (('Left', 0), ('Right', 512)):
        text = ('<svg xmlns="http://www.w3.org/2000/svg" width="512" height="768" viewBox="%d 0 512 768">\n'
                '  <!-- level %d ground, %s half -->\n' % (x, level, half.lower()))
        text += ''.join('  %s\n' % el for el in body) + '</svg>\n'
        write(root, folder + half + '.svg', text)


def make_previews(root, folder):
    """The building panel's previews (<Record>.svg and <Record>_snow.svg): the buildings' own pictures, for an
    interface atlas whose frames the panel names scenes/images/GameMenu/Icons/<Record>[_snow].png."""
    for name, (kind, draw) in B.records().items():
        for suffix, style in (('', Style('normal')), ('_snow', Style('snow'))):
            items = B.plot() + B.on_plot(draw())
            write(root, os.path.join(folder, name + suffix + '.svg'),
                  building_svg(items, style, name + ' preview' + (' under snow' if suffix else '')))
    # The empty place, as the level shows it.
    for suffix, style in (('', Style('normal')), ('_snow', Style('snow'))):
        write(root, os.path.join(folder, 'BuildingPlace' + suffix + '.svg'),
              building_svg(building_place(style), style, 'BuildingPlace preview' + (' under snow' if suffix else '')))


def main():
    args = sys.argv[1:]
    if len(args) >= 2 and args[-2] == '--previews':
        # make_level_art.py [root] --previews <folder under the root>: only the panel previews.
        root = args[0] if len(args) == 3 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
        make_previews(root, args[-1])
        return
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    make_buildings(root)
    make_vehicles(root)
    make_clouds(root)
    make_icons(root)
    make_ground(root, 1, ground_level1())
    make_ground(root, 2, ground_level2())
    import district_grounds
    district_grounds.make(root)


if __name__ == '__main__':
    main()

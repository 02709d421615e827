"""The ground pictures of the campaign's four districts (levels 3 to 28), written by make_level_art.py.

Every district has the same streets, so that tools/campaign/make_campaign.py can place a level's plots on
any of its eighteen lots: the upper street along y 240-296, the lower one along y 472-528, a lane between
them down x 490-534, lots in three rows (A above the upper street, B below it, C below the lower one)
on plain ground, since any of them may stand empty. What lies around them tells the districts apart: the
roofs of the Old Town, the quay of the Harbour, the lake of Park Hill and the glass towers of the New
Quarter under snow.
"""

import random

from isoart import Style, render, tree
from make_level_art import bench, lamp, rowboat, sailboat, write

def streets(paving, kerb, asphalt='url(Gradients.svg#asphalt)', marking='#f4f1e8'):
    e = []
    for y0 in (226, 458):
        e.append('<rect x="0" y="%d" width="1024" height="84" fill="%s"/>' % (y0, paving))
    e.append('<rect x="478" y="296" width="68" height="176" fill="%s"/>' % paving)
    for y0 in (240, 472):
        e.append('<rect x="0" y="%d" width="1024" height="56" fill="%s"/>' % (y0, asphalt))
        e.append('<line x1="0" y1="%d" x2="1024" y2="%d" stroke="%s" stroke-width="2"/>' % (y0, y0, kerb))
        e.append('<line x1="0" y1="%d" x2="1024" y2="%d" stroke="%s" stroke-width="2"/>' % (y0 + 56, y0 + 56, kerb))
        e.append('<line x1="0" y1="%d" x2="1024" y2="%d" stroke="%s" stroke-width="3" stroke-dasharray="26 18"/>' % (
            y0 + 28, y0 + 28, marking))
    e.append('<rect x="490" y="296" width="44" height="176" fill="#5a5f66"/>')
    e.append('<line x1="512" y1="300" x2="512" y2="468" stroke="%s" stroke-width="3" stroke-dasharray="20 14"/>'
             % marking)
    # Zebra crossings at both ends of the lane.
    for y0 in (242, 474):
        for i in range(6):
            e.append('<rect x="%d" y="%d" width="6" height="52" fill="%s"/>' % (486 + i * 9, y0, marking))
    # No driveways: a level uses only some of the lots, and the vehicles turn in over the kerb.
    return e


def specks(seed, colours, count=240, avoid=()):
    rnd = random.Random(seed)
    e = []
    for _ in range(count):
        x, y = rnd.randint(0, 1023), rnd.randint(0, 767)
        if any(a <= y <= b for a, b in avoid):
            continue
        e.append('<circle cx="%d" cy="%d" r="1.8" fill="%s" fill-opacity="0.7"/>' % (x, y, rnd.choice(colours)))
    return e


def scenery(trees, extras, style, colours=('#4fa341', '#5bb34a', '#3f8f3a')):
    items = []
    for i, (sx, sy) in enumerate(trees):
        x, y = sy + sx / 2.0, sy - sx / 2.0
        items += tree(x, y, 1.5 + 0.2 * (i % 2), colours[i % len(colours)], kind='pine' if i % 3 == 2 else 'round')
    for sx, sy, make in extras:
        items += make(sy + sx / 2.0, sy - sx / 2.0)
    shadows = ['<ellipse cx="%s" cy="%s" rx="15" ry="6" fill="#000000" fill-opacity="0.18"/>' % (sx + 4, sy + 2)
               for sx, sy in trees]
    return shadows + render(items, Style(style), (0, 0))


def row_houses(y, roofs, walls, seed, snow=False):
    """A row of gabled town houses along the top edge, seen from the street."""
    rnd = random.Random(seed)
    e, x = [], -10
    while x < 1030:
        w = rnd.randint(54, 86)
        h = rnd.randint(40, 64)
        wall, roof = rnd.choice(walls), rnd.choice(roofs)
        e.append('<rect x="%d" y="%d" width="%d" height="%d" fill="%s" stroke="#5a4a3a" stroke-width="1.5"/>' % (
            x, y - h, w, h, wall))
        e.append('<path d="M%d %d L%d %d L%d %d Z" fill="%s" stroke="#5a3a2a" stroke-width="1.5"/>' % (
            x - 4, y - h, x + w / 2, y - h - 26, x + w + 4, y - h, roof))
        if snow:
            e.append('<path d="M%d %d L%d %d L%d %d Z" fill="#ffffff" fill-opacity="0.85"/>' % (
                x + w / 2 - 12, y - h - 20, x + w / 2, y - h - 26, x + w / 2 + 12, y - h - 20))
        for wx in range(x + 10, x + w - 14, 22):
            e.append('<rect x="%d" y="%d" width="12" height="14" fill="#ffe9a8" stroke="#5a4a3a" stroke-width="1"/>'
                     % (wx, y - h + 12))
        x += w + 6
    return e


def old_town():
    e = ['<rect width="1024" height="768" fill="#c9b48a"/>',
         '<rect y="130" width="1024" height="540" fill="url(Gradients.svg#grass)"/>']
    e += row_houses(96, ('#b8503a', '#a8402e', '#8a4a3a'), ('#f0e0c0', '#e8d0a8', '#f4e8d0', '#dcc8a0'), 3)
    e.append('<rect y="96" width="1024" height="34" fill="#d8c8a8"/>')
    e += specks(5, ('#5fa844', '#8fd06a', '#f4f1a0', '#ffffff'), avoid=((0, 140), (220, 320), (450, 545)))
    e += streets('#d8c8a8', '#a89880')
    # The market square: cobbles, a fountain and market stalls below the lower street.
    e.append('<rect x="0" y="650" width="1024" height="118" fill="#cdbd9a"/>')
    for y in range(656, 768, 12):
        e.append('<line x1="0" y1="%d" x2="1024" y2="%d" stroke="#b8a884" stroke-width="1"/>' % (y, y))
    e.append('<ellipse cx="512" cy="712" rx="54" ry="26" fill="#9aa4ac" stroke="#6a7078" stroke-width="3"/>')
    e.append('<ellipse cx="512" cy="708" rx="40" ry="17" fill="url(Gradients.svg#sea)"/>')
    e.append('<rect x="508" y="680" width="8" height="26" fill="#9aa4ac"/>')
    for x, colour in ((120, '#d63a2a'), (260, '#2a7ad6'), (720, '#e8b830'), (860, '#3aa850')):
        e.append('<rect x="%d" y="690" width="70" height="34" fill="#b8844a"/>' % x)
        e.append('<path d="M%d 690 L%d 672 L%d 672 L%d 690 Z" fill="%s"/>' % (x - 6, x + 6, x + 64, x + 76, colour))
    trees = [(420, 446), (610, 446), (60, 446), (960, 446), (30, 700), (990, 700), (400, 740), (630, 740)]
    extras = [(200, 448, bench), (820, 448, bench), (300, 446, lamp), (720, 446, lamp), (470, 300, lamp),
              (560, 300, lamp)]
    return e + scenery(trees, extras, 'normal')


def harbour():
    e = ['<rect width="1024" height="768" fill="url(Gradients.svg#grass)"/>']
    e += specks(13, ('#5fa844', '#8fd06a', '#ffffff'), avoid=((0, 140), (220, 320), (450, 545), (640, 768)))
    # Warehouses with their loading doors along the top.
    rnd = random.Random(17)
    x = -6
    while x < 1030:
        w = rnd.randint(110, 150)
        colour = rnd.choice(('#a85a3a', '#8a6a4a', '#6a7a8a', '#9a4a3a'))
        e.append('<rect x="%d" y="20" width="%d" height="90" fill="%s" stroke="#3a2a20" stroke-width="2"/>' % (
            x, w, colour))
        e.append('<path d="M%d 20 L%d 0 L%d 20 Z" fill="#5a4a40"/>' % (x, x + w / 2, x + w))
        e.append('<rect x="%d" y="62" width="34" height="48" fill="#3a3028"/>' % (x + w / 2 - 17))
        x += w + 8
    e.append('<rect y="110" width="1024" height="30" fill="#c8c0b0"/>')
    e += streets('#cfc8b8', '#8a8478')
    # The quay and the sea.
    e.append('<rect x="0" y="646" width="1024" height="28" fill="#b8b0a0" stroke="#6a6458" stroke-width="2"/>')
    e.append('<rect x="0" y="674" width="1024" height="94" fill="url(Gradients.svg#sea)"/>')
    for y in (700, 726, 752):
        for x in range(40 + (y % 40), 1024, 160):
            e.append('<path d="M%d %d q12 -5 24 0 t24 0" fill="none" stroke="#ffffff" stroke-opacity="0.5" '
                     'stroke-width="2"/>' % (x, y))
    for x in range(20, 1024, 90):
        e.append('<circle cx="%d" cy="660" r="5" fill="#4a4a4a"/>' % x)
    e.append('<rect x="300" y="674" width="26" height="94" fill="#a8794a" stroke="#6a4a2a" stroke-width="2"/>')
    e.append('<rect x="740" y="674" width="26" height="94" fill="#a8794a" stroke="#6a4a2a" stroke-width="2"/>')
    trees = [(420, 446), (610, 446), (60, 446), (960, 446)]
    extras = [(200, 448, bench), (820, 448, bench), (470, 300, lamp), (560, 300, lamp), (150, 640, lamp),
              (880, 640, lamp), (200, 760, sailboat), (420, 745, rowboat), (650, 765, sailboat), (900, 740, rowboat)]
    return e + scenery(trees, extras, 'normal')


def park_hill():
    e = ['<rect width="1024" height="768" fill="url(Gradients.svg#grass)"/>']
    e += specks(23, ('#5fa844', '#8fd06a', '#f4f1a0', '#f0a0c0', '#c0a0f0'), count=320,
                avoid=((220, 320), (450, 545)))
    # The hill behind the hotels, and the lake below the lower street.
    e.append('<path d="M-10 140 Q200 30 420 80 T820 50 T1034 110 L1034 140 Z" fill="#5f9f45" fill-opacity="0.6"/>')
    e += streets('#d4ccb8', '#8a8478')
    e.append('<path d="M-10 690 C150 650 350 660 512 672 S860 650 1034 680 L1034 778 L-10 778 Z" fill="#e0cf98"/>')
    e.append('<path d="M-10 702 C150 664 350 674 512 684 S860 664 1034 692 L1034 778 L-10 778 Z" '
             'fill="url(Gradients.svg#sea)"/>')
    for x in range(20, 1000, 53):
        e.append('<path d="M%d 690 l-3 -12 M%d 690 l0 -14 M%d 690 l3 -11" stroke="#4f8a3a" stroke-width="2" '
                 'fill="none" stroke-linecap="round"/>' % (x, x + 3, x + 6))
    trees = [(30, 60), (100, 40), (170, 90), (240, 50), (310, 100), (380, 60), (450, 110), (520, 40), (590, 95),
             (660, 55), (730, 100), (800, 45), (870, 90), (940, 60), (1000, 110), (420, 425), (610, 425),
             (60, 425), (960, 425)]
    extras = [(200, 448, bench), (820, 448, bench), (470, 300, lamp), (560, 300, lamp), (350, 740, rowboat),
              (700, 750, rowboat)]
    return e + scenery(trees, extras, 'normal')


def new_quarter():
    e = ['<rect width="1024" height="768" fill="#eef3f7"/>']
    e += specks(31, ('#ffffff', '#d8e4ee', '#c8d8e8'), count=360, avoid=((220, 320), (450, 545)))
    # Glass towers along the top, snow on their roofs.
    rnd = random.Random(37)
    x = -8
    while x < 1030:
        w = rnd.randint(70, 110)
        h = rnd.randint(70, 128)
        glass = rnd.choice(('#7a9ab8', '#8aaac4', '#6a8aa8', '#9ab4c8'))
        e.append('<rect x="%d" y="%d" width="%d" height="%d" fill="%s" stroke="#3a4a5a" stroke-width="2"/>' % (
            x, 132 - h, w, h, glass))
        e.append('<rect x="%d" y="%d" width="%d" height="6" fill="#ffffff"/>' % (x - 2, 128 - h, w + 4))
        for wy in range(140 - h, 126, 14):
            e.append('<line x1="%d" y1="%d" x2="%d" y2="%d" stroke="#c8dcec" stroke-width="2"/>' % (
                x + 4, wy, x + w - 4, wy))
        x += w + 10
    e += streets('#dfe6ec', '#9aa8b4', asphalt='#6a7078', marking='#ffffff')
    # Snow banks along the kerbs.
    for y in (224, 306, 456, 538):
        e.append('<rect x="0" y="%d" width="1024" height="6" rx="3" fill="#ffffff"/>' % y)
    # The frozen pond with its skaters' rink.
    e.append('<ellipse cx="512" cy="716" rx="380" ry="48" fill="#cfe4f2" stroke="#ffffff" stroke-width="6"/>')
    for i in range(5):
        e.append('<path d="M%d %d q40 -10 80 0" fill="none" stroke="#ffffff" stroke-width="2"/>' % (
            300 + i * 80, 706 + (i % 2) * 14))
    trees = [(420, 446), (610, 446), (60, 446), (960, 446), (40, 720), (990, 720), (120, 750), (900, 750)]
    extras = [(200, 448, bench), (820, 448, bench), (470, 300, lamp), (560, 300, lamp)]
    return e + scenery(trees, extras, 'snow', colours=('#3f7a52', '#2f6a48', '#4a8a5a'))


DISTRICTS = {'OldTown': old_town, 'Harbour': harbour, 'ParkHill': park_hill, 'NewQuarter': new_quarter}


# The grounds are drawn on the whole 1024 x 768 screen; the play screen's goals panel and hint strip leave
# the lots the band between y 168 and 606, so everything on the ground is squeezed into it (y' = y * s + o).
# tools/campaign/make_campaign.py maps the lots, streets and paths of the levels the same way.
DISTRICT_FIT = (0.88, 44.0)


def make(root):
    """Each ground in two halves of 512 x 768, frames levels/common/Ground/<District>/<Half>.png."""
    for name, draw in DISTRICTS.items():
        drawn = draw()
        # The first element fills the picture; everything drawn on it is fitted.
        elements = [drawn[0], '<g transform="matrix(1 0 0 %s 0 %s)">' % DISTRICT_FIT]
        elements += ['  %s' % el for el in drawn[1:]] + ['</g>']
        for half, x in (('Left', 0), ('Right', 512)):
            text = ('<svg xmlns="http://www.w3.org/2000/svg" width="512" height="768" viewBox="%d 0 512 768">\n'
                    '  <!-- %s district ground, %s half -->\n' % (x, name, half.lower()))
            text += ''.join('  %s\n' % el for el in elements) + '</svg>\n'
            write(root, 'assets-src/atlases/Districts/%s/%s.svg' % (name, half), text)

"""The buildings of the level art, one function per building line; each draws one level of its line on a
square plot of 72 x 72 world units (a diamond 144 pixels wide, see isoart.py)."""

from isoart import (Line, Round, box, building, bush, cone, cylinder, decal, door, ellipse_points, flat, gable,
                    person, pyramid, shade, tent, tree, windows, Face)

PLOT = 72.0
GRASS = '#7cc45a'
PAVING = '#d9cfb8'
SAND = '#e8d49a'
WATER = '#4aa8e0'


def plot(surface=GRASS, role='grass'):
    """The raised plot every building stands on."""
    slab = box(0, 0, 0, PLOT, PLOT, 3, '#9b7048', role='wall', top=surface, top_role=role)
    slab.depth = -2000
    return [slab]


def path(points, colour=PAVING):
    return flat(points, colour, role='ground', z=3.05, depth=-1500)


def on_plot(items, dz=3.0):
    """Lifts ground-standing items onto the plot's top."""
    out = []
    for item in items:
        if isinstance(item, (list, tuple)):
            out.extend(on_plot(item, dz))
            continue
        if isinstance(item, Round):
            item.centre = (item.centre[0], item.centre[1], item.centre[2] + dz)
        elif isinstance(item, Line):
            item.points = [(x, y, z + dz) for x, y, z in item.points]
        else:
            for face in item.faces:
                face.points = [(x, y, z + dz) for x, y, z in face.points]
        out.append(item)
    return out


# Hotels ------------------------------------------------------------------------------------------------

def camping(level):
    items = [path([(30, 72), (42, 72), (42, 50), (30, 50)], SAND)]
    # Tents by level: (x, y, ridge direction, colour); each level adds to the field.
    tents = [(8, 8, 'x', '#f08a2c'), (42, 8, 'y', '#3d8fd6'), (10, 42, 'x', '#e04a5a'), (36, 28, 'y', '#f2c230')]
    count = {1: 2, 2: 3, 3: 4}[level]
    for tx, ty, along, colour in tents[:count]:
        items.append(tent(tx, ty, 21 if along == 'x' else 15, 15 if along == 'x' else 21, 15, colour, along))
    # Campfire with a ring of stones.
    items.append(flat(ellipse_points(30, 30, 4, 4, 10), '#8a8a8a', z=0.05, depth=-1400))
    items.append(cone(30, 30, 0, 2.5, 5, '#ff9a2a', sides=8))
    items += tree(66, 8, 1.0) + tree(6, 64, 0.9, kind='pine')
    if level >= 2:
        # Reception hut by the entrance.
        items += building(54, 54, 14, 12, 1, '#c98a4a', roof='#a0442e', storey_h=10, roof_kind='gable', roof_h=7,
                          wx=1, wy=1)
        items += tree(66, 30, 0.8, kind='pine')
    if level >= 3:
        # A caravan and a flag.
        items.append(box(2, 24, 1.5, 10, 16, 9, '#f4f1e8', top='#dcd6c8'))
        items.append(decal(windows(2, 24, 1.5, 10, 16, 9, 'x', 1, 2, height_share=0.5), 2 + 24 + 5))
        items.append(Line([(30, 70, 0), (30, 70, 30)], '#8c8c8c', 1.2))
        items.append(decal([Face([(30, 70, 30), (30, 60, 27), (30, 70, 24)], '#e04a5a', 'detail')], 101))
    return items


def hostel(level):
    items = [path([(30, 72), (42, 72), (42, 50), (30, 50)])]
    storeys = {1: 2, 2: 3, 3: 3}[level]
    items += building(12, 14, 44, 34, storeys, '#f2d27a', roof='#d0573e', roof_kind='gable', roof_h=13)
    items.append(decal([door(12, 14, 0, 44, 34, 'y', 18, 8, 9)], 12 + 14 + 45))
    if level >= 2:
        items += building(44, 50, 20, 16, 2, '#e8c266', roof='#d0573e', roof_kind='gable', roof_h=9, along='y')
    if level >= 3:
        items += building(4, 50, 22, 16, 2, '#e8c266', roof='#d0573e', roof_kind='gable', roof_h=9, along='y')
        # Bunting across the front.
        items.append(Line([(12, 48.5, 30), (30, 48.5, 27), (56, 48.5, 30)], '#3d8fd6', 0.8))
    items += bush(8, 10) + bush(64, 14) + tree(64, 40, 0.8)
    return items


def guest_house(level):
    items = [path([(32, 72), (42, 72), (42, 54), (32, 54)])]
    storeys = {1: 2, 2: 2, 3: 3, 4: 3}[level]
    width = {1: 34, 2: 44, 3: 44, 4: 44}[level]
    items += building(14, 18, width, 32, storeys, '#fbf6ea', roof='#3f73b8', roof_kind='gable', roof_h=14,
                      win='#a8d8ff')
    items.append(box(22, 22, storeys * 11, 5, 5, 18, '#b5533a', top='#7a3424'))  # chimney
    items[-1].depth = 14 + 18 + 35
    items.append(decal([door(14, 18, 0, width, 32, 'y', 6, 7, 9, '#3a6b3a')], 14 + 18 + 34))
    if level >= 2:
        # Porch with posts.
        items.append(box(14, 50, 9, width, 7, 1.5, '#e8e2d4', top='#3f73b8'))
        items[-1].depth = 14 + 54 + 20
        for px in (15, 14 + width - 2):
            items.append(box(px, 55, 0, 1.5, 1.5, 9, '#fbf6ea'))
    if level >= 3:
        items += building(2, 22, 12, 26, 2, '#f3ecdc', roof='#3f73b8', roof_kind='gable', roof_h=9, along='x')
    if level >= 4:
        items += [cylinder(62, 20, 0, 6, 44, '#fbf6ea', top='#3f73b8')]
        items.append(cone(62, 20, 44, 7.5, 14, '#3f73b8'))
    items += [flat(ellipse_points(60, 60, 8, 6), '#e36c9a', role='leaf', z=0.05, depth=-1300)]
    items += bush(58, 58, 0.8, '#e36c9a') + bush(64, 64, 0.8, '#f2c230') + tree(6, 8, 1.0)
    return items


def business_hotel(level):
    items = [path([(26, 72), (46, 72), (46, 56), (26, 56)], '#c9c9c9')]
    storeys = {1: 4, 2: 5, 3: 6, 4: 7}[level]
    items += building(16, 14, 40, 40, storeys, '#8fa3b8', roof='#5d6b7a', win='#9fd0ff', trim='#4a5866',
                      storey_h=12)
    items.append(decal([door(16, 14, 0, 40, 40, 'y', 14, 12, 8, '#2a3a4a')], 16 + 14 + 41))
    # Canopy over the entrance.
    items.append(box(26, 54, 8, 20, 6, 1.5, '#d0a040', top='#e8bf50'))
    items[-1].depth = 26 + 60 + 30
    if level >= 2:
        items += building(2, 30, 14, 30, 2, '#a3b4c6', roof='#5d6b7a', win='#9fd0ff', storey_h=12)
    if level >= 3:
        items.append(box(26, 24, storeys * 12, 18, 18, 8, '#5d6b7a'))  # rooftop plant room
        items[-1].depth = 26 + 24 + 50
    if level >= 4:
        items += building(56, 26, 12, 28, 3, '#a3b4c6', roof='#5d6b7a', win='#9fd0ff', storey_h=12)
        items.append(flat(ellipse_points(36, 34, 9, 9), '#e8bf50', z=storeys * 12 + 0.2, depth=16 + 14 + 60))
    items += tree(8, 8, 0.9) + tree(66, 64, 0.8)
    return items


def hotel_n5(level):
    items = [path([(24, 72), (48, 72), (48, 58), (24, 58)], '#e3d6b0')]
    storeys = {1: 6, 2: 7, 3: 8, 4: 10}[level]
    items += building(14, 12, 44, 42, storeys, '#f5e6c4', roof='#c9a23a', win='#a8d8ff', trim='#c9a23a',
                      storey_h=11.5)
    top = storeys * 11.5
    items.append(decal([door(14, 12, 0, 44, 42, 'y', 14, 16, 10, '#7a2a2a')], 14 + 12 + 43))
    items.append(box(22, 54, 10, 28, 6, 1.5, '#b22d2d', top='#c9393a'))  # red awning
    items[-1].depth = 22 + 60 + 30
    # Gold dome on top, larger with each level.
    items.append(cylinder(36, 33, top, 9, 4, '#f5e6c4', top='#f5e6c4'))
    items.append(cone(36, 33, top + 4, 9 + level, 10 + 3 * level, '#e0b040'))
    if level >= 2:
        items += building(2, 18, 12, 32, 3, '#efdcb4', roof='#c9a23a', win='#a8d8ff', trim='#c9a23a',
                          storey_h=11.5)
    if level >= 3:
        items += building(58, 18, 12, 32, 4, '#efdcb4', roof='#c9a23a', win='#a8d8ff', trim='#c9a23a',
                          storey_h=11.5)
    if level >= 4:
        for fx in (16, 56):
            items.append(Line([(fx, 66, 0), (fx, 66, 26)], '#8c8c8c', 1.0))
            items.append(decal([Face([(fx, 66, 26), (fx, 58, 23), (fx, 66, 20)], '#b22d2d', 'detail')], fx + 66 + 1))
    items += bush(6, 64) + bush(66, 64) + bush(4, 6)
    return items


def hotel_n6(level):
    items = [path([(24, 72), (48, 72), (48, 58), (24, 58)], '#bfc6cc')]
    storeys = {1: 8, 2: 10, 3: 12, 4: 14}[level]
    items += building(18, 16, 36, 36, storeys, '#5f8fb8', roof='#34495e', win='#c8ecff', trim='#e8edf2',
                      storey_h=10.5, wx=4, wy=4)
    top = storeys * 10.5
    items.append(decal([door(18, 16, 0, 36, 36, 'y', 10, 16, 9, '#1e2e3e')], 18 + 16 + 37))
    items.append(box(22, 52, 9, 28, 8, 1.5, '#e8edf2', top='#e8edf2'))
    items[-1].depth = 22 + 60 + 30
    items.append(box(0, 30, 0, 18, 30, 14, '#7ea6c8', top='#34495e'))
    items.append(decal(windows(0, 30, 0, 18, 30, 14, 'x', 1, 3, '#c8ecff'), 0 + 30 + 25))
    if level >= 2:
        items.append(box(26, 24, top, 20, 20, 10, '#34495e', top='#2a3a4a'))
    if level >= 3:
        items.append(Line([(36, 34, top + 10), (36, 34, top + 34)], '#d9dee3', 1.6))
        items.append(Round((36, 34, top + 35), 1.8, 1.8, '#ff5a4a', role='detail', depth=200))
    if level >= 4:
        items.append(box(54, 28, 0, 16, 28, 22, '#7ea6c8', top='#34495e'))
        items.append(decal(windows(54, 28, 0, 16, 28, 22, 'x', 2, 3, '#c8ecff'), 54 + 28 + 25))
        items.append(flat(ellipse_points(36, 34, 8, 8), '#f2c230', z=top + 10.2, depth=190))
    items += tree(6, 8, 1.0) + tree(66, 66, 0.8)
    return items


# Joys and factories -----------------------------------------------------------------------------------

def cafe():
    items = [path([(0, 46), (72, 46), (72, 72), (0, 72)], '#e6d3b3')]
    items += building(12, 10, 36, 30, 1, '#fff3e0', roof='#8a5a3a', storey_h=16, win='#a8d8ff', wx=2, wy=3)
    items.append(decal([door(12, 10, 0, 36, 30, 'y', 14, 8, 11, '#8a5a3a')], 12 + 10 + 31))
    # Striped awning along the front.
    for i in range(6):
        colour = '#e84a6a' if i % 2 == 0 else '#ffffff'
        x0 = 12 + i * 6
        items.append(decal([Face([(x0, 40, 13), (x0 + 6, 40, 13), (x0 + 6, 46, 9), (x0, 46, 9)], colour, 'detail')],
                           12 + 46 + 20 + i * 0.01))
    items.append(box(18, 12, 16, 24, 3, 8, '#e84a6a', top='#ffffff'))  # sign board on the roof
    items[-1].depth = 18 + 15 + 40
    for tx, ty, colour in ((14, 56, '#e84a6a'), (34, 60, '#3d8fd6'), (54, 56, '#f2c230')):
        items.append(cylinder(tx, ty, 0, 3, 5, '#ffffff', sides=10))
        items.append(Line([(tx, ty, 5), (tx, ty, 12)], '#8c8c8c', 0.8))
        items.append(cone(tx, ty, 11, 7, 4, colour, sides=12))
    items += tree(62, 14, 0.8) + bush(4, 30)
    return items


def city_mall():
    items = [path([(0, 50), (72, 50), (72, 72), (0, 72)], '#c8c8c8')]
    items += building(4, 6, 64, 42, 2, '#f0e8f5', roof='#9aa4ae', storey_h=14, win='#9fd0ff', wx=4, wy=6)
    # Glass entrance hall and a bold sign band.
    items.append(box(24, 44, 0, 24, 6, 20, '#9fd0ff', role='glass', top='#d0e8ff'))
    items[-1].depth = 24 + 50 + 30
    items.append(box(6, 47.5, 22, 60, 1.2, 6, '#8e44ad', top='#8e44ad'))
    items[-1].depth = 6 + 48 + 30
    for i, colour in enumerate(('#f2c230', '#e84a6a', '#52b04a', '#3d8fd6')):
        items.append(decal([Face([(10 + i * 14, 49, 23), (18 + i * 14, 49, 23), (18 + i * 14, 49, 27),
                                  (10 + i * 14, 49, 27)], colour, 'detail', outline=False)], 6 + 48 + 31 + i * 0.01))
    # Parked cars.
    for cx, colour in ((6, '#e84a4a'), (52, '#3d8fd6'), (62, '#f2c230')):
        items.append(box(cx, 58, 0, 7, 11, 4, colour))
        items.append(box(cx + 1, 61, 4, 5, 6, 2.5, '#cfe8ff', role='glass'))
    return items


def aqua_park():
    items = [path([(0, 0), (72, 0), (72, 72), (0, 72)], '#e9dcc0')]
    pool = ellipse_points(40, 44, 26, 18, 24)
    items.append(flat(pool, '#ffffff', z=0.05, depth=-1400))
    items.append(flat([(x + (40 - x) * 0.1, y + (44 - y) * 0.1) for x, y in pool], WATER, role='water', z=0.1,
                      depth=-1300))
    items.append(flat(ellipse_points(38, 42, 8, 5, 14), '#8fd3ff', role='water', z=0.15, depth=-1290,
                      outline=False))
    # Slide tower with two winding slides.
    items.append(box(6, 6, 0, 12, 12, 30, '#f2c230', top='#e84a6a'))
    items.append(Line([(18, 12, 28), (30, 10, 24), (36, 20, 18), (28, 30, 12), (34, 38, 6), (40, 42, 1)],
                      '#e84a6a', 3.2, depth=60))
    items.append(Line([(12, 18, 26), (10, 32, 20), (20, 38, 12), (28, 46, 4)], '#3d8fd6', 3.2, depth=58))
    items.append(cone(12, 12, 30, 10, 8, '#3d8fd6', sides=12))
    # Changing house and parasols.
    items += building(52, 2, 18, 14, 1, '#ffffff', roof='#3d8fd6', storey_h=12, wx=1, wy=2)
    for tx, ty, colour in ((66, 30, '#f2c230'), (66, 60, '#e84a6a'), (8, 62, '#52b04a')):
        items.append(Line([(tx, ty, 0), (tx, ty, 10)], '#8c8c8c', 0.8))
        items.append(cone(tx, ty, 9, 6, 4, colour, sides=12))
    items.append(Round((44, 48, 1.5), 2.2, 2.2, '#ffffff', role='detail'))
    return items


def truck_station():
    items = [path([(0, 40), (72, 40), (72, 72), (0, 72)], '#b9b2a3')]
    items += building(4, 4, 50, 34, 1, '#d98e3a', roof='#7f8c8d', storey_h=20, roof_kind='gable', roof_h=8,
                      win='#a8d8ff', wx=3, wy=0)
    # Loading doors on the front.
    for i in range(3):
        items.append(decal([door(4, 4, 0, 50, 34, 'y', 4 + i * 16, 11, 13, '#6b6b6b')], 4 + 4 + 40 + i * 0.01))
    # A lorry at the dock: trailer and cab.
    items.append(box(8, 46, 0, 26, 10, 12, '#f4f4f4', top='#e0e0e0'))
    items.append(box(34, 46, 0, 9, 10, 10, '#d63a2a'))
    items.append(box(40, 47, 5, 3.2, 8, 4, '#cfe8ff', role='glass'))
    items.append(box(56, 10, 0, 12, 12, 6, '#8a6a3a', top='#a8844a'))  # stacked pallets
    items.append(box(57, 11, 6, 10, 10, 5, '#8a6a3a', top='#a8844a'))
    items += tree(66, 66, 0.8)
    return items


def agency(sign_colour, wall, sign_kind):
    items = [path([(28, 72), (44, 72), (44, 52), (28, 52)], '#d0d0d0')]
    items += building(12, 12, 44, 38, 3, wall, roof='#5d6b7a', storey_h=12, win='#9fd0ff', trim='#ffffff')
    items.append(decal([door(12, 12, 0, 44, 38, 'y', 16, 12, 9, '#2a3a4a')], 12 + 12 + 39))
    if sign_kind == 'house':
        # A roof-top sign shaped like a house.
        items.append(box(26, 26, 36, 16, 2, 10, sign_colour, top=sign_colour))
        items.append(gable(26, 26, 46, 16, 2, 7, '#ffffff', along='y', overhang=0.5))
    else:
        # A billboard with a star on two posts.
        items.append(Line([(24, 30, 36), (24, 30, 42)], '#8c8c8c', 1))
        items.append(Line([(46, 30, 36), (46, 30, 42)], '#8c8c8c', 1))
        items.append(box(20, 28, 42, 30, 2, 14, sign_colour, top=sign_colour))
        items.append(Round((35, 30.5, 49), 4.5, 4.5, '#f2c230', role='detail', depth=35 + 31 + 60))
    items += tree(6, 60, 0.9) + tree(64, 60, 0.9) + bush(64, 8)
    return items


# Decorations -----------------------------------------------------------------------------------------

def statue():
    items = [path(ellipse_points(36, 36, 30, 30, 24), PAVING)]
    items.append(box(28, 28, 0, 16, 16, 8, '#c9c2b0', top='#ded8c8'))
    items.append(box(31, 31, 8, 10, 10, 6, '#b8b0a0'))
    # The figure: legs, body, raised arm, head in bronze.
    bronze = '#b87a3a'
    items.append(box(33, 33, 14, 6, 6, 12, bronze))
    items.append(box(34, 34, 26, 4, 4, 8, bronze))
    items.append(Line([(36, 38, 31), (36, 42, 40)], bronze, 2.0, depth=200))
    items.append(Round((36, 36, 38), 3, 3, bronze, role='detail', depth=201))
    items += bush(10, 36) + bush(62, 36) + bush(36, 8) + bush(36, 64)
    return items


def garden():
    items = [path([(0, 32), (72, 32), (72, 40), (0, 40)], SAND), path([(32, 0), (40, 0), (40, 72), (32, 72)], SAND)]
    colours = ('#e84a6a', '#f2c230', '#b05ad0', '#ff8c3a')
    for i, (bx, by) in enumerate(((4, 4), (44, 4), (4, 44), (44, 44))):
        items.append(box(bx, by, 0, 24, 24, 3, '#4f9a3a', top='#5fae44'))
        for fx in range(3):
            for fy in range(3):
                items.append(Round((bx + 5 + fx * 7, by + 5 + fy * 7, 4.5), 2.4, 1.8, colours[(i + fx + fy) % 4],
                                   role='flower', depth=bx + by + fx * 7 + fy * 7 + 10, outline=False))
    items.append(cylinder(36, 36, 0, 8, 3, '#c9c2b0', top='#4aa8e0'))
    items.append(cylinder(36, 36, 3, 2, 7, '#c9c2b0'))
    items.append(Round((36, 36, 12), 3, 2.5, '#8fd3ff', role='water', depth=100))
    items += tree(4, 36, 0.9) + tree(68, 36, 0.9)
    return items


def memorial():
    items = [path([(6, 6), (66, 6), (66, 66), (6, 66)], PAVING)]
    items.append(box(18, 18, 0, 36, 36, 3, '#c9c2b0', top='#ddd6c6'))
    items.append(box(24, 24, 3, 24, 24, 3, '#c9c2b0', top='#ddd6c6'))
    items.append(box(31, 31, 6, 10, 10, 50, '#e8e4da', top='#e8e4da'))
    items.append(pyramid(31, 31, 56, 10, 10, 8, '#d0c8b4'))
    items.append(decal([Face([(41.4, 33, 30), (41.4, 39, 30), (41.4, 39, 40), (41.4, 33, 40)], '#c9a23a', 'detail')],
                       100))
    for tx, ty in ((6, 6), (66, 6), (6, 66), (66, 66)):
        items += tree(tx, ty, 0.8, kind='pine')
    return items


# Service buildings ------------------------------------------------------------------------------------

def fishing_center():
    items = [flat([(0, 36), (72, 36), (72, 72), (0, 72)], WATER, role='water', z=0.05, depth=-1400)]
    items.append(flat([(10, 40), (22, 40), (22, 72), (10, 72)], '#a0764a', z=1.5, depth=-1200))  # pier
    items += building(10, 6, 34, 24, 1, '#8fb8c8', roof='#3a6b8a', storey_h=14, roof_kind='gable', roof_h=9,
                      wx=2, wy=2)
    items.append(decal([door(10, 6, 0, 34, 24, 'y', 12, 8, 10, '#5a3a22')], 10 + 6 + 25))
    # A rowing boat and a fishing rod.
    items.append(box(36, 52, 0.2, 18, 8, 4, '#d63a2a', top='#8a5a3a'))
    items.append(Line([(20, 66, 6), (28, 72, 22)], '#5a3a22', 0.8))
    items += person(18, 62, '#f2c230') + tree(62, 10, 0.9)
    return items


def observation_tower():
    items = [path(ellipse_points(36, 36, 24, 24, 20), PAVING)]
    items.append(cylinder(36, 36, 0, 10, 6, '#b0b8c0', top='#c8d0d8'))
    items.append(cylinder(36, 36, 6, 4, 90, '#dfe4ea', top='#dfe4ea', sides=12))
    items.append(cylinder(36, 36, 96, 13, 10, '#4aa8e0', top='#2f6f9e', role='glass'))
    items.append(cylinder(36, 36, 106, 14, 2, '#e8edf2', top='#e8edf2'))
    items.append(cone(36, 36, 108, 8, 12, '#d63a2a', sides=12))
    items.append(Line([(36, 36, 120), (36, 36, 132)], '#8c8c8c', 1.0, depth=300))
    items += tree(8, 10, 0.9) + tree(64, 62, 0.9)
    return items


def pyramid_building():
    items = [path([(2, 2), (70, 2), (70, 70), (2, 70)], '#e3d6b0')]
    items.append(flat([(6, 50), (30, 50), (30, 66), (6, 66)], WATER, role='water', z=0.05, depth=-1300))
    items.append(pyramid(16, 12, 0, 44, 44, 44, '#9fd0ff', role='glass'))
    # Glass ribs.
    for t in (0.33, 0.66):
        items.append(Line([(16 + 44 * t, 56, 0), (38, 34, 44)], '#e8f4ff', 0.6, depth=16 + 56 + 40))
        items.append(Line([(60, 12 + 44 * t, 0), (38, 34, 44)], '#e8f4ff', 0.6, depth=60 + 12 + 40))
    items += tree(64, 64, 0.8)
    return items


def station():
    items = [path([(0, 0), (72, 0), (72, 72), (0, 72)], '#c9c2b0')]
    # Tracks and a little train along the back.
    items.append(flat([(0, 2), (72, 2), (72, 14), (0, 14)], '#8a7a6a', z=0.05, depth=-1300))
    items.append(box(6, 4, 0, 28, 8, 9, '#2f8a4a', top='#3a3a3a'))
    items.append(box(34, 4, 0, 22, 8, 9, '#2f8a4a', top='#3a3a3a'))
    items += building(8, 22, 52, 26, 2, '#e8c9a0', roof='#8a3a2a', storey_h=11, roof_kind='gable', roof_h=10,
                      wx=3, wy=5)
    items.append(decal([door(8, 22, 0, 52, 26, 'y', 22, 9, 11, '#5a3a22')], 8 + 22 + 27))
    # Clock tower.
    items.append(box(46, 34, 0, 10, 10, 40, '#e8c9a0', top='#8a3a2a'))
    items.append(pyramid(45, 33, 40, 12, 12, 12, '#8a3a2a'))
    items.append(decal([Face(pts, '#ffffff', 'detail') for pts in
                        [[(56.4, 36, 30), (56.4, 42, 30), (56.4, 42, 36), (56.4, 36, 36)]]], 46 + 34 + 30))
    items += tree(6, 64, 0.9) + tree(64, 64, 0.8)
    return items


def hq():
    items = [path([(20, 72), (52, 72), (52, 54), (20, 54)], '#c8c8c8')]
    items += building(16, 12, 40, 40, 9, '#2e4a6e', roof='#1e2e3e', win='#7fd0ff', trim='#f2c230', storey_h=11,
                      wx=4, wy=4)
    items.append(decal([door(16, 12, 0, 40, 40, 'y', 12, 16, 10, '#f2c230')], 16 + 12 + 41))
    items.append(box(28, 24, 99, 16, 16, 6, '#1e2e3e'))
    items.append(box(56.5, 22, 78, 1.2, 20, 16, '#f2c230', top='#f2c230'))  # company sign
    items[-1].depth = 56 + 22 + 60
    items.append(flat(ellipse_points(36, 32, 7, 7), '#f2c230', z=105.2, depth=200))
    items += tree(6, 8, 1.0) + tree(66, 66, 0.8) + tree(6, 66, 0.8)
    return items


def rubble(items, amount=6):
    """Loose planks and weeds for a run-down building."""
    spots = [(6, 40), (60, 48), (20, 66), (66, 20), (50, 66), (4, 20)]
    for x, y in spots[:amount]:
        items.append(box(x, y, 0, 6, 1.5, 1.2, '#6b5a44', top='#7a6a50'))
        items += bush(x + 3, y + 4, 0.55, '#8a9a3a')
    return items


# The records ------------------------------------------------------------------------------------------

def records():
    """Record name -> (kind, function drawing the building without its plot)."""
    out = {}
    for level in (1, 2, 3):
        out['Camping%d' % level] = ('hotel', lambda l=level: camping(l))
        out['Hostel%d' % level] = ('hotel', lambda l=level: hostel(l))
    for level in (1, 2, 3, 4):
        out['GuestHouse%d' % level] = ('hotel', lambda l=level: guest_house(l))
        out['BusinessHotel%d' % level] = ('hotel', lambda l=level: business_hotel(l))
        out['HotelN5%d' % level] = ('hotel', lambda l=level: hotel_n5(l))
        out['HotelN6%d' % level] = ('hotel', lambda l=level: hotel_n6(l))
    out['Cafe'] = ('joy', cafe)
    out['CityMall'] = ('joy', city_mall)
    out['AquaPark'] = ('joy', aqua_park)
    out['TruckStation'] = ('factory', truck_station)
    out['REAgency'] = ('factory', lambda: agency('#2f8a4a', '#dfe8f0', 'house'))
    out['PRAgency'] = ('factory', lambda: agency('#e84a6a', '#f4ece0', 'board'))
    out['Statue'] = ('decoration', statue)
    out['Garden'] = ('decoration', garden)
    out['Memorial'] = ('decoration', memorial)
    out['FishingCenter'] = ('service', fishing_center)
    out['ObservationTower'] = ('service', observation_tower)
    out['Pyramid'] = ('service', pyramid_building)
    out['Station'] = ('service', station)
    out['HQ'] = ('service', hq)
    return out

#!/usr/bin/env python3
"""Writes assets/levels/levelN/Level.qscn for the levels described below (committed; run again after a change).

    tools/art/make_levels.py [repository root]

A place is (name, x, y, template, owned): x, y is the top-left of its plot's diamond (144 x 72), and the
place's work-vehicle paths in LevelPaths.xml end at a corner of that diamond, on its driveway. Places are
given where the ground picture draws them; the scene moves them as the picture is fitted (GROUND_FIT in
make_level_art.py).
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from level_scene import level_scene as write_level_scene  # noqa: E402
from make_level_art import GROUND_FIT  # noqa: E402

LEVELS = {
    1: {
        'title': 'Harbour Road',
        'places': [('Place6', 436, 264, 'BuildingPlace', False), ('Place5', 700, 340, 'BuildingPlace', False),
                   ('Place1', 108, 418, 'BuildingPlace', True), ('Place2', 288, 418, 'BuildingPlace', True),
                   ('Place3', 108, 600, 'BuildingPlace', True), ('Place4', 288, 600, 'BuildingPlace', True)],
    },
    2: {
        'title': 'Riverside',
        'places': [('Place1', 88, 178, 'BuildingPlace', True), ('Place2', 258, 178, 'BuildingPlace', True),
                   ('Place3', 628, 178, 'BuildingPlace', False), ('Place4', 808, 178, 'BuildingPlace', False),
                   ('Place5', 88, 660, 'BuildingPlace', True), ('Place6', 258, 660, 'BuildingPlace', True),
                   ('Place7', 628, 660, 'BuildingPlace', True), ('Place8', 808, 660, 'BuildingPlace', False)],
    },
}


def level_scene(number, level):
    comment = ('Level %d, %s (written by tools/art/make_levels.py): the ground picture, the building places under '
               '"Buildings"' % (number, level['title']),
               '(their TemplateName is the record they start with), and "CargosNode" for the vehicles, workers and '
               'clouds.')
    scale, offset = GROUND_FIT.get(number, (1.0, 0.0))
    # Places further down the screen stand in front, so they come later.
    places = [(name, x, round(y * scale + offset), template, owned)
              for name, x, y, template, owned in sorted(level['places'], key=lambda p: (p[2], p[1]))]
    return write_level_scene(comment, 'Ground/%s.png', places)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    for number, level in LEVELS.items():
        with open(os.path.join(root, 'assets/levels/level%d/Level.qscn' % number), 'w') as out:
            out.write(level_scene(number, level))


if __name__ == '__main__':
    main()

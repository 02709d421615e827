#!/usr/bin/env python3
"""Writes levels 3 to 28 from tools/campaign/campaign.py (committed; run again after a change).

    tools/campaign/make_campaign.py [repository root]     the level folders and the dictionary block
    tools/campaign/make_campaign.py --check                plays every level on the design's economy

Each level gets assets/levels/level<v>/Level.qscn, LevelConfiguration.xml and LevelPaths.xml; the texts of
every level (1 to 28) stand in one block of assets/strings/Dictionary.xml between the two marker comments.
"""

import os
import re
import sys
from xml.sax.saxutils import escape, quoteattr

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(1, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'art'))
import campaign as C  # noqa: E402
import economy as E  # noqa: E402
from district_grounds import DISTRICT_FIT  # noqa: E402
from level_scene import level_scene as write_level_scene  # noqa: E402

# The lots of a district ground (assets-src/atlases/Districts): top-left corners of the plots' 144 x 72
# diamonds. The upper street runs along y 236-300, the lower along y 468-532, the lane between them down
# x 490-534.
# The numbers are those of the picture as drawn; fitted() moves a y where the squeezed picture shows it
# (DISTRICT_FIT), and a lot keeps its size around its fitted centre.
COLUMNS = [24, 184, 336, 544, 704, 864]
ROWS = {'A': 150, 'B': 322, 'C': 562}
UPPER, LOWER = (253, 283), (485, 515)  # westbound and eastbound lane of each street
LANE_X = (501, 523)  # southbound and northbound lane of the lane
CARS = 'CarBlue;CarRed;CarYellow;Van'


def fitted(y):
    scale, offset = DISTRICT_FIT
    return int(round(y * scale + offset))


def lot(name):
    """Top-left corner of the lot's 144 x 72 diamond on the fitted picture."""
    return COLUMNS[int(name[1]) - 1], fitted(ROWS[name[0]] + 36) - 36


def parse_places(text):
    """'A1:Hostel1*' -> (lot, record, owned), in the order written."""
    places = []
    for item in text.split():
        owned = item.endswith('*')
        item = item.rstrip('*')
        spot, _, record = item.partition(':')
        places.append((spot, record or 'BuildingPlace', owned))
    return places


def check_places(number, level):
    spots = [spot for spot, _, _ in parse_places(level['places'])]
    assert len(set(spots)) == len(spots), 'level %d uses a lot twice' % number
    assert all(s[0] in ROWS and 1 <= int(s[1:]) <= len(COLUMNS) for s in spots), 'level %d: unknown lot' % number
    assert all(s in spots for s in level.get('pyramid', [])), 'level %d: pyramid bonus on a missing lot' % number
    for goal in level['goals']:
        assert not isinstance(goal[-1], str) or goal[-1] in level['texts'], 'level %d: no text %s' % (number, goal[-1])


def place_names(level):
    return {spot: 'Place%d' % (i + 1) for i, (spot, _, _) in enumerate(parse_places(level['places']))}


# Level.qscn ----------------------------------------------------------------------------------------------

def level_scene(number, level):
    ground = C.DISTRICTS[C.district_of(number)]['ground']
    comment = ('Level %d, %s (written by tools/campaign/make_campaign.py): the district\'s ground picture, the '
               'building places' % (number, level['name']),
               'under "Buildings" (their TemplateName is the record they start with), and "CargosNode" for the '
               'vehicles, workers and clouds.')
    names = place_names(level)
    # Places further down the screen stand in front, so they come later.
    places = [(names[spot], lot(spot)[0], lot(spot)[1], record, owned)
              for spot, record, owned in sorted(parse_places(level['places']),
                                                key=lambda p: (lot(p[0])[1], lot(p[0])[0]))]
    return write_level_scene(comment, '../common/Ground/%s/%%s.png' % ground, places)


# LevelConfiguration.xml ---------------------------------------------------------------------------------

def records_of(line):
    """The records of a line, lowest level first: 'Hostel' -> Hostel1..3; a single-record line is itself."""
    return list(E.HOTELS[line]) if line in E.HOTELS else [line]


def goal_key(number, key):
    return '%%Level%d_Goal%s%%' % (number, key)


def objective(number, goal):
    kind = goal[0]
    if kind == 'count':
        _, line, value, key = goal
        return dict(Type='HaveTypedBuildingsCount', BuildingTypes=';'.join(records_of(line)), Value=value,
                    MustOwn='true', InfoStr=goal_key(number, key))
    if kind == 'level':
        _, line, from_level, value, key = goal
        return dict(Type='HaveTypedBuildingsCount', BuildingTypes=';'.join(records_of(line)[from_level - 1:]),
                    Value=value, MustOwn='true', InfoStr=goal_key(number, key))
    if kind == 'each':
        _, records, value, key = goal
        return dict(Type='HaveEachTypeBuildingsCount', BuildingTypes=';'.join(records), Value=value, MustOwn='true',
                    InfoStr=goal_key(number, key))
    if kind == 'restore':
        _, record, key = goal
        return dict(Type='HaveTypedBuildingsCount', BuildingTypes=record, Value=1, MustOwn='true',
                    InfoStr=goal_key(number, key))
    if kind in ('repairs', 'cleanings', 'purchases'):
        _, value, key = goal
        action = {'repairs': 4, 'cleanings': 8, 'purchases': 2}[kind]
        return dict(Type='TypedHistoryActionsCount', Action=action, Value=value, InfoStr=goal_key(number, key))
    if kind == 'features':
        _, pairs, key = goal
        return dict(Type='HaveConcurrentFeatures', BuildingTypes=';'.join(r for r, _ in pairs),
                    FeatureIndices=';'.join(str(i) for _, i in pairs), InfoStr=goal_key(number, key))
    if kind == 'money':
        _, value, key = goal
        return dict(Type='Money', Value=value, InfoStr=goal_key(number, key))
    return dict(Type={'income': 'Income', 'guests': 'GuestsCount', 'workers': 'Workers'}[kind], Value=goal[1])


def ms_range(seconds):
    return '%d;%d' % (seconds[0] * 1000, seconds[1] * 1000)


def event(item):
    kind = item[0]
    if kind in ('broken', 'dirty'):
        _, lines, first, period = item
        types = ';'.join(r for line in lines for r in records_of(line))
        return dict(Type='RegularBrokenBuildingRequest' if kind == 'broken' else 'RegularDirtyBuildingRequest',
                    BuildingTypes=types, FirstTimeRange=ms_range(first), PeriodRange=ms_range(period))
    if kind == 'sale':
        return dict(Type='OneTimeSellBuildingRequest', BuildingTypes='BuildingPlace', TimeRange=ms_range(item[1]))
    if kind == 'rain':
        _, first, period, last, duration = item
        return dict(Type='RegularWeatherEffectRequest', FirstTimeRange=ms_range(first), PeriodRange=ms_range(period),
                    LastTimeRange=ms_range(last), DurationTimeRange=ms_range(duration))
    _, first, period, money = item
    return dict(Type='RegularLetterRequest', FirstTimeRange=ms_range(first), PeriodRange=ms_range(period),
                MoneyRange='%d;%d' % money, WaitTimeRange='15000;25000')


def element(name, attributes):
    return '<%s %s/>' % (name, ' '.join('%s=%s' % (k, quoteattr(str(v))) for k, v in attributes.items()))


def level_configuration(number, level, scores):
    score, expert, time = scores['level%d' % number]
    money, materials, workers = level['start']
    district = C.district_of(number)
    names = place_names(level)
    props = [('string', 'Name', str(number)),
             ('stringw', 'Description', '%%Level%d_Description%%' % number),
             ('int', 'SettingIndex', C.DISTRICTS[district]['setting'])]
    # The last level opens nothing further.
    if number < 28:
        props.append(('string', 'UnlockLevels', 'level%d' % (number + 1)))
    props += [
             ('string', 'AvailableBuildingsForBuild', ';'.join(C.lines_for(number))),
             ('int', 'LevelTime', time), ('int', 'Score', score), ('int', 'ExpertScore', expert),
             ('int', 'DayLength', 60),
             ('float', 'InitMoney', money), ('float', 'InitRating', 0), ('float', 'InitMaterialsCount', materials),
             ('int', 'InitWorkersCount', workers),
             ('float', 'IncomeBonus1', 10), ('float', 'IncomeBonus2', -10)]
    if 'pyramid' in level:
        props.append(('string', 'PyramidIncomeBonusPlaces', ';'.join(names[s] for s in level['pyramid'] if s in names)))
    if 'station' in level:
        props += [('float', 'StationIncomeBonus1', 0),
                  ('string', 'StationIncomeBonus1BuildingTypes', ';'.join(level['station']))]
    # Buyers and the city's offers come quicker in the later districts.
    sell = (30000 - 2000 * district, 60000 - 4000 * district)
    props += [('vector2d', 'BuildingsSellTime', '%d;%d' % sell),
              ('vector2d', 'BuildingsBuyRequestTime', '15000;45000'),
              ('vector2d', 'BuildingsBuyRequestTimeWaiting', '12000;20000'),
              ('vector2d', 'BuildingsBuyRequestPriceMultiplier', '0.85;1.05')]
    for flag in ('IsRatingOn', 'IsClockOn', 'IsBuildingLevelOn', 'IsBuildingPlaceLuckinessOn', 'IsSellOn'):
        props.append(('bool', flag, 'true'))
    props.append(('bool', 'IsNotOwnedDecorationsDirty', 'false'))

    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<!-- Level %d, %s (%s; written by tools/campaign/make_campaign.py from tools/campaign/campaign.py).'
           % (number, level['name'], C.DISTRICTS[district]['name']),
           '     The scores and the expert time are those of levels/common/LevelScores.xml ("level" + Name). -->',
           '<Level>', '\t<Properties>']
    for kind, name, value in props:
        if kind == 'float':
            value = ('%d' % value) if float(value).is_integer() else value
        out.append('\t\t<%s Name="%s" Value=%s/>' % (kind, name, quoteattr(str(value))))
    out += ['\t</Properties>', '\t<Objectives>']
    out += ['\t\t' + element('Objective', objective(number, g)) for g in level['goals']]
    out += ['\t</Objectives>', '\t<RandomEvents>']
    out += ['\t\t' + element('Event', event(e)) for e in level['events']]
    out += ['\t</RandomEvents>', '</Level>']
    return '\n'.join(out) + '\n'


# LevelPaths.xml -----------------------------------------------------------------------------------------

def path(points, attributes='', doors=()):
    """A path through points of the drawn picture, fitted; doors are points on the fitted picture already."""
    lines = ['\t\t<Path%s>' % attributes]
    lines += ['\t\t\t<p p="%d;%d"/>' % (x, y if (x, y) in doors else fitted(y)) for x, y in points]
    lines.append('\t\t</Path>')
    return lines


def level_paths(number, level):
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           '<!-- Level %d, %s: roads and footpaths of the district picture (1024 by 768; written by '
           'tools/campaign/make_campaign.py).' % (number, level['name']),
           '     NeutralCar paths carry the ambient traffic (Cars: car templates, Time: ms between two cars); a '
           'path whose ID is a',
           '     place\'s name is a route of the work vehicles of that place, from either end of its street. -->',
           '<LevelPaths>', '\t<CarPaths>']
    # Busier streets further into the city.
    busy = 1.0 - 0.1 * (C.district_of(number) - 1)
    def t(a, b):
        return ' ID="NeutralCar" Time="%d;%d" Cars="%s"' % (a * busy * 1000, b * busy * 1000, CARS)
    out += path([(-80, UPPER[1]), (1104, UPPER[1])], t(7, 13))
    out += path([(1104, UPPER[0]), (-80, UPPER[0])], t(8, 15))
    out += path([(-80, LOWER[1]), (1104, LOWER[1])], t(9, 16))
    out += path([(1104, LOWER[0]), (-80, LOWER[0])], t(9, 17))
    out += path([(-80, UPPER[1]), (LANE_X[0], UPPER[1]), (LANE_X[0], LOWER[1]), (1104, LOWER[1])], t(14, 24))
    out += path([(1104, LOWER[0]), (LANE_X[1], LOWER[0]), (LANE_X[1], UPPER[0]), (-80, UPPER[0])], t(15, 26))
    for spot, name in sorted(place_names(level).items(), key=lambda item: int(item[1][5:])):
        x, y = lot(spot)
        street = LOWER if spot[0] == 'C' else UPPER
        door = (x + 72, y + 72) if spot[0] == 'A' else (x + 72, y)
        out += path([(-80, street[1]), (door[0], street[1]), door], ' ID="%s"' % name, (door,))
        out += path([(1104, street[0]), (door[0], street[0]), door], ' ID="%s"' % name, (door,))
    out += ['\t</CarPaths>', '\t<PedestrianPaths>',
            '\t\t<!-- Sidewalks along both streets and the lane (b: walked either way). -->']
    for y in (229, 307, 461, 539):
        out += path([(-20, y), (512, y), (1044, y)], ' b="1"')
    out += path([(482, 307), (482, 461)], ' b="1"')
    out += path([(542, 307), (542, 461)], ' b="1"')
    # The market, the quay, the lake shore or the edge of the frozen pond, by district.
    out += path([(-20, 656), (512, 656), (1044, 656)], ' b="1"')
    out += ['\t</PedestrianPaths>', '</LevelPaths>']
    return '\n'.join(out) + '\n'


# Tutorial.xml: the tips -------------------------------------------------------------------------------------

TIP_TIME = 10000  # ms a tip stays on screen
TIP_GAP = 15000  # ms between two tips


def district_of(number):
    return (number - 1) // 7 + 1


def first_levels():
    """Where each tip of C.TIPS belongs: {level: [(tip key, waited action or None)]}, in showing order."""
    tips = {}
    seen = set()

    def add(number, key, wait=None):
        if key not in seen:
            seen.add(key)
            tips.setdefault(number, []).append((key, wait))

    for number in sorted(C.L):
        level = C.L[number]
        if number == 3 or district_of(number) != district_of(number - 1):
            add(number, 'District%d' % district_of(number))
        for first, record in C.LINES_FROM:
            if first == number:
                add(number, 'Line_' + record)
        for spot, record, _owned in parse_places(level['places']):
            if record in C.SERVICE_RECORDS:
                add(number, 'Restore')
                add(number, record + '_FullDescription')
        kinds = [goal[0] for goal in level['goals']] + [item[0] for item in level['events']]
        for kind, key in (('broken', 'Repairs'), ('repairs', 'Repairs'), ('sale', 'Sale'),
                          ('purchases', 'Purchases'), ('features', 'Features')):
            if kind in kinds:
                add(number, key)
        # Tips about a level event wait for it, after the others.
        for kind, key, wait in (('dirty', 'Cleanings', 'WaitDirty'), ('letters', 'Letters', 'WaitLetter')):
            if kind in kinds:
                add(number, key, wait)
    return tips


def tip_key(key):
    return key if key.endswith('_FullDescription') else 'Tip_' + key


def tutorial_file(number, tips):
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             '<!-- Level %d tips (written by tools/campaign/make_campaign.py): what this level shows first. A hint '
             'without text' % number,
             '     keeps the window hidden while it waits. Texts: strings/Dictionary.xml. -->',
             '<Tutorial>']

    def hint(text, action):
        lines.append('\t<Hint Tip="true">')
        if text:
            lines.append('\t\t<TextPosition Value="20;8;1"/>')
            lines.append('\t\t<Text Value="%%%s%%"/>' % text)
        lines.append('\t\t<Actions>')
        lines.append('\t\t\t' + action)
        lines.append('\t\t</Actions>')
        lines.append('\t</Hint>')

    for i, (key, wait) in enumerate(tips):
        if wait:
            hint(None, '<Action Type="%s"/>' % wait)
        elif i > 0:
            hint(None, '<Action Type="Timed" Time="%d"/>' % TIP_GAP)
        hint(tip_key(key), '<Action Type="Timed" Time="%d"/>' % TIP_TIME)
    lines.append('</Tutorial>')
    return '\n'.join(lines) + '\n'


# Dictionary ---------------------------------------------------------------------------------------------

BEGIN = '\t<!-- Campaign levels (written by tools/campaign/make_campaign.py from tools/campaign/campaign.py). -->'
END = '\t<!-- End of the campaign levels. -->'
FIRST_NAMES = {1: 'Harbour Road', 2: 'Riverside'}


def dictionary_block():
    lines = [BEGIN]
    for number, name in FIRST_NAMES.items():
        lines.append('\t<s n="Level%d_Name">%s</s>' % (number, escape(name)))
    for number, level in sorted(C.L.items()):
        texts = level['texts']
        lines.append('\t<s n="Level%d_Name">%s</s>' % (number, escape(texts['Name'])))
        lines.append('\t<s n="Level%d_Description">%s</s>' % (number, escape(texts['Description'])))
        for goal in level['goals']:
            key = goal[-1] if isinstance(goal[-1], str) else None
            if key:
                lines.append('\t<s n="Level%d_Goal%s">%s</s>' % (number, key, escape(texts[key])))
    for key, text in C.TIPS.items():
        lines.append('\t<s n="Tip_%s">%s</s>' % (key, escape(text)))
    lines.append(END)
    return '\n'.join(lines) + '\n'


def write_dictionary(root):
    file = os.path.join(root, 'assets/strings/Dictionary.xml')
    with open(file, encoding='utf-8') as f:
        text = f.read()
    block = dictionary_block()
    if BEGIN in text:
        text = re.sub(re.escape(BEGIN) + '.*?' + re.escape(END) + '\n', lambda m: block, text, flags=re.S)
    else:
        text = text.replace('</Dictionary>', block + '</Dictionary>')
    with open(file, 'w', encoding='utf-8') as f:
        f.write(text)


def read_scores(root):
    text = open(os.path.join(root, 'assets/levels/common/LevelScores.xml'), encoding='utf-8').read()
    return {m.group(1): (int(m.group(2)), int(m.group(3)), int(m.group(4))) for m in re.finditer(
        r'<Level Name="(\w+)" Score="(\d+)" ExpertScore="(\d+)" Time="(\d+)"', text)}


def main():
    args = sys.argv[1:]
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    if args and args[0] != '--check':
        root = args[0]
    scores = read_scores(root)
    if '--check' in args:
        sys.exit(0 if E.check_campaign(C, scores) else 1)
    tips = first_levels()
    assert all(key in C.TIPS or key.endswith('_FullDescription') for keys in tips.values() for key, _ in keys)
    for number, level in sorted(C.L.items()):
        check_places(number, level)
        folder = os.path.join(root, 'assets/levels/level%d' % number)
        os.makedirs(folder, exist_ok=True)
        for name, text in (('Level.qscn', level_scene(number, level)),
                           ('LevelConfiguration.xml', level_configuration(number, level, scores)),
                           ('LevelPaths.xml', level_paths(number, level))):
            with open(os.path.join(folder, name), 'w', encoding='utf-8') as out:
                out.write(text)
        # Only levels that meet something first have tips.
        if number in tips:
            with open(os.path.join(folder, 'Tutorial.xml'), 'w', encoding='utf-8') as out:
                out.write(tutorial_file(number, tips[number]))
    write_dictionary(root)


if __name__ == '__main__':
    main()

"""The design's economy (docs/GameDesign.md) in a day-by-day model, to check that every campaign level can be
won within its level time by a plain strategy and is not won by waiting.

The strategy: each morning, build what the goals name (service buildings, joys, decorations, factories,
the hotels they count and the upgrades they ask for), then spend what is left on the hotel build or
upgrade that pays back soonest while an income or guest goal is open (or, with a money goal, only what
pays back before the level time is up). Income arrives in the evening. Materials are bought at $100 a
unit when the stock runs short, workers at $50,000 when a goal asks for them. Plots the city sells are
used once their sale has surely happened. Joys are counted as serving half the guests, decorations as
lifting half the hotel income: a fair player's area coverage.
"""

# record: (cost, materials, income a day, guests)
RECORDS = {
    'Camping1': (15000, 20, 3400, 6), 'Camping2': (12000, 25, 6600, 10), 'Camping3': (20000, 35, 11800, 16),
    'Hostel1': (40000, 40, 8800, 12), 'Hostel2': (30000, 45, 16500, 20), 'Hostel3': (45000, 60, 27800, 30),
    'GuestHouse1': (80000, 60, 17200, 18), 'GuestHouse2': (55000, 70, 31000, 28),
    'GuestHouse3': (75000, 90, 49700, 40), 'GuestHouse4': (100000, 110, 74400, 54),
    'BusinessHotel1': (150000, 90, 31800, 26), 'BusinessHotel2': (100000, 100, 56200, 40),
    'BusinessHotel3': (140000, 130, 90200, 56), 'BusinessHotel4': (190000, 160, 136000, 74),
    'HotelN51': (300000, 140, 62800, 36), 'HotelN52': (200000, 160, 110800, 54),
    'HotelN53': (280000, 200, 177500, 74), 'HotelN54': (380000, 250, 267500, 96),
    'HotelN61': (600000, 200, 124000, 48), 'HotelN62': (400000, 240, 218200, 72),
    'HotelN63': (550000, 300, 347100, 100), 'HotelN64': (750000, 360, 521800, 130),
}
HOTELS = {
    'Camping': ['Camping1', 'Camping2', 'Camping3'],
    'Hostel': ['Hostel1', 'Hostel2', 'Hostel3'],
    'GuestHouse': ['GuestHouse1', 'GuestHouse2', 'GuestHouse3', 'GuestHouse4'],
    'BusinessHotel': ['BusinessHotel1', 'BusinessHotel2', 'BusinessHotel3', 'BusinessHotel4'],
    'HotelN5': ['HotelN51', 'HotelN52', 'HotelN53', 'HotelN54'],
    'HotelN6': ['HotelN61', 'HotelN62', 'HotelN63', 'HotelN64'],
}
# record: (cost, materials, base income, per served guest, income bonus of a decoration)
OTHERS = {
    'Cafe': (35000, 30, 1000, 150, 0), 'CityMall': (120000, 80, 4000, 260, 0),
    'AquaPark': (260000, 150, 10000, 320, 0),
    'Statue': (20000, 25, 0, 0, 0.06), 'Garden': (45000, 40, 0, 0, 0.10), 'Memorial': (90000, 70, 0, 0, 0.15),
    'TruckStation': (60000, 50, 3000, 0, 0), 'REAgency': (100000, 60, 5000, 0, 0),
    'PRAgency': (150000, 80, 5000, 0, 0),
    'FishingCenter': (50000, 40, 6000, 60, 0), 'ObservationTower': (70000, 60, 7000, 0, 0),
    'Pyramid': (120000, 90, 8000, 0, 0), 'Station': (90000, 70, 6000, 0, 0), 'HQ': (150000, 100, 12000, 0, 0),
}
SERVICES = ('FishingCenter', 'ObservationTower', 'Pyramid', 'Station', 'HQ')
MATERIAL_PRICE = 100
WORKER_PRICE = 50000
PLOT_PRICE = 10000


def line_of(record):
    for line, records in HOTELS.items():
        if record in records:
            return line
    return None


class Town:
    def __init__(self, level, lines):
        self.money, self.materials, self.workers = level['start']
        self.lines = lines
        self.hotels = []  # records
        self.others = []  # records built or restored
        self.run_down = []
        self.free = 0
        for _, record, owned in parse(level['places']):
            if not owned:
                continue
            if record == 'BuildingPlace':
                self.free += 1
            elif record in SERVICES:
                self.run_down.append(record)
            elif record in RECORDS:
                self.hotels.append(record)
            else:
                self.others.append(record)
        self.sales = sorted(e[1][1] for e in level['events'] if e[0] == 'sale')

    def guests(self):
        return sum(RECORDS[h][3] for h in self.hotels)

    def income(self):
        hotels = sum(RECORDS[h][2] for h in self.hotels)
        bonus = sum(OTHERS[o][4] for o in self.others) * 0.5
        joys = sum(OTHERS[o][2] + OTHERS[o][3] * self.guests() * 0.5 for o in self.others)
        return hotels * (1 + bonus) + joys

    def price(self, cost, materials):
        return cost + max(0, materials - self.materials) * MATERIAL_PRICE

    def pay(self, cost, materials):
        price = self.price(cost, materials)
        if price > self.money:
            return False
        self.money -= price
        self.materials = max(0, self.materials - materials)
        return True

    def plot(self, now):
        """A free plot of the player's, buying one the city has put up for sale by now when needed."""
        if self.free > 0:
            return True
        if self.sales and self.sales[0] <= now and self.money >= PLOT_PRICE:
            self.sales.pop(0)
            self.money -= PLOT_PRICE
            self.free += 1
            return True
        return False

    def build(self, record, now):
        cost, materials = (RECORDS[record] if record in RECORDS else OTHERS[record])[:2]
        if self.price(cost, materials) + (0 if self.free else PLOT_PRICE) > self.money or not self.plot(now):
            return False
        self.pay(cost, materials)
        self.free -= 1
        (self.hotels if record in RECORDS else self.others).append(record)
        return True

    def upgrade(self, index):
        record = self.hotels[index]
        records = HOTELS[line_of(record)]
        following = records[records.index(record) + 1]
        if not self.pay(*RECORDS[following][:2]):
            return False
        self.hotels[index] = following
        return True


def parse(places):
    out = []
    for item in places.split():
        owned = item.endswith('*')
        spot, _, record = item.rstrip('*').partition(':')
        out.append((spot, record or 'BuildingPlace', owned))
    return out


def count(town, line, from_level=1):
    if line in HOTELS:
        return sum(1 for h in town.hotels if line_of(h) == line and HOTELS[line].index(h) + 1 >= from_level)
    return town.others.count(line)


def met(town, goal, level_seconds, events):
    kind = goal[0]
    if kind == 'count':
        return count(town, goal[1]) >= goal[2]
    if kind == 'level':
        return count(town, goal[1], goal[2]) >= goal[3]
    if kind == 'each':
        return all(town.others.count(r) + town.hotels.count(r) >= goal[2] for r in goal[1])
    if kind == 'restore':
        return goal[1] in town.others
    if kind == 'features':
        return all(r in town.others for r, _ in goal[1])
    if kind in ('repairs', 'cleanings'):
        # Only decorations get dirty: one must stand before it can be cleaned.
        if kind == 'cleanings' and not any(OTHERS[o][4] > 0 for o in town.others):
            return False
        # The requests must come often enough: the n-th at the latest well inside the level time.
        source = [e for e in events if e[0] == ('broken' if kind == 'repairs' else 'dirty')]
        return bool(source) and source[0][2][1] + (goal[1] - 1) * source[0][3][1] <= 0.8 * level_seconds
    if kind == 'purchases':
        return sum(1 for e in events if e[0] == 'sale') >= goal[1]
    if kind == 'income':
        return town.income() >= goal[1]
    if kind == 'guests':
        return town.guests() >= goal[1]
    if kind == 'workers':
        return town.workers >= goal[1]
    if kind == 'money':
        return town.money >= goal[1]
    raise ValueError(kind)


def required(level):
    """What the goals name, in the order the strategy builds it."""
    steps = []
    for goal in level['goals']:
        kind = goal[0]
        if kind == 'restore':
            steps.append(('restore', goal[1]))
        elif kind == 'features':
            steps += [('build', r) for r, _ in goal[1]]
        elif kind == 'each':
            steps += [('build', r, goal[2]) for r in goal[1]]
        elif kind == 'count':
            steps.append(('build', goal[1], goal[2]))
        elif kind == 'level':
            steps.append(('raise', goal[1], goal[2], goal[3]))
        elif kind == 'workers':
            steps.append(('workers', goal[1]))
    order = {'restore': 0, 'workers': 1, 'build': 2, 'raise': 3}
    return sorted(steps, key=lambda s: (order[s[0]], s[1] in HOTELS))


def morning(town, level, now, days_left, goals_open, saving):
    waiting = False
    for step in required(level):
        if step[0] == 'restore':
            if step[1] in town.run_down and town.pay(*OTHERS[step[1]][:2]):
                town.run_down.remove(step[1])
                town.others.append(step[1])
        elif step[0] == 'workers':
            while town.workers < step[1] and town.money >= WORKER_PRICE:
                town.money -= WORKER_PRICE
                town.workers += 1
        elif step[0] == 'build':
            want = step[2] if len(step) > 2 else 1
            record = HOTELS[step[1]][0] if step[1] in HOTELS else step[1]
            while count(town, step[1]) < want and town.build(record, now):
                pass
            waiting = waiting or count(town, step[1]) < want
        elif step[0] == 'raise':
            _, line, lvl, want = step
            while count(town, line) < want and town.build(HOTELS[line][0], now):
                pass
            while count(town, line, lvl) < want:
                candidates = [i for i, h in enumerate(town.hotels) if line_of(h) == line and
                              HOTELS[line].index(h) + 1 < lvl]
                if not candidates:
                    break
                best = max(candidates, key=lambda i: HOTELS[line].index(town.hotels[i]))
                if not town.upgrade(best):
                    return
    # Money saved for what the goals name comes first.
    if not goals_open or waiting:
        return
    # Then the best payback, new hotels of the lines on offer or upgrades.
    while True:
        options = []
        for line, records in HOTELS.items():
            if records[0] in town.lines:
                cost, materials, income, _ = RECORDS[records[0]]
                price = town.price(cost, materials) + (0 if town.free else PLOT_PRICE)
                if town.free or (town.sales and town.sales[0] <= now):
                    options.append((price / income, price, ('build', records[0])))
        for i, h in enumerate(town.hotels):
            records = HOTELS[line_of(h)]
            k = records.index(h)
            if k + 1 < len(records):
                cost, materials, income, _ = RECORDS[records[k + 1]]
                price = town.price(cost, materials)
                options.append((price / (income - RECORDS[h][2]), price, ('upgrade', i)))
        if saving:
            options = [o for o in options if o[0] < days_left - 0.5]
        affordable = [o for o in options if o[1] <= town.money]
        if not affordable:
            return
        # Plots are few: the option that adds the most income a day.
        _, _, (kind, what) = max(affordable, key=lambda o: o[1] / o[0])
        done = town.build(what, now) if kind == 'build' else town.upgrade(what)
        if not done:
            return


def play(level, number, scores, idle=False):
    """Days to win, and the money then; None when the level time passes first."""
    import campaign as C
    _, _, seconds = scores['level%d' % number]
    town = Town(level, C.lines_for(number))
    days = seconds // 60
    for day in range(days):
        open_goals = [g for g in level['goals'] if not met(town, g, seconds, level['events'])]
        growth = any(g[0] in ('income', 'guests', 'money') for g in open_goals)
        saving = all(g[0] not in ('income', 'guests') for g in open_goals)
        if not idle:
            morning(town, level, day * 60 + 59, days - day, growth, saving)
        town.money += town.income()
        if all(met(town, g, seconds, level['events']) for g in level['goals']):
            return day + 1, town
    return None, town


def check_campaign(C, scores):
    good = True
    print('level  days  of  money at the end   income   guests')
    for number, level in sorted(C.L.items()):
        days, town = play(level, number, scores)
        idle, _ = play(level, number, scores, idle=True)
        limit = scores['level%d' % number][2] // 60
        ok = days is not None and idle is None and days <= limit * 0.85
        good = good and ok
        print('%5d  %4s  %2d  %15s  %7d  %7d  %s' % (number, days, limit, '{:,.0f}'.format(town.money),
                                                  town.income(), town.guests(), '' if ok else 'CHECK'))
    return good


def unmet(level, number, scores):
    _, town = play(level, number, scores)
    seconds = scores['level%d' % number][2]
    return [g for g in level['goals'] if not met(town, g, seconds, level['events'])], town.free, len(town.sales)

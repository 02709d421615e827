"""The campaign: levels 3 to 28 in four districts (levels 1 and 2 are written by hand).

Read by tools/campaign/make_campaign.py, which writes each level's folder and the campaign's dictionary
block. The economy behind the numbers is docs/GameDesign.md; the make script's --check plays every level
with a simple strategy on that economy and prints the days it took.

A district is a ground picture (assets-src/atlases/Districts/<Ground>/) with two streets and one lane:

    row A: six lots above the upper street    A1 .. A6
    row B: six lots below the upper street    B1 .. B6
    row C: six lots below the lower street    C1 .. C6

A level's places are written as lot[:record][*]: '*' marks a place the player owns from the start, a
record other than BuildingPlace a building standing there (service buildings stand run down and are
restored by the player). Places are named Place1, Place2, ... in the order written.

Goals:
    ('count', line, n, key)             n buildings of the hotel or other line, owned
    ('level', line, lvl, n, key)        n buildings of the line at level lvl or higher
    ('each', [records], n, key)         n of each record
    ('restore', record, key)            the run-down service building working again
    ('repairs', n, key) / ('cleanings', n, key) / ('purchases', n, key)   finished actions
    ('features', [(record, index)], key) features running at the same time
    ('income', v) / ('guests', v) / ('workers', v) / ('money', v, key)

Events:
    ('broken', [lines], first_s, period_s)    a hotel breaks down (first and period as (min, max) seconds)
    ('dirty', [lines], first_s, period_s)     a decoration gets dirty
    ('sale', at_s)                            the city puts one free lot up for sale
    ('rain', first_s, period_s, last_s, duration_s)
    ('letters', first_s, period_s, money)     money letters (while a PR agency works)
"""

DISTRICTS = {
    1: {'name': 'Old Town', 'ground': 'OldTown', 'setting': 1},
    2: {'name': 'Harbour', 'ground': 'Harbour', 'setting': 2},
    3: {'name': 'Park Hill', 'ground': 'ParkHill', 'setting': 3},
    4: {'name': 'New Quarter', 'ground': 'NewQuarter', 'setting': 4},
}

# Lines a level may offer, by the level whose upgrade brings them (docs/GameDesign.md).
LINES_FROM = [
    (1, 'Camping1'), (2, 'Cafe'), (4, 'Hostel1'), (6, 'Statue'), (7, 'TruckStation'), (8, 'GuestHouse1'),
    (10, 'Garden'), (12, 'CityMall'), (14, 'REAgency'), (15, 'BusinessHotel1'), (17, 'Memorial'),
    (19, 'AquaPark'), (21, 'PRAgency'), (22, 'HotelN51'), (25, 'HotelN61'),
]

# Service buildings that stand run down where a level places them (restored by the player).
SERVICE_RECORDS = ['FishingCenter', 'ObservationTower', 'Pyramid', 'Station', 'HQ']

HOTELS_D1 = ['Camping', 'Hostel']
HOTELS_D2 = ['Camping', 'Hostel', 'GuestHouse']
HOTELS_D3 = ['Hostel', 'GuestHouse', 'BusinessHotel']
HOTELS_D4 = ['GuestHouse', 'BusinessHotel', 'HotelN5', 'HotelN6']

L = {}

# District 1: Old Town. Campsites grow into hostels; the first statue and the truck station.
L[3] = dict(
    name='Market Square', start=(100000, 100, 2),
    places='A2* A3* B2* B3* C2* A5 B5 C5',
    goals=[('count', 'Camping', 4, 'Campsites'), ('count', 'Cafe', 1, 'Cafe'),
           ('level', 'Camping', 2, 2, 'Cabins'), ('income', 20000)],
    events=[('broken', ['Camping'], (100, 130), (90, 120)), ('sale', (40, 70)), ('sale', (130, 180)),
            ('rain', (80, 110), (120, 160), (300, 320), (15, 25))],
    texts=dict(
        Name='Market Square',
        Description='Every Saturday the farmers bring their carts to the old market, and the square fills '
                    'with visitors who want to stay the weekend. Pitch campsites around the fountain, turn '
                    'the best of them into cabins and give the crowd a cafe.',
        Campsites='Run four campsites', Cafe='Open a cafe by the market',
        Cabins='Upgrade two campsites to cabins'))

L[4] = dict(
    name='Chapel Lane', start=(105000, 120, 2),
    places='A1* A2* B1* B2:Camping1* C1* C2 A4 B4 C4',
    goals=[('count', 'Hostel', 2, 'Hostels'), ('count', 'Cafe', 1, 'Cafe'), ('repairs', 2, 'Repairs'),
           ('income', 30000)],
    events=[('broken', ['Camping', 'Hostel'], (70, 100), (70, 100)), ('sale', (40, 70)), ('sale', (120, 170)),
            ('rain', (90, 120), (120, 160), (330, 350), (15, 25))],
    texts=dict(
        Name='Chapel Lane',
        Description='Pilgrims and hikers meet under the chapel bells. Young travellers ask for cheap beds in '
                    'town, so open the first hostels of the Old Town, and keep the old tents in good repair.',
        Hostels='Open two hostels', Cafe='Run a cafe in the lane', Repairs='Repair two broken buildings'))

L[5] = dict(
    name="Clockmaker's Row", start=(135000, 120, 2),
    places='A3* A4* B3* B4* C3:Camping1* C4* A6 B6 C6 A1',
    goals=[('count', 'Hostel', 3, 'Hostels'), ('level', 'Hostel', 2, 1, 'BigHostel'), ('guests', 70),
           ('income', 40000)],
    events=[('broken', ['Camping', 'Hostel'], (80, 110), (80, 110)), ('sale', (40, 70)), ('sale', (110, 150)),
            ('sale', (200, 260)), ('rain', (70, 100), (110, 150), (350, 370), (15, 25))],
    texts=dict(
        Name="Clockmaker's Row",
        Description='The workshops of the clockmakers draw collectors from far away, and they never arrive '
                    'on time for a room. Build hostels along the row and enlarge one of them before the '
                    'autumn fair.',
        Hostels='Run three hostels', BigHostel='Upgrade a hostel to level 2'))

L[6] = dict(
    name='Fountain Court', start=(140000, 140, 3),
    places='A1* A2* A3* B1* B2* C1:Hostel1* A5 B5 C5 C6',
    goals=[('count', 'Statue', 1, 'Statue'), ('count', 'Hostel', 4, 'Hostels'), ('cleanings', 2, 'Cleanings'),
           ('income', 52000)],
    events=[('broken', ['Camping', 'Hostel'], (90, 120), (80, 120)), ('dirty', ['Statue'], (60, 80), (70, 100)),
            ('sale', (40, 70)), ('sale', (150, 200)), ('rain', (100, 130), (110, 150), (370, 390), (15, 25))],
    texts=dict(
        Name='Fountain Court',
        Description='The courtyard fountain has been restored, and the square around it deserves a statue. '
                    'A statue makes every hotel beside it earn more, as long as somebody keeps the pigeons '
                    'off it.',
        Statue='Put up a statue', Hostels='Run four hostels', Cleanings='Clean a statue twice'))

L[7] = dict(
    name='Old Town Gate', start=(220000, 160, 3),
    places='A2* A3* B2* B3* B4* C2* C3:Hostel1* A5 B6 C5 C6',
    goals=[('count', 'TruckStation', 1, 'Trucks'), ('each', ['Cafe', 'Statue'], 1, 'CafeStatue'),
           ('level', 'Hostel', 3, 1, 'TopHostel'), ('income', 54000), ('money', 30000, 'Money')],
    events=[('broken', ['Camping', 'Hostel'], (80, 110), (70, 100)), ('dirty', ['Statue'], (90, 120), (80, 110)),
            ('sale', (40, 70)), ('sale', (140, 190)), ('rain', (100, 130), (100, 140), (390, 410), (15, 25))],
    texts=dict(
        Name='Old Town Gate',
        Description='The trucks of the builders queue at the old gate. Give them a truck station of their '
                    'own, and materials will come cheaper and faster for everything that is still to be '
                    'built in the Old Town.',
        Trucks='Build a truck station', CafeStatue='Have a cafe and a statue',
        TopHostel='Bring a hostel to level 3', Money='Keep $30,000 in the bank'))

# District 2: Harbour. Guest houses, the fishing centre, gardens, the mall and the estate agency.
L[8] = dict(
    name='Fish Market', start=(230000, 160, 3),
    places='A1* A2* B1* B2* C1* C2* C4:FishingCenter* A4 A5 B5 B6',
    goals=[('count', 'GuestHouse', 2, 'GuestHouses'), ('restore', 'FishingCenter', 'Fishing'),
           ('repairs', 2, 'Repairs'), ('guests', 80), ('income', 66000)],
    events=[('broken', ['Hostel', 'GuestHouse'], (80, 110), (80, 110)), ('sale', (40, 70)), ('sale', (120, 160)),
            ('sale', (220, 280)), ('rain', (60, 90), (90, 130), (460, 480), (20, 30))],
    texts=dict(
        Name='Fish Market',
        Description='Welcome to the Harbour! The fish market opens at five, and the boats bring guests as '
                    'well as herring. Open the first guest houses and get the old fishing centre going '
                    'again.',
        GuestHouses='Open two guest houses', Fishing='Restore the fishing centre',
        Repairs='Repair two broken buildings'))

L[9] = dict(
    name='Lighthouse Point', start=(240000, 180, 3),
    places='A3* A4* B3* B4* C3* C4* A1 B1 C1 A6 C6 B6',
    goals=[('count', 'GuestHouse', 3, 'GuestHouses'), ('level', 'GuestHouse', 2, 1, 'BigHouse'),
           ('count', 'Cafe', 1, 'Cafe'), ('repairs', 3, 'Repairs'), ('income', 70000)],
    events=[('broken', ['Hostel', 'GuestHouse'], (70, 100), (70, 100)), ('broken', ['Camping'], (150, 200), (120, 160)),
            ('sale', (40, 70)), ('sale', (120, 160)), ('sale', (220, 280)), ('rain', (70, 100), (90, 130), (440, 460), (20, 30))],
    texts=dict(
        Name='Lighthouse Point',
        Description='On clear nights the lighthouse can be seen from the whole coast, and the couples who '
                    'come to watch it want a room with a view. The storms are rough here: keep your '
                    'builders close.',
        GuestHouses='Run three guest houses', BigHouse='Upgrade a guest house to level 2',
        Cafe='Open a cafe on the point', Repairs='Repair three broken buildings'))

L[10] = dict(
    name="Net Menders' Quay", start=(270000, 200, 3),
    places='A1* A2* A3* B1* B2* B3* C1* C2 A5 B5 C5 C6',
    goals=[('count', 'Garden', 1, 'Garden'), ('count', 'GuestHouse', 4, 'GuestHouses'),
           ('cleanings', 2, 'Cleanings'), ('guests', 100), ('income', 90000)],
    events=[('broken', ['Hostel', 'GuestHouse'], (80, 110), (70, 100)), ('dirty', ['Garden', 'Statue'], (80, 100), (70, 100)),
            ('sale', (40, 70)), ('sale', (120, 160)), ('sale', (220, 280)), ('rain', (70, 100), (90, 130), (460, 480), (20, 30))],
    texts=dict(
        Name="Net Menders' Quay",
        Description='The old net lofts along the quay are being turned into guest rooms. Lay out a garden '
                    'between them, where the guests can sit among the drying nets, and keep it tidy.',
        Garden='Lay out a garden', GuestHouses='Run four guest houses', Cleanings='Clean a decoration twice'))

L[11] = dict(
    name='Ferry Terminal', start=(310000, 200, 4),
    places='A2* A3* A4* B2* B3* B4* C2:GuestHouse1* C3 A6 B6 C5 C6',
    goals=[('count', 'GuestHouse', 4, 'GuestHouses'), ('each', ['Cafe', 'Statue', 'Garden'], 1, 'Square'),
           ('workers', 5), ('guests', 110), ('income', 100000)],
    events=[('broken', ['Hostel', 'GuestHouse'], (70, 100), (70, 100)), ('dirty', ['Garden', 'Statue'], (80, 110), (70, 100)),
            ('sale', (40, 70)), ('sale', (110, 150)), ('sale', (200, 250)), ('rain', (60, 90), (90, 120), (480, 500), (20, 30))],
    texts=dict(
        Name='Ferry Terminal',
        Description='Three ferries an hour, and every one of them full. The terminal square needs a cafe, a '
                    'statue and a garden to make a good first impression, and you will need more hands to '
                    'build it all.',
        GuestHouses='Run four guest houses', Square='Have a cafe, a statue and a garden'))

L[12] = dict(
    name='Shipyard', start=(380000, 240, 4),
    places='A1* A2* B1* B2* C1* C2* A4* B4 A5 B5 C5 C6',
    goals=[('count', 'CityMall', 1, 'Mall'), ('level', 'GuestHouse', 3, 1, 'TopHouse'),
           ('count', 'GuestHouse', 4, 'GuestHouses'), ('repairs', 3, 'Repairs'), ('guests', 120), ('income', 120000)],
    events=[('broken', ['Hostel', 'GuestHouse'], (70, 100), (70, 100)), ('dirty', ['Garden', 'Statue'], (90, 120), (80, 110)),
            ('sale', (40, 70)), ('sale', (120, 160)), ('sale', (220, 280)), ('rain', (70, 100), (90, 120), (500, 520), (20, 30))],
    texts=dict(
        Name='Shipyard',
        Description='The shipyard builds its last ferry this year, and the workers have money to spend. Put '
                    'up a city mall at the yard gates and a guest house fit for the launch party.',
        Mall='Open a city mall', TopHouse='Bring a guest house to level 3', GuestHouses='Run four guest houses',
        Repairs='Repair three broken buildings'))

L[13] = dict(
    name='Customs House', start=(450000, 260, 4),
    places='A1* A2* A3* B1* B2* B3* C3:FishingCenter* C1 A5 A6 B5 C5 C6',
    goals=[('restore', 'FishingCenter', 'Fishing'), ('count', 'GuestHouse', 4, 'GuestHouses'),
           ('each', ['Cafe', 'CityMall'], 1, 'Joys'), ('purchases', 1, 'Purchase'), ('guests', 130),
           ('income', 130000)],
    events=[('broken', ['Hostel', 'GuestHouse'], (70, 100), (60, 90)), ('dirty', ['Garden', 'Statue'], (90, 120), (80, 110)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('rain', (60, 90), (90, 120), (520, 540), (20, 30))],
    texts=dict(
        Name='Customs House',
        Description='The customs officers have moved out, and the harbour wants the old quarter full of life '
                    'again. Buy a plot when the city offers one, bring the anglers back and give the '
                    'guests something to do.',
        Fishing='Restore the fishing centre', GuestHouses='Run four guest houses',
        Joys='Have a cafe and a city mall', Purchase='Buy a plot from the city'))

L[14] = dict(
    name='Harbour Lights', start=(560000, 300, 4),
    places='A1* A2* A3* A4* B1* B2* B3* C1* C2 A6 B5 B6 C5 C6',
    goals=[('count', 'REAgency', 1, 'Agency'), ('level', 'GuestHouse', 3, 1, 'TopHouse'),
           ('each', ['Cafe', 'CityMall'], 1, 'Joys'), ('repairs', 3, 'Repairs'), ('guests', 140),
           ('income', 140000), ('money', 60000, 'Money')],
    events=[('broken', ['Hostel', 'GuestHouse'], (70, 100), (60, 90)), ('dirty', ['Garden', 'Statue'], (80, 110), (70, 100)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (260, 320)),
            ('rain', (60, 90), (80, 110), (540, 560), (20, 30))],
    texts=dict(
        Name='Harbour Lights',
        Description='The harbour festival lights up every mast in the bay. An estate agency on the quay '
                    'will trade the plots for you, while the best guest houses fill with festival guests.',
        Agency='Open an estate agency', TopHouse='Bring a guest house to level 3',
        Joys='Have a cafe and a city mall', Repairs='Repair three broken buildings',
        Money='Keep $60,000 in the bank'))

# District 3: Park Hill. Business hotels, the tower, the memorial, the pyramid, the aqua park, PR.
L[15] = dict(
    name='Hillside Gardens', start=(600000, 300, 4),
    places='A1* A2* A3* B1* B2* B3* C1* C2* A5 B5 C5 C6 A6',
    goals=[('count', 'BusinessHotel', 2, 'Business'), ('count', 'GuestHouse', 3, 'GuestHouses'),
           ('each', ['Garden', 'CityMall'], 1, 'Park'), ('repairs', 3, 'Repairs'), ('guests', 200),
           ('income', 200000)],
    events=[('broken', HOTELS_D3, (70, 100), (60, 90)), ('dirty', ['Garden', 'Statue'], (80, 110), (70, 100)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('rain', (60, 90), (80, 110), (620, 640), (20, 30))],
    texts=dict(
        Name='Hillside Gardens',
        Description='Welcome to Park Hill! The city holds its conferences in the gardens on the hillside, '
                    'and the delegates expect business hotels with a view over the park.',
        Business='Open two business hotels', GuestHouses='Run three guest houses',
        Park='Have a garden and a city mall', Repairs='Repair three broken buildings'))

L[16] = dict(
    name='Tower Walk', start=(630000, 320, 4),
    places='A2* A3* A4* B2* B3* B4* C2* C4:ObservationTower* A6 B6 C6 A1 B1',
    goals=[('restore', 'ObservationTower', 'Tower'), ('count', 'BusinessHotel', 3, 'Business'),
           ('level', 'BusinessHotel', 2, 1, 'BigBusiness'), ('repairs', 3, 'Repairs'), ('guests', 220),
           ('income', 230000)],
    events=[('broken', HOTELS_D3, (70, 100), (60, 90)), ('dirty', ['Garden', 'Statue'], (70, 100), (70, 100)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('rain', (60, 90), (80, 110), (580, 600), (20, 30))],
    texts=dict(
        Name='Tower Walk',
        Description='From the old observation tower you can see all four districts at once. Open it to '
                    'visitors again and build the hotels that the view deserves.',
        Tower='Restore the observation tower', Business='Run three business hotels',
        BigBusiness='Upgrade a business hotel to level 2', Repairs='Repair three broken buildings'))

L[17] = dict(
    name='Rose Terrace', start=(720000, 340, 5),
    places='A1* A2* A3* B1* B2* B3* C1* C2* C3 A5 B5 C5 C6',
    goals=[('count', 'Memorial', 1, 'Memorial'), ('count', 'BusinessHotel', 3, 'Business'),
           ('each', ['Statue', 'Garden', 'Memorial'], 1, 'Decorations'), ('cleanings', 3, 'Cleanings'),
           ('guests', 240), ('income', 260000)],
    events=[('broken', HOTELS_D3, (70, 100), (60, 90)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (60, 90)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('rain', (60, 90), (80, 110), (600, 620), (20, 30))],
    texts=dict(
        Name='Rose Terrace',
        Description='The rose terraces bloom in June, and the city wants a memorial to the gardeners who '
                    'planted them. Decorate the terrace and watch every hotel around it earn more.',
        Memorial='Build a memorial', Business='Run three business hotels',
        Decorations='Have a statue, a garden and a memorial', Cleanings='Clean a decoration three times'))

L[18] = dict(
    name='Pyramid Park', start=(750000, 360, 5),
    places='A1* A2* B1* B2* B3* C1* C2* A4:Pyramid* A5 A6 B5 C5 C6',
    goals=[('restore', 'Pyramid', 'Pyramid'), ('count', 'BusinessHotel', 3, 'Business'),
           ('level', 'BusinessHotel', 3, 1, 'TopBusiness'), ('repairs', 4, 'Repairs'), ('guests', 260),
           ('income', 300000)],
    events=[('broken', HOTELS_D3, (60, 90), (60, 90)), ('dirty', ['Garden', 'Statue', 'Memorial'], (70, 100), (70, 100)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('rain', (60, 90), (80, 110), (620, 640), (20, 30))],
    pyramid=['A1', 'A2', 'B1', 'B2', 'A5', 'A6'],
    texts=dict(
        Name='Pyramid Park',
        Description='Nobody remembers who built the glass pyramid in the park, but everybody wants to hold '
                    'a conference in it. Restore it, and the hotels at its feet will share the fame.',
        Pyramid='Restore the glass pyramid', Business='Run three business hotels',
        TopBusiness='Bring a business hotel to level 3', Repairs='Repair four broken buildings'))

L[19] = dict(
    name='Lakeside Baths', start=(900000, 400, 5),
    places='A1* A2* A3* B1* B2* B3* C1* C2* C3 A5 B5 B6 C5 C6',
    goals=[('count', 'AquaPark', 1, 'AquaPark'), ('count', 'BusinessHotel', 4, 'Business'),
           ('each', ['Cafe', 'CityMall', 'AquaPark'], 1, 'Joys'), ('repairs', 3, 'Repairs'), ('guests', 300),
           ('income', 360000)],
    events=[('broken', HOTELS_D3, (60, 90), (60, 90)), ('dirty', ['Garden', 'Statue', 'Memorial'], (70, 100), (70, 100)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('rain', (50, 80), (70, 100), (640, 660), (20, 30))],
    texts=dict(
        Name='Lakeside Baths',
        Description='The lake is warm enough for swimming from May, and the city has plans for an aqua park '
                    'on its shore. Slides, pools and a wave machine: the guests will come from all over '
                    'the country.',
        AquaPark='Open the aqua park', Business='Run four business hotels',
        Joys='Have a cafe, a city mall and an aqua park', Repairs='Repair three broken buildings'))

L[20] = dict(
    name='Bandstand Green', start=(920000, 420, 5),
    places='A2* A3* A4* B2* B3* B4* C2* C3* C4:ObservationTower* A1 A6 B6 C6 C1',
    goals=[('restore', 'ObservationTower', 'Tower'), ('level', 'BusinessHotel', 3, 2, 'TopBusiness'),
           ('features', [('CityMall', 0), ('Garden', 0)], 'Concert'), ('cleanings', 3, 'Cleanings'),
           ('guests', 320), ('income', 400000)],
    events=[('broken', HOTELS_D3, (60, 90), (60, 90)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (60, 90)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('rain', (50, 80), (70, 100), (660, 680), (20, 30))],
    texts=dict(
        Name='Bandstand Green',
        Description='Brass bands play on the green every Sunday. Time a sale week at the mall with a '
                    'flower show in the garden, and the whole hill will come to the concert.',
        Tower='Restore the observation tower', TopBusiness='Bring two business hotels to level 3',
        Concert='Run a sale week and a flower show at the same time', Cleanings='Clean a decoration three times'))

L[21] = dict(
    name='Summit Avenue', start=(1300000, 450, 6),
    places='A1* A2* A3* A4* B1* B2* B3* C1* C2* A6 B5 B6 C5 C6',
    goals=[('count', 'PRAgency', 1, 'Agency'), ('count', 'BusinessHotel', 4, 'Business'),
           ('each', ['CityMall', 'AquaPark', 'Memorial'], 1, 'Sights'), ('repairs', 4, 'Repairs'),
           ('guests', 280), ('income', 420000), ('money', 100000, 'Money')],
    events=[('broken', HOTELS_D3, (60, 90), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (60, 90)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)),
            ('letters', (90, 120), (60, 90), (5000, 15000)), ('rain', (50, 80), (70, 100), (680, 700), (20, 30))],
    texts=dict(
        Name='Summit Avenue',
        Description='The finest street of Park Hill runs up to the summit. A PR agency will put it in every '
                    'travel guide, and grateful guests will send you letters with more than thanks in them.',
        Agency='Open a PR agency', Business='Run four business hotels',
        Sights='Have a city mall, an aqua park and a memorial', Repairs='Repair four broken buildings',
        Money='Keep $100,000 in the bank'))

# District 4: New Quarter, in winter. Five- and six-star hotels, the station and the headquarters.
L[22] = dict(
    name='Frosty Boulevard', start=(1350000, 500, 6),
    places='A1* A2* A3* B1* B2* B3* C1* C2* C3 A5 A6 B5 C5 C6',
    goals=[('count', 'HotelN5', 2, 'FiveStar'), ('count', 'BusinessHotel', 3, 'Business'),
           ('each', ['CityMall', 'Memorial'], 1, 'Sights'), ('repairs', 4, 'Repairs'), ('guests', 360),
           ('income', 480000)],
    events=[('broken', HOTELS_D4, (60, 90), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (60, 90)),
            ('sale', (30, 60)), ('sale', (100, 140)), ('sale', (180, 230)), ('sale', (280, 340)), ('sale', (380, 440)),
            ('letters', (90, 120), (60, 90), (8000, 20000)), ('rain', (40, 70), (60, 90), (760, 780), (25, 35))],
    texts=dict(
        Name='Frosty Boulevard',
        Description='Welcome to the New Quarter! Snow lies on the glass and steel of the boulevard, and the '
                    'first five-star hotels of the city are waiting for their builder.',
        FiveStar='Open two five-star hotels', Business='Run three business hotels',
        Sights='Have a city mall and a memorial', Repairs='Repair four broken buildings'))

L[23] = dict(
    name='North Station', start=(1400000, 520, 6),
    places='A2* A3* A4* B2* B3* B4* C2* C3* C5:Station* A1 A6 B6 C6 B1',
    goals=[('restore', 'Station', 'Station'), ('count', 'HotelN5', 3, 'FiveStar'),
           ('level', 'HotelN5', 2, 1, 'BigFiveStar'), ('purchases', 1, 'Purchase'), ('repairs', 4, 'Repairs'),
           ('guests', 400), ('income', 560000)],
    events=[('broken', HOTELS_D4, (60, 90), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (60, 90)),
            ('sale', (30, 60)), ('sale', (90, 130)), ('sale', (170, 220)), ('sale', (260, 320)),
            ('letters', (90, 120), (60, 90), (8000, 20000)), ('rain', (40, 70), (60, 90), (720, 740), (25, 35))],
    station=['HotelN51', 'HotelN52', 'HotelN53', 'HotelN54', 'BusinessHotel1', 'BusinessHotel2', 'BusinessHotel3',
             'BusinessHotel4'],
    texts=dict(
        Name='North Station',
        Description='The night trains from the mountains arrive at North Station full of skiers. Restore the '
                    'old station hall, and every big hotel of the quarter gets its share of the holiday trains.',
        Station='Restore the station', FiveStar='Run three five-star hotels',
        BigFiveStar='Upgrade a five-star hotel to level 2', Purchase='Buy a plot from the city',
        Repairs='Repair four broken buildings'))

L[24] = dict(
    name='Ice Rink Square', start=(1450000, 560, 6),
    places='A1* A2* A3* B1* B2* B3* C1* C2* C3* A5 A6 B5 B6 C5 C6',
    goals=[('count', 'HotelN5', 4, 'FiveStar'), ('each', ['AquaPark', 'CityMall', 'Garden'], 1, 'Winter'),
           ('features', [('AquaPark', 0), ('CityMall', 0)], 'Gala'), ('cleanings', 3, 'Cleanings'),
           ('repairs', 4, 'Repairs'), ('guests', 440), ('income', 640000)],
    events=[('broken', HOTELS_D4, (60, 90), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (50, 80)),
            ('sale', (30, 60)), ('sale', (90, 130)), ('sale', (170, 220)), ('sale', (260, 320)),
            ('letters', (90, 120), (60, 90), (8000, 20000)), ('rain', (40, 70), (60, 90), (740, 760), (25, 35))],
    texts=dict(
        Name='Ice Rink Square',
        Description='The square freezes over in December and becomes the biggest ice rink in the country. '
                    'Put on a water show and a sale week at once, and the skaters will stay for the night.',
        FiveStar='Run four five-star hotels', Winter='Have an aqua park, a city mall and a garden',
        Gala='Run a water show and a sale week at the same time', Cleanings='Clean a decoration three times',
        Repairs='Repair four broken buildings'))

L[25] = dict(
    name='Skyline Plaza', start=(1900000, 640, 7),
    places='A2* A3* A4* B2* B3* B4* C2* C3* C4* A1 A6 B1 B6 C1 C6',
    goals=[('count', 'HotelN6', 2, 'SixStar'), ('count', 'HotelN5', 3, 'FiveStar'),
           ('each', ['PRAgency', 'REAgency', 'TruckStation'], 1, 'Business'), ('repairs', 4, 'Repairs'),
           ('workers', 8), ('guests', 480), ('income', 720000)],
    events=[('broken', HOTELS_D4, (60, 90), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (50, 80)),
            ('sale', (30, 60)), ('sale', (90, 130)), ('sale', (170, 220)), ('sale', (260, 320)),
            ('letters', (80, 110), (50, 80), (10000, 25000)), ('rain', (40, 70), (60, 90), (760, 780), (25, 35))],
    texts=dict(
        Name='Skyline Plaza',
        Description='The plaza is the highest point of the New Quarter, and its skyline is still missing its '
                    'crown. Build the first six-star hotels of the city, and run the business side as well.',
        SixStar='Open two six-star hotels', FiveStar='Run three five-star hotels',
        Business='Have a PR agency, an estate agency and a truck station', Repairs='Repair four broken buildings'))

L[26] = dict(
    name='Glass Tower', start=(1950000, 680, 7),
    places='A1* A2* A3* B1* B2* B3* C1* C2* C4:HQ* A5 A6 B5 B6 C5 C6',
    goals=[('restore', 'HQ', 'HQ'), ('count', 'HotelN6', 3, 'SixStar'), ('level', 'HotelN5', 3, 1, 'TopFiveStar'),
           ('each', ['AquaPark', 'Memorial'], 1, 'Sights'), ('repairs', 5, 'Repairs'), ('guests', 520),
           ('income', 820000)],
    events=[('broken', HOTELS_D4, (50, 80), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (60, 90), (50, 80)),
            ('sale', (30, 60)), ('sale', (90, 130)), ('sale', (170, 220)), ('sale', (260, 320)),
            ('letters', (80, 110), (50, 80), (10000, 25000)), ('rain', (40, 70), (60, 90), (780, 800), (25, 35))],
    texts=dict(
        Name='Glass Tower',
        Description='Your company has outgrown its little office. The empty glass tower on the corner would '
                    'make a fine headquarters, and its training rooms will turn out workers faster.',
        HQ='Restore the glass tower as your headquarters', SixStar='Run three six-star hotels',
        TopFiveStar='Bring a five-star hotel to level 3', Sights='Have an aqua park and a memorial',
        Repairs='Repair five broken buildings'))

L[27] = dict(
    name='Snowfall Park', start=(2000000, 720, 8),
    places='A1* A2* A3* A4* B1* B2* B3* C1* C2* C3* A6 B5 B6 C5 C6',
    goals=[('count', 'HotelN6', 4, 'SixStar'), ('each', ['Statue', 'Garden', 'Memorial'], 1, 'Decorations'),
           ('features', [('Garden', 0), ('Memorial', 0), ('Statue', 0)], 'Lights'), ('cleanings', 4, 'Cleanings'),
           ('repairs', 5, 'Repairs'), ('guests', 560), ('income', 920000)],
    events=[('broken', HOTELS_D4, (50, 80), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (50, 80), (50, 70)),
            ('sale', (30, 60)), ('sale', (90, 130)), ('sale', (170, 220)), ('sale', (260, 320)),
            ('letters', (80, 110), (50, 80), (10000, 25000)), ('rain', (40, 70), (60, 90), (800, 820), (25, 35))],
    texts=dict(
        Name='Snowfall Park',
        Description='Snow falls softly on the park, and the city wants it to shine for the winter festival. '
                    'Light the statue, open the flower show and hold the anniversary, all on the same night.',
        SixStar='Run four six-star hotels', Decorations='Have a statue, a garden and a memorial',
        Lights='Hold a light show, flower show and anniversary at once', Cleanings='Clean a decoration four times',
        Repairs='Repair five broken buildings'))

L[28] = dict(
    name='Grand Opening', start=(2300000, 800, 8),
    places='A1* A2* A3* A4* B1* B2* B3* B4* C1* C2* C5:Pyramid* A6 B6 C3 C6',
    goals=[('restore', 'Pyramid', 'Pyramid'), ('level', 'HotelN6', 3, 2, 'TopSixStar'),
           ('count', 'HotelN5', 3, 'FiveStar'), ('each', ['AquaPark', 'CityMall', 'PRAgency'], 1, 'City'),
           ('repairs', 5, 'Repairs'), ('guests', 640), ('income', 1100000), ('money', 800000, 'Money')],
    events=[('broken', HOTELS_D4, (50, 80), (50, 80)), ('dirty', ['Garden', 'Statue', 'Memorial'], (50, 80), (50, 70)),
            ('sale', (30, 60)), ('sale', (90, 130)), ('sale', (170, 220)), ('sale', (260, 320)),
            ('letters', (70, 100), (50, 80), (15000, 30000)), ('rain', (40, 70), (60, 90), (820, 840), (25, 35))],
    pyramid=['A1', 'A2', 'A3', 'B1', 'B2', 'C1', 'C2'],
    texts=dict(
        Name='Grand Opening',
        Description='The last empty corner of the city is yours. Restore the pyramid, crown the quarter '
                    'with the finest six-star hotels and open them on New Year\'s Eve: the whole city is '
                    'invited.',
        Pyramid='Restore the pyramid', TopSixStar='Bring two six-star hotels to level 3',
        FiveStar='Run three five-star hotels', City='Have an aqua park, a city mall and a PR agency',
        Repairs='Repair five broken buildings', Money='Keep $800,000 in the bank'))


def district_of(level):
    return (level - 1) // 7 + 1


def lines_for(level):
    return [name for since, name in LINES_FROM if since <= level]

# Tips (hints the player may switch off) shown in the level where something is met first: the make script
# finds those levels from the districts, LINES_FROM, the goals and the events, and writes each level's
# Tutorial.xml. Keys are dictionary keys after "Tip_".
TIPS = {
    'District1': 'Welcome to Old Town! Campers and hikers love its lanes. Build on your lots, and watch for '
                 'lots the city puts up for sale.',
    'District2': 'The Harbour! Families come by ferry and want cosy guest houses. Old buildings here wait to '
                 'be restored.',
    'District3': 'Park Hill is the smart side of town. Business travellers pay well, and they like a view.',
    'District4': 'Winter in the New Quarter! Its guests expect the finest: five-star hotels, then six-star '
                 'towers.',
    'Line_Hostel1': 'New: hostels! They hold more guests than campsites, and their guests love a cafe nearby.',
    'Line_Statue': 'New: the statue! Buildings around it earn more. Keep it clean: a dirty statue does harm.',
    'Line_TruckStation': 'New: the truck station! While it works, materials cost less and arrive faster.',
    'Line_GuestHouse1': 'New: guest houses! Each new floor brings more guests who stay longer.',
    'Line_Garden': 'New: the garden! Buildings around it earn ten percent more.',
    'Line_CityMall': 'New: the city mall! It earns from every guest in its wide area.',
    'Line_REAgency': 'New: the estate agency! Lots cost you less, and buildings you sell bring more.',
    'Line_BusinessHotel1': 'New: business hotels! Build them near the mall and the sights for the best return.',
    'Line_Memorial': 'New: the memorial! Buildings around it earn fifteen percent more.',
    'Line_AquaPark': 'New: the aqua park! While it is open, every other building in town earns more.',
    'Line_PRAgency': 'New: the PR agency! Every building earns more, and happy guests start sending letters.',
    'Line_HotelN51': 'New: five-star hotels! Expensive to raise, but their guests spend all over the district.',
    'Line_HotelN61': 'New: six-star towers, the crown of the city! Every level brings many more guests.',
    'Repairs': 'A broken hotel earns nothing. Click it and press Repair: a worker fixes it with a few materials.',
    'Sale': 'Now and then the city puts a plot up for sale. Buy it, and you have room for one more building.',
    'Cleanings': 'A decoration got dirty, and a dirty one does more harm than good. Click it and have it cleaned.',
    'Restore': 'This old building stands run down. Click it and restore it: then it earns every day.',
    'Purchases': 'This town asks you to buy a plot from the city: watch for one that is put up for sale.',
    'Features': 'Here the goal wants features running at the same time. Start them close together!',
    'Letters': 'A money letter! Thankful guests send you money while your PR agency works.',
}

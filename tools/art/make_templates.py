#!/usr/bin/env python3
"""Writes assets/levels/common/TemplateCollection.qscn: the look of every building record, its icons,
rings, the building site, the vehicles and the clouds (committed; run again after changing this file).

    tools/art/make_templates.py [repository root]
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import buildings as B  # noqa: E402
from make_level_art import HEADINGS, HELICOPTER_HEADINGS  # noqa: E402

FONT = '../../scenes/fonts/arial_14_crisp.qfnt'
BOLD = '../../scenes/fonts/arial_18.qfnt'
MAX_LEVEL = {'Camping': 3, 'Hostel': 3, 'GuestHouse': 4, 'BusinessHotel': 4, 'HotelN5': 4, 'HotelN6': 4}
WHITE = 'ffffffff'


class Xml:
    def __init__(self):
        self.lines = []
        self.depth = 0

    def line(self, text):
        self.lines.append('\t' * self.depth + text)

    def open(self, text):
        self.line(text)
        self.depth += 1

    def close(self, text):
        self.depth -= 1
        self.line(text)


def prop(kind, name, value):
    return '<%s Name="%s" Value="%s"/>' % (kind, name, value)


def vec(x, y, z=0):
    return '%s;%s;%s' % (x, y, z)


class Node:
    """One scene node of a template: its type, properties, states and children."""

    def __init__(self, kind, name, **props):
        self.kind = kind
        self.props = [prop('string', 'Name', name)]
        self.states = []
        self.children = []
        self.comment = props.pop('comment', None)
        order = ('Position', 'Bounds', 'Scale', 'Visible', 'CanBeHit', 'TintColor', 'PivotPoint', 'Rotation')
        for key in order:
            if key in props:
                self.set(key, props.pop(key))
        for key, value in props.items():
            self.set(key, value)

    def set(self, key, value):
        kinds = {'Position': 'vector3d', 'Bounds': 'vector3d', 'Rotation': 'vector3d', 'Scale': 'vector3d',
                 'Visible': 'bool', 'CanBeHit': 'bool', 'TintColor': 'color', 'PivotPoint': 'vector2d',
                 'AtlasTexture': 'atlasTexture', 'Font': 'font', 'FontSize': 'float', 'TextHAlign': 'int',
                 'TextVAlign': 'int', 'Text': 'stringw', 'FillColor': 'color', 'BorderColor': 'color',
                 'KnobType': 'int', 'TemplateName': 'string', 'ImageStretchX': 'int', 'ImageStretchY': 'int',
                 'Angle1': 'int', 'Angle2': 'int', 'MaxVerticesCount': 'int', 'BlendType': 'int'}
        if isinstance(value, bool):
            value = 'true' if value else 'false'
        self.props.append(prop(kinds[key], key, value))

    def add(self, child):
        self.children.append(child)
        return child

    def state(self, name, start=None, animators=(), next_state=None, end=None):
        self.states.append((name, start or [], list(animators), next_state, end or []))

    def write(self, out):
        if self.comment:
            out.line('<!-- %s -->' % self.comment)
        out.open('<SceneNode Type="%s">' % self.kind)
        out.open('<Properties>')
        for p in self.props:
            out.line(p)
        out.close('</Properties>')
        if self.states:
            out.open('<States>')
            for name, start, animators, next_state, end in self.states:
                if not start and not animators and not end:
                    out.line('<State Name="%s"/>' % name)
                    continue
                out.open('<State Name="%s"%s>' % (name, ' NextState="%s"' % next_state if next_state else ''))
                if start:
                    out.open('<StartAnimator Type="SetProps">')
                    for p in start:
                        out.line(p)
                    out.close('</StartAnimator>')
                for animator in animators:
                    animator.write(out)
                if end:
                    out.open('<EndAnimator Type="SetProps">')
                    for p in end:
                        out.line(p)
                    out.close('</EndAnimator>')
                out.close('</State>')
            out.close('</States>')
        for child in self.children:
            child.write(out)
        out.close('</SceneNode>')


class Keys:
    """A key-frame animator over one property; times are the durations from the previous key."""

    def __init__(self, kind, name, keys, animator_name='', loop_to=None):
        self.kind, self.name, self.keys = kind, name, keys
        self.animator_name = animator_name
        self.loop_to = loop_to

    def write(self, out):
        named = ' Name="%s"' % self.animator_name if self.animator_name else ''
        out.open('<Animator Type="KeyFrame"%s>' % named)
        out.line('<Properties>%s</Properties>' % prop(self.kind, self.name, self.keys[0][1]))
        for i, (t, value) in enumerate(self.keys):
            loop = ' g="%d"' % self.loop_to if self.loop_to is not None and i == len(self.keys) - 1 else ''
            out.line('<KeyFrame t="%d" Value0="%s"%s/>' % (t, value, loop))
        out.close('</Animator>')


def tint(colour):
    return prop('color', 'TintColor', colour)


def visible(flag):
    return prop('bool', 'Visible', 'true' if flag else 'false')


def picture(name):
    return prop('atlasTexture', 'AtlasTexture', name)


def sprite(name, image, x, y, w, h, **props):
    props.setdefault('CanBeHit', False)
    return Node('SpriteNode', name, AtlasTexture=image, Position=vec(x, y), Bounds=vec(w, h), **props)


# Building looks --------------------------------------------------------------------------------------

NOT_OWNED = 'ffd0d4dc'


def building_sprite(record, kind):
    picture_name = 'Buildings/%s.png' % record
    snow = 'Buildings/%sSnow.png' % record
    node = sprite('Building', picture_name, -8, -164, 160, 240, CanBeHit=True)
    for index in (1, 2, 3):
        node.state('Setting%d' % index, [picture(picture_name)])
        node.state('DestroySetting%d' % index, [picture(picture_name)])
        node.state('DoneSetting%d' % index, [picture(picture_name)])
    node.state('Setting4', [picture(snow)])
    node.state('DestroySetting4', [picture(snow)])
    node.state('DoneSetting4', [picture(snow)])
    # The tint tells ownership; hover, focus and clicks show on the selection frame, so a feature's glow or
    # a restoration running on the pictures goes on undisturbed.
    node.state('Owned', [tint(WHITE)])
    node.state('NotOwned', [tint(NOT_OWNED)])
    # A working feature makes the building glow gently until it stops.
    for feature in (1, 2):
        node.state('Feature%d' % feature, animators=[
            Keys('color', 'TintColor', [(0, WHITE), (500, 'fffff4b0'), (500, WHITE)], loop_to=0)])
        node.state('Feature%dStop' % feature, [tint(WHITE)])
    # Demolition: the building sinks into dust (the empty place's look takes over when it is done).
    node.state('Destroy', animators=[Keys('color', 'TintColor', [(0, WHITE), (600, '00ffffff')])])
    return node


def run_down_sprite(record):
    """Service buildings stand run down; restoring fades the run-down look off the restored one."""
    node = sprite('RunDown', 'Buildings/%sRunDown.png' % record, -8, -164, 160, 240)
    node.state('Restoring', animators=[Keys('color', 'TintColor', [(0, WHITE), (10000, '00ffffff')])])
    node.state('CancelRestoring', [tint(WHITE)])
    return node


def selector():
    node = sprite('Selector', 'Icons/Selector.png', -4, -4, 152, 80, Visible=False)
    node.state('Focus', [visible(True), tint(WHITE)])
    node.state('KillFocus', [visible(False)])
    node.state('FocusHover', [visible(True), tint(WHITE)])
    node.state('FocusKillHover', [visible(True), tint(WHITE)])
    node.state('NormalHover', [visible(True), tint('90ffffff')])
    node.state('NormalKillHover', [visible(False)])
    # A click flashes the frame; the focus that follows keeps it shown.
    node.state('Press', [visible(True)], [Keys('color', 'TintColor', [(0, 'ffffffff'), (90, '60ffffff'),
                                                                      (110, WHITE)])])
    return node


def star_icons(stars):
    width = stars * 18
    node = Node('BaseNode', 'StarIcons', Position=vec(72 - width // 2, 66), Bounds=vec(width, 18), CanBeHit=False)
    for i in range(stars):
        node.add(sprite('Star%d' % (i + 1), 'Stars/EmptyStar.png', i * 18, 0, 18, 18))
    return node


def workers_text():
    # Beside the building site's bar, clear of the bar over a building, and in front of the site's pictures.
    return Node('TextNode', 'WorkersText', Position=vec(128, 73, 2), Bounds=vec(48, 20), Visible=False, CanBeHit=False,
                Font=BOLD, FontSize=18, TextHAlign=0, TextVAlign=2, TintColor=WHITE, Text='x1')


def coins():
    """Money rising from a building on pay day ("MoneyBurst" on the building's children)."""
    node = sprite('Coins', 'Icons/MoneyBurst.png', 48, -40, 48, 48, Visible=False)
    node.state('MoneyBurst', [visible(True)],
               [Keys('vector3d', 'Position', [(0, vec(48, -30)), (900, vec(48, -90))]),
                Keys('color', 'TintColor', [(0, '00ffffff'), (150, WHITE), (500, WHITE), (250, '00ffffff')])],
               end=[visible(False)])
    return node


def building_template(record, kind):
    root = Node('BaseNode', record, Bounds=vec(144, 72))
    root.add(selector())
    root.add(building_sprite(record, kind))
    if kind == 'service':
        root.add(run_down_sprite(record))
    root.add(coins())
    line = record.rstrip('1234') if kind == 'hotel' else None
    if line in MAX_LEVEL:
        root.add(star_icons(MAX_LEVEL[line] - 1))
    root.add(workers_text())
    return root


def place_template():
    root = Node('BaseNode', 'BuildingPlace', Bounds=vec(144, 72),
                comment='The empty place; demolition shows it with the dust of the building that stood there.')
    root.add(selector())
    node = sprite('Building', 'Buildings/BuildingPlace.png', -8, -164, 160, 240, CanBeHit=True)
    for index in (1, 2, 3):
        for prefix in ('Setting', 'DoneSetting', 'DestroySetting'):
            node.state('%s%d' % (prefix, index), [picture('Buildings/BuildingPlace.png')])
    for prefix in ('Setting', 'DoneSetting', 'DestroySetting'):
        node.state('%s4' % prefix, [picture('Buildings/BuildingPlaceSnow.png')])
    root.add(node)
    dust = sprite('Dust', 'Construction/Dust.png', -8, -50, 160, 110, Visible=False)
    dust.state('Destroy', [visible(True)], [Keys('color', 'TintColor', [(0, WHITE), (1500, 'c0ffffff')])])
    for index in (1, 2, 3, 4):
        dust.state('DoneSetting%d' % index, [visible(False)])
    dust.state('Done', [visible(False)])
    root.add(dust)
    root.add(workers_text())
    return root


# Icons and rings -------------------------------------------------------------------------------------

def ring(name, x, y, visible_at_start=True):
    """A countdown ring: background, the coloured sector, the hand; "Alert" shakes it."""
    node = Node('BaseNode', name, Position=vec(x, y), Bounds=vec(36, 36), Visible=visible_at_start, CanBeHit=False)
    node.add(sprite('Bg', 'Icons/RingBg.png', 0, 0, 36, 36))
    node.add(Node('GEllipseSectorNode', 'Sector', Position=vec(3, 3), Bounds=vec(30, 30), CanBeHit=False,
                  FillColor='ff00ff00', Angle1=0, Angle2=0, MaxVerticesCount=48))
    node.add(sprite('Hand', 'Icons/RingHand.png', 18, 18, 6, 18, PivotPoint='3;16'))
    node.add(sprite('Face', 'Icons/RingFace.png', 0, 0, 36, 36))
    node.state('Normal', [prop('vector3d', 'Scale', vec(1, 1, 1))])
    node.state('Alert', animators=[Keys('vector3d', 'Scale', [(0, vec(1, 1, 1)), (150, vec(1.2, 1.2, 1)),
                                                               (150, vec(1, 1, 1))])])
    return node


def bobbing(name, image, comment):
    node = Node('BaseNode', name, Position=vec(52, -60), Bounds=vec(40, 48), CanBeHit=False, comment=comment)
    badge = node.add(sprite('Badge', image, 0, 0, 40, 48))
    badge.state('Active', animators=[Keys('vector3d', 'Position', [(0, vec(0, 0)), (450, vec(0, -6)),
                                                                    (450, vec(0, 0))], loop_to=0)])
    node.state('Active', [visible(True)])
    return node


def feature_icon(index, x):
    node = Node('SpriteNode', 'Feature%dIcon' % index, Position=vec(x, 22), Bounds=vec(28, 34), CanBeHit=False,
                AtlasTexture='Icons/Feature%d.png' % index,
                comment='State of feature %d: ready (bright), active (pulsing), recharging (shaded, the fill shows '
                        'the time left)' % index)
    # The building sizes the cover to the share of the 20-pixel gauge still to recharge; the rim shows over it.
    node.add(sprite('Cover', 'Icons/FeatureFill.png', 4, 3, 20, 0, ImageStretchX=1, ImageStretchY=1))
    node.add(sprite('Gauge', 'Icons/FeatureGauge.png', 4, 3, 20, 20, Visible=False))
    node.state('Ready', [tint(WHITE), prop('vector3d', 'Scale', vec(1, 1, 1))])
    node.state('Active', [tint(WHITE)], [Keys('vector3d', 'Scale', [(0, vec(1, 1, 1)), (400, vec(1.15, 1.15, 1)),
                                                                    (400, vec(1, 1, 1))], loop_to=0)])
    node.state('Recharging', [tint('ffa0a0a0'), prop('vector3d', 'Scale', vec(1, 1, 1))])
    return node


def icon_templates():
    out = [bobbing('RepairIcon', 'Icons/Repair.png', 'Condition icons: broken (also a repair request) and dirty.'),
           bobbing('DirtyIcon', 'Icons/Dirty.png', None)]
    phone = Node('BaseNode', 'PhoneIcon', Position=vec(40, -70), Bounds=vec(76, 48), CanBeHit=False,
                 comment='A buyer calls: the badge rings, the ring counts down the time the buyer waits.')
    badge = phone.add(sprite('Badge', 'Icons/Phone.png', 0, 0, 40, 48))
    badge.state('Active', animators=[Keys('vector3d', 'Rotation', [(0, vec(0, 0, 0)), (80, vec(0, 0, 12)),
                                                                    (80, vec(0, 0, -12)), (80, vec(0, 0, 0)),
                                                                    (700, vec(0, 0, 0))], loop_to=0)])
    phone.add(ring('Progress', 40, 6))
    phone.state('Active', [visible(True)])
    out.append(phone)
    sale = Node('BaseNode', 'ForSaleNode', Position=vec(24, -30), Bounds=vec(96, 64), CanBeHit=False,
                comment='The for-sale sign with its price; the ring counts down the days the offer stands.')
    sale.add(sprite('Sign', 'Icons/ForSale.png', 0, 0, 96, 64))
    sale.add(Node('TextNode', 'PriceText', Position=vec(8, 8), Bounds=vec(80, 24), CanBeHit=False, Font=BOLD,
                  FontSize=18, TextHAlign=2, TextVAlign=2, TintColor='ff1c2838', Text='$10,000'))
    sale.add(sprite('Bg', 'Icons/RingBg.png', 80, -12, 36, 36, Visible=False))
    sale.add(ring('Progress', 80, -12, False))
    out.append(sale)
    area = Node('GRectangleNode', 'ServeArea', Bounds=vec(400, 300), Visible=False, CanBeHit=False,
                FillColor='3040a0ff', BorderColor='c040a0ff',
                comment='Serve area of the selected building: blue for decorations, green for joys.')
    area.state('Blue', [prop('color', 'FillColor', '3040a0ff'), prop('color', 'BorderColor', 'c040a0ff')])
    area.state('Green', [prop('color', 'FillColor', '3040d040'), prop('color', 'BorderColor', 'c040d040')])
    out.append(area)
    out.append(feature_icon(1, 100))
    out.append(feature_icon(2, 128))
    smile = Node('TextNode', 'SmileIcon', Position=vec(112, 40), Bounds=vec(56, 24), CanBeHit=False, Font=BOLD,
                 FontSize=18, TextHAlign=0, TextVAlign=2, TintColor=WHITE, Text='+10%',
                 comment='Luck of the place: a face and the income bonus beside it.')
    smile.add(sprite('Face', 'Smiles/Blue.png', -26, 0, 24, 24))
    out.append(smile)
    burst = Node('SpriteNode', 'MoneyBurst', Position=vec(40, -40), Bounds=vec(64, 64), Visible=False,
                 CanBeHit=False, AtlasTexture='Icons/MoneyBurst.png', PivotPoint='32;32',
                 comment='Coins bursting from a building that pays out.')
    burst.state('MoneyBurst', [visible(True)], [
        Keys('vector3d', 'Scale', [(0, vec(0.3, 0.3, 1)), (250, vec(1.2, 1.2, 1)), (150, vec(1, 1, 1))]),
        Keys('color', 'TintColor', [(0, WHITE), (700, WHITE), (300, '00ffffff')])])
    out.append(burst)
    letter = Node('BaseNode', 'MoneyLetter', Position=vec(40, -64), Bounds=vec(64, 56), CanBeHit=False,
                  comment='A letter with money: it pops up over a hotel, waits with its ring, and flies off when '
                          'collected ("DisappearHit") or when its time is up ("Disappear").')
    envelope = letter.add(sprite('Letter', 'Icons/Letter.png', 8, 0, 48, 36, PivotPoint='24;18'))
    plate = letter.add(sprite('Plate', 'Icons/Plate.png', 2, 36, 60, 20))
    plate.state('Appear', animators=[Keys('color', 'TintColor', [(0, '00ffffff'), (300, WHITE)])])
    plate.state('Disappear', animators=[Keys('color', 'TintColor', [(0, WHITE), (500, '00ffffff')])])
    plate.state('DisappearHit', animators=[Keys('color', 'TintColor', [(0, WHITE), (350, '00ffffff')])])
    text = letter.add(Node('TextNode', 'Text', Position=vec(0, 36), Bounds=vec(64, 18), CanBeHit=False, Font=BOLD,
                           FontSize=18, TextHAlign=2, TextVAlign=2, TintColor='ff1e6e1e', Text='$1,000'))
    letter.add(ring('Progress', 50, -10))
    letter.children[-1].set('Scale', vec(0.6, 0.6, 1))
    fade_in = Keys('color', 'TintColor', [(0, '00ffffff'), (300, WHITE)])
    envelope.state('Appear', animators=[fade_in, Keys('vector3d', 'Scale', [(0, vec(0.2, 0.2, 1)),
                                                                            (300, vec(1, 1, 1))])])
    envelope.state('Disappear', animators=[Keys('color', 'TintColor', [(0, WHITE), (500, '00ffffff')])])
    envelope.state('DisappearHit', animators=[Keys('vector3d', 'Scale', [(0, vec(1, 1, 1)), (350, vec(1.8, 1.8, 1))]),
                                              Keys('color', 'TintColor', [(0, WHITE), (350, '00ffffff')])])
    ink = 'ff1e6e1e'
    text.state('Appear', animators=[Keys('color', 'TintColor', [(0, '001e6e1e'), (300, ink)])])
    text.state('Disappear', animators=[Keys('color', 'TintColor', [(0, ink), (500, '001e6e1e')])])
    text.state('DisappearHit', animators=[Keys('color', 'TintColor', [(0, ink), (350, '001e6e1e')])])
    out.append(letter)
    star = Node('BaseNode', 'LevelStarEffect', Bounds=vec(64, 64), CanBeHit=False,
                comment='A new level star: a burst of light, then the star settles in its place.')
    glow = star.add(sprite('Glow', 'Stars/StarGlow.png', -32, -32, 64, 64, PivotPoint='32;32'))
    glow.state('Activate', animators=[Keys('vector3d', 'Scale', [(0, vec(0.2, 0.2, 1)), (400, vec(1.6, 1.6, 1)),
                                                                  (500, vec(0.6, 0.6, 1))]),
                                      Keys('color', 'TintColor', [(0, WHITE), (600, WHITE), (300, '00ffffff')])])
    big = star.add(sprite('Star', 'Stars/FilledStar.png', -9, -9, 18, 18, PivotPoint='9;9'))
    big.state('Activate', animators=[Keys('vector3d', 'Scale', [(0, vec(3, 3, 1)), (700, vec(1, 1, 1)),
                                                                 (200, vec(1, 1, 1))])])
    out.append(star)
    return out


def progress_templates():
    look = Node('BaseNode', 'BuildingProgressBar', Bounds=vec(104, 14),
                comment='Look of the progress bars over buildings and on building sites.')
    look.add(Node('NineGridSpriteNode', 'Track', Bounds=vec(104, 14), CanBeHit=False,
                  AtlasTexture='../../scenes/images/UI/ProgressTrack.png'))
    look.children[-1].props.append(prop('vector2d', 'TopLeftDelta', '6;6'))
    look.children[-1].props.append(prop('vector2d', 'BottomRightDelta', '6;6'))
    look.add(Node('BaseNode', 'SlidingArea', Position=vec(2, 2), Bounds=vec(100, 10), CanBeHit=False))
    look.add(sprite('Knob', '../../scenes/images/UI/ProgressFill.png', 2, 2, 50, 10, ImageStretchX=1,
                    ImageStretchY=1))
    bar = Node('ProgressBarNode', 'ProgressBarOverBuilding', Position=vec(20, -24), Bounds=vec(104, 14),
               CanBeHit=False, TemplateName='BuildingProgressBar', KnobType=1,
               comment='The bar over a building while its workers repair, clean, restore or demolish it.')
    return [look, bar]


def construction_templates():
    site = Node('BaseNode', 'Construction', Bounds=vec(144, 72), CanBeHit=False,
                comment='Building site: the ground is cleared, fence and scaffold go up, the crane works, dust '
                        'settles and the new building shows.')

    def fade_in(node, state, time):
        node.state(state, [visible(True)], [Keys('color', 'TintColor', [(0, '00ffffff'), (time, WHITE)])])

    def fade_out(node, state, time):
        node.state(state, animators=[Keys('color', 'TintColor', [(0, WHITE), (time, '00ffffff')])])

    ground = site.add(sprite('Ground', 'Construction/Ground.png', -8, -164, 160, 240, Visible=False))
    fade_in(ground, 'PreBuild1', 400)
    fade_out(ground, 'PostBuild2', 500)
    fence = site.add(sprite('Fence', 'Construction/Fence.png', -8, -164, 160, 240, Visible=False))
    fade_in(fence, 'PreBuild2', 300)
    fade_out(fence, 'PostBuild2', 500)
    scaffold = site.add(sprite('Scaffold', 'Construction/Scaffold.png', -8, -164, 160, 240, Visible=False))
    fade_in(scaffold, 'Build', 500)
    fade_out(scaffold, 'PostBuild1', 500)
    mast = site.add(sprite('CraneMast', 'Construction/CraneMast.png', -8, -164, 160, 240, Visible=False))
    fade_in(mast, 'Build', 500)
    fade_out(mast, 'PostBuild1', 500)
    jib = site.add(sprite('CraneJib', 'Construction/CraneJib.png', 132, -34, 96, 24, Visible=False,
                          PivotPoint='12;8', Rotation=vec(0, 0, 160)))
    fade_in(jib, 'Build', 500)
    jib.state('Working', [visible(True)], [Keys('vector3d', 'Rotation', [(0, vec(0, 0, 160)), (2500, vec(0, 0, 220)),
                                                                         (2500, vec(0, 0, 160))], loop_to=0)])
    fade_out(jib, 'PostBuild1', 500)
    dust = site.add(sprite('Dust', 'Construction/Dust.png', -8, -60, 160, 110, Visible=False))
    dust.state('PostBuild1', [visible(True)], [Keys('color', 'TintColor', [(0, '00ffffff'), (400, WHITE)])])
    fade_out(dust, 'PostBuild2', 600)
    site.add(Node('ProgressBarNode', 'ProgressBar', Position=vec(20, 76), Bounds=vec(104, 14), CanBeHit=False,
                  TemplateName='BuildingProgressBar', KnobType=1))
    selector_node = Node('SpriteNode', 'ConstructionSelector', Position=vec(-4, -4), Bounds=vec(152, 80),
                         CanBeHit=False, AtlasTexture='Icons/Selector.png', TintColor='ffffb060',
                         comment='Frame around a building site while it is selected.')
    selector_node.state('Focus', [visible(True)])
    selector_node.state('KillFocus', [visible(False)])
    cargo = Node('SpriteNode', 'Cargo', Position=vec(92, 8), Bounds=vec(48, 48), Visible=False, CanBeHit=False,
                 AtlasTexture='Vehicles/CargoPallet.png', comment='The load the helicopter sets down on a site.')
    for name in HELICOPTER_HEADINGS:
        cargo.state(name, [visible(True)])
    return [site, selector_node, cargo]


# Vehicles and clouds ---------------------------------------------------------------------------------

def helicopter():
    root = Node('GPathMovableNode', 'Helicopter', Bounds=vec(144, 120), CanBeHit=False,
                comment='Flies in over the building, lowers its load, and leaves; "Mover" is refitted to the route.')
    for state in ('MovingTo', 'MovingFrom'):
        root.state(state, animators=[Keys('vector3d', 'Position', [(0, vec(0, 0, 2000)), (3333, vec(0, 0, 2000))],
                                          animator_name='Mover')])
    shadow = root.add(sprite('CargoShadow', 'Vehicles/CargoShadow.png', -20, -10, 40, 20))
    # The body flies high over the route point with the load on its sling under the skids.
    places = {'Body': (-72, -170), 'Cargo': (-24, -111)}
    cargo = root.add(sprite('Cargo', 'Vehicles/Cargo.png', places['Cargo'][0], places['Cargo'][1], 48, 48))
    body = root.add(sprite('Body', 'Vehicles/HelicopterRightUp.png', places['Body'][0], places['Body'][1], 144, 120))
    for name in HELICOPTER_HEADINGS:
        body.state(name, [picture('Vehicles/Helicopter%s.png' % name), prop('vector3d', 'Position',
                                                                          vec(*places['Body']))])
        for node in (body, cargo):
            x, y = places[node.props[0].split('"')[3]]
            low = vec(x, y + 30)
            node.state(name + '_BeforeUnloading', animators=[Keys('vector3d', 'Position', [(0, vec(x, y)),
                                                                                           (600, low)])])
            node.state(name + '_Unloading', animators=[Keys('vector3d', 'Position', [(0, low), (700, low)])])
            node.state(name + '_AfterUnloading', animators=[Keys('vector3d', 'Position', [(0, low),
                                                                                          (600, vec(x, y))])])
        shadow.state(name, [visible(True)])
    return root


def walker(name, picture_stem, comment):
    root = Node('GPathMovableNode', name, Bounds=vec(96, 80), CanBeHit=False, comment=comment)
    root.state('MovingFrom', animators=[Keys('color', 'TintColor', [(0, WHITE), (900, '00ffffff')])])
    body = root.add(sprite('Body', 'Vehicles/%sRight.png' % picture_stem, -48, -56, 96, 80))
    for heading in HEADINGS:
        body.state(heading, [picture('Vehicles/%s%s.png' % (picture_stem, heading))])
    return root


def clouds():
    out = []
    for i in (1, 2, 3):
        node = Node('GPathMovableNode', 'Cloud%d' % i, Bounds=vec(190, 100), CanBeHit=False,
                    comment='Drifting cloud.' if i == 1 else None)
        node.add(sprite('Cloud', 'Clouds/Cloud%d.png' % i, -95, -50, 190, 100, TintColor='b0ffffff'))
        out.append(node)
    return out


def button_templates():
    """Build-list buttons: a card with the building's picture; states as the engine's buttons play them."""
    out = []
    lines = [('Camping', 'Camping1'), ('Hostel', 'Hostel1'), ('GuestHouse', 'GuestHouse1'),
             ('BusinessHotel', 'BusinessHotel1'), ('HotelN5', 'HotelN51'), ('HotelN6', 'HotelN61'), ('Cafe', 'Cafe'),
             ('CityMall', 'CityMall'), ('AquaPark', 'AquaPark'), ('TruckStation', 'TruckStation'),
             ('REAgency', 'REAgency'), ('PRAgency', 'PRAgency'), ('Statue', 'Statue'), ('Garden', 'Garden'),
             ('Memorial', 'Memorial')]
    for line, record in lines:
        node = Node('BaseNode', 'Game_%sButton' % line, Bounds=vec(96, 112),
                    comment='Build-list buttons: the first level of each line on a card.' if line == 'Camping'
                    else None)
        card = node.add(Node('NineGridSpriteNode', 'Background', Bounds=vec(96, 112),
                             AtlasTexture='images/UI/ButtonNormal.png'))
        card.props.append(prop('vector2d', 'TopLeftDelta', '12;12'))
        card.props.append(prop('vector2d', 'BottomRightDelta', '12;12'))
        states = {'Normal': 'ButtonNormal', 'NormalKillHover': 'ButtonNormal', 'KillFocus': 'ButtonNormal',
                  'NormalHover': 'ButtonHover', 'Focus': 'ButtonFocused', 'FocusHover': 'ButtonFocused',
                  'FocusKillHover': 'ButtonFocused', 'Press': 'ButtonPressed', 'Pressed': 'ButtonPressed',
                  'KillPressed': 'ButtonFocused', 'NormalDisable': 'ButtonDisabled', 'FocusDisable': 'ButtonDisabled'}
        for state, image in states.items():
            card.state(state, [picture('images/UI/%s.png' % image)])
        # The building at 60 %, its plot resting on the card's lower edge, a tall one rising out of the card.
        image = node.add(sprite('Picture', '../levels/common/Buildings/%s.png' % record, 0, -36, 160, 240,
                                Scale=vec(0.6, 0.6, 1)))
        image.state('NormalDisable', [tint('ff808080')])
        image.state('FocusDisable', [tint('ff808080')])
        image.state('Normal', [tint(WHITE)])
        out.append(node)
    return out


def main():
    root_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..',
                                                                    '..')
    out = Xml()
    out.line('<?xml version="1.0" encoding="utf-8"?>')
    out.line('<!-- The level look (written by tools/art/make_templates.py): one template per building record, '
             'named as the record,')
    out.line('     and the icons, rings, building site, vehicles and clouds that buildings and processes clone. '
             'Pictures come')
    out.line('     from atlases/Buildings.xml (frames levels/common/...). -->')
    out.open('<SceneNode Type="TemplateCollectionNode">')
    out.open('<Properties>')
    out.line(prop('string', 'Name', 'LevelTemplateCollection'))
    out.line(prop('bool', 'Visible', 'false'))
    out.close('</Properties>')
    place_template().write(out)
    first = True
    for record, (kind, _draw) in B.records().items():
        node = building_template(record, kind)
        if first:
            node.comment = ('A building record\'s look: plot and building ("Setting4" is the snow look), the '
                            'selection frame, level stars and workers count.')
            first = False
        node.write(out)
    for node in icon_templates() + progress_templates() + construction_templates():
        node.write(out)
    helicopter().write(out)
    walker('Bus', 'Bus', 'The workers\' bus; it fades out as the workers get off.').write(out)
    walker('Worker', 'Worker', 'A worker on foot.').write(out)
    for node in clouds():
        node.write(out)
    out.close('</SceneNode>')
    path = os.path.join(root_dir, 'assets/levels/common/TemplateCollection.qscn')
    with open(path, 'w') as f:
        f.write('\n'.join(out.lines) + '\n')
    write_buttons(os.path.join(root_dir, 'assets/scenes/TemplateCollection.qscn'))


BEGIN = '\t<!-- Build-list buttons (written by tools/art/make_templates.py from here to the end marker). -->'
END = '\t<!-- End of the build-list buttons. -->'


def write_buttons(path):
    """The build list lives on the play screen, so its buttons join the interface's template collection."""
    with open(path) as f:
        text = f.read()
    out = Xml()
    out.depth = 1
    for node in button_templates():
        node.write(out)
    block = BEGIN + '\n' + '\n'.join(out.lines) + '\n' + END + '\n'
    if BEGIN in text:
        head, rest = text.split(BEGIN, 1)
        text = head + block + rest.split(END + '\n', 1)[1]
    else:
        closing = text.rindex('</SceneNode>')
        text = text[:closing] + block + text[closing:]
    with open(path, 'w') as f:
        f.write(text)


if __name__ == '__main__':
    main()

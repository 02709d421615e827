#!/usr/bin/env python3
"""Writes the four mini-game locations (assets/levels/minigame1..4: Level.qscn, MiniGameConfiguration.xml and
the hint routes LevelPaths.xml) and their templates (assets/scenes/MiniGameTemplates.qscn) from the tables
below. The files it writes are committed; edit the tables and run it again."""
import os

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HINT_START = (770, 700)  # the hint button: every route starts there

# Level folder -> (class, picture folder in the atlas, guide text, time, expert score, objects (name, x, y)), in
# the order of the map's bonus locations (7, 15, 23, 31). The auction is the third: its folder is the one that
# the fourth comic, which plays it, asks for.
GAMES = {
    'minigame1': ('GMiniGameHiddenScene', 'minigame1', 'MiniGame_Linet1', 180000, 1500, [
        ('Key', 640, 150), ('Umbrella', 40, 330), ('Teacup', 396, 516), ('Book', 150, 496), ('Glasses', 226, 426),
        ('Hat', 884, 190), ('Camera', 760, 496), ('Clock', 482, 66), ('Bell', 858, 258), ('Suitcase', 560, 362),
        ('Duck', 924, 604), ('Candle', 296, 600)]),
    'minigame2': ('GMiniGameHidden2Scene', 'minigame_hidden2', 'MiniGame_Linet2', 180000, 1800, [
        ('Anchor', 470, 196), ('Fish', 300, 380), ('Lifebuoy', 884, 300), ('Bottle', 350, 572), ('Flag', 700, 120),
        ('Shell', 200, 616), ('Rope', 800, 496), ('Camera', 80, 470), ('Umbrella', 604, 616), ('Hat', 150, 296)]),
    'minigame_auction': ('GMiniGameAuctionScene', 'minigame_auction', 'MiniGame_Linet4', 60000, 0, []),
    'minigame3': ('GMiniGameHiddenScene', 'minigame3', 'MiniGame_Linet3', 180000, 2000, [
        ('Kite', 600, 60), ('Ball', 420, 596), ('Apple', 96, 186), ('Butterfly', 862, 418), ('WateringCan', 40, 616),
        ('Birdhouse', 430, 176), ('Scarf', 620, 326), ('Sunglasses', 700, 578), ('Trumpet', 246, 440),
        ('Book', 90, 516), ('Teacup', 460, 626)]),
}
SIZE = 44
# The scene's depth: over the loading scene (100 to 104), which stays in sight beneath a mini-game, with the
# picture's background (100 below the root) too, and under the result popup (300).
DEPTH = 220


def bonus_number(location):
    """The location's number among the map's bonus locations, as its sign shows it."""
    return list(GAMES).index(location) + 1
DIRECTIONS = ['Right', 'RightUp', 'Up', 'LeftUp', 'Left', 'LeftDown', 'Down', 'RightDown']


def props(*items):
    return '<Properties>' + ''.join(items) + '</Properties>'


def p_str(n, v):
    return f'<string Name="{n}" Value="{v}"/>'


def p_strw(n, v):
    return f'<stringw Name="{n}" Value="{v}"/>'


def p_vec(n, v):
    return f'<vector3d Name="{n}" Value="{v}"/>'


def p_v2(n, v):
    return f'<vector2d Name="{n}" Value="{v}"/>'


def p_bool(n, v):
    return f'<bool Name="{n}" Value="{"true" if v else "false"}"/>'


def p_int(n, v):
    return f'<int Name="{n}" Value="{v}"/>'


def p_color(n, v):
    return f'<color Name="{n}" Value="{v}"/>'


def p_tex(v):
    return f'<atlasTexture Name="AtlasTexture" Value="{v}"/>'


def node(kind, properties, children='', states='', override=None):
    cls = f' ClassOverride="{override}"' if override else ''
    return f'<SceneNode Type="{kind}"{cls}>{properties}{children}{f"<States>{states}</States>" if states else ""}</SceneNode>\n'


def fade(name, start, end, ms=300, end_props=''):
    tail = f'<EndAnimator Type="SetProps">{end_props}</EndAnimator>' if end_props else ''
    return (f'<State Name="{name}"><Animator Type="KeyFrame" Name="Fade"><Properties>{p_color("TintColor", start)}</Properties>'
            f'<KeyFrame t="0" Value0="{start}"/><KeyFrame t="{ms}" i="0" Value0="{end}"/></Animator>{tail}</State>')


def sprite(name, pos, bounds, tex, hit=False, extra='', states='', children=''):
    return node('SpriteNode', props(p_str('Name', name), p_vec('Position', pos), p_vec('Bounds', bounds),
                                    p_bool('CanBeHit', hit), p_tex(tex), extra), children, states)


def text(name, pos, bounds, size, color, value='', halign=2, bold=False, wrap=False):
    face = {14: 'arial_14_crisp', 18: 'arial_18_bold' if bold else 'arial_18', 24: 'arial_24_bold'}[size]
    font = f'../../scenes/fonts/{face}.qfnt'
    return node('TextNode', props(p_str('Name', name), p_vec('Position', pos), p_vec('Bounds', bounds),
                                  p_bool('CanBeHit', False), f'<font Name="Font" Value="{font}"/>',
                                  f'<float Name="FontSize" Value="{size}"/>', p_int('TextHAlign', halign),
                                  p_int('TextVAlign', 2), p_color('TintColor', color),
                                  p_bool('WordWrap', True) if wrap else '', p_strw('Text', value) if value else ''))


def button(name, pos, label):
    # As wide as the Button look is drawn, so the whole of what shows takes the click.
    return node('ButtonNode', props(p_str('Name', name), p_vec('Position', pos), p_vec('Bounds', '160;48;0'),
                                    p_str('TemplateName', 'Button'), p_strw('Text', label)))


def plate(x, label, name, value=''):
    return (text(f'{name}Label', f'{x};690;1', '230;18;0', 14, 'ff5a4020', label) if label else '') + \
        text(name, f'{x};708;1', '230;40;0', 24, 'ff1c2838', value, bold=True)


def guide(pic, words):
    linet = sprite('Linet', '24;300;20', '200;300;0', f'{pic}Linet.png',
                   states=fade('Disappear', 'ffffffff', '00ffffff', 400, p_bool('Visible', False)))
    bubble = sprite('LinetText', '200;250;21', '420;180;0', f'{pic}Bubble.png',
                    children=text('Words', '36;22;1', '360;124;0', 18, 'ff1c2838', f'%{words}%', halign=1, wrap=True),
                    states=fade('Appear', '00ffffff', 'ffffffff') +
                    fade('Disappear', 'ffffffff', '00ffffff', 300, p_bool('Visible', False)))
    return linet + bubble


def trail(pic):
    # The sparkle shows only while the trail flies: each heading lights it, arriving puts it out.
    states = ''.join(fade(d, 'ffffffff', 'ffffffff', 1) for d in DIRECTIONS) + fade('Stop', 'ffffffff', '00ffffff', 400)
    spark = sprite('Spark', '-16;-16;0', '32;32;0', f'{pic}Sparkle.png', extra=p_color('TintColor', '00ffffff'), states=states)
    # Glitter left behind on the way (the emitter of scenes/ParticleCollection.xml): it flows while the trail flies.
    emit = ''.join(f'<State Name="{d}"><StartAnimator Type="SetProps">{p_bool("EmitterEnabled", True)}</StartAnimator></State>'
                   for d in DIRECTIONS)
    emit += f'<State Name="Stop"><StartAnimator Type="SetProps">{p_bool("EmitterEnabled", False)}</StartAnimator></State>'
    glitter = node('ParticleSystemNode', props(p_str('Name', 'Particles'), p_vec('Bounds', '0;0;0'), p_bool('CanBeHit', False),
                                               p_bool('Global', True), p_str('EmitterName', 'HintTrail'),
                                               p_bool('EmitterEnabled', False), p_tex(f'{pic}Sparkle.png')),
                   states=emit)
    return node('GPathMovableNode', props(p_str('Name', 'HintTrailNode'), p_vec('Position', '-100;-100;0'),
                                          p_vec('Bounds', '0;0;0'), p_bool('CanBeHit', False)), glitter + spark)


def found_node():
    on = ('<State Name="On"><StartAnimator Type="SetProps">' + p_bool('Enabled', True) + '</StartAnimator>'
          '<Animator Type="KeyFrame" Name="Burst"><Properties>' + p_color('TintColor', 'ffffffff') + '</Properties>'
          '<KeyFrame t="0" Value0="ffffffff"/><KeyFrame t="250" i="0" Value0="ffffffff"/></Animator>'
          '<EndAnimator Type="SetProps">' + p_bool('Enabled', False) + '</EndAnimator></State>')
    return node('SpawnerNode', props(p_str('Name', 'FoundNode'), p_vec('Bounds', '0;0;0'), p_bool('CanBeHit', False),
                                     p_str('ObjTemplate', 'HOFoundStarNode'), p_bool('Enabled', False),
                                     p_v2('ObjectsPerSecRange', '250;250')), states=on)


def hint_particles(pic):
    return node('GHOHintParticlesNode', props(p_str('Name', 'HintParticles'), p_vec('Position', '-100;-100;1'),
                                              p_vec('Bounds', '0;0;0'), p_bool('CanBeHit', False),
                                              p_str('ConfigurationFilename', '../common/Effects/Hint.xml'),
                                              p_bool('Enabled', False), p_tex(f'{pic}Sparkle.png')))


def hidden_scene(location, cls, folder, words, objects, ordered):
    pic = f'../{folder}/' if folder != location else ''
    objs = ''.join(sprite(n, f'{x};{y};0', f'{SIZE};{SIZE};0', f'../{folder}/{"Preview" if ordered else "Objects"}/{n}.png'
                          if folder != location else f'Objects/{n}.png', hit=True) for n, x, y in objects)
    game = node('BaseNode', props(p_str('Name', 'Game'), p_vec('Position', '0;0;0'), p_vec('Bounds', '1024;668;0')),
                node('BaseNode', props(p_str('Name', 'HitObjects'), p_vec('Position', '0;0;1'), p_vec('Bounds', '1024;668;0')), objs) +
                node('BaseNode', props(p_str('Name', 'BgObjects'), p_vec('Position', '0;0;5'), p_vec('Bounds', '1024;668;0')),
                     trail(pic) + found_node() + ('' if ordered else hint_particles(pic))))
    ui = sprite('Hud', '0;668;0', '1024;100;0', 'Hud.png')
    ui += plate(16, '%MiniGame_Found%', 'ObjCount')
    ui += plate(262, '%MiniGame_Time%', 'TimeTarg', '00:00')
    target = 96 if ordered else 150
    ui += text('TimeCurrLabel', '496;690;1', f'{target};18;0', 14, 'fffbf1d8', '%MiniGame_Target%')
    ui += text('TimeCurr', '496;708;1', f'{target};40;0', 24, 'fffbf1d8', bold=True)
    if ordered:
        # The wanted object, larger, in a frame of its own on the bar.
        ui += sprite('PreviewFrame', '592;674;1', '88;88;0', f'{pic}Frame.png')
        ui += sprite('PrevewImage', '636;718;2', f'{SIZE};{SIZE};0', f'{pic}Preview/{objects[0][0]}.png',
                     extra=p_vec('Scale', '1.6;1.6;1'))
    ui += button('HintButton', f'{HINT_START[0] - 86};694;1', '%MiniGame_Hint%')
    ui += button('MenuButton', '852;694;1', '%MiniGame_Menu%')
    ui += guide(pic, words)
    return scene_root(location, cls, f'{pic}', game, ui)


def controls(name, pos, children, bounds='1024;768;0'):
    # A group holding controls is a control node itself, so its buttons take clicks; it tracks no hover of its own.
    return node('ControlNode', props(p_str('Name', name), p_bool('HoverTrack', False), p_vec('Position', pos),
                                     p_vec('Bounds', bounds)), children)


def scene_root(location, cls, pic, game, ui):
    body = sprite('Background', '0;0;-100', '1024;768;0', 'Background.png')
    body += controls('Scene', '0;0;0', game + controls('UI', '0;0;10', ui))
    return ('<?xml version="1.0" encoding="utf-8"?>\n'
            f'<!-- Mini-game location {bonus_number(location)}: written by assets-src/minigames/make_scenes.py. -->\n' +
            node('SceneNode', props(p_str('Name', location), p_vec('Position', f'0;0;{DEPTH}'), p_vec('Bounds', '1024;768;0')), '\n' + body, override=cls))


def auction_scene(location, cls, folder, words):
    pic = f'../{folder}/'
    zones = ''
    for i, x in enumerate((192, 512, 832)):
        # The picture is set as the state starts: a state with nothing running ends at once, so that the
        # zone's press look ends and its click goes through.
        states = ''.join(f'<State Name="{s}"><StartAnimator Type="SetProps">{p_tex(f"{pic}Money/{n}.png")}</StartAnimator></State>'
                         for s, n in (('Normal', '2'), ('NormalHover', '2over'), ('Pressed', '2')))
        obj = sprite('Obj', '0;0;1', '200;200;0', f'{pic}Money/2.png', hit=True, states=states)
        zones += node('ControlNode', props(p_str('Name', f'Zone{i + 1}'), p_vec('Position', f'{x - 100};{372};2'),
                                           p_vec('Bounds', '200;200;0')), obj)
    # The hotel is on the block; the cafe and the mall wait on the walls for the next sales.
    lot = sprite('Lot', '448;60;1', '128;128;0', f'{pic}Lots/Hotel.png')
    lot += sprite('NextLot1', '70;190;1', '96;96;0', f'{pic}Lots/Cafe.png')
    lot += sprite('NextLot2', '858;190;1', '96;96;0', f'{pic}Lots/Mall.png')
    game = controls('Game', '0;0;0', lot + zones, '1024;668;0')
    ui = sprite('Hud', '0;668;0', '1024;100;0', 'Hud.png')
    ui += plate(16, '%MiniGame_Score%', 'ScoreText', '0')
    ui += plate(262, '%MiniGame_TimeLeft%', 'TimeLeft', '01:00')
    ui += sprite('ClockFace', '880;20;1', '120;120;0', f'{pic}ClockFace.png')
    ui += node('GEllipseSectorNode', props(p_str('Name', 'Ellipse'), p_vec('Position', '894;34;2'), p_vec('Bounds', '92;92;0'),
                                           p_bool('CanBeHit', False), p_color('FillColor', '80d2433b'), p_int('Angle1', 0),
                                           p_int('Angle2', 360), p_int('MaxVerticesCount', 48)))
    ui += sprite('LongArrow', '940;80;3', '12;56;0', f'{pic}Hand.png', extra=p_v2('PivotPoint', '6;50'))
    ui += button('MenuButton', '852;694;1', '%MiniGame_Menu%')
    ui += guide(pic, words)
    return scene_root(location, cls, pic, game, ui)


def config(cls, time, expert, location, objects, folder):
    lines = [f'\t<MaxLevelTime Value="{time}"/>']
    if cls != 'GMiniGameAuctionScene':
        lines.append(f'\t<ExpertScore Value="{expert}"/>')
        lines.append(f'\t<HintPaths Value="levels/{location}/LevelPaths.xml"/>')
    if cls == 'GMiniGameHidden2Scene':
        lines.append('\t<HintTrailVelocity Value="220"/>')
        lines.append('\t<HintTrailPPS Value="60"/>')
        lines.append('\t<ItemsToFind>')
        lines += [f'\t\t<Item Name="{n}" Filename="{n}"/>' for n, _, _ in objects]
        lines.append('\t</ItemsToFind>')
    if cls == 'GMiniGameAuctionScene':
        lines.append('\t<Sequence>')
        lines += [f'\t\t<S M="{m}" D="{d}"/>' for m, d in ((2, 1), (3, 1), (4, 2), (5, 2))]
        lines.append('\t</Sequence>')
    return ('<?xml version="1.0" encoding="utf-8"?>\n'
            f'<!-- Mini-game location {bonus_number(location)}: written by assets-src/minigames/make_scenes.py. -->\n'
            '<MiniGame>\n' + '\n'.join(lines) + '\n</MiniGame>\n')


def paths(location, objects):
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           f'<!-- Hint routes of mini-game location {bonus_number(location)}: from the hint button to each object, one bend '
           'on the way. Written by assets-src/minigames/make_scenes.py. -->',
           '<LevelPaths>', '\t<CarPaths>']
    for n, x, y in objects:
        cx, cy = x + SIZE // 2, y + SIZE // 2
        mx, my = (HINT_START[0] + cx) // 2 + 60, min(HINT_START[1], cy) - 60
        out.append(f'\t\t<Path ID="{n}"><p p="{HINT_START[0]};{HINT_START[1]}"/><p p="{mx};{max(my, 20)}"/><p p="{cx};{cy}"/></Path>')
    out += ['\t</CarPaths>', '\t<PedestrianPaths/>', '</LevelPaths>', '']
    return '\n'.join(out)


def templates():
    star = node('GShieldStarNode', props(p_str('Name', 'HOFoundStarNode'), p_vec('Bounds', '0;0;0'), p_bool('CanBeHit', False),
                                         p_v2('VelocityAngleRange', '0;360'), p_v2('VelocityRange', '60;160'),
                                         p_v2('Accel1Range', '300;300'), p_v2('Accel2Range', '-200;-200'),
                                         p_v2('Accel1StartTimeRange', '0;0'), p_v2('Accel1EndTimeRange', '180;180'),
                                         p_v2('AngularVelocityRange', '-180;180'), p_int('LifeTime', 900)),
                sprite('Star', '-10;-10;0', '20;20;0', 'images/MiniGames/FoundStar.png'))
    points = node('GTextTrailNode', props(p_str('Name', 'TextTrailStar'), p_vec('Bounds', '0;0;0'), p_bool('CanBeHit', False)),
                  text('Text', '-60;-16;0', '120;32;0', 24, 'ffffe58a', bold=True).replace('../../scenes/fonts', 'fonts'))
    return ('<?xml version="1.0" encoding="utf-8"?>\n'
            '<!-- The mini-games\' templates: the star of a found object and the points flying to the score.\n'
            '     Written by assets-src/minigames/make_scenes.py. -->\n' +
            node('TemplateCollectionNode', props(p_str('Name', 'MiniGameTemplates'), p_bool('Visible', False)), star + points))


def write(path, content):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'w') as f:
        f.write(content)


def main():
    for location, (cls, folder, words, time, expert, objects) in GAMES.items():
        if cls == 'GMiniGameAuctionScene':
            scene = auction_scene(location, cls, folder, words)
        else:
            scene = hidden_scene(location, cls, folder, words, objects, cls == 'GMiniGameHidden2Scene')
            write(f'assets/levels/{location}/LevelPaths.xml', paths(location, objects))
        write(f'assets/levels/{location}/Level.qscn', scene)
        write(f'assets/levels/{location}/MiniGameConfiguration.xml', config(cls, time, expert, location, objects, folder))
    write('assets/scenes/MiniGameTemplates.qscn', templates())


if __name__ == '__main__':
    main()

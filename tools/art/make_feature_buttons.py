#!/usr/bin/env python3
"""Writes the feature buttons of the building panel: one SVG set per feature that
assets/levels/common/BuildingsConfiguration.xml names (its face, greyed face and recharge fill), the lock
pictures of the second features, the money star, and their templates in assets/scenes/TemplateCollection.qscn
between the "feature buttons" markers (committed; run again after changing this file).

    tools/art/make_feature_buttons.py [repository root]
"""

import os
import re
import sys

W, H = 119, 101
ATLAS = 'assets-src/atlases/GameMenu/Buttons'
PICTURES = 'images/GameMenu/Buttons/Features/'
BEGIN = '<!-- feature buttons: written by tools/art/make_feature_buttons.py -->'
END = '<!-- end of the feature buttons -->'

# Each icon is drawn in a 64 x 64 box; "c" is its accent colour.
ICONS = {
    'CafeHappyHour': ('#c0602a', '''
  <path d="M12 24 H46 V40 C46 52 38 58 29 58 C20 58 12 52 12 40 Z" fill="#ffffff" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M46 28 C58 28 58 44 46 44" fill="none" stroke="#1c2838" stroke-width="3"/>
  <path d="M16 30 H42 V40 C42 48 36 53 29 53 C22 53 16 48 16 40 Z" fill="{c}"/>
  <path d="M20 6 C16 12 24 14 20 20 M30 4 C26 10 34 12 30 18 M40 6 C36 12 44 14 40 20" fill="none" stroke="#ffffff"
        stroke-width="2.5" stroke-linecap="round"/>'''),
    'CityMallSaleWeek': ('#d8343c', '''
  <path d="M10 22 H54 L50 60 H14 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5" stroke-linejoin="round"/>
  <path d="M22 22 V16 C22 6 42 6 42 16 V22" fill="none" stroke="#1c2838" stroke-width="3"/>
  <circle cx="25" cy="33" r="4.5" fill="#ffffff"/><circle cx="39" cy="49" r="4.5" fill="#ffffff"/>
  <path d="M40 30 L24 52" stroke="#ffffff" stroke-width="4" stroke-linecap="round"/>'''),
    'AquaParkWaterShow': ('#2f9ad8', '''
  <path d="M8 56 H56 V60 H8 Z" fill="#1c2838"/>
  <path d="M14 56 C14 30 32 18 32 6 C32 18 50 30 50 56" fill="none" stroke="{c}" stroke-width="5" stroke-linecap="round"/>
  <path d="M22 56 C22 40 32 32 32 24 C32 32 42 40 42 56" fill="none" stroke="#ffffff" stroke-width="4" stroke-linecap="round"/>
  <circle cx="10" cy="22" r="3" fill="#ffffff"/><circle cx="54" cy="22" r="3" fill="#ffffff"/>
  <circle cx="18" cy="12" r="2.5" fill="{c}"/><circle cx="46" cy="12" r="2.5" fill="{c}"/>'''),
    'AquaParkWaveNight': ('#3a5bc8', '''
  <path d="M44 6 A16 16 0 1 0 58 28 A12 12 0 1 1 44 6 Z" fill="#ffe58a" stroke="#1c2838" stroke-width="2"/>
  <path d="M4 44 C12 36 20 36 28 44 C36 52 44 52 52 44 C56 40 60 40 62 42 V60 H4 Z" fill="{c}" stroke="#1c2838"
        stroke-width="2.5"/>
  <path d="M8 52 C14 48 20 48 26 52 C32 56 38 56 44 52" fill="none" stroke="#ffffff" stroke-width="3"/>'''),
    'StatueLights': ('#e0a82e', '''
  <path d="M32 8 L14 56 H22 Z M32 8 L50 56 H42 Z" fill="#fff3b0" opacity="0.9"/>
  <path d="M26 30 H38 V56 H26 Z" fill="#8a8f99" stroke="#1c2838" stroke-width="2"/>
  <circle cx="32" cy="24" r="7" fill="#8a8f99" stroke="#1c2838" stroke-width="2"/>
  <path d="M18 56 H46 V62 H18 Z" fill="#1c2838"/>
  <path d="M32 2 L34 7 L39 7 L35 10 L37 15 L32 12 L27 15 L29 10 L25 7 L30 7 Z" fill="{c}"/>'''),
    'GardenFlowerShow': ('#e2508a', '''
  <path d="M32 34 V60" stroke="#2e8b22" stroke-width="4"/>
  <path d="M32 50 C22 44 16 48 14 52 C22 56 28 54 32 50 Z M32 46 C42 40 48 44 50 48 C42 52 36 50 32 46 Z"
        fill="#6cc23a" stroke="#1c2838" stroke-width="1.5"/>
  <g fill="{c}" stroke="#1c2838" stroke-width="1.5">
    <circle cx="32" cy="12" r="8"/><circle cx="43" cy="20" r="8"/><circle cx="39" cy="33" r="8"/>
    <circle cx="25" cy="33" r="8"/><circle cx="21" cy="20" r="8"/>
  </g>
  <circle cx="32" cy="23" r="6" fill="#ffd34d" stroke="#1c2838" stroke-width="1.5"/>'''),
    'MemorialAnniversary': ('#7a4ec0', '''
  <path d="M14 58 C4 40 8 20 20 10 M50 58 C60 40 56 20 44 10" fill="none" stroke="#2e8b22" stroke-width="4"/>
  <g fill="#6cc23a"><ellipse cx="9" cy="40" rx="4" ry="7"/><ellipse cx="12" cy="26" rx="4" ry="7"/>
    <ellipse cx="55" cy="40" rx="4" ry="7"/><ellipse cx="52" cy="26" rx="4" ry="7"/></g>
  <path d="M26 34 H38 V60 H26 Z" fill="#ffffff" stroke="#1c2838" stroke-width="2"/>
  <path d="M32 14 C26 22 28 28 32 30 C36 28 38 22 32 14 Z" fill="#ffd34d" stroke="{c}" stroke-width="2"/>
  <path d="M22 46 L42 46" stroke="{c}" stroke-width="4"/>'''),
    'TruckStationConvoy': ('#d9883a', '''
  <path d="M4 20 H38 V48 H4 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M38 28 H50 L58 38 V48 H38 Z" fill="#4fa3e0" stroke="#1c2838" stroke-width="2.5" stroke-linejoin="round"/>
  <path d="M42 31 H49 L54 38 H42 Z" fill="#2b3d55"/>
  <circle cx="14" cy="50" r="6" fill="#1c2838"/><circle cx="46" cy="50" r="6" fill="#1c2838"/>
  <circle cx="14" cy="50" r="2.5" fill="#ffffff"/><circle cx="46" cy="50" r="2.5" fill="#ffffff"/>
  <path d="M2 58 H62" stroke="#ffffff" stroke-width="2.5" stroke-dasharray="6 4"/>'''),
    'TruckStationCrew': ('#f0b428', '''
  <path d="M8 44 C8 22 20 12 32 12 C44 12 56 22 56 44 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M4 44 H60 V52 H4 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M28 12 H36 V44 H28 Z" fill="#ffe58a" stroke="#1c2838" stroke-width="2"/>
  <path d="M16 24 C18 20 22 17 26 16" fill="none" stroke="#ffffff" stroke-width="3" stroke-linecap="round"/>'''),
    'REAgencyOpenHouse': ('#2e8b22', '''
  <path d="M6 30 L32 8 L58 30" fill="none" stroke="#1c2838" stroke-width="4" stroke-linejoin="round"/>
  <path d="M12 28 L32 12 L52 28 V58 H12 Z" fill="#fbf1d8" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M26 38 H38 V58 H26 Z" fill="#5a3a22"/>
  <path d="M26 38 L20 42 V60 L26 58 Z" fill="{c}" stroke="#1c2838" stroke-width="1.5"/>
  <path d="M40 30 H48 V36 H40 Z M16 30 H24 V36 H16 Z" fill="#8fd3ff" stroke="#1c2838" stroke-width="1.5"/>'''),
    'REAgencyInvestors': ('#2e8b22', '''
  <g fill="#ffd34d" stroke="#1c2838" stroke-width="2">
    <ellipse cx="22" cy="54" rx="14" ry="5"/><ellipse cx="22" cy="47" rx="14" ry="5"/>
    <ellipse cx="22" cy="40" rx="14" ry="5"/><ellipse cx="22" cy="33" rx="14" ry="5"/>
  </g>
  <path d="M38 52 L50 36 L56 42 L62 18" fill="none" stroke="{c}" stroke-width="5" stroke-linecap="round"
        stroke-linejoin="round"/>
  <path d="M54 18 H63 V27" fill="none" stroke="{c}" stroke-width="5" stroke-linecap="round"/>'''),
    'PRAgencyCampaign': ('#d8343c', '''
  <path d="M10 26 H20 L48 10 V54 L20 38 H10 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5" stroke-linejoin="round"/>
  <path d="M16 38 L22 56 H30 L26 38" fill="#8a8f99" stroke="#1c2838" stroke-width="2"/>
  <path d="M54 22 L60 18 M54 32 H62 M54 42 L60 46" stroke="#ffffff" stroke-width="3" stroke-linecap="round"/>'''),
    'FishingCenterContest': ('#2f9ad8', '''
  <path d="M8 34 C18 20 40 20 50 34 C40 48 18 48 8 34 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M50 34 L62 24 V44 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5" stroke-linejoin="round"/>
  <circle cx="18" cy="31" r="3" fill="#1c2838"/>
  <path d="M26 26 C30 30 30 38 26 42" fill="none" stroke="#ffffff" stroke-width="2"/>
  <path d="M32 2 V12 C32 18 40 18 40 12" fill="none" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M20 56 L24 50 L28 56 L32 50 L36 56 L40 50 L44 56" fill="none" stroke="#ffd34d" stroke-width="3"/>'''),
    'ObservationTowerStarNight': ('#3a5bc8', '''
  <path d="M14 44 L46 20 L52 28 L20 52 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5" stroke-linejoin="round"/>
  <path d="M30 40 L22 60 M30 40 L40 60" stroke="#1c2838" stroke-width="3"/>
  <g fill="#ffe58a" stroke="#1c2838" stroke-width="1">
    <path d="M52 4 L54 9 L59 9 L55 12 L57 17 L52 14 L47 17 L49 12 L45 9 L50 9 Z"/>
    <path d="M20 6 L21.5 10 L26 10 L22.5 12.5 L24 17 L20 14 L16 17 L17.5 12.5 L14 10 L18.5 10 Z"/>
  </g>'''),
    'PyramidConference': ('#e0a82e', '''
  <path d="M4 58 L28 16 L52 58 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5" stroke-linejoin="round"/>
  <path d="M28 16 L36 58" stroke="#a86d12" stroke-width="2"/>
  <path d="M36 4 H62 V22 H46 L40 28 V22 H36 Z" fill="#ffffff" stroke="#1c2838" stroke-width="2" stroke-linejoin="round"/>
  <path d="M41 10 H57 M41 16 H53" stroke="#1c2838" stroke-width="2"/>'''),
    'StationHolidayTrains': ('#d8343c', '''
  <path d="M14 8 H50 C54 8 56 10 56 14 V48 H8 V14 C8 10 10 8 14 8 Z" fill="{c}" stroke="#1c2838" stroke-width="2.5"/>
  <path d="M14 16 H50 V30 H14 Z" fill="#8fd3ff" stroke="#1c2838" stroke-width="2"/>
  <circle cx="18" cy="40" r="4" fill="#fff3b0"/><circle cx="46" cy="40" r="4" fill="#fff3b0"/>
  <path d="M14 48 L6 60 M50 48 L58 60 M10 56 H54" stroke="#1c2838" stroke-width="3"/>
  <path d="M26 2 L32 6 L38 2" fill="none" stroke="#2e8b22" stroke-width="3"/>'''),
    'HQTraining': ('#2f78bb', '''
  <path d="M2 24 L32 10 L62 24 L32 38 Z" fill="#1c2838"/>
  <path d="M14 30 V46 C14 52 50 52 50 46 V30 L32 38 Z" fill="{c}" stroke="#1c2838" stroke-width="2"/>
  <path d="M56 26 V44" stroke="#ffd34d" stroke-width="3"/><circle cx="56" cy="46" r="4" fill="#ffd34d"/>'''),
}


def feature_names(root):
    path = os.path.join(root, 'assets/levels/common/BuildingsConfiguration.xml')
    with open(path, encoding='utf-8') as f:
        text = f.read()
    return re.findall(r'ButtonName="Game_(\w+)Button"', text)


def second_feature_lines(root):
    """Display names of the lines with two features, whose second one an upgrade opens."""
    path = os.path.join(root, 'assets/levels/common/BuildingsConfiguration.xml')
    with open(path, encoding='utf-8') as f:
        text = f.read()
    lines = []
    for building in re.findall(r'<Building>.*?</Building>', text, re.S):
        features = re.findall(r'ButtonName="Game_(\w+)Button"', building)
        shown = re.search(r'Name="DisplayName" Value="(\w+)"', building)
        if len(features) >= 2 and shown:
            lines.append((shown.group(1), features[1]))
    return lines


def icon(name, dx=27.5, dy=14, grey=False):
    colour, body = ICONS[name]
    group = '<g transform="translate(%s %s)">%s\n  </g>' % (dx, dy, body.replace('{c}', colour))
    if grey:
        group = '<g filter="url(#grey)" opacity="0.75">%s</g>' % group
    return group


def card(fill, name, grey=False, caption_fill='#ffffff'):
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">
  <defs><filter id="grey"><feColorMatrix type="saturate" values="0"/></filter></defs>
  <rect x="1" y="1" width="117" height="99" rx="14" %s/>
  <rect x="6" y="6" width="107" height="44" rx="10" class="shine"/>
  <circle cx="59.5" cy="46" r="36" fill="%s" fill-opacity="0.35"/>
  %s
  <rect x="1" y="1" width="117" height="99" rx="14" class="outline"/>
</svg>
''' % (W, H, W, H, fill, caption_fill, icon(name, grey=grey))


def face(name):
    # The face of a feature ready to start.
    return card('class="button-normal"', name)


def disabled(name):
    return card('class="button-disabled"', name, grey=True, caption_fill='#dde2e8')


def charging(name):
    # The fill that rises over the face while the feature runs and recharges.
    return card('class="gold"', name, caption_fill='#fff3b0')


HOVER = '''<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">
  <!-- The ring of a hovered or focused feature button. -->
  <rect x="1.5" y="1.5" width="116" height="98" rx="14" class="focus-ring"/>
  <rect x="5" y="5" width="109" height="91" rx="11" fill="#ffffff" fill-opacity="0.12"/>
</svg>
''' % (W, H, W, H)


def lock(line, feature):
    return '''<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">
  <!-- The %s's second feature (%s) before its upgrade is bought. -->
  <defs><filter id="grey"><feColorMatrix type="saturate" values="0"/></filter></defs>
  <rect x="1" y="1" width="117" height="99" rx="14" class="button-disabled"/>
  <g opacity="0.45">%s</g>
  <rect x="1" y="1" width="117" height="99" rx="14" fill="#1c2838" fill-opacity="0.35"/>
  <path d="M46 52 V40 C46 26 73 26 73 40 V52" fill="none" stroke="#d6dade" stroke-width="6"/>
  <rect x="40" y="50" width="39" height="32" rx="5" fill="#ffd34d" stroke="#1c2838" stroke-width="2.5"/>
  <circle cx="59.5" cy="63" r="4.5" fill="#1c2838"/>
  <rect x="57.5" y="64" width="4" height="10" rx="1.5" fill="#1c2838"/>
  <rect x="1" y="1" width="117" height="99" rx="14" class="outline"/>
</svg>
''' % (W, H, W, H, line, feature, icon(feature, grey=True))


MONEY_STAR = '''<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <!-- The star that rises from a building when a feature pays out. -->
  <circle cx="32" cy="32" r="30" class="glow"/>
  <path d="M32 3 L40 22 L61 23 L45 37 L50 58 L32 47 L14 58 L19 37 L3 23 L24 22 Z" class="gold"/>
  <path d="M32 3 L40 22 L61 23 L45 37 L50 58 L32 47 L14 58 L19 37 L3 23 L24 22 Z" class="outline"/>
  <text x="32" y="41" font-family="DejaVu Sans" font-weight="bold" font-size="22" text-anchor="middle"
        fill="#2e6b1a" stroke="#ffffff" stroke-width="0.8">$</text>
</svg>
'''


def states(entries, indent):
    """A States block: entries are (state names, property lines)."""
    out = [indent + '<States>']
    for names, props in entries:
        for state in names:
            out.append(indent + '\t<State Name="%s">' % state)
            out.append(indent + '\t\t<StartAnimator Type="SetProps">')
            out.extend(indent + '\t\t\t' + p for p in props)
            out.append(indent + '\t\t</StartAnimator>')
            out.append(indent + '\t</State>')
    out.append(indent + '</States>')
    return out


def sprite(name, properties, state_entries=None, indent='\t\t'):
    out = [indent + '<SceneNode Type="SpriteNode">', indent + '\t<Properties>',
           indent + '\t\t<string Name="Name" Value="%s"/>' % name]
    out.extend(indent + '\t\t' + p for p in properties)
    out.append(indent + '\t</Properties>')
    if state_entries:
        out.extend(states(state_entries, indent + '\t'))
    out.append(indent + '</SceneNode>')
    return out


def texture(path):
    return '<atlasTexture Name="AtlasTexture" Value="%s"/>' % path


def template(name):
    normal = PICTURES + name + '.png'
    grey = PICTURES + name + 'Disabled.png'
    fill = PICTURES + name + 'Charging.png'
    white = '<color Name="TintColor" Value="ffffffff"/>'
    out = ['<SceneNode Type="BaseNode">', '\t<Properties>',
           '\t\t<string Name="Name" Value="Game_%sButton"/>' % name,
           '\t\t<vector3d Name="Bounds" Value="%d;%d;0"/>' % (W, H), '\t</Properties>']
    # Child 0 is the face and child 1 the recharge fill: the panel crops one against the other.
    out += sprite('Face', ['<vector3d Name="Bounds" Value="%d;%d;0"/>' % (W, H), texture(normal)], [
        (['Normal', 'NormalKillHover', 'KillFocus', 'NormalHover', 'Focus', 'FocusHover', 'FocusKillHover',
          'KillPressed'], [texture(normal), white]),
        (['Press', 'Pressed'], [texture(normal), '<color Name="TintColor" Value="ffc8d0d8"/>']),
        (['NormalDisable', 'FocusDisable'], [texture(grey), white]),
    ])
    out += sprite('Charging', ['<vector3d Name="Position" Value="0;%d;0.01"/>' % H,
                               '<vector3d Name="Bounds" Value="%d;0;0"/>' % W, texture(fill),
                               '<int Name="ImageStretchY" Value="3"/>', '<bool Name="Visible" Value="false"/>'])
    hover = PICTURES + 'FeatureHover.png'
    out += sprite('Ring', ['<vector3d Name="Position" Value="0;0;0.02"/>',
                           '<vector3d Name="Bounds" Value="%d;%d;0"/>' % (W, H), texture(hover),
                           '<bool Name="CanBeHit" Value="false"/>', '<bool Name="Visible" Value="false"/>'], [
        (['NormalHover', 'FocusHover'], ['<bool Name="Visible" Value="true"/>']),
        (['Normal', 'NormalKillHover', 'KillFocus', 'Focus', 'FocusKillHover', 'Press', 'Pressed', 'KillPressed',
          'NormalDisable', 'FocusDisable'], ['<bool Name="Visible" Value="false"/>']),
    ])
    out.append('</SceneNode>')
    return out


def money_star():
    # Its presence lets feature income burst on the building; the star itself rises and fades.
    star = 'images/GameMenu/Buttons/Features/MoneyStar.png'
    return ['<SceneNode Type="BaseNode">', '\t<Properties>', '\t\t<string Name="Name" Value="MoneyStar"/>',
            '\t\t<vector3d Name="Bounds" Value="64;64;0"/>', '\t\t<bool Name="CanBeHit" Value="false"/>',
            '\t</Properties>',
            '\t<SceneNode Type="SpriteNode">', '\t\t<Properties>', '\t\t\t<string Name="Name" Value="Star"/>',
            '\t\t\t<vector3d Name="Bounds" Value="64;64;0"/>', '\t\t\t' + texture(star),
            '\t\t\t<bool Name="CanBeHit" Value="false"/>', '\t\t\t<bool Name="Visible" Value="false"/>',
            '\t\t</Properties>', '\t\t<States>',
            '\t\t\t<State Name="MoneyBurst">',
            '\t\t\t\t<StartAnimator Type="SetProps"><bool Name="Visible" Value="true"/></StartAnimator>',
            '\t\t\t\t<Animator Type="KeyFrame">',
            '\t\t\t\t\t<Properties><vector3d Name="Position" Value="0;0;0"/></Properties>',
            '\t\t\t\t\t<KeyFrame t="0" Value0="0;0;0"/>', '\t\t\t\t\t<KeyFrame t="1200" Value0="0;-70;0"/>',
            '\t\t\t\t</Animator>', '\t\t\t\t<Animator Type="KeyFrame">',
            '\t\t\t\t\t<Properties><color Name="TintColor" Value="00ffffff"/></Properties>',
            '\t\t\t\t\t<KeyFrame t="0" Value0="00ffffff"/>', '\t\t\t\t\t<KeyFrame t="200" Value0="ffffffff"/>',
            '\t\t\t\t\t<KeyFrame t="800" Value0="ffffffff"/>', '\t\t\t\t\t<KeyFrame t="1200" Value0="00ffffff"/>',
            '\t\t\t\t</Animator>',
            '\t\t\t\t<EndAnimator Type="SetProps"><bool Name="Visible" Value="false"/></EndAnimator>',
            '\t\t\t</State>', '\t\t</States>', '\t</SceneNode>', '</SceneNode>']


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    names = feature_names(root)
    missing = [n for n in names if n not in ICONS]
    if missing:
        sys.exit('no icon for the features: ' + ', '.join(missing))
    folder = os.path.join(root, ATLAS, 'Features')
    for name in names:
        write(os.path.join(folder, name + '.svg'), face(name))
        write(os.path.join(folder, name + 'Disabled.svg'), disabled(name))
        write(os.path.join(folder, name + 'Charging.svg'), charging(name))
    write(os.path.join(folder, 'FeatureHover.svg'), HOVER)
    write(os.path.join(folder, 'MoneyStar.svg'), MONEY_STAR)
    for line, feature in second_feature_lines(root):
        write(os.path.join(root, ATLAS, line + 'Feature2ButtonLock.svg'), lock(line, feature))

    lines = [BEGIN]
    for name in names:
        lines += template(name)
    lines += money_star()
    lines.append(END)
    block = '\n'.join('\t' + l if l else l for l in lines)
    collection = os.path.join(root, 'assets/scenes/TemplateCollection.qscn')
    with open(collection, encoding='utf-8') as f:
        text = f.read()
    if BEGIN in text:
        start = text.index('\t' + BEGIN)
        end = text.index(END) + len(END)
        text = text[:start] + block + text[end:]
    else:
        last = text.rstrip().rfind('</SceneNode>')
        text = text[:last] + block + '\n' + text[last:]
    with open(collection, 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    main()

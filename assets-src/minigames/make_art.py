#!/usr/bin/env python3
"""Writes the mini-games' SVG art from the descriptions here and in objects.py: the four backgrounds, the
hidden objects (one file per object, drawn at the size the scene places it), the money piles and the guide.
Run it from anywhere; the files it writes are committed, and the build rasterises them."""
import os
import random

from objects import OBJECTS, money, wrap, INK

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.dirname(HERE)


def write(path, text):
    path = os.path.join(SRC, path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w') as f:
        f.write(text)


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'{body}\n</svg>\n')


def clutter(rng, area, count, palette, shapes=('rect', 'circle', 'ellipse')):
    """Small decoy shapes in the object colours, so that the hidden objects do not stand out at once."""
    x0, y0, x1, y1 = area
    out = []
    for _ in range(count):
        x, y = rng.uniform(x0, x1), rng.uniform(y0, y1)
        c = rng.choice(palette)
        kind = rng.choice(shapes)
        s = rng.uniform(6, 18)
        if kind == 'rect':
            out.append(f'<rect x="{x:.0f}" y="{y:.0f}" width="{s * 1.6:.0f}" height="{s:.0f}" rx="2" fill="{c}" '
                       f'stroke="{INK}" stroke-width="1.5" transform="rotate({rng.uniform(-30, 30):.0f} {x:.0f} {y:.0f})"/>')
        elif kind == 'circle':
            out.append(f'<circle cx="{x:.0f}" cy="{y:.0f}" r="{s / 2:.0f}" fill="{c}" stroke="{INK}" stroke-width="1.5"/>')
        else:
            out.append(f'<ellipse cx="{x:.0f}" cy="{y:.0f}" rx="{s:.0f}" ry="{s / 2.5:.0f}" fill="{c}" stroke="{INK}" stroke-width="1.5"/>')
    return '\n'.join(out)


DECOY = ['#e0a82e', '#d2433b', '#4fa3e0', '#3fae30', '#ffd34d', '#fbf1d8', '#8a6a3a', '#b06ad0', '#ffffff']


def lobby():
    rng = random.Random(1)
    b = ['<rect width="1024" height="768" fill="#e8d3a6"/>',
         # wallpaper stripes and the far wall
         '<rect width="1024" height="330" fill="#c98b5a"/>']
    for x in range(0, 1024, 32):
        b.append(f'<rect x="{x}" y="0" width="14" height="330" fill="#b87848"/>')
    b.append('<rect y="318" width="1024" height="14" fill="#5a4020"/>')
    # chequered floor
    for y in range(332, 768, 48):
        for x in range(0, 1024, 64):
            if ((x // 64) + (y // 48)) % 2 == 0:
                b.append(f'<rect x="{x}" y="{y}" width="64" height="48" fill="#d8c090"/>')
    # reception desk, key board, stairs, pictures, windows, plants, sofas, a luggage trolley
    b.append('<rect x="600" y="90" width="300" height="170" fill="#8a6a3a" stroke="#1c2838" stroke-width="3"/>')
    for r in range(3):
        for c in range(8):
            b.append(f'<rect x="{618 + c * 34}" y="{106 + r * 50}" width="26" height="38" fill="#6e4f2a" stroke="#1c2838"/>'
                     f'<circle cx="{631 + c * 34}" cy="{118 + r * 50}" r="3" fill="#e0a82e"/>')
    b.append('<path d="M560 300h400v120H560z" fill="#6e4f2a" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M548 290h424v18H548z" fill="#a86d12" stroke="#1c2838" stroke-width="2"/>')
    for x in (70, 300):
        b.append(f'<rect x="{x}" y="40" width="150" height="200" fill="#8fd3ff" stroke="#5a4020" stroke-width="8"/>'
                 f'<path d="M{x + 75} 40v200M{x} 140h150" stroke="#5a4020" stroke-width="6"/>'
                 f'<path d="M{x - 10} 30h170v20H{x - 10}z" fill="#d2433b" stroke="#1c2838"/>')
    b.append('<rect x="470" y="60" width="90" height="70" fill="#fbf1d8" stroke="#e0a82e" stroke-width="6"/>'
             '<path d="M480 120l25-30 20 20 15-12 15 22z" fill="#3fae30"/>')
    # sofas and armchairs
    b.append('<path d="M40 420h260v90H40z" fill="#2f78bb" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M30 400h40v120H30zM270 400h40v120h-40z" fill="#1f5f9e" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M60 470h220" stroke="#1c2838"/>')
    b.append('<ellipse cx="420" cy="560" rx="90" ry="28" fill="#6e4f2a" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M350 560v60M490 560v60" stroke="#1c2838" stroke-width="6"/>')
    b.append('<path d="M700 470h140v90H700z" fill="#d2433b" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M690 450h30v120h-30zM820 450h30v120h-30z" fill="#a83028" stroke="#1c2838" stroke-width="3"/>')
    for x, y in ((20, 250), (960, 240), (520, 420), (880, 560)):
        b.append(f'<path d="M{x} {y + 90}h50l-8 40h-34z" fill="#a86d12" stroke="#1c2838" stroke-width="2"/>'
                 f'<ellipse cx="{x + 25}" cy="{y + 50}" rx="40" ry="50" fill="#3fae30" stroke="#1c2838" stroke-width="2"/>'
                 f'<ellipse cx="{x + 10}" cy="{y + 40}" rx="14" ry="26" fill="#2e8b22"/>')
    b.append('<path d="M120 560h120v80H120z" fill="#e0a82e" stroke="#1c2838" stroke-width="3"/>'
             '<circle cx="140" cy="650" r="10" fill="#1c2838"/><circle cx="220" cy="650" r="10" fill="#1c2838"/>'
             '<path d="M130 520h20v40h-20zM160 500h70v60h-70z" fill="#8a6a3a" stroke="#1c2838" stroke-width="2"/>')
    b.append(clutter(rng, (20, 340, 1000, 650), 70, DECOY))
    b.append(clutter(rng, (560, 250, 960, 300), 18, DECOY))
    return svg(1024, 768, '\n'.join(b))


def harbour():
    rng = random.Random(2)
    b = ['<rect width="1024" height="768" fill="#2f78bb"/>',
         '<rect width="1024" height="240" fill="#8fd3ff"/>',
         '<path d="M0 240q80-40 160 0t160 0 160 0 160 0 160 0 224 0v20H0z" fill="#4fa3e0"/>']
    for y in range(270, 480, 26):
        for x in range(rng.randint(-30, 0), 1024, 90):
            b.append(f'<path d="M{x} {y}q12-6 24 0" fill="none" stroke="#8fd3ff" stroke-width="2"/>')
    # far town, lighthouse, boats, quay
    for i, x in enumerate(range(0, 1024, 70)):
        h = 60 + (i * 37) % 70
        c = ['#e8d3a6', '#d2433b', '#fbf1d8', '#e0a82e'][i % 4]
        b.append(f'<rect x="{x}" y="{230 - h}" width="60" height="{h}" fill="{c}" stroke="#1c2838" stroke-width="2"/>'
                 f'<path d="M{x - 4} {230 - h}l34-22 34 22z" fill="#8a6a3a" stroke="#1c2838" stroke-width="2"/>')
    b.append('<path d="M880 40h40l10 200h-60z" fill="#ffffff" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M874 90h72v20h-72zM872 160h76v20h-76z" fill="#d2433b"/><path d="M880 40l20-20 20 20z" fill="#d2433b" stroke="#1c2838"/>')
    for x, y, c in ((120, 330, '#d2433b'), (420, 300, '#fbf1d8'), (650, 360, '#e0a82e')):
        b.append(f'<path d="M{x} {y}h180l-30 50H{x + 30}z" fill="{c}" stroke="#1c2838" stroke-width="3"/>'
                 f'<path d="M{x + 90} {y}v-110" stroke="#5a4020" stroke-width="5"/>'
                 f'<path d="M{x + 94} {y - 105}l60 90h-60z" fill="#fbf1d8" stroke="#1c2838" stroke-width="2"/>')
    b.append('<rect y="470" width="1024" height="298" fill="#a8854a"/>')
    for y in range(470, 768, 24):
        b.append(f'<path d="M0 {y}h1024" stroke="#8a6a3a" stroke-width="2"/>')
    for x in range(20, 1024, 120):
        b.append(f'<rect x="{x}" y="450" width="18" height="40" fill="#5a4020" stroke="#1c2838"/>')
    # crates, barrels, nets, a crane
    for x, y in ((60, 520), (110, 560), (60, 600), (760, 540), (810, 580), (860, 540)):
        b.append(f'<rect x="{x}" y="{y}" width="60" height="50" fill="#c9a66b" stroke="#1c2838" stroke-width="2"/>'
                 f'<path d="M{x} {y}l60 50M{x + 60} {y}l-60 50" stroke="#8a6a3a" stroke-width="3"/>')
    for x in (300, 340, 380, 560):
        b.append(f'<rect x="{x}" y="560" width="36" height="56" rx="6" fill="#8a6a3a" stroke="#1c2838" stroke-width="2"/>'
                 f'<path d="M{x} 575h36M{x} 600h36" stroke="#5a4020" stroke-width="3"/>')
    b.append('<path d="M620 480l40-300h12l-30 300z" fill="#e0a82e" stroke="#1c2838" stroke-width="2"/>'
             '<path d="M650 190h240" stroke="#1c2838" stroke-width="6"/><path d="M880 190v150" stroke="#1c2838"/>')
    b.append('<path d="M440 640q80-60 160 0" fill="#6e4f2a" fill-opacity="0.5" stroke="#1c2838"/>')
    b.append(clutter(rng, (20, 480, 1000, 660), 70, DECOY))
    b.append(clutter(rng, (40, 280, 980, 440), 20, ['#fbf1d8', '#ffffff', '#d2433b'], ('ellipse',)))
    return svg(1024, 768, '\n'.join(b))


def park():
    rng = random.Random(3)
    b = ['<rect width="1024" height="768" fill="#7ed07a"/>',
         '<rect width="1024" height="200" fill="#8fd3ff"/>',
         '<circle cx="880" cy="70" r="40" fill="#ffe58a"/>']
    for x in range(-40, 1060, 110):
        b.append(f'<ellipse cx="{x}" cy="210" rx="80" ry="50" fill="#3fae30" stroke="#1c2838" stroke-width="2"/>')
    b.append('<path d="M0 420q300-80 520 0t504 0v60q-260 60-504 0T0 480z" fill="#e8d3a6" stroke="#1c2838" stroke-width="2"/>')
    b.append('<ellipse cx="760" cy="600" rx="200" ry="70" fill="#4fa3e0" stroke="#1c2838" stroke-width="3"/>'
             '<ellipse cx="720" cy="590" rx="60" ry="12" fill="#8fd3ff"/>')
    for x, y in ((120, 260), (420, 240), (960, 300), (260, 520)):
        b.append(f'<rect x="{x - 10}" y="{y}" width="20" height="110" fill="#8a6a3a" stroke="#1c2838" stroke-width="2"/>'
                 f'<circle cx="{x}" cy="{y - 20}" r="70" fill="#2e8b22" stroke="#1c2838" stroke-width="3"/>'
                 f'<circle cx="{x - 30}" cy="{y - 40}" r="30" fill="#3fae30"/><circle cx="{x + 30}" cy="{y}" r="26" fill="#3fae30"/>')
    b.append('<path d="M560 330h160v14H560zM560 356h160v14H560z" fill="#a86d12" stroke="#1c2838" stroke-width="2"/>'
             '<path d="M572 370v26M708 370v26" stroke="#1c2838" stroke-width="5"/>')
    b.append('<path d="M40 560h140v20H40z" fill="#d2433b" stroke="#1c2838"/><path d="M60 580v60M160 580v60" stroke="#1c2838" stroke-width="5"/>')
    b.append('<ellipse cx="420" cy="640" rx="70" ry="18" fill="#d2433b" stroke="#1c2838" stroke-width="2"/>'
             '<path d="M360 640h120" stroke="#ffffff" stroke-width="4" stroke-dasharray="10 10"/>')
    for x in range(0, 1024, 50):
        y = 700 + (x * 7) % 30
        b.append(f'<circle cx="{x + 10}" cy="{y}" r="6" fill="{["#ffd34d", "#e090f0", "#ffffff", "#d2433b"][x // 50 % 4]}" stroke="#1c2838"/>')
    b.append(clutter(rng, (20, 300, 1000, 660), 80, DECOY + ['#2e8b22']))
    return svg(1024, 768, '\n'.join(b))


# The city's buildings on the auction block, as the lots; one is drawn on each bidder's easel.
LOTS = {
    'Hotel': '<path d="M8 20h48v40H8z" fill="#e8d3a6"/><path d="M4 20h56l-6-10H10z" fill="#d2433b"/>'
             + ''.join(f'<rect x="{12 + c * 12}" y="{26 + r * 10}" width="7" height="6" fill="#8fd3ff"/>' for r in range(3) for c in range(4))
             + '<path d="M28 50h8v10h-8z" fill="#6e4f2a"/>',
    'Cafe': '<path d="M10 28h44v32H10z" fill="#fbf1d8"/><path d="M6 28h52l-4-10H10z" fill="#3fae30"/>'
            '<path d="M6 28q4 6 8 0q4 6 8 0q4 6 8 0q4 6 8 0q4 6 8 0q4 6 8 0q4 6 6 0" fill="#ffffff"/>'
            '<rect x="16" y="38" width="14" height="12" fill="#8fd3ff"/><path d="M38 40h10v20H38z" fill="#8a6a3a"/>',
    'Mall': '<path d="M4 26h56v34H4z" fill="#4fa3e0"/><path d="M4 26l28-16 28 16z" fill="#2f78bb"/>'
            '<rect x="10" y="34" width="44" height="12" fill="#8fd3ff"/><path d="M26 48h12v12H26z" fill="#1c2838"/>',
}


def guide():
    """Linet, the guide of the mini-games: a friendly clerk with a clipboard."""
    return svg(200, 300, f'''<g stroke="{INK}" stroke-width="3" stroke-linejoin="round" stroke-linecap="round">
<path d="M50 300q0-110 50-120q50 10 50 120z" fill="#2f78bb"/>
<path d="M84 182l16 30 16-30z" fill="#ffffff"/>
<path d="M100 186v-16" fill="none"/>
<circle cx="100" cy="120" r="50" fill="#f4c9a0"/>
<path d="M50 118q0-66 50-66t50 66q-10-30-50-34q-30 4-44 40z" fill="#a86d12"/>
<path d="M148 110q14 30 0 70q-6-30-4-70z" fill="#a86d12"/>
<circle cx="82" cy="124" r="5" fill="{INK}"/><circle cx="118" cy="124" r="5" fill="{INK}"/>
<path d="M84 148q16 14 32 0" fill="none"/>
<circle cx="70" cy="140" r="7" fill="#f4b6a0" stroke="none"/><circle cx="130" cy="140" r="7" fill="#f4b6a0" stroke="none"/>
<path d="M120 220h50v66h-50z" fill="#8a6a3a"/><path d="M126 228h38v52h-38z" fill="#ffffff"/>
<path d="M132 240h26M132 252h26M132 264h16" fill="none" stroke-width="2"/>
</g>''')


def sparkle():
    return svg(32, 32, '<circle cx="16" cy="16" r="10" fill="#ffffff" fill-opacity="0.5"/>'
                       '<path d="M16 0l3 13 13 3-13 3-3 13-3-13-13-3 13-3z" fill="#ffe58a" stroke="#ffffff" stroke-width="1"/>')


def bubble():
    return svg(420, 180, '<path d="M20 10h380a12 12 0 0 1 12 12v120a12 12 0 0 1-12 12H60l-40 22 10-22h-10a12 12 0 0 1-12-12V22a12 12 0 0 1 12-12z" '
                         f'fill="#fbf1d8" stroke="{INK}" stroke-width="3"/>')


def hud():
    """The bar along the bottom of every mini-game: wood with brass plates for the counters."""
    return svg(1024, 100, f'''<rect width="1024" height="100" fill="#6e4f2a"/>
<rect y="0" width="1024" height="8" fill="#a86d12"/>
<path d="M0 40h1024M0 72h1024" stroke="#5a4020" stroke-width="2"/>
<rect x="16" y="18" width="230" height="66" rx="10" fill="#fbf1d8" stroke="{INK}" stroke-width="3"/>
<rect x="262" y="18" width="230" height="66" rx="10" fill="#fbf1d8" stroke="{INK}" stroke-width="3"/>''')


def auction_hall():
    rng = random.Random(4)
    b = ['<rect width="1024" height="768" fill="#8a3a30"/>']
    for x in range(0, 1024, 64):
        b.append(f'<path d="M{x} 0h32v420h-32z" fill="#7a3028"/>')
    b.append('<path d="M0 0h1024v60q-64 30-128 0t-128 0-128 0-128 0-128 0-128 0-128 0-128 0z" fill="#d2433b" stroke="#1c2838" stroke-width="3"/>')
    b.append('<rect y="420" width="1024" height="348" fill="#a8854a"/>')
    for y in range(420, 768, 28):
        b.append(f'<path d="M0 {y}h1024" stroke="#8a6a3a" stroke-width="2"/>')
    # the auctioneer's stand with the city's crest and the lot on show
    b.append('<path d="M400 200h224v200H400z" fill="#6e4f2a" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M388 186h248v20H388z" fill="#a86d12" stroke="#1c2838" stroke-width="2"/>'
             '<circle cx="512" cy="290" r="50" class="gold" stroke="#1c2838" stroke-width="3"/>'
             '<path d="M486 310v-30l26-18 26 18v30z" fill="#fbf1d8" stroke="#1c2838" stroke-width="2"/>')
    # three bidders' tables
    for x in (120, 440, 760):
        b.append(f'<path d="M{x} 560h144v24H{x}z" fill="#6e4f2a" stroke="#1c2838" stroke-width="2"/>'
                 f'<path d="M{x + 12} 584v90M{x + 132} 584v90" stroke="#1c2838" stroke-width="6"/>')
    # chandeliers
    for x in (180, 844):
        b.append(f'<path d="M{x} 60v40" stroke="#1c2838" stroke-width="3"/><path d="M{x - 50} 110h100l-20 20h-60z" class="gold" stroke="#1c2838" stroke-width="2"/>'
                 + ''.join(f'<circle cx="{x - 40 + i * 20}" cy="104" r="5" fill="#ffe58a"/>' for i in range(5)))
    b.append(clutter(rng, (20, 440, 1000, 540), 12, ['#a86d12', '#8a6a3a'], ('ellipse',)))
    return svg(1024, 768, '\n'.join(b))


# Hidden objects per mini-game: name -> size in pixels (square).
HIDDEN = {
    'minigame1': ['Key', 'Umbrella', 'Teacup', 'Book', 'Glasses', 'Hat', 'Camera', 'Clock', 'Bell', 'Suitcase',
                  'Duck', 'Candle'],
    'minigame2': ['Anchor', 'Fish', 'Lifebuoy', 'Bottle', 'Flag', 'Shell', 'Rope', 'Camera', 'Umbrella', 'Hat'],
    'minigame3': ['Kite', 'Ball', 'Apple', 'Butterfly', 'WateringCan', 'Birdhouse', 'Scarf', 'Sunglasses',
                  'Trumpet', 'Book', 'Teacup'],
}
SIZE = 44


def main():
    write('images/backgrounds/Minigame1Bg.svg', lobby())
    write('images/backgrounds/Minigame2Bg.svg', harbour())
    write('images/backgrounds/Minigame3Bg.svg', park())
    write('images/backgrounds/Minigame4Bg.svg', auction_hall())
    write('images/backgrounds/MinigameHud.svg', hud())
    for name in HIDDEN['minigame1']:
        write(f'atlases/Minigame1/minigame1/Objects/{name}.svg', wrap(OBJECTS[name], size=(SIZE, SIZE)))
    # The ordered game's objects are also its preview pictures (shown larger in the preview window).
    for name in HIDDEN['minigame2']:
        write(f'atlases/Minigame2/minigame_hidden2/Preview/{name}.svg', wrap(OBJECTS[name], size=(SIZE, SIZE)))
    for name in HIDDEN['minigame3']:
        write(f'atlases/Minigame3/minigame3/Objects/{name}.svg', wrap(OBJECTS[name], size=(SIZE, SIZE)))
    for n in range(1, 7):
        write(f'atlases/Minigame4/minigame_auction/Money/{n}.svg', money(n, False))
        write(f'atlases/Minigame4/minigame_auction/Money/{n}over.svg', money(n, True))
    for name, body in LOTS.items():
        write(f'atlases/Minigame4/minigame_auction/Lots/{name}.svg', wrap(body, size=(128, 128)))
    write('atlases/Minigame4/minigame_auction/ClockFace.svg', svg(120, 120, f'<circle cx="60" cy="60" r="56" fill="#fbf1d8" stroke="{INK}" stroke-width="4"/>'
          + ''.join(f'<path d="M60 8v10" stroke="{INK}" stroke-width="3" transform="rotate({a} 60 60)"/>' for a in range(0, 360, 30))))
    write('atlases/Minigame4/minigame_auction/Hand.svg', svg(12, 56, f'<path d="M6 0l5 50H1z" fill="#d2433b" stroke="{INK}" stroke-width="1.5"/>'))
    for folder in ('Minigame1/minigame1', 'Minigame2/minigame_hidden2', 'Minigame3/minigame3', 'Minigame4/minigame_auction'):
        write(f'atlases/{folder}/Linet.svg', guide())
        write(f'atlases/{folder}/Bubble.svg', bubble())
        write(f'atlases/{folder}/Sparkle.svg', sparkle())
    write('atlases/Minigame2/minigame_hidden2/Frame.svg', svg(100, 100, f'<rect x="3" y="3" width="94" height="94" rx="10" '
          f'fill="#fbf1d8" stroke="{INK}" stroke-width="3"/><rect x="8" y="8" width="84" height="84" rx="7" fill="none" '
          'stroke="#e0a82e" stroke-width="3"/>'))
    write('atlases/MainMenu/MiniGames/FoundStar.svg', svg(20, 20, '<path d="M10 0l3 7 7 0-6 5 2 8-6-5-6 5 2-8-6-5 7 0z" '
          'fill="#ffe58a" stroke="#e0a82e" stroke-width="1"/>'))


if __name__ == '__main__':
    main()

"""Drawings of the mini-games' hidden objects, lots and money, each in a 64 by 64 box, in the palette's inks."""

INK = '#1c2838'

def wrap(body, w=64, h=64, size=None):
    sw, sh = size if size else (w, h)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{sw}" height="{sh}" viewBox="0 0 {w} {h}">\n'
            f'<g stroke="{INK}" stroke-width="2" stroke-linejoin="round" stroke-linecap="round">\n{body}\n</g>\n</svg>\n')

OBJECTS = {
    'Key': '<circle cx="18" cy="32" r="11" fill="#e0a82e"/><circle cx="18" cy="32" r="4" fill="#fbf1d8"/>'
           '<path d="M29 30h28v5h-4v6h-4v-6h-4v5h-4v-5h-12z" fill="#e0a82e"/>',
    'Umbrella': '<path d="M6 30a26 22 0 0 1 52 0q-6.5-5-13 0q-6.5-5-13 0q-6.5-5-13 0q-6.5-5-13 0z" fill="#d2433b"/>'
                '<path d="M32 30v22a5 5 0 0 1-10 0" fill="none"/>',
    'Teacup': '<path d="M12 24h32v10a16 16 0 0 1-32 0z" fill="#ffffff"/><path d="M44 28a7 7 0 0 1 0 12" fill="none"/>'
              '<ellipse cx="28" cy="52" rx="22" ry="4" fill="#8fd3ff"/><path d="M22 14q3 4 0 7M30 12q3 4 0 8" fill="none"/>',
    'Book': '<path d="M10 14h36l6 6v32H16l-6-6z" fill="#2e8b22"/><path d="M16 20h36v32H16z" fill="#3fae30"/>'
            '<path d="M22 28h22M22 34h16" fill="none" stroke="#fbf1d8"/>',
    'Glasses': '<circle cx="18" cy="34" r="10" fill="#8fd3ff" fill-opacity="0.6"/><circle cx="46" cy="34" r="10" fill="#8fd3ff" fill-opacity="0.6"/>'
               '<path d="M28 32q4-4 8 0M8 32L3 24M56 32l5-8" fill="none"/>',
    'Hat': '<ellipse cx="32" cy="46" rx="28" ry="7" fill="#5a4020"/><path d="M16 46V22q16-8 32 0v24z" fill="#6e4f2a"/>'
           '<path d="M16 38h32v6H16z" fill="#d2433b"/>',
    'Camera': '<path d="M6 20h14l4-6h16l4 6h14v30H6z" fill="#4a5868"/><circle cx="32" cy="35" r="11" fill="#1c2838"/>'
              '<circle cx="32" cy="35" r="6" fill="#4fa3e0"/><circle cx="50" cy="26" r="2" fill="#ffd34d"/>',
    'Clock': '<circle cx="32" cy="34" r="22" fill="#ffe58a"/><circle cx="32" cy="34" r="17" fill="#ffffff"/>'
             '<path d="M32 34V22M32 34l9 5" fill="none"/><path d="M14 14l8 6M50 14l-8 6" fill="none"/>',
    'Bell': '<path d="M14 44q4-4 4-16a14 14 0 0 1 28 0q0 12 4 16z" fill="#e0a82e"/><path d="M8 44h48v6H8z" fill="#a86d12"/>'
            '<circle cx="32" cy="12" r="3" fill="#a86d12"/>',
    'Suitcase': '<path d="M24 18v-6h16v6" fill="none"/><path d="M6 18h52v34H6z" fill="#8a6a3a"/>'
                '<path d="M18 18v34M46 18v34" fill="none" stroke="#fbf1d8" stroke-width="3"/>',
    'Duck': '<path d="M10 40q0 14 22 14t22-14q-8 2-14 0q6-6 2-16a10 10 0 0 0-18 6q0 6 4 8q-10 2-18 2z" fill="#ffd34d"/>'
            '<path d="M44 26l10 2-8 4z" fill="#e0782e"/><circle cx="36" cy="25" r="2" fill="#1c2838"/>',
    'Anchor': '<circle cx="32" cy="12" r="5" fill="none"/><path d="M32 17v38M22 24h20" fill="none" stroke-width="4"/>'
              '<path d="M10 38q4 16 22 17q18-1 22-17" fill="none" stroke-width="4"/><path d="M6 40l5-6 4 7zM58 40l-5-6-4 7z" fill="#4a5868"/>',
    'Fish': '<path d="M8 32q16-18 38 0q-22 18-38 0z" fill="#4fa3e0"/><path d="M44 32l14-10v20z" fill="#2f78bb"/>'
            '<circle cx="18" cy="29" r="2" fill="#1c2838"/>',
    'Lifebuoy': '<circle cx="32" cy="32" r="24" fill="#ffffff"/><circle cx="32" cy="32" r="11" fill="#8fd3ff"/>'
                '<path d="M15 15l8 8M49 15l-8 8M15 49l8-8M49 49l-8-8" fill="none" stroke="#d2433b" stroke-width="8"/>',
    'Bottle': '<path d="M26 6h12v10q8 6 8 16v24H18V32q0-10 8-16z" fill="#3fae30" fill-opacity="0.85"/>'
              '<path d="M20 34h24v12H20z" fill="#fbf1d8"/>',
    'Flag': '<path d="M14 6v52" fill="none" stroke-width="3"/><path d="M14 8h36l-8 10 8 10H14z" fill="#d2433b"/>'
            '<circle cx="28" cy="18" r="4" fill="#ffffff"/>',
    'Shell': '<path d="M32 54L8 30a24 24 0 0 1 48 0z" fill="#f4b6a0"/><path d="M32 54L16 22M32 54V12M32 54l16-32" fill="none"/>',
    'Rope': '<ellipse cx="32" cy="38" rx="24" ry="14" fill="#c9a66b"/><ellipse cx="32" cy="36" rx="15" ry="8" fill="#a8854a"/>'
            '<ellipse cx="32" cy="35" rx="7" ry="3" fill="#5a4020"/>',
    'Kite': '<path d="M32 4l18 22-18 24-18-24z" fill="#e0782e"/><path d="M32 4v46M14 26h36" fill="none"/>'
            '<path d="M32 50q-6 6 0 10" fill="none"/>',
    'Ball': '<circle cx="32" cy="32" r="22" fill="#ffffff"/><path d="M10 32h44" fill="none" stroke="#d2433b" stroke-width="6"/>'
            '<path d="M32 10a22 22 0 0 1 0 44" fill="none" stroke="#4fa3e0" stroke-width="4"/>',
    'Apple': '<path d="M32 18q-22-8-22 16t22 22q22 2 22-22t-22-16z" fill="#d2433b"/><path d="M32 18q0-8 4-12" fill="none"/>'
             '<path d="M34 12q10-4 14 4q-10 2-14-4z" fill="#3fae30"/>',
    'Butterfly': '<path d="M32 32Q14 4 8 20t24 12zM32 32Q50 4 56 20T32 32z" fill="#b06ad0"/>'
                 '<path d="M32 32Q16 56 12 44t20-12zM32 32q16 24 20 12T32 32z" fill="#e090f0"/><path d="M32 18v30" stroke-width="4"/>',
    'WateringCan': '<path d="M14 26h28v26H14z" fill="#3fae30"/><path d="M42 30l16-12v6L44 38" fill="#3fae30"/>'
                   '<path d="M14 30q-10 0-8 12" fill="none" stroke-width="4"/><path d="M20 26q8-10 16 0" fill="none"/>',
    'Birdhouse': '<path d="M12 28l20-18 20 18z" fill="#d2433b"/><path d="M16 28h32v26H16z" fill="#e8d3a6"/>'
                 '<circle cx="32" cy="40" r="5" fill="#1c2838"/><path d="M32 54v8" fill="none" stroke-width="3"/>',
    'Scarf': '<path d="M10 16q22 10 44 0v10q-22 10-44 0z" fill="#4fa3e0"/><path d="M38 26v28h10V24" fill="#4fa3e0"/>'
             '<path d="M38 44h10M38 50h10" fill="none" stroke="#ffffff"/>',
    'Sunglasses': '<path d="M6 26h22l-2 12q-10 6-18 0zM36 26h22l-2 12q-10 6-18 0z" fill="#1c2838"/>'
                  '<path d="M28 28h8" fill="none" stroke-width="3"/><path d="M10 30l6 4M40 30l6 4" fill="none" stroke="#8fd3ff"/>',
    'Trumpet': '<path d="M8 30h32l16-12v28L40 34H8z" fill="#e0a82e"/><path d="M18 30v-8M24 30v-8M30 30v-8" fill="none" stroke-width="3"/>',
    'Vase': '<path d="M24 8h16v6q12 10 10 26t-18 18q-16-2-18-18t10-26z" fill="#2f78bb"/>'
            '<path d="M16 36q16 6 32 0" fill="none" stroke="#ffe58a" stroke-width="3"/>',
    'Candle': '<path d="M24 24h16v32H24z" fill="#fbf1d8"/><path d="M32 24v-4" fill="none"/>'
              '<path d="M32 6q6 8 0 12q-6-4 0-12z" fill="#ffd34d"/><ellipse cx="32" cy="57" rx="16" ry="4" fill="#e0a82e"/>',
}

# Piles of n coins for the auction, with a lighter look for the hovered zone.
def money(n, over):
    coin = '#ffe58a' if over else '#e0a82e'
    rim = '#e0a82e' if over else '#a86d12'
    parts = []
    # Coins stacked in columns of up to three, bills behind the bigger piles.
    if n >= 4:
        parts.append(f'<path d="M20 60l60-14 12 34-60 14z" fill="{"#7ed07a" if over else "#3fae30"}"/>'
                     '<circle cx="56" cy="70" r="9" fill="none" stroke="#fbf1d8"/>')
    if n >= 6:
        parts.append(f'<path d="M36 40l56 4-2 34-56-4z" fill="{"#8fe08a" if over else "#2e8b22"}"/>')
    columns = [(44, 0), (76, 0), (60, 1)]
    for i in range(n):
        cx = [30, 62, 94][i % 3]
        level = i // 3
        cy = 104 - level * 14
        parts.append(f'<ellipse cx="{cx}" cy="{cy + 6}" rx="20" ry="8" fill="{rim}"/>'
                     f'<ellipse cx="{cx}" cy="{cy}" rx="20" ry="8" fill="{coin}"/>'
                     f'<path d="M{cx - 6} {cy}h12" fill="none" stroke="{rim}" stroke-width="3"/>')
    return wrap('\n'.join(parts), 124, 124, (200, 200))

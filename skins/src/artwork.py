"""The pictures of the default skin, drawn as SVG.

Every function returns (width, height, svg_text). Sizes are chosen so that a
picture is shown at about its own size on a 1920 x 1080 screen: pictures are
scaled bilinearly, which keeps edges clean when enlarging and up to about
halving, but makes them jagged when shrinking much further.

Elements that the program redraws on their own (buttons, the list, the texts)
get fully opaque pictures painted on the colour of the card they sit on: a
redraw lays the new picture over the old one without clearing, so any see-
through part would keep what the previous state drew there.
"""

# The palette: a deep blue night, cards a shade lighter, one bright accent.
BG_TOP = "#122138"
BG_BOTTOM = "#05080f"
CARD = "#111b2b"
CARD_EDGE = "#22324b"
WELL = "#0b1320"
WELL_EDGE = "#1a283d"
TRACK = "#22324a"
BUTTON_TOP = "#253752"
BUTTON_BOTTOM = "#19263a"
BUTTON_EDGE = "#2f4566"
ACCENT = "#3d9bff"
ACCENT_TOP = "#4ea8ff"
ACCENT_BOTTOM = "#1d64d6"
ACCENT_EDGE = "#bfe0ff"
ICON = "#e6edf7"
WARNING = "#ff6f61"  # the muted speaker: no sound is worth noticing from the sofa
WHITE = "#ffffff"
KEY_DARK = "#0a111d"  # the outermost ring of pictures that lie on the background

BUTTON_SIZE = 160
FONT = "Liberation Sans"


def svg(width, height, body, defs=""):
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n<defs>{defs}</defs>\n{body}\n</svg>\n'
    )


def vertical_gradient(gradient_id, top, bottom):
    return (
        f'<linearGradient id="{gradient_id}" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
        "</linearGradient>"
    )


# ---------------------------------------------------------------- icons
# Each icon is drawn in a 100 x 100 box with strokes 8 units wide.

STROKE = 'fill="none" stroke="{c}" stroke-width="8" stroke-linecap="round" stroke-linejoin="round"'
SOLID = 'fill="{c}" stroke="{c}" stroke-width="6" stroke-linejoin="round"'


def _stroke(c):
    return STROKE.format(c=c)


def _solid(c):
    return SOLID.format(c=c)


def icon_play(c):
    return f'<path d="M36 24 L78 50 L36 76 Z" {_solid(c)}/>'


def icon_pause(c):
    return (
        f'<rect x="28" y="24" width="15" height="52" rx="4" fill="{c}"/>'
        f'<rect x="57" y="24" width="15" height="52" rx="4" fill="{c}"/>'
    )


def icon_stop(c):
    return f'<rect x="27" y="27" width="46" height="46" rx="7" fill="{c}"/>'


def icon_next(c):
    return f'<path d="M24 26 L60 50 L24 74 Z" {_solid(c)}/><rect x="66" y="24" width="10" height="52" rx="3" fill="{c}"/>'


def icon_previous(c):
    return f'<path d="M76 26 L40 50 L76 74 Z" {_solid(c)}/><rect x="24" y="24" width="10" height="52" rx="3" fill="{c}"/>'


def icon_forward(c):
    return f'<path d="M16 28 L48 50 L16 72 Z" {_solid(c)}/><path d="M50 28 L82 50 L50 72 Z" {_solid(c)}/>'


def icon_rewind(c):
    return f'<path d="M84 28 L52 50 L84 72 Z" {_solid(c)}/><path d="M50 28 L18 50 L50 72 Z" {_solid(c)}/>'


def icon_force_end(c):
    return (
        f'<path d="M16 50 H62 M46 32 L64 50 L46 68" {_stroke(c)}/>'
        f'<rect x="72" y="24" width="10" height="52" rx="3" fill="{c}"/>'
    )


def _speaker(c):
    return f'<path d="M14 40 H28 L46 24 V76 L28 60 H14 Z" {_solid(c)}/>'


def icon_volume_up(c):
    return _speaker(c) + f'<path d="M60 50 H88 M74 36 V64" {_stroke(c)}/>'


def icon_volume_down(c):
    return _speaker(c) + f'<path d="M60 50 H88" {_stroke(c)}/>'


def icon_muted(c):
    return _speaker(c) + f'<path d="M62 38 L86 62 M86 38 L62 62" {_stroke(c)}/>'


def icon_sound_on(c):
    return _speaker(c) + f'<path d="M60 36 A18 18 0 0 1 60 64 M70 24 A32 32 0 0 1 70 76" {_stroke(c)}/>'


def icon_fullsize(c):
    return (
        f'<path d="M16 36 V16 H36 M64 16 H84 V36 M84 64 V84 H64 M36 84 H16 V64" {_stroke(c)}/>'
        f'<path d="M30 30 L42 42 M70 30 L58 42 M70 70 L58 58 M30 70 L42 58" {_stroke(c)}/>'
    )


def icon_window(c):
    """Full screen or window: two overlapping frames."""
    return (
        f'<path d="M30 40 V22 A6 6 0 0 1 36 16 H78 A6 6 0 0 1 84 22 V52 A6 6 0 0 1 78 58 H70" {_stroke(c)}/>'
        f'<rect x="16" y="40" width="54" height="42" rx="6" {_stroke(c)}/>'
    )


def icon_minimise(c):
    return f'<path d="M24 72 H76" {_stroke(c)}/>'


def icon_ratio(c):
    return (
        f'<rect x="10" y="24" width="80" height="52" rx="8" {_stroke(c)}/>'
        f'<path d="M30 50 H70 M38 41 L29 50 L38 59 M62 41 L71 50 L62 59" {_stroke(c)}/>'
    )


def icon_subtitles(c):
    # A picture frame with two lines of text along its foot.
    return (
        f'<rect x="10" y="22" width="80" height="56" rx="8" {_stroke(c)}/>'
        f'<path d="M24 52 H50 M58 52 H76 M24 64 H40 M48 64 H76" {_stroke(c)}/>'
    )


def icon_audio_track(c):
    # A speaker beside two tracks, the upper one chosen.
    return (
        _speaker(c)
        + f'<path d="M62 38 H88 M62 62 H88" {_stroke(c)}/>'
        + f'<circle cx="62" cy="38" r="6" fill="{c}"/>'
    )


def icon_play_mode(c):
    return (
        f'<path d="M22 56 V46 A12 12 0 0 1 34 34 H74" {_stroke(c)}/>'
        f'<path d="M64 24 L75 34 L64 44" {_stroke(c)}/>'
        f'<path d="M78 44 V54 A12 12 0 0 1 66 66 H26" {_stroke(c)}/>'
        f'<path d="M36 56 L25 66 L36 76" {_stroke(c)}/>'
    )


def icon_folder_up(c):
    return (
        f'<path d="M12 30 A6 6 0 0 1 18 24 H38 L46 32 H82 A6 6 0 0 1 88 38 V74 A6 6 0 0 1 82 80 H18 A6 6 0 0 1 12 74 Z" {_stroke(c)}/>'
        f'<path d="M50 70 V46 M39 56 L50 45 L61 56" {_stroke(c)}/>'
    )


def icon_home(c):
    return (
        f'<path d="M14 50 L50 20 L86 50" {_stroke(c)}/>'
        f'<path d="M26 42 V80 H74 V42" {_stroke(c)}/>'
        f'<path d="M44 80 V60 H56 V80" {_stroke(c)}/>'
    )


def icon_grip(c):
    return f'<path d="M86 40 L40 86 M86 60 L60 86 M86 80 L80 86" {_stroke(c)}/>'


def icon_ok(c):
    return f'<circle cx="50" cy="50" r="22" {_stroke(c)}/><circle cx="50" cy="50" r="7" fill="{c}"/>'


def icon_close(c):
    return f'<path d="M30 30 L70 70 M70 30 L30 70" {_stroke(c)}/>'


def icon_media(c, hole):
    """Videos & music: a film frame with a note in front of it."""
    return (
        f'<rect x="8" y="18" width="62" height="50" rx="7" {_stroke(c)}/>'
        f'<path d="M8 32 H70 M8 54 H70 M24 18 V32 M40 18 V32 M56 18 V32 M24 54 V68 M40 54 V68 M56 54 V68" '
        f'fill="none" stroke="{c}" stroke-width="4"/>'
        f'<path d="M62 48 L92 40 V76 M62 48 V84" fill="none" stroke="{hole}" stroke-width="16" stroke-linecap="round" stroke-linejoin="round"/>'
        f'<ellipse cx="82" cy="78" rx="14" ry="12" fill="{hole}"/><ellipse cx="52" cy="86" rx="14" ry="12" fill="{hole}"/>'
        f'<path d="M62 48 L92 40 V76" {_stroke(c)}/>'
        f'<ellipse cx="82" cy="78" rx="10" ry="8" fill="{c}"/>'
        f'<path d="M62 48 V84" {_stroke(c)}/>'
        f'<ellipse cx="52" cy="86" rx="10" ry="8" fill="{c}"/>'
    )


def icon_sliders(c, hole):
    return (
        f'<path d="M12 28 H88 M12 50 H88 M12 72 H88" {_stroke(c)}/>'
        f'<circle cx="34" cy="28" r="10" fill="{c}" stroke="{hole}" stroke-width="5"/>'
        f'<circle cx="66" cy="50" r="10" fill="{c}" stroke="{hole}" stroke-width="5"/>'
        f'<circle cx="44" cy="72" r="10" fill="{c}" stroke="{hole}" stroke-width="5"/>'
    )


def icon_exit(c):
    return (
        f'<path d="M54 30 V18 H16 V82 H54 V70" {_stroke(c)}/>'
        f'<path d="M36 50 H86 M72 36 L86 50 L72 64" {_stroke(c)}/>'
    )


def icon_power(c):
    return f'<path d="M33 28 A30 30 0 1 0 67 28" {_stroke(c)}/><path d="M50 14 V50" {_stroke(c)}/>'


def place_icon(icon, cx, cy, size):
    scale = size / 100.0
    return f'<g transform="translate({cx - size / 2:.2f} {cy - size / 2:.2f}) scale({scale:.4f})">{icon}</g>'


# ---------------------------------------------------------------- pictures


def background():
    """The whole-window backdrop: a calm night gradient with two soft glows."""
    width, height = 1280, 800
    defs = (
        vertical_gradient("sky", BG_TOP, BG_BOTTOM)
        + '<radialGradient id="glowBlue" cx="0.18" cy="0.12" r="0.75">'
        '<stop offset="0" stop-color="#2a5fa8" stop-opacity="0.40"/>'
        '<stop offset="1" stop-color="#2a5fa8" stop-opacity="0"/></radialGradient>'
        '<radialGradient id="glowTeal" cx="0.92" cy="0.95" r="0.7">'
        '<stop offset="0" stop-color="#0f6f78" stop-opacity="0.28"/>'
        '<stop offset="1" stop-color="#0f6f78" stop-opacity="0"/></radialGradient>'
        '<filter id="grain" x="0" y="0" width="1" height="1">'
        '<feTurbulence type="fractalNoise" baseFrequency="0.9" numOctaves="1" seed="7"/>'
        '<feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  0 0 0 0.035 0"/>'
        "</filter>"
    )
    body = (
        f'<rect width="{width}" height="{height}" fill="url(#sky)"/>'
        f'<rect width="{width}" height="{height}" fill="url(#glowBlue)"/>'
        f'<rect width="{width}" height="{height}" fill="url(#glowTeal)"/>'
        f'<rect width="{width}" height="{height}" filter="url(#grain)"/>'
    )
    return width, height, svg(width, height, body, defs)


def card(width, height, radius=16):
    """A decorative card that interactive elements sit on."""
    body = (
        f'<rect x="1.5" y="1.5" width="{width - 3}" height="{height - 3}" rx="{radius}" '
        f'fill="{CARD}" stroke="{CARD_EDGE}" stroke-width="2"/>'
        f'<path d="M{radius + 2} 3 H{width - radius - 2}" stroke="#2c3f5d" stroke-width="1.5" stroke-opacity="0.7"/>'
    )
    return width, height, svg(width, height, body)


def logo():
    """The program's word mark: a rounded play symbol and the name."""
    width, height = 760, 200
    defs = vertical_gradient("mark", ACCENT_TOP, ACCENT_BOTTOM)
    body = (
        '<rect x="14" y="22" width="156" height="156" rx="40" fill="url(#mark)"/>'
        '<path d="M72 62 L126 100 L72 138 Z" fill="#ffffff" stroke="#ffffff" stroke-width="12" stroke-linejoin="round"/>'
        f'<text x="204" y="142" font-family="{FONT}" font-weight="bold" font-size="128" '
        f'letter-spacing="2" fill="#f3f7fc">Tavizo</text>'
    )
    return width, height, svg(width, height, body, defs)


def button(icon_function, focused, base=CARD, icon_colour=None, lit=False):
    """A square push button on a card: its own corners in the card colour.
    icon_colour overrides the idle icon colour (a warning red for muted
    sound); lit adds a small bar under the icon that says the button is on."""
    s = BUTTON_SIZE
    inset = s * 0.05
    radius = s * 0.22
    if focused:
        defs = vertical_gradient("face", ACCENT_TOP, ACCENT_BOTTOM)
        face = (
            f'<rect x="{inset - 3}" y="{inset - 3}" width="{s - 2 * inset + 6}" height="{s - 2 * inset + 6}" '
            f'rx="{radius + 3}" fill="none" stroke="{ACCENT}" stroke-opacity="0.45" stroke-width="5"/>'
            f'<rect x="{inset}" y="{inset}" width="{s - 2 * inset}" height="{s - 2 * inset}" rx="{radius}" '
            f'fill="url(#face)" stroke="{ACCENT_EDGE}" stroke-width="4"/>'
        )
        colour = WHITE
    else:
        defs = vertical_gradient("face", BUTTON_TOP, BUTTON_BOTTOM)
        face = (
            f'<rect x="{inset}" y="{inset}" width="{s - 2 * inset}" height="{s - 2 * inset}" rx="{radius}" '
            f'fill="url(#face)" stroke="{BUTTON_EDGE}" stroke-width="2.5"/>'
        )
        colour = icon_colour or ICON
    body = f'<rect width="{s}" height="{s}" fill="{base}"/>' + face
    if lit:
        body += place_icon(icon_function(colour), s / 2, s * 0.45, s * 0.5)
        bar = WHITE if focused else ACCENT
        body += f'<rect x="{s * 0.36:.1f}" y="{s * 0.75:.1f}" width="{s * 0.28:.1f}" height="{s * 0.055:.1f}" rx="{s * 0.0275:.1f}" fill="{bar}"/>'
    else:
        body += place_icon(icon_function(colour), s / 2, s / 2, s * 0.56)
    return s, s, svg(s, s, body, defs)


def grip(focused):
    """The resize handle in the bottom-right corner."""
    s = 96
    colour = ACCENT if focused else "#5a6f90"
    body = f'<rect width="{s}" height="{s}" fill="{CARD}"/>'
    if focused:
        body += f'<rect x="3" y="3" width="{s - 6}" height="{s - 6}" rx="18" fill="#17345e" stroke="{ACCENT}" stroke-width="3"/>'
    body += place_icon(icon_grip(colour), s / 2, s / 2, s * 0.8)
    return s, s, svg(s, s, body)


TILE_COLOURS = {
    # name: (idle icon colour, focused face top, focused face bottom)
    "media": ("#5aaeff", "#4ea8ff", "#1d5fcc"),
    "options": ("#ad95ff", "#a68cff", "#5a3fcf"),
    "quit": ("#3fd6b9", "#36cdb0", "#11806f"),
    "power": ("#ff8278", "#ff7b72", "#c2303c"),
}


def tile(kind, icon_function, focused):
    """A start-menu tile: a tall rounded card with a large icon; the program
    writes the label into its lower part."""
    width, height = 300, 400
    idle_icon, face_top, face_bottom = TILE_COLOURS[kind]
    if focused:
        defs = vertical_gradient("face", face_top, face_bottom)
        face = (
            f'<rect x="3" y="3" width="{width - 6}" height="{height - 6}" rx="30" fill="url(#face)" '
            f'stroke="{KEY_DARK}" stroke-width="3"/>'
            f'<rect x="9" y="9" width="{width - 18}" height="{height - 18}" rx="25" fill="none" '
            f'stroke="#ffffff" stroke-opacity="0.9" stroke-width="5"/>'
        )
        colour = WHITE
        hole = face_bottom
    else:
        defs = vertical_gradient("face", "#1d2d47", "#131e31")
        face = (
            f'<rect x="3" y="3" width="{width - 6}" height="{height - 6}" rx="30" fill="url(#face)" '
            f'stroke="{KEY_DARK}" stroke-width="3"/>'
            f'<rect x="9" y="9" width="{width - 18}" height="{height - 18}" rx="25" fill="none" '
            f'stroke="#2d4266" stroke-width="2.5"/>'
        )
        colour = idle_icon
        hole = "#182640"
    if kind in ("options", "media"):
        icon = icon_function(colour, hole)
    else:
        icon = icon_function(colour)
    body = face + place_icon(icon, width / 2, 150, 150)
    return width, height, svg(width, height, body, defs)


def title_bar_focus(width, height):
    """The title bar while it has the focus (its idle look is a plain box)."""
    body = (
        f'<rect width="{width}" height="{height}" fill="{CARD}"/>'
        f'<rect x="3" y="3" width="{width - 6}" height="{height - 6}" rx="{height * 0.25:.1f}" '
        f'fill="#17345e" stroke="{ACCENT}" stroke-width="3"/>'
    )
    return width, height, svg(width, height, body)


def list_panel(width, height, track, focused):
    """The play list's well; track = (x, y, w, h) of the scroll bar in percent.
    The focused well has a broad accent edge: the cursor row looks the same
    with and without the focus, so the edge is what tells them apart."""
    tx, ty, tw, th = track
    body = f'<rect width="{width}" height="{height}" fill="{CARD}"/>'
    if focused:
        body += (
            f'<rect x="2" y="2" width="{width - 4}" height="{height - 4}" rx="17" fill="none" '
            f'stroke="{ACCENT}" stroke-opacity="0.4" stroke-width="4"/>'
            f'<rect x="6.5" y="6.5" width="{width - 13}" height="{height - 13}" rx="13" fill="{WELL}" '
            f'stroke="{ACCENT_TOP}" stroke-width="7"/>'
        )
    else:
        body += (
            f'<rect x="3" y="3" width="{width - 6}" height="{height - 6}" rx="14" fill="{WELL}" '
            f'stroke="{WELL_EDGE}" stroke-width="2"/>'
        )
    body += (
        f'<rect x="{width * tx / 100:.1f}" y="{height * ty / 100:.1f}" width="{width * tw / 100:.1f}" '
        f'height="{height * th / 100:.1f}" fill="{TRACK}"/>'
    )
    return width, height, svg(width, height, body)


def bar_panel(width, height, bar, base=CARD):
    """A text panel with the empty track of a progress bar; bar in percent."""
    bx, by, bw, bh = bar
    body = (
        f'<rect width="{width}" height="{height}" fill="{base}"/>'
        f'<rect x="{width * bx / 100:.1f}" y="{height * by / 100:.1f}" width="{width * bw / 100:.1f}" '
        f'height="{height * bh / 100:.1f}" fill="{TRACK}"/>'
    )
    return width, height, svg(width, height, body)


def volume_track(width, height, bar, segments, focused):
    """The volume meter: a tall well that the program fills from the bottom.
    The marks between its segments are drawn a little wider than the rows
    the program leaves open there (a twentieth of a segment), so the open
    rows always show a mark."""
    bx, by, bw, bh = bar
    x, y, w, h = width * bx / 100, height * by / 100, width * bw / 100, height * bh / 100
    body = f'<rect width="{width}" height="{height}" fill="{CARD}"/>'
    if focused:
        body += (
            f'<rect x="3" y="3" width="{width - 6}" height="{height - 6}" rx="{width * 0.22:.1f}" '
            f'fill="#17345e" stroke="{ACCENT}" stroke-width="3"/>'
        )
    body += f'<rect x="{x - 3:.1f}" y="{y - 3:.1f}" width="{w + 6:.1f}" height="{h + 6:.1f}" fill="{WELL_EDGE}"/>'
    body += f'<rect x="{x:.1f}" y="{y:.1f}" width="{w:.1f}" height="{h:.1f}" fill="{WELL}"/>'
    mark = h / segments * 0.09
    for step in range(1, segments):
        ty = y + h * step / segments
        body += f'<rect x="{x:.1f}" y="{ty - mark / 2:.2f}" width="{w:.1f}" height="{mark:.2f}" fill="{TRACK}"/>'
    return width, height, svg(width, height, body)


def option_row(width, height, focused):
    """A wide option button; the program writes its value into it."""
    radius = height * 0.24
    if focused:
        defs = vertical_gradient("face", ACCENT_TOP, ACCENT_BOTTOM)
        face = (
            f'<rect x="2" y="2" width="{width - 4}" height="{height - 4}" rx="{radius + 2:.1f}" fill="none" '
            f'stroke="{ACCENT}" stroke-opacity="0.45" stroke-width="4"/>'
            f'<rect x="5" y="5" width="{width - 10}" height="{height - 10}" rx="{radius:.1f}" '
            f'fill="url(#face)" stroke="{ACCENT_EDGE}" stroke-width="3.5"/>'
        )
    else:
        defs = vertical_gradient("face", BUTTON_TOP, BUTTON_BOTTOM)
        face = (
            f'<rect x="5" y="5" width="{width - 10}" height="{height - 10}" rx="{radius:.1f}" '
            f'fill="url(#face)" stroke="{BUTTON_EDGE}" stroke-width="2.5"/>'
        )
    body = f'<rect width="{width}" height="{height}" fill="{CARD}"/>' + face
    return width, height, svg(width, height, body, defs)


def overlay_banner(width, height):
    """The title banner over full-screen video: opaque, so the video cannot
    bleed through the text."""
    body = (
        f'<rect x="1.5" y="1.5" width="{width - 3}" height="{height - 3}" rx="{height * 0.22:.1f}" '
        f'fill="{CARD}" stroke="{CARD_EDGE}" stroke-width="2"/>'
        f'<rect x="{height * 0.28:.1f}" y="{height * 0.22:.1f}" width="{height * 0.09:.1f}" '
        f'height="{height * 0.56:.1f}" rx="{height * 0.045:.1f}" fill="{ACCENT}"/>'
    )
    return width, height, svg(width, height, body)


def overlay_box(width, height, dots, heading=""):
    """A centred message box; dots adds a quiet 'working' mark under the text,
    heading a small title above it."""
    body = (
        f'<rect x="1.5" y="1.5" width="{width - 3}" height="{height - 3}" rx="22" '
        f'fill="{CARD}" stroke="{ACCENT}" stroke-width="3"/>'
        f'<rect x="7" y="7" width="{width - 14}" height="{height - 14}" rx="17" fill="none" '
        f'stroke="{CARD_EDGE}" stroke-width="2"/>'
    )
    if heading:
        body += (
            f'<text x="{width / 2:.1f}" y="{height * 0.29:.1f}" text-anchor="middle" font-family="{FONT}" '
            f'font-weight="bold" font-size="{height * 0.14:.1f}" letter-spacing="3" fill="{ACCENT}">{heading}</text>'
        )
    if dots:
        cy = height * 0.74
        for n, opacity in enumerate((1.0, 0.65, 0.35)):
            cx = width / 2 + (n - 1) * 34
            body += f'<circle cx="{cx:.1f}" cy="{cy:.1f}" r="9" fill="{ACCENT}" fill-opacity="{opacity}"/>'
    return width, height, svg(width, height, body)


def clear():
    """A see-through picture: the element draws its text and nothing else."""
    return 4, 4, svg(4, 4, "")

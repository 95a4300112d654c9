#!/usr/bin/env python3
"""Writes the default skin: skins/default.tvs and the SVG sources of its
pictures in skins/src/svg/. render.sh runs this and then turns the SVG files
into the PNG pictures of skins/default/.

All geometry is in percent of the window. The window keeps 4:3 while it is a
window and is 16:9 on most screens in full screen, so every square button is
laid out square at 4:3 and its picture keeps its own aspect (picture width -1):
at 16:9 the picture stays round and the gaps between buttons grow. Wide
pictures without icons (cards, bars, rows) simply stretch.
"""

import os

import artwork as art

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN_FILE = os.path.join(HERE, "..", "default.tvs")
SVG_FOLDER = os.path.join(HERE, "svg")

# Stretched pictures are drawn for a screen between 4:3 and 16:9, so that
# neither shape distorts their rounded corners by more than about 15 %.
REFERENCE_WIDTH = 1680
REFERENCE_HEIGHT = 1080

FONT = art.FONT
KEY_COLOUR = (16, 0, 16)  # the video shows through this colour
CARD = (17, 27, 43)
WINDOW_BACK = (5, 8, 15)
TEXT = (225, 232, 242)
TEXT_FOCUSED = (255, 255, 255)
TEXT_QUIET = (160, 178, 204)
ACCENT = (61, 155, 255)
PLAYING = (28, 156, 146)  # a teal band: the playing row, and its text on the cursor row
CURSOR_ROW = (35, 98, 190)
MUTED_BAR = (74, 90, 116)
VOLUME_SEGMENTS = 10

STATES = ("Idle", "Selected", "Pressed", "Disabled")


def number(value):
    text = f"{value:.4f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


# ---------------------------------------------------------------- pictures

pictures = []  # (file name, (width, height, svg))
picture_numbers = {}


def picture(name, made):
    """The number of the picture called name; made() draws it on first use."""
    if name not in picture_numbers:
        pictures.append((name, made()))
        picture_numbers[name] = len(pictures)
    return picture_numbers[name]


def stretched_size(w, h):
    return round(w * REFERENCE_WIDTH / 100), round(h * REFERENCE_HEIGHT / 100)


# ---------------------------------------------------------------- elements

elements = []


class Element:
    def __init__(self, window, name, x, y, w, h, info="", back=CARD, comment=None):
        self.window = window
        self.name = name
        self.x, self.y, self.w, self.h = x, y, w, h
        self.info = info
        self.back = back
        self.pics = {}
        self.texts = {}
        self.moves = ["", "", "", "", ""]
        self.comment = comment
        elements.append(self)

    def pic(self, state, number_, x=0, y=0, w=100, h=100):
        self.pics[state] = (number_, x, y, w, h)
        return self

    def square_pic(self, state, number_, height=90):
        """A picture that keeps its own shape, centred, height percent high."""
        return self.pic(state, number_, -1, -1, -1, height)

    def text(self, state, text, colour=TEXT, x=0, y=0, w=100, h=100, lines=1, font=FONT):
        self.texts[state] = (text, font, colour, x, y, w, h, lines)
        return self

    def move(self, north="", east="", south="", west="", pressed=""):
        def full(target):
            if not target or target.startswith("*.") or "." in target:
                return target
            return self.window + "." + target

        self.moves = [full(north), full(east), full(south), full(west), full(pressed)]
        return self


def background_element(window, back=WINDOW_BACK):
    Element(window, "wndMain", 0, 0, 100, 100, back=back, comment="background colour")


def backdrop(window):
    e = Element(window, "mskBackground", 0, 0, 100, 100, comment="the night-blue backdrop")
    e.pic("Idle", picture("background", art.background))


def label(window, name, x, y, w, h, comment=None):
    """A text on the backdrop: a see-through picture, so no box is drawn."""
    e = Element(window, name, x, y, w, h, comment=comment)
    e.pic("Idle", picture("clear", art.clear))
    return e


def card(window, name, x, y, w, h):
    pw, ph = stretched_size(w, h)
    e = Element(window, name, x, y, w, h)
    e.pic("Idle", picture(f"card_{pw}x{ph}", lambda: art.card(pw, ph)))
    return e


def icon_button(window, name, x, y, w, h, icon, info, height=90, base_name=None):
    """A square button with an idle and a focused picture."""
    key = base_name or icon.__name__[len("icon_"):]
    e = Element(window, name, x, y, w, h, info=info)
    e.square_pic("Idle", picture(f"button_{key}", lambda: art.button(icon, False)), height)
    e.square_pic("Selected", picture(f"button_{key}_focus", lambda: art.button(icon, True)), height)
    return e


def button_pictures(icon, key=None, idle_colour=None, lit=False):
    """The idle and the focused picture of a button: (idle number, focused number)."""
    key = key or icon.__name__[len("icon_"):]
    idle = picture(f"button_{key}", lambda: art.button(icon, False, icon_colour=idle_colour, lit=lit))
    focused = picture(f"button_{key}_focus", lambda: art.button(icon, True, lit=lit))
    return idle, focused


def toggle_pictures(e, off, on, height=90):
    """Idle/Selected show the 'off' look, Pressed/Disabled the 'on' look;
    off and on are pairs from button_pictures."""
    e.square_pic("Idle", off[0], height)
    e.square_pic("Selected", off[1], height)
    e.square_pic("Pressed", on[0], height)
    e.square_pic("Disabled", on[1], height)
    return e


def grip(window, x, y, w, h):
    e = Element(window, "cmdFormResize", x, y, w, h, info="Resize the window (Enter: full screen)")
    e.square_pic("Idle", picture("grip", lambda: art.grip(False)), 100)
    e.square_pic("Selected", picture("grip_focus", lambda: art.grip(True)), 100)
    return e


# Shared frame of the three main windows: a title bar with the window buttons
# on top and the status line with the resize grip at the bottom.
TOP = dict(card_x=1, card_y=1, card_w=98, card_h=8.5, y=2, h=6.5)
BUTTON_W_TOP = TOP["h"] * 0.75
MINMAX_X = 99 - 0.75 - BUTTON_W_TOP
HIDE_X = MINMAX_X - 0.75 - BUTTON_W_TOP
TITLE_X = 1.75
TITLE_W = HIDE_X - 0.75 - TITLE_X
STATUS = dict(card_x=1, card_y=89, card_w=98, card_h=9.5)
GRIP_W, GRIP_H = 3.75, 5
GRIP_X = 99 - 0.75 - GRIP_W
GRIP_Y = 98.5 - 1 - GRIP_H


def top_bar(window, south_title, south_buttons):
    card(window, "mskTopBar", TOP["card_x"], TOP["card_y"], TOP["card_w"], TOP["card_h"])
    title = Element(window, "cmdFormMove", TITLE_X, TOP["y"], TITLE_W, TOP["h"],
                    info="Move the window (Enter, then the arrows)")
    pw, ph = stretched_size(TITLE_W, TOP["h"])
    title.pic("Selected", picture("title_focus", lambda: art.title_bar_focus(pw, ph)))
    title.text("Idle", "", TEXT_QUIET, 1.5, -1, 97, 56)
    title.text("Selected", "", TEXT_FOCUSED, 1.5, -1, 97, 56)
    title.move(east="cmdFormHide", south=south_title, pressed="*.cmdFormMove")
    icon_button(window, "cmdFormHide", HIDE_X, TOP["y"], BUTTON_W_TOP, TOP["h"], art.icon_minimise,
                "Minimise", 88).move(east="cmdFormMinMax", south=south_buttons, west="cmdFormMove",
                                       pressed="*.cmdFormHide")
    icon_button(window, "cmdFormMinMax", MINMAX_X, TOP["y"], BUTTON_W_TOP, TOP["h"], art.icon_window,
                "Full screen or window", 88).move(south=south_buttons, west="cmdFormHide",
                                                  pressed="*.cmdFormMinMax")


def status_line(window, grip_north):
    card(window, "mskStatusCard", STATUS["card_x"], STATUS["card_y"], STATUS["card_w"], STATUS["card_h"])
    status = Element(window, "picStatus", 1.75, 90, GRIP_X - 0.75 - 1.75, 7.5,
                     comment="status line: help texts, list rows, modes")
    status.text("Idle", "", TEXT_QUIET, 1.5, -1, 97, 56)
    grip(window, GRIP_X, GRIP_Y, GRIP_W, GRIP_H).move(north=grip_north, pressed="*.cmdFormMinMax")


# ---------------------------------------------------------------- wndMain


def start_menu():
    w = "wndMain"
    background_element(w)
    backdrop(w)
    top_bar(w, "cmdLibrary", "cmdQuit")
    # cmdFormMinMax of the start menu leads down to the last tile instead.
    elements[-1].move(south="cmdShutdown", west="cmdFormHide", pressed="*.cmdFormMinMax")

    logo = Element(w, "mskLogo", -1, 13, 60, 14)
    logo.square_pic("Idle", picture("logo", art.logo), 100)

    tiles = [
        ("cmdLibrary", "media", art.icon_media, "Videos & Music", "Browse and play videos and music",
         "wndVidMain.lstPlaylist"),
        ("cmdOptions", "options", art.icon_sliders, "Options", "Settings, and teaching keys",
         "wndOptionsMain.cmdChangeOutputAR"),
        ("cmdQuit", "quit", art.icon_exit, "Quit", "Close Tavizo", "*.cmdQuitTavizo"),
        ("cmdShutdown", "power", art.icon_power, "Shut down", "Turn the computer off",
         "*.cmdShutdownComputer"),
    ]
    tile_h = 36
    tile_w = tile_h * 0.75 * 0.75  # a 3:4 tile at 4:3
    gap = 2.5
    left = (100 - 4 * tile_w - 3 * gap) / 2
    names = [t[0] for t in tiles]
    north = ["cmdFormMove", "cmdFormMove", "cmdFormHide", "cmdFormMinMax"]
    for n, (name, kind, icon, words, info, pressed) in enumerate(tiles):
        e = Element(w, name, left + n * (tile_w + gap), 33, tile_w, tile_h, info=info)
        e.square_pic("Idle", picture(f"tile_{kind}", lambda k=kind, i=icon: art.tile(k, i, False)), 100)
        e.square_pic("Selected", picture(f"tile_{kind}_focus", lambda k=kind, i=icon: art.tile(k, i, True)), 100)
        e.text("Idle", words, TEXT, -1, 72, 90, 11)
        e.text("Selected", words, TEXT_FOCUSED, -1, 72, 90, 11)
        e.move(north=north[n], east=names[n + 1] if n < 3 else "",
               south="cmdFormResize" if n == 3 else "", west=names[n - 1] if n else "", pressed=pressed)

    hint = label(w, "mskHint", 2, 70.5, 96, 5.5, comment="a line of help under the tiles")
    hint.text("Idle", "Arrow keys move · Enter selects · Alt+Enter teaches a new key", TEXT_QUIET,
              -1, -1, 100, 60)
    status_line(w, "cmdShutdown")


# ---------------------------------------------------------------- wndVidMain


def player():
    w = "wndVidMain"
    background_element(w)
    backdrop(w)
    top_bar(w, "lstPlaylist", "cmdVolUp")

    # The play list: eleven rows, large enough to read from the sofa.
    list_right = 53.5
    card(w, "mskListCard", 1, 11, list_right - 1, 64)
    track = (95, 4, 1.6, 92)
    lst = Element(w, "lstPlaylist", 1.75, 12, list_right - 2.5, 62, back=CURSOR_ROW,
                  info="Enter plays, Left goes up a folder",
                  comment="rows: Selected = text, Pressed = cursor text, Disabled = playing; "
                          "BackColor = cursor row; Pressed picture fields = scroll bar")
    pw, ph = stretched_size(lst.w, lst.h)
    lst.pic("Idle", picture("list", lambda: art.list_panel(pw, ph, track, False)))
    lst.pic("Selected", picture("list_focus", lambda: art.list_panel(pw, ph, track, True)))
    lst.pic("Pressed", 0, *track)
    for state, colour in (("Idle", TEXT), ("Selected", TEXT), ("Pressed", TEXT_FOCUSED), ("Disabled", PLAYING)):
        lst.text(state, "", colour, 3.5, 3, 89.5, 94, 11)
    lst.move(east="cmdPlay", west="*.cmdPlaylistBack", pressed="*.lstPlaylist")

    # The video, framed by its card and drawn with the key colour. The picture
    # fills the width of this area and is cut at top and bottom when the area
    # is wider than the picture, so the area is 4:3 in a 4:3 window: there any
    # picture fits whole, and in a 16:9 screen it becomes 16:9, which fits a
    # wide film exactly.
    video_x, video_w = list_right + 1.75, 36
    video_h = video_w  # equal percentages make 4:3 in a 4:3 window
    card(w, "mskVideoCard", video_x - 0.75, 11, video_w + 1.5, video_h + 2)
    Element(w, "picVideoWindow", video_x, 12, video_w, video_h, back=KEY_COLOUR,
            comment="no picture: the video shows through")

    info_y = 11 + video_h + 2 + 1.25
    card(w, "mskInfoCard", video_x - 0.75, info_y, video_w + 1.5, 75 - info_y)
    info = Element(w, "picVideoInfo", video_x, info_y + 1, video_w, 75 - info_y - 2,
                   comment="time, state, aspect and play mode; Selected text fields = progress bar")
    bar = (5, 88, 90, 5)
    pw, ph = stretched_size(info.w, info.h)
    info.pic("Idle", picture("info_panel", lambda: art.bar_panel(pw, ph, bar)))
    info.text("Idle", "", TEXT, 5, 4, 90, 80, 5)
    info.text("Selected", "", ACCENT, *bar, 1)

    # Volume: a tall meter between louder and softer.
    card(w, "mskVolumeCard", 93, 11, 6, 64)
    bw, bh = 5.25, 7
    bx = 93 + (6 - bw) / 2
    mute_y = 75 - 1 - bh
    down_y = mute_y - 0.75 - bh
    up_y = 12
    meter_y = up_y + bh + 0.75
    icon_button(w, "cmdVolUp", bx, up_y, bw, bh, art.icon_volume_up, "Louder").move(
        north="cmdFormMinMax", south="cmdVolControl", west="lstPlaylist", pressed="*.cmdVolUp")
    meter = Element(w, "cmdVolControl", bx, meter_y, bw, down_y - 0.75 - meter_y,
                    info="Volume (Enter: sound on or off)",
                    comment="Selected text fields = the volume bar, filled from the bottom in its "
                            "segments (text lines); Disabled text colour = the bar while muted")
    meter_bar = (30, 4, 40, 92)
    pw, ph = stretched_size(meter.w, meter.h)
    meter.pic("Idle", picture("volume", lambda: art.volume_track(pw, ph, meter_bar, VOLUME_SEGMENTS, False)))
    meter.pic("Selected", picture("volume_focus",
                                  lambda: art.volume_track(pw, ph, meter_bar, VOLUME_SEGMENTS, True)))
    # The bar leaves the marks between its segments open; muted, it keeps its
    # level in a quiet slate.
    meter.text("Selected", "", ACCENT, *meter_bar, VOLUME_SEGMENTS)
    meter.text("Disabled", "", MUTED_BAR, *meter_bar, VOLUME_SEGMENTS)
    meter.move(north="cmdVolUp", south="cmdVolDown", west="lstPlaylist", pressed="*.cmdMute")
    icon_button(w, "cmdVolDown", bx, down_y, bw, bh, art.icon_volume_down, "Softer").move(
        north="cmdVolControl", south="cmdMute", west="lstPlaylist", pressed="*.cmdVolDown")
    mute = Element(w, "cmdMute", bx, mute_y, bw, bh, info="Sound on or off")
    toggle_pictures(mute, button_pictures(art.icon_muted, idle_colour=art.WARNING),
                    button_pictures(art.icon_sound_on))
    mute.move(north="cmdVolDown", south="cmdPlayMode", west="lstPlaylist", pressed="*.cmdMute")

    # The dock: home and folder-up, the transport, the picture controls.
    card(w, "mskDock", 1, 77, 98, 10.5)
    dock = [
        ("cmdHome", art.icon_home, "Back to the start menu", "wndMain.cmdLibrary"),
        ("cmdPlaylistBack", art.icon_folder_up, "Up one folder", "*.cmdPlaylistBack"),
        None,
        ("cmdPrevious", art.icon_previous, "Previous file", "*.cmdPrevious"),
        ("cmdRewind", art.icon_rewind, "Rewind (again: faster)", "*.cmdRewind"),
        ("cmdPlay", None, "Play or pause", "*.cmdPlay"),
        ("cmdPause", art.icon_pause, "Pause", "*.cmdPause"),
        ("cmdStop", art.icon_stop, "Stop", "*.cmdStop"),
        ("cmdForward", art.icon_forward, "Fast forward (again: faster)", "*.cmdForward"),
        ("cmdNext", art.icon_next, "Next file", "*.cmdNext"),
        ("cmdForceEnd", art.icon_force_end, "Skip to the end", "*.cmdForceEnd"),
        None,
        ("cmdFullsize", art.icon_fullsize, "Full-screen video", "*.cmdFullsize"),
        ("cmdARMode", art.icon_ratio, "Aspect: source, forced or zoom", "*.cmdARMode"),
        ("cmdSubtitle", art.icon_subtitles, "Subtitles: next track or off", "*.cmdSubtitle"),
        ("cmdAudioTrack", art.icon_audio_track, "Next audio track", "*.cmdAudioTrack"),
        ("cmdPlayMode", art.icon_play_mode, "Play mode: single, all, random, repeat", "*.cmdPlayMode"),
    ]
    dh = 7.8
    dw = dh * 0.75
    dock_y = 77 + (10.5 - dh) / 2
    buttons = [d for d in dock if d]
    gap = (96.5 - len(buttons) * dw) / 2
    x = 1.75
    names = [d[0] for d in buttons]
    for entry in dock:
        if entry is None:
            x += gap
            continue
        name, icon, info, pressed = entry
        i = names.index(name)
        east = names[i + 1] if i + 1 < len(names) else ""
        west = names[i - 1] if i > 0 else ""
        if name == "cmdPlay":
            e = Element(w, name, x, dock_y, dw, dh, info=info)
            # Playing lights the play button: the pause button sits next to it.
            toggle_pictures(e, button_pictures(art.icon_play),
                            button_pictures(art.icon_play, key="play_on", idle_colour=art.ACCENT_TOP, lit=True))
        else:
            e = icon_button(w, name, x, dock_y, dw, dh, icon, info)
        if name in ("cmdFullsize", "cmdARMode", "cmdSubtitle", "cmdAudioTrack", "cmdPlayMode"):
            e.move(north="cmdMute", east=east, south="cmdFormResize", west=west, pressed=pressed)
        else:
            e.move(north="lstPlaylist", east=east, west=west, pressed=pressed)
        x += dw

    status_line(w, "cmdPlayMode")


# ---------------------------------------------------------------- wndOptionsMain


def options():
    w = "wndOptionsMain"
    background_element(w)
    backdrop(w)
    top_bar(w, "cmdChangeOutputAR", "cmdSetCursorKeys")

    heading = label(w, "mskHeading", 2, 10.25, 60, 8)
    heading.text("Idle", "Options", TEXT_FOCUSED, 0, -1, 100, 70)

    # The columns end above the key prompt, which covers the bottom of the window.
    row_h, row_gap = 7.25, 1.15
    first_row_y = 25.25
    rows_y = [first_row_y + n * (row_h + row_gap) for n in range(6)]
    card_y = 18.5
    card_h = rows_y[-1] + row_h + 1.25 - card_y

    def column(x, title):
        card(w, "mskCard" + title.split()[0], x, card_y, 48.5, card_h)
        caption = Element(w, "mskTitle" + title.split()[0], x + 1.5, card_y + 1, 45, 5.5)
        caption.text("Idle", title, TEXT_QUIET, 0, -1, 100, 70)

    def row(name, x, n, info, words=""):
        e = Element(w, name, x + 1.25, rows_y[n], 46, row_h, info=info)
        pw, ph = stretched_size(46, row_h)
        e.pic("Idle", picture("row", lambda: art.option_row(pw, ph, False)))
        e.pic("Selected", picture("row_focus", lambda: art.option_row(pw, ph, True)))
        e.text("Idle", words, TEXT, 5, -1, 90, 54)
        e.text("Selected", words, TEXT_FOCUSED, 5, -1, 90, 54)
        return e

    column(1, "Playback & picture")
    left = [
        ("cmdChangeOutputAR", "For a display that stretches 16:9 pictures", ""),
        ("cmdChangeAlwaysOnTop", "Keep Tavizo above other windows", ""),
        ("cmdChangeOSDTime", "How long the on-screen title stays", ""),
        ("cmdForceVideoForeground", "Keep the video in front", ""),
        ("cmdARMode", "Aspect: source, forced or zoom", "Next aspect ratio mode"),
        ("cmdPlayMode", "Play mode: single, all, random, repeat", "Next play mode"),
    ]
    right_of = ["cmdSetCursorKeys", "cmdSetActionKey", "cmdSetConfigInputKey", "cmdBack", "cmdBack", "cmdBack"]
    for n, (name, info, words) in enumerate(left):
        north = left[n - 1][0] if n else "cmdFormMove"
        south = left[n + 1][0] if n < 5 else "cmdFormResize"
        row(name, 1, n, info, words).move(north=north, east=right_of[n], south=south,
                                         pressed="*." + name)

    column(50.5, "Keys & remote")
    right = [
        ("cmdSetCursorKeys", "Teach new keys for up, right, down, left", "Teach the arrow keys"),
        ("cmdSetActionKey", "Teach a new key for select", "Teach the select key"),
        ("cmdSetConfigInputKey", "Teach the key that teaches keys", "Teach the 'teach' key"),
    ]
    for n, (name, info, words) in enumerate(right):
        north = right[n - 1][0] if n else "cmdFormHide"
        south = right[n + 1][0] if n < 2 else "cmdBack"
        row(name, 50.5, n, info, words).move(north=north, south=south, west=left[n][0],
                                            pressed="*." + name)
    tip = Element(w, "mskTip", 53, rows_y[3], 43.5, 2 * row_h + row_gap)
    tip.text("Idle", "Tip: Alt+Enter on any button§teaches it a key of its own.",
             TEXT_QUIET, 0, -1, 100, 50, 2)
    row("cmdBack", 50.5, 5, "Back to the start menu", "Back").move(
        north="cmdSetConfigInputKey", south="cmdFormResize", west="cmdPlayMode", pressed="wndMain.cmdOptions")

    hint = label(w, "mskHint", 2, 77.5, 96, 5.5, comment="a line of help under the columns")
    hint.text("Idle", "Up and down choose · Enter changes · Left and right switch columns", TEXT_QUIET,
              -1, -1, 100, 60)
    status_line(w, "cmdBack")


# ---------------------------------------------------------------- wndInfo


def information():
    w = "wndInfo"
    background_element(w, KEY_COLOUR)
    banner = Element(w, "fsMediaInfo", 4, 4, 92, 10, back=KEY_COLOUR,
                     comment="the title over full-screen video")
    pw, ph = stretched_size(banner.w, banner.h)
    banner.pic("Idle", picture("banner", lambda: art.overlay_banner(pw, ph)))
    banner.text("Idle", "", TEXT_FOCUSED, 4, -1, 93, 56)

    def box(name, y, w_, h_, text, lines, text_y, text_h, dots):
        """A message box in the middle; its picture keeps its shape."""
        e = Element(w, name, -1, y, w_, h_, back=KEY_COLOUR)
        pw_ = round(w_ * 1440 / 100)
        ph_ = round(h_ * 1080 / 100)
        key = "box_dots" if dots else "box"
        e.square_pic("Idle", picture(f"{key}_{pw_}x{ph_}", lambda: art.overlay_box(pw_, ph_, dots)), 100)
        e.text("Idle", text, TEXT_FOCUSED, -1, text_y, 90, text_h, lines)
        return e

    box("waitPrepare", 41, 40, 16, "Preparing media...", 1, 18, 30, True)
    box("scanContent", 41, 40, 16, "Reading the folder...", 1, 18, 30, True)

    # The key prompt is a sheet over the bottom of the window: over the dock
    # and the status line of the player, over the hint lines of the menus.
    # There it stays clear of the video information, which the program
    # redraws every second while something plays, and leaves the tiles, the
    # options and the list in sight. The program writes two lines: this
    # element's information text and the quoted description of what is
    # being taught.
    prompt = Element(w, "configInput", -1, 76.5, 98, 22, info="Press a key or pad button for",
                     back=KEY_COLOUR,
                     comment="the prompt; the program adds the description of what is taught")
    pw, ph = stretched_size(prompt.w, prompt.h)
    prompt.pic("Idle", picture("prompt", lambda: art.overlay_box(pw, ph, False, "TEACH A NEW INPUT")))
    prompt.text("Idle", "", TEXT_FOCUSED, -1, 38, 92, 50, 2)


# ---------------------------------------------------------------- wndRemote


def remote():
    w = "wndRemote"
    # The panel has no title of its own: calling it shows the title banner
    # over the video (wndInfo.fsMediaInfo), and a second title in the panel
    # would say the same thing twice.
    margin = 2.2
    ch = 9
    cw = ch * 0.75
    gx, gy = 0.75, 0.9
    grid_h = 3 * ch + 2 * gy
    px, pwid, phei = 19.25, 61.5, margin + grid_h + margin
    py = 96 - phei
    # The window colour element and every element here clear to the key
    # colour, so the video comes back when the panel is taken away.
    Element(w, "wndMain", px, py, pwid, phei, back=KEY_COLOUR, comment="background colour")
    panel = Element(w, "mskRemotePanel", px, py, pwid, phei, back=KEY_COLOUR)
    rw, rh = stretched_size(pwid, phei)
    panel.pic("Idle", picture("remote_panel", lambda: art.card(rw, rh, 22)))

    info = Element(w, "picRemoteInfo", px + 2, py + margin, 26, grid_h, back=KEY_COLOUR,
                   comment="position and state; Selected text fields = progress bar")
    bar = (4, 80, 92, 7)
    iw, ih = stretched_size(info.w, info.h)
    info.pic("Idle", picture("remote_info", lambda: art.bar_panel(iw, ih, bar)))
    info.text("Idle", "", TEXT, 4, 10, 92, 42, 2)
    info.text("Selected", "", ACCENT, *bar, 1)

    grid_left = px + pwid - 2 - (4 * cw + 3 * gx)
    grid_top = py + margin

    def cell(name, col, row_, icon, info_, off_on=None):
        x = grid_left + col * (cw + gx)
        y = grid_top + row_ * (ch + gy)
        if off_on:
            e = Element(w, name, x, y, cw, ch, info=info_, back=KEY_COLOUR)
            toggle_pictures(e, *(button_pictures(icon_) for icon_ in off_on))
        else:
            e = icon_button(w, name, x, y, cw, ch, icon, info_)
            e.back = KEY_COLOUR
        return e

    # Moving onto a button presses it; moving the same way again presses it
    # again (faster winding, play and pause).
    cell("cmdPrevious", 0, 0, art.icon_previous, "Previous file").move(
        east="cmdPlay", south="cmdRewind", pressed="*.cmdPrevious")
    cell("cmdPlay", 1, 0, None, "Play or pause", (art.icon_play, art.icon_pause)).move(
        north="cmdPlay", east="cmdNext", south="cmdStartButton", west="cmdPrevious", pressed="*.cmdPlay")
    cell("cmdNext", 2, 0, art.icon_next, "Next file").move(
        east="cmdSubtitle", south="cmdForward", west="cmdPlay", pressed="*.cmdNext")
    cell("cmdSubtitle", 3, 0, art.icon_subtitles, "Subtitles: next track or off").move(
        east="cmdSubtitle", south="cmdAudioTrack", west="cmdNext", pressed="*.cmdSubtitle")
    cell("cmdAudioTrack", 3, 1, art.icon_audio_track, "Next audio track").move(
        north="cmdSubtitle", south="cmdAudioTrack", west="cmdForward", pressed="*.cmdAudioTrack")
    cell("cmdRewind", 0, 1, art.icon_rewind, "Rewind").move(
        north="cmdPrevious", east="cmdStartButton", west="cmdRewind", pressed="*.cmdRewind")
    cell("cmdStartButton", 1, 1, art.icon_ok, "Play or pause").move(
        north="cmdPlay", east="cmdForward", south="cmdStop", west="cmdRewind", pressed="*.cmdPlay")
    cell("cmdForward", 2, 1, art.icon_forward, "Fast forward").move(
        north="cmdNext", east="cmdForward", south="cmdEmpty", west="cmdStartButton", pressed="*.cmdForward")
    cell("cmdStop", 1, 2, art.icon_stop, "Stop").move(
        north="cmdStartButton", east="cmdEmpty", south="cmdStop", pressed="*.cmdStop")
    cell("cmdEmpty", 2, 2, art.icon_close, "Hide the remote").move(
        north="cmdForward", west="cmdStop")


# ---------------------------------------------------------------- output

STRINGS = [
    ("!.elemMoveN", "Move up"),
    ("!.elemMoveE", "Move right"),
    ("!.elemMoveS", "Move down"),
    ("!.elemMoveW", "Move left"),
    ("!.elemMovePressed", "Select / press"),
    ("!.elemConfigInput", "Teach a new input"),
]

START = "wndMain.cmdLibrary"

WINDOW_NOTES = {
    "wndMain": [
        "The start menu: four tiles in a row under the name. Left and right walk the",
        "tiles, up leads to the window buttons.",
    ],
    "wndVidMain": [
        "The player: the list on the left (up and down move its cursor, left goes up a",
        "folder, right jumps to Play), video and its information in the middle, the",
        "volume column on the right, the dock with the transport below.",
    ],
    "wndOptionsMain": [
        "Options: two columns of wide buttons; up and down inside a column, left and",
        "right between the columns.",
    ],
    "wndInfo": [
        "Messages over the interface and over full-screen video. They clear to the",
        "key colour, so the video comes back where they were.",
    ],
    "wndRemote": [
        "The remote over full-screen video: a cross of buttons around the start",
        "button. Moving onto a button presses it; moving the same way again presses",
        "it again (faster winding, play and pause).",
    ],
}


def quoted(key, value):
    assert '"' not in key and '"' not in str(value), (key, value)
    return f'"{key}","{value}"'


def write_skin():
    out = []
    out.append("' Tavizo default skin: a calm night-blue living-room look.")
    out.append("' Written by skins/src/make_skin.py (run skins/src/render.sh); change it there.")
    out.append("' Geometry is in percent of the window; pictures are in skins/default/.")
    out.append("")
    out.append(quoted("startCtrl", START))
    out.append("")
    out.append("' Descriptions shown while a new input is taught for these actions.")
    out.append(quoted("noStrings", len(STRINGS)))
    for n, (name, text) in enumerate(STRINGS, 1):
        out.append(quoted(f"string{n}", f"{name};{text}"))
    out.append("")
    out.append(quoted("noPics", len(pictures)))
    for n, (name, _) in enumerate(pictures, 1):
        out.append(quoted(f"pic{n}", name + ".png"))
    out.append("")
    out.append(quoted("noCtrls", len(elements)))
    window = None
    for n, e in enumerate(elements, 1):
        if e.window != window:
            window = e.window
            out.append("")
            out.append(f"' ================================================================ {window}")
            for note in WINDOW_NOTES.get(window, []):
                out.append(f"' {note}")
        out.append("")
        if e.comment:
            out.append(f"' {e.comment}")
        out.append(f'"%{n}" {{')
        out.append("  " + quoted("ctrlName", e.name))
        out.append("  " + quoted("ctrlWindow", e.window))
        out.append("  " + quoted("ctrlPos", f"{number(e.x)};{number(e.y)}"))
        out.append("  " + quoted("ctrlSize", f"{number(e.w)};{number(e.h)}"))
        if e.back != (0, 0, 0):
            out.append("  " + quoted("ctrlBackcolor", ";".join(str(c) for c in e.back)))
        if e.info:
            out.append("  " + quoted("ctrlInfoText", e.info))
        for state in STATES:
            if state in e.pics:
                number_, x, y, w, h = e.pics[state]
                out.append("  " + quoted(f"ctrlPic{state}",
                                         ";".join([str(number_)] + [number(v) for v in (x, y, w, h)])))
        for state in STATES:
            if state in e.texts:
                text, font, colour, x, y, w, h, lines = e.texts[state]
                assert ";" not in text
                fields = [text, font] + [str(c) for c in colour] + [number(v) for v in (x, y, w, h)] + [str(lines)]
                out.append("  " + quoted(f"ctrlText{state}", ";".join(fields)))
        if any(e.moves):
            out.append("  " + quoted("ctrlMove", ";".join(e.moves)))
        out.append("}")
    out.append("")
    with open(SKIN_FILE, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out))


def write_pictures():
    os.makedirs(SVG_FOLDER, exist_ok=True)
    wanted = set()
    for name, (width, height, text) in pictures:
        wanted.add(name + ".svg")
        with open(os.path.join(SVG_FOLDER, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(text)
    for stale in set(os.listdir(SVG_FOLDER)) - wanted:
        os.remove(os.path.join(SVG_FOLDER, stale))


def main():
    start_menu()
    player()
    options()
    information()
    remote()
    write_pictures()
    write_skin()
    print(f"{len(elements)} elements, {len(pictures)} pictures")


if __name__ == "__main__":
    main()

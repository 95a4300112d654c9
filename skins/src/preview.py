#!/usr/bin/env python3
"""Draws a rough picture of one skin window, without starting the program,
to judge a layout while working on the skin:

    preview.py WINDOW WIDTH HEIGHT FOCUS OUT.png [--fullscreen-video]

FOCUS is the element name that is drawn in its Selected state. Dynamic
contents (the list, times, bars) are filled with made-up examples. The text
is laid out like the program does it (font height = line height, black
outline); fonts and scaling are close to, not the same as, the program's.
"""

import base64
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN = os.path.join(HERE, "..", "default.tvs")
PICTURES = os.path.join(HERE, "..", "default")
STATES = ("Idle", "Selected", "Pressed", "Disabled")


def read_skin(path):
    """The pairs of a skin file in the subset of the format that make_skin.py writes."""
    values = {}
    section = None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("'"):
                continue
            if line == "}":
                section = None
                continue
            if line.endswith("{"):
                section = line.split('"')[1]
                continue
            parts = line.split('"')
            key, value = parts[1], parts[3]
            if section:
                key = section.replace("%", key, 1)
            values[key] = value
    return values


def fields(text, n):
    parts = [p.strip() for p in text.split(";")]
    parts += [""] * (n - len(parts))
    return parts


def num(text):
    return float(text) if text else 0.0


def load(values):
    pics = {n: values[f"pic{n}"] for n in range(1, int(values["noPics"]) + 1)}
    elements = []
    for i in range(1, int(values["noCtrls"]) + 1):
        e = {"name": values.get(f"ctrlName{i}", ""), "window": values.get(f"ctrlWindow{i}", "")}
        e["pos"] = [num(v) for v in fields(values.get(f"ctrlPos{i}", "0;0"), 2)]
        e["size"] = [num(v) for v in fields(values.get(f"ctrlSize{i}", "100;100"), 2)]
        e["back"] = [int(num(v)) for v in fields(values.get(f"ctrlBackcolor{i}", "0;0;0"), 3)]
        e["pic"], e["text"] = {}, {}
        for s in STATES:
            p = values.get(f"ctrlPic{s}{i}", "")
            if p:
                f_ = fields(p, 5)
                w, h = num(f_[3]), num(f_[4])
                e["pic"][s] = (int(num(f_[0])), num(f_[1]), num(f_[2]), w or 100, h or 100)
            t = values.get(f"ctrlText{s}{i}", "")
            if t:
                f_ = fields(t, 10)
                e["text"][s] = dict(text=f_[0].replace("§", "\n"), font=f_[1],
                                    colour=(int(num(f_[2])), int(num(f_[3])), int(num(f_[4]))),
                                    x=num(f_[5]), y=num(f_[6]), w=num(f_[7]) or 100, h=num(f_[8]) or 100,
                                    lines=int(num(f_[9])) or 1)
        elements.append(e)
    return pics, elements


def rgb(c):
    return f"rgb({c[0]},{c[1]},{c[2]})"


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.parts = []
        self.images = {}

    def rect(self, x, y, w, h, colour):
        self.parts.append(f'<rect x="{x:.1f}" y="{y:.1f}" width="{w:.1f}" height="{h:.1f}" fill="{rgb(colour)}"/>')

    def image(self, file, x, y, w, h):
        if file not in self.images:
            with open(os.path.join(PICTURES, file), "rb") as f:
                self.images[file] = base64.b64encode(f.read()).decode()
        self.parts.append(
            f'<image x="{x:.1f}" y="{y:.1f}" width="{w:.1f}" height="{h:.1f}" preserveAspectRatio="none" '
            f'href="data:image/png;base64,{self.images[file]}"/>')

    def text(self, x, y, size, colour, text, font, anchor="start"):
        text = text.replace("&", "&amp;").replace("<", "&lt;")
        for dx, dy in ((-2, -2), (-2, 2), (2, -2), (2, 2)):
            self.parts.append(f'<text x="{x + dx:.1f}" y="{y + dy:.1f}" font-family="{font}" font-size="{size:.1f}" '
                              f'text-anchor="{anchor}" fill="black">{text}</text>')
        self.parts.append(f'<text x="{x:.1f}" y="{y:.1f}" font-family="{font}" font-size="{size:.1f}" '
                          f'text-anchor="{anchor}" fill="{rgb(colour)}">{text}</text>')

    def svg(self):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}">'
                + "".join(self.parts) + "</svg>")


SAMPLE_ROWS = ["<back>", ">Holiday 2023", ">Concerts", "Autumn Walk.mkv", "Birthday Party.mp4",
               "Canal Boats.avi", "Harbour Lights - Long Version.mkv", "Kitchen Radio.mp3", "Lake at Dawn.mkv",
               "Mountain Trail.mp4", "Night Train to the Coast, Part Two.mkv", "Old Town Square.mp4",
               "Rainy Sunday.mkv", "Snow Day.mp4", "Village Fair.mkv"]
SAMPLE_TITLE = "Harbour Lights - Long Version.mkv"


def draw(window, width, height, focus, fullscreen_video):
    pics, elements = load(read_skin(SKIN))
    c = Canvas(width, height)
    back = next((e["back"] for e in elements if e["window"] == window and e["name"] == "wndMain"), [0, 0, 0])
    c.rect(0, 0, width, height, back)

    def rect_of(e):
        w, h = width * e["size"][0] / 100, height * e["size"][1] / 100
        x = (width - w) / 2 if e["pos"][0] == -1 else width * e["pos"][0] / 100
        y = (height - h) / 2 if e["pos"][1] == -1 else height * e["pos"][1] / 100
        return x, y, w, h

    def background(e, state, x, y, w, h):
        p = e["pic"].get(state)
        if not p or p[0] < 1:
            colour = (16, 0, 16) if e["name"] == "picVideoWindow" else e["back"]
            c.rect(x, y, w, h, (0, 0, 0) if e["name"] == "picVideoWindow" else colour)
            return
        n, px, py, pw, ph = p
        file = pics[n]
        iw, ih = [int(v) for v in subprocess.check_output(
            ["identify", "-format", "%w %h", os.path.join(PICTURES, file)]).split()]
        if ph != -1 and pw != -1:
            dw, dh = w * pw / 100, h * ph / 100
        elif pw == -1:
            dh = h * ph / 100
            dw = dh / ih * iw
        else:
            dw = w * pw / 100
            dh = dw / iw * ih
        left = x + ((w - dw) / 2 if px == -1 else w * px / 100)
        top = y + ((h - dh) / 2 if py == -1 else dh * py / 100)
        c.image(file, left, top, dw, dh)

    def text(e, state, x, y, w, h, lines_text):
        t = e["text"].get(state) or e["text"].get("Idle")
        if not t or not lines_text:
            return
        tw, th = w * t["w"] / 100, h * t["h"] / 100
        tx = (w - tw) / 2 if t["x"] == -1 else w * t["x"] / 100
        ty = (h - th) / 2 if t["y"] == -1 else h * t["y"] / 100
        lh = th / t["lines"]
        size = lh / 1.15
        yy = y + ty
        for line in lines_text.split("\n"):
            colour = t["colour"]
            if line.startswith("{"):
                prefix, line = line[1:].split("}", 1)
                fg, bg = prefix.split(";")
                colour = tuple(int(fg) >> s & 255 for s in (0, 8, 16))
                if bg:
                    c.rect(x + tx, yy, tw, lh - 1, tuple(int(bg) >> s & 255 for s in (0, 8, 16)))
            if t["x"] == -1:
                c.text(x + w / 2, yy + size * 0.93, size, colour, line, t["font"], "middle")
            else:
                c.text(x + tx, yy + size * 0.93, size, colour, line, t["font"])
            yy += lh

    def bar(e, x, y, w, h, fraction, vertical=False):
        t = e["text"]["Selected"]
        bx, by = x + w * t["x"] / 100, y + h * t["y"] / 100
        bw, bh = w * t["w"] / 100, h * t["h"] / 100
        if vertical:
            # Segments leave a twentieth of their height open at each mark.
            top, segment = by + bh * (1 - fraction), bh / t["lines"]
            gap = max(1, round(segment * 0.05))
            for n in range(t["lines"]):
                s_top = by + n * segment + (gap / 2 if n else 0)
                s_bottom = by + (n + 1) * segment - (gap / 2 if n + 1 < t["lines"] else 0)
                s_top = max(s_top, top)
                if s_bottom > s_top:
                    c.rect(bx, s_top, bw, s_bottom - s_top, t["colour"])
        else:
            c.rect(bx, by, max(1, bw * fraction), bh, t["colour"])

    def number_of(colour):
        return colour[0] + 256 * colour[1] + 65536 * colour[2]

    windows = [window] + (["wndInfo", "wndRemote"] if fullscreen_video else [])
    for win in windows:
        ordered = [e for e in elements if e["window"] == win and e["name"] != "wndMain"]
        if win == window:
            ordered = [e for e in ordered if e["name"] != "picVideoWindow"] + \
                      [e for e in ordered if e["name"] == "picVideoWindow"]
        for e in ordered:
            name = e["name"]
            if win == "wndInfo" and name not in ("fsMediaInfo",):
                continue
            x, y, w, h = rect_of(e)
            if fullscreen_video and name == "picVideoWindow":
                x, y, w, h = 0, 0, width, height
            if fullscreen_video and win == window and name != "picVideoWindow":
                continue
            state = "Selected" if name == focus else "Idle"
            if name in ("cmdPlay", "cmdMute"):
                state = ("Disabled" if name == focus else "Pressed")
            background(e, state, x, y, w, h)
            if name == "lstPlaylist":
                lines = e["text"]["Idle"]["lines"]
                cursor, playing = 6, 4
                sel, pre, dis = (e["text"][s]["colour"] for s in ("Selected", "Pressed", "Disabled"))
                rows = []
                for r in range(cursor - (lines - 1) // 2, cursor + (lines - 1) // 2 + 1):
                    if r < 1 or r > len(SAMPLE_ROWS):
                        rows.append("")
                        continue
                    if r == cursor:
                        fg = pre if focus == name else sel
                        rows.append(f"{{{number_of(fg)};{number_of(e['back'])}}}{SAMPLE_ROWS[r - 1]}")
                    elif r == playing:
                        rows.append(f"{{{number_of(sel)};{number_of(dis)}}}{SAMPLE_ROWS[r - 1]}")
                    else:
                        rows.append(f"{{{number_of(sel)};}}{SAMPLE_ROWS[r - 1]}")
                text(e, state, x, y, w, h, "\n".join(rows))
                tx, ty, tw, th = e["pic"]["Pressed"][1:]
                total = len(SAMPLE_ROWS) + lines - 1
                mh = h * th / 100 * lines / total
                my = y + h * ty / 100 + (h * th / 100 - mh) / (len(SAMPLE_ROWS) - 1) * (cursor - 1)
                c.rect(x + w * tx / 100, my, w * tw / 100, mh, sel)
            elif name == "cmdVolControl":
                bar(e, x, y, w, h, 0.75, vertical=True)
            elif name == "picVideoInfo":
                text(e, state, x, y, w, h, "00:12:34 (01:32:10)\n(Play)\naspect ratio (source): \n"
                                           "1.78:1 (1.78:1)\nplay mode: continous play")
                bar(e, x, y, w, h, 0.14)
            elif name == "picRemoteInfo":
                text(e, state, x, y, w, h, "00:12:34\n(Forward x4)")
                bar(e, x, y, w, h, 0.14)
            elif name in ("cmdFormMove", "picTitleBar", "fsMediaInfo"):
                text(e, state, x, y, w, h, SAMPLE_TITLE)
            elif name == "picStatus":
                text(e, state, x, y, w, h, "Play or pause")
            elif name == "cmdChangeOutputAR":
                text(e, state, x, y, w, h, "output anamorph: no")
            elif name == "cmdChangeAlwaysOnTop":
                text(e, state, x, y, w, h, "always on top: no")
            elif name == "cmdChangeOSDTime":
                text(e, state, x, y, w, h, "OSD stays for 3 seconds")
            elif name == "cmdForceVideoForeground":
                text(e, state, x, y, w, h, "force video foreground: yes")
            elif name == "configInput":
                text(e, state, x, y, w, h, "Press a key or pad button for\n\"Play or pause\"")
            else:
                t = e["text"].get(state)
                if t:
                    text(e, state, x, y, w, h, t["text"])
    return c.svg()


def main():
    window, width, height, focus, out = sys.argv[1:6]
    fullscreen_video = "--fullscreen-video" in sys.argv
    svg = draw(window, int(width), int(height), focus, fullscreen_video)
    subprocess.run(["rsvg-convert", "--format=png", "--output", out], input=svg.encode(), check=True)


if __name__ == "__main__":
    main()

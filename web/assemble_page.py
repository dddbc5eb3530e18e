"""Writes the site's index.html: the page's template with all that its first frame needs put in it, so
that a classroom's network carries the drill in one answer instead of two rounds of requests. The board's
controls and their style come from the layout tables (the program board_markup); its pictures are drawn
in the page; the style sheet and the script stand inline, each allowed by its hash in the page's content
security policy; the core's WebAssembly (packed with gzip) and the captions' face (with only the characters
the captions show) are carried as base64 in data blocks, which are never run."""
import argparse
import base64
import gzip
import hashlib
import io
import pathlib
import re
import subprocess

from fontTools import subset


def board(node, program, part):
    # Only the spaces at the ends go: a caption's own space is one of its characters.
    return subprocess.run([node, program, part], check=True, capture_output=True, text=True).stdout.strip("\n")


def face(font, characters):
    """The captions' face with only the characters they show, packed as WOFF2, which takes it to a third."""
    options = subset.Options()
    options.flavor = "woff2"
    options.drop_tables += ["FFTM"]
    kept = subset.load_font(font, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(kept)
    packed = io.BytesIO()
    subset.save_font(kept, packed, options)
    return packed.getvalue()


def drawing(folder, name):
    # Stretched to its control's box, as a picture is shown; the drawings are made at the size they show.
    svg = (folder / f"{name}.svg").read_text(encoding="utf-8")
    return svg.replace("<svg ", '<svg preserveAspectRatio="none" ', 1)


def allowed(text, closing):
    if closing in text.lower():
        raise SystemExit(f"{closing} would end the inline block early")
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode("ascii") + "'"


def carried(data):
    return base64.b64encode(data).decode("ascii")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--template", required=True, type=pathlib.Path)
    parser.add_argument("--node", required=True, help="the Node.js that runs the board's program")
    parser.add_argument("--board", required=True, help="the program that prints the board's parts")
    parser.add_argument("--pictures", required=True, type=pathlib.Path, help="the board's drawings, made bare")
    parser.add_argument("--style", required=True, type=pathlib.Path)
    parser.add_argument("--start", required=True, type=pathlib.Path, help="the plain script that starts early")
    parser.add_argument("--script", required=True, type=pathlib.Path, help="the drill's module")
    parser.add_argument("--core", required=True, type=pathlib.Path)
    parser.add_argument("--face", required=True, help="the captions' face, a TrueType file")
    parser.add_argument("--out", required=True, type=pathlib.Path)
    args = parser.parse_args()

    style = args.style.read_text(encoding="utf-8").strip() + board(args.node, args.board, "style")
    start = args.start.read_text(encoding="utf-8").strip()
    script = args.script.read_text(encoding="utf-8").strip()
    markup = re.sub(r"<!--picture:(\w+)-->", lambda found: drawing(args.pictures, found[1]), board(args.node, args.board, "markup"))
    parts = {
        "STYLE_HASH": allowed(style, "</style"),
        "SCRIPT_HASH": allowed(start, "</script") + " " + allowed(script, "</script"),
        "STYLE": style,
        "BOARD": markup,
        # mtime 0: the same build makes the same bytes, and the worker's cache keeps its name.
        "CORE": carried(gzip.compress(args.core.read_bytes(), 9, mtime=0)),
        "FACE": carried(face(args.face, board(args.node, args.board, "characters"))),
        "START": start,
        "SCRIPT": script,
    }
    page = re.sub(r"%([A-Z_]+)%", lambda found: parts[found[1]], args.template.read_text(encoding="utf-8"))
    args.out.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()

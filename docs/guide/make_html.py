#!/usr/bin/python3
"""Makes one page of the user guide into a web page the browser opens.

make_html.py GUIDE.md OUT.html

Headings get the anchors GitHub gives them (lower case, punctuation dropped,
each space a hyphen), so the table of contents links work both on the
repository's pages and in the installed HTML.
"""

import html
import re
import sys

import markdown
from markdown.extensions.toc import TocExtension

STYLE = """
body { font-family: "DejaVu Sans", sans-serif; line-height: 1.5; max-width: 52em; margin: 2em auto;
       padding: 0 1em; color: #222; }
h1, h2, h3 { line-height: 1.25; }
h2 { border-bottom: 1px solid #ccc; padding-bottom: .2em; margin-top: 2em; }
img { max-width: 100%; border: 1px solid #ccc; }
pre { background: #f4f4f4; padding: .6em; overflow-x: auto; tab-size: 10; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: 90%; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: .2em .5em; vertical-align: top; }
"""


def github_slug(value, separator):
    value = re.sub(r"[^\w\- ]", "", value.strip().lower())
    return value.replace(" ", separator)


def main(source, target):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    title_match = re.search(r"^# (.+)$", text, re.MULTILINE)
    title = title_match.group(1).strip() if title_match else "Centrafix"
    lang = "de" if "/de/" in source.replace("\\", "/") else "en"
    body = markdown.markdown(
        text,
        extensions=["tables", "fenced_code", TocExtension(slugify=github_slug)],
        output_format="html",
    )
    page = (
        f'<!DOCTYPE html>\n<html lang="{lang}">\n<head>\n<meta charset="utf-8">\n'
        f"<title>{html.escape(title)}</title>\n<style>{STYLE}</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n"
    )
    with open(target, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: make_html.py GUIDE.md OUT.html")
    main(sys.argv[1], sys.argv[2])

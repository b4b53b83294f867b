#!/usr/bin/env python3
# Liest die JSON-Zeilen von "centrafix-cli --json" (eine Zeile je Bild) und
# schreibt je Bild den Neutralpunkt und den Schwerpunktbereich, mit Dezimalkomma.
import json
import sys


def komma(wert):
    return f"{wert:.1f}".replace(".", ",")


for zeile in sys.stdin:
    ergebnis = json.loads(zeile)
    name = ergebnis.get("file", "Bild")
    einheit = ergebnis.get("unit", "")
    b = ergebnis.get("balance")
    if not b:
        print(f"{name}: keine Schwerpunktlage")
        continue
    print(f"{name}: Neutralpunkt {komma(b['neutral_point_x'])} {einheit}, "
          f"Schwerpunkt {komma(b['cg_forward_x'])} bis {komma(b['cg_aft_x'])} {einheit}")

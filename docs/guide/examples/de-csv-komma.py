#!/usr/bin/env python3
# Schreibt eine CSV-Tabelle von centrafix-cli so um, wie eine deutsch
# eingestellte Tabellenkalkulation sie ohne Importdialog liest: Semikolon
# zwischen den Spalten, Dezimalkomma in den Zahlen. Aufruf:
#   python3 de-csv-komma.py de-tabelle.csv de-tabelle-komma.csv
import csv
import sys


def deutsch(zelle):
    try:
        float(zelle)
    except ValueError:
        return zelle  # Text (Dateiname, Farbe, true/false) bleibt, wie er ist
    return zelle.replace(".", ",")


with open(sys.argv[1], newline="", encoding="utf-8") as quelle:
    zeilen = [[deutsch(z) for z in zeile] for zeile in csv.reader(quelle)]
with open(sys.argv[2], "w", newline="", encoding="utf-8") as ziel:
    csv.writer(ziel, delimiter=";").writerows(zeilen)

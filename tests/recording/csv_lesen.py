#!/usr/bin/env python3
"""Reads an exported CSV file the way an independent program would and prints what it found as JSON.

Checks nothing itself: the test compares. Prints the byte order mark's presence, the line endings, the
dialect's verdict and every record as a list of fields.
"""
import csv
import json
import sys


def main(pfad):
    with open(pfad, "rb") as datei:
        roh = datei.read()
    bom = roh.startswith(b"\xef\xbb\xbf")
    text = roh.decode("utf-8-sig")
    zeilen_crlf = roh.count(b"\r\n")
    zeilen_lf = roh.count(b"\n")
    with open(pfad, newline="", encoding="utf-8-sig") as datei:
        saetze = list(csv.reader(datei, delimiter=";", quotechar='"', strict=True))
    json.dump(
        {
            "bom": bom,
            "crlf": zeilen_crlf,
            "lf": zeilen_lf,
            "zeichen": len(text),
            "saetze": saetze,
        },
        sys.stdout,
        ensure_ascii=False,
    )


if __name__ == "__main__":
    main(sys.argv[1])

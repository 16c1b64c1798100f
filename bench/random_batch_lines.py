#!/usr/bin/env python3
"""Seeded random input lines for velmora-calc --batch, for comparing two
builds text for text: mostly realistic designs written in many ways, and a
share of extreme and malformed texts, because those take the formatter's and
parser's rare paths.

    python3 bench/random_batch_lines.py 1000000 --seed 1 > lines.tsv
"""
import argparse
import random

PRESETS = [  # AF1 F1 AF2 F2 of the six standard sets
    ("1.847759", "1", ".765367", "1"),
    ("1.915949", "3.023265", "1.241406", "3.389366"),
    ("1.418218", ".597002", ".340072", "1.03127"),
    ("1.274638", ".501946", ".280943", ".943253"),
    ("1.075906", ".470711", ".217681", ".963678"),
    (".179248", ".950309", ".928942", ".442696"),
]


def number(r, low, high):
    """A value log-uniform in [low, high), written in one of several ways."""
    v = 10 ** r.uniform(low, high)
    style = r.randrange(6)
    if style == 0:
        return "%.*g" % (r.randrange(1, 18), v)
    if style == 1:
        return "%.*e" % (r.randrange(0, 12), v)
    if style == 2:
        return ("%.*f" % (r.randrange(0, 9), v)).lstrip("0") or "0"
    if style == 3:
        return repr(v)
    if style == 4:
        return "%.3gD%d" % (v / 10 ** round(high), round(high))
    return str(int(v)) if v >= 1 else "%.6f" % v


def odd_text(r):
    return r.choice([
        "", " ", "-", "+", ".", "abc", "1e", "1e+", "&H", "&HFFFF", "&HFFFF&", "&17", "&B101",
        "&Q7?", "1.2.3", "- 5", " 12.5e3xyz", "1e309", "-1e309", "1e4932", "1e-4940", "0",
        "-0", "9" * 40, "0." + "0" * 30 + "1", "1" + "0" * 25, "nan", "inf", "\u00e9",
    ])


def line(r):
    kind = r.random()
    if kind < 0.6:  # a standard set, scaled as a designer would
        fields = list(r.choice(PRESETS))
        fields += [number(r, -4, 2), number(r, 0, 6), number(r, -4, 1), number(r, 1, 6)]
    elif kind < 0.9:  # any pole pairs, any scaling
        fields = [number(r, -3, 3) for _ in range(8)]
        fields = [("-" + f if r.random() < 0.05 else f) for f in fields]
    else:  # extreme and malformed texts
        fields = [odd_text(r) if r.random() < 0.5 else number(r, -300, 300) for _ in range(8)]
    return "\t".join(fields)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("count", type=int)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    r = random.Random(args.seed)
    out = [line(r) for _ in range(args.count)]
    print("\n".join(out))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the seed corpus of the reader and board-view targets: one small file per section and per
malformed class, in the stored form of board files. Run from the repository root; the output is
checked in."""
import os

OUTS = ["fuzz/corpus/fuzz_reader", "fuzz/corpus/fuzz_board_view"]


def enc(text: bytes) -> bytes:
    out = bytearray()
    for c in text:
        if c == 0x0A:
            out.append(c)
        else:
            inv = (~c) & 0xFF
            out.append(((inv >> 2) | (inv << 6)) & 0xFF)
    return bytes(out)


GOOD = (b"str_length:\n12 16\nvar_data:\n5 2 5 2 0 0\nFormat:\n0 0\n3000 0\n3000 2000\n"
        b"0 2000\n0 0\nParts:\nU1 5 4\nR7 1 5\nPins:\n1000 1000 12 0 VCC\n"
        b"1100 1000 -99 0 N0001\n1100 1100 13 0 GND\n1000 1100 -99 0 N0002\n"
        b"2000 1500 12 0 VCC\nNails:\n12 1000 1000 1 VCC\n13 1100 1100 2 GND\n")

SEEDS = {
    "good_worked_example": enc(GOOD),
    "section_str_length": enc(b"str_length:\n8 8\n"),
    "section_var_data": enc(b"var_data:\n1 1 1 1 7 8\n"),
    "section_format": enc(b"var_data:\n3 0 0 0 0 0\nFormat:\n0 0\n10 0\n10 10\n"),
    "section_parts": enc(b"str_length:\n8 8\nvar_data:\n0 2 0 0 0 0\nParts:\nU1 5 0\nIC2 10 0\n"),
    "section_pins": enc(b"str_length:\n8 8\nvar_data:\n0 0 2 0 0 0\nPins:\n1 2 3 0 A\n4 5 -99 0 B\n"),
    "section_nails": enc(b"str_length:\n8 8\nvar_data:\n0 0 0 2 0 0\nNails:\n1 2 3 1 A\n4 5 6 2 B\n"),
    "plain_text": GOOD,
    "empty": b"",
    "nul_and_high_bytes": enc(b"str_length:\n8 8\nPins:\n") + bytes(range(0, 0xFF)) + b"\n",
    "long_line": enc(b"str_length:\n8 8\nvar_data:\n0 0 1 0 0 0\nPins:\n1 2 3 4 " + b"N" * 5000 + b"\n"),
    "no_final_newline": enc(GOOD.rstrip(b"\n")),
    "cut_mid_line": enc(GOOD[: len(GOOD) // 2]),
    "data_before_header": enc(b"1 2 3\n" + GOOD),
    "crlf": enc(GOOD).replace(b"\n", b"\r\n"),
    "ctrl_z": enc(GOOD[:60]) + b"\x1a" + enc(GOOD[60:]),
    "byte_ff": enc(GOOD[:60]) + b"\xff" + enc(GOOD[60:]),
    "repeated_sections": enc(GOOD + b"Parts:\nQ1 1 5\nPins:\n1 1 1 0 X\n"),
    "sections_out_of_order": enc(b"Nails:\n1 0 0 1 A\nPins:\n0 0 1 0 A\nParts:\nP 1 1\n"
                                 b"var_data:\n0 1 1 1 0 0\nstr_length:\n4 4\n"),
    "too_few_tokens": enc(b"str_length:\n8\nvar_data:\n1\nFormat:\n5\nParts:\nU1\nPins:\n1\nNails:\n2\n"),
    "too_many_tokens": enc(b"str_length:\n8 8 8 8 8 8 8 8 8 8 8 8 8\nvar_data:\n1 1 1 1 1 1 1 1 1 1 1 1\n"),
    "odd_numbers": enc(b"var_data:\n99999999999 -2147483649 + -\nFormat:\n0x10 1e308\n"),
    "counts_negative": enc(b"var_data:\n-1 -1 -1 -1 0 0\nFormat:\n1 1\n"),
    "counts_huge": enc(b"var_data:\n2147483647 2147483647 2147483647 2147483647 0 0\nParts:\nA 1 2147483647\n"),
    "counts_capacity_plus_one": enc(b"var_data:\n10001 30001 100000 30001 0 0\n"),
    "name_lengths_zero": enc(b"str_length:\n0 0\nParts:\nABCDEF 1 0\n"),
    "name_lengths_negative": enc(b"str_length:\n-1 -1\nNails:\n1 1 1 1 ABCDEF\n"),
    "name_lengths_huge": enc(b"str_length:\n2147483647 2147483647\nPins:\n1 1 1 1 ABCDEF\n"),
    "names_longer_than_declared": enc(b"str_length:\n3 3\nvar_data:\n0 1 1 0 0 0\nParts:\nLONGNAME 1 1\n"
                                      b"Pins:\n1 1 1 0 LONGNET\n"),
    "pinend_decreasing": enc(b"str_length:\n8 8\nvar_data:\n0 3 2 0 0 0\nParts:\nA 1 2\nB 1 1\nC 1 -5\n"
                             b"Pins:\n1 1 1 0 N\n2 2 2 0 N\n"),
    "unknown_section": enc(GOOD + b"Holes:\n1 2\n"),
    "name_length_one": enc(b"str_length:\n1 1\nvar_data:\n0 1 1 0 0 0\nParts:\nAB 1 1\nPins:\n1 1 1 0 N\n"),
    "pinend_past_pincount": enc(b"str_length:\n8 8\nvar_data:\n0 1 1 0 0 0\nParts:\nA 1 50\nPins:\n1 1 1 0 N\n"),
    "outline_over_capacity": enc(b"var_data:\n10001 0 0 0 0 0\nFormat:\n" + b"1 1\n" * 10001),
    "coordinates_extreme": enc(b"str_length:\n8 8\nvar_data:\n2 1 2 1 0 0\nFormat:\n2147483647 -2147483648\n"
                               b"-2147483647 2147483647\nParts:\nU1 0 2\nPins:\n2147483647 2147483647 1 0 A\n"
                               b"-2147483648 -2147483648 -99 0 A\nNails:\n1 2147483647 -2147483648 1 A\n"),
}

for out in OUTS:
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print(f"{len(SEEDS)} seeds in {out}")

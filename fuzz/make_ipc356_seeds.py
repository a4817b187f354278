#!/usr/bin/env python3
"""Writes the seed corpus of the netlist target: one small netlist per record kind, units code,
long-name form and writer's quirk, and the broken records the reader reports. Run from the
repository root; the output is checked in."""
import os

OUT = "fuzz/corpus/fuzz_ipc356"


def rec(code, net, ref, pin, access, x, y, hole=False, tail="X0100Y0100R000 S0      "):
    """A feature record in its columns, numbers signed and zero-padded."""
    dash = "-" if pin else " "
    drill = "D0300P" if hole else "      "
    sx = "-" if x < 0 else "+"
    sy = "-" if y < 0 else "+"
    return (f"{code:3.3}{net:14.14}   {ref:6.6}{dash}{pin:4.4} {drill}A{access:02d}"
            f"X{sx}{abs(x):06d}Y{sy}{abs(y):06d}{tail}\n")


SMALL = ("C  a small two-layer board\nP  JOB   SEED\nP  UNITS CUST 0\n"
         "P  NNAME1     A_LONG_NET_NAME_OF_MORE_THAN_14\n"
         + rec("317", "GND", "J1", "2", 0, 10000, 10000, True)
         + rec("317", "NNAME1", "J1", "1", 0, 10000, 11000, True)
         + rec("327", "GND", "U1", "10", 1, 20000, 10000)
         + rec("327", "SIG", "U1", "2", 1, 20000, 11000)
         + rec("327", "N/C", "U1", "1", 1, 20000, 12000)
         + rec("327", "SIG", "R1", "1", 2, 30000, 10000)
         + rec("327", "GND", "R1", "2", 2, 30000, 11000)
         + rec("317", "SIG", "VIA", "", 0, 25000, 10500, True)
         + rec("327", "GND", "TP1", "1", 2, 26000, 12000)
         + rec("367", "N/C", "H1", "", 0, 5000, 5000, True)
         + rec("367", "N/C", "", "", 0, 900000, 900000, True) + "999\n")

SEEDS = {
    "small_board": SMALL,
    "small_board_crlf": SMALL.replace("\n", "\r\n"),
    "no_final_newline": SMALL.rstrip("\n"),
    "units_cust1": "P  UNITS CUST 1\n" + rec("327", "A", "U1", "1", 1, 25400, 0)
                   + rec("327", "A", "U1", "2", 1, -12700, 38),
    "units_cust2": "P  UNITS CUST 2\n" + rec("327", "A", "U1", "1", 1, 100, 0),
    "units_si": "P  UNITS SI\n" + rec("327", "A", "U1", "1", 1, 100, 0),
    "units_unknown": "P  UNITS FURLONG\n" + rec("327", "A", "U1", "1", 1, 100, 0),
    "nname_forms": ("P  NNAME1     STANDARD_FORM\nP  NNAMEm0000 PARAMETER_FORM\n"
                    "C  NNAMEm0001 COMMENT_FORM\nP  NNAME9     NEVER_USED\n"
                    + rec("327", "NNAME1", "U1", "1", 1, 0, 0)
                    + rec("327", "m0000", "U1", "2", 1, 100, 0)
                    + rec("327", "m0001", "U1", "3", 2, 200, 0)
                    + rec("327", "1", "U1", "4", 2, 300, 0)),
    "nname_too_long": "P  NNAME1     " + "N" * 120 + "\n" + rec("327", "NNAME1", "U1", "1", 2, 0, 0),
    "blank_padded_eagle": ("P  UNITS CUST 0\nP  NNAME1 A_REALLY_LONG_NET_NAME\n"
                           "317GND              VIA         D  24PA00X  14900Y   1450X 396Y 396\n"
                           "327VCC              C3    -1          A01X   3850Y   9924X 512Y 591R270\n"
                           "327NNAME1           NA    -69         A01X   8396Y   3850X 394Y 500R  0\n"
                           "389BOARD_EDGE         X0Y0 X22500 Y15000 X0\n999\n"),
    "kicad_column_72": ("P  CODE 00\nP  UNITS CUST 0\nP  arrayDim   N\n"
                        "317COLUMN?0         VIA        MD0118PA00X+061961Y-026857X0236Y0000R000S-190714749\n"
                        "327ENC2-B           U1    -1          A01X+092132Y-010457X0957Y0600R180S2\n"
                        "317ENC2-A           SW2   -A    D0394PA00X+069508Y-012795X0787Y0787R000S0\n"
                        "367N/C              SW13        D0670UA00X+089461Y-036457X0670Y0000R132S0\n999\n"),
    "altium_continuations": ("P  UNITS CUST 1\n"
                             "3171V8              J1    -1    D1000PA01X 268450Y 201150X1800Y1800R270 S0\n"
                             "0171V8              J1    -1    D1000PA00X 268450Y 201150X0000          S0\n"
                             "0171V8              J1    -1    D1000PA04X 268450Y 201150X1800Y1800R270 S0\n"
                             "327N/C              U32   -5         UA01X 311000Y 251385X0520Y0300R090 S0\n"
                             "317N/C              J31   -0    D2400UA00X 324500Y 262400X0000          S0\n"
                             "327GND              FM5   -1         PA04X 230000Y 142000X1000          S0\n"),
    "allegro_padded_80": ("P  UNITS CUST 0".ljust(80) + "\r\n"
                          + "P  NNAMEm0000 MPCIE_CLKREQ3_B".ljust(80) + "\r\n"
                          + rec("327", "m0000", "R2", "1", 1, 25850, 27413).rstrip("\n").ljust(80) + "\r\n"
                          + rec("317", "m0000", "VIA", "", 0, 25850, 27000, True).rstrip("\n") + "\r\n"
                          + rec("327", "m0000", "TP16", "1", 10, 15300, 15750).rstrip("\n") + "\r\n"
                          + rec("327", "N/C", "", "", 10, 75500, -2000).rstrip("\n") + "\r\n"
                          + "999".ljust(80) + "\r\n"),
    "outline_modal_continued": ("389BOARD_EDGE          X1000Y2000 X5000\n089 Y4000 * X1000\n"
                                "389PANEL_EDGE          X-9000Y-9000\n" + rec("327", "A", "U1", "1", 1, 2000, 3000)),
    "outline_one_point": "389BOARD_EDGE          X0Y0\n" + rec("327", "A", "U1", "1", 1, 0, 0),
    "other_records": ("378GND     0100 X+000000Y+000000 X+000100Y+000000\n099 X+000000Y+000000\n"
                      "379GND  VCC\n307A              VIA   -    MD0080PA00X+000100Y+000100X0160Y         S3 L01L02\n"
                      + rec("327", "A", "U1", "1", 1, 0, 0)),
    "broken_cut_short": rec("327", "A", "U1", "1", 1, 0, 0) + "327A              U1    -2\n",
    "broken_columns": rec("327", "A", "U1", "1", 1, 0, 0) + " " + rec("327", "A", "U1", "2", 1, 0, 0),
    "broken_numbers": rec("327", "A", "U1", "1", 1, 0, 0).replace("+000000Y", "+00x000Y")
                      + rec("327", "A", "U1", "2", 1, 0, 0).replace("Y+000000X", "Y+9999999999X"),
    "broken_outline": "389BOARD_EDGE          X99999999999Y0 X1?\n" + rec("327", "A", "U1", "1", 1, 0, 0),
    "unknown_records": "HELLO\n" + rec("327", "A", "U1", "1", 1, 0, 0),
    "empty": "",
    "no_pads": "C  only comments\nP  UNITS CUST 0\n" + rec("317", "A", "VIA", "", 0, 0, 0, True),
    "after_end": rec("327", "A", "U1", "1", 1, 0, 0) + "999\n" + rec("327", "A", "U2", "1", 1, 0, 0),
    "not_visible_names": "P  NNAME1     A B\xe9\n" + rec("327", "NNAME1", "U\tX", "1", 1, 0, 0),
    "extreme_coordinates": rec("327", "A", "U1", "1", 1, 999999, -999999)
                           + rec("327", "A", "U1", "2", 1, -999999, 999999)
                           + "389BOARD_EDGE          X2147483647Y-2147483648 X-2147483648 Y2147483647\n",
}

os.makedirs(OUT, exist_ok=True)
for name, text in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(text.encode("latin-1"))
print(f"{len(SEEDS)} seeds in {OUT}")

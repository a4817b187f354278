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
    "blank_padded_eagle": ("P  UNITS CUST 0\nP  NNAME1 A_VERY_LONG_SIGNAL_NAME\n"
                           "317AGND             VIA         D  32PA00X  12300Y    870X 400Y 400\n"
                           "327VDD              C9    -2          A01X   4410Y   8120X 500Y 600R090\n"
                           "327NNAME1           NB    -17         A01X   7001Y   2999X 300Y 450R  0\n"
                           "389BOARD_EDGE         X0Y0 X18000 Y12000 X0\n999\n"),
    "kicad_column_72": ("P  CODE 00\nP  UNITS CUST 0\nP  arrayDim   Y\n"
                        "317ROW?3            VIA        MD0120PA00X+045678Y-012345X0240Y0000R000S-123456789\n"
                        "327KNOB-B           U3    -4          A01X+081234Y-020345X0900Y0550R270S2\n"
                        "317KNOB-A           SW5   -B    D0400PA00X+071111Y-013333X0800Y0800R000S0\n"
                        "367N/C              SW8         D0600UA00X+077777Y-044444X0600Y0000R045S0\n999\n"),
    "altium_continuations": ("P  UNITS CUST 1\n"
                             "3172V5              J4    -1    D0900PA01X 150000Y 120000X1700Y1700R090 S0\n"
                             "0172V5              J4    -1    D0900PA00X 150000Y 120000X0000          S0\n"
                             "0172V5              J4    -1    D0900PA04X 150000Y 120000X1700Y1700R090 S0\n"
                             "327N/C              U8    -6         UA01X 160000Y 130500X0500Y0280R180 S0\n"
                             "317N/C              J9    -0    D2000UA00X 170000Y 140000X0000          S0\n"
                             "327GND              FD2   -1         PA04X 110000Y 100000X0900          S0\n"),
    "allegro_padded_80": ("P  UNITS CUST 0".ljust(80) + "\r\n"
                          + "P  NNAMEm0000 PCIE_WAKE_REQ_B".ljust(80) + "\r\n"
                          + rec("327", "m0000", "R2", "1", 1, 21000, 23000).rstrip("\n").ljust(80) + "\r\n"
                          + rec("317", "m0000", "VIA", "", 0, 21000, 22500, True).rstrip("\n") + "\r\n"
                          + rec("327", "m0000", "TP16", "1", 10, 11100, 22200).rstrip("\n") + "\r\n"
                          + rec("327", "N/C", "", "", 10, 60000, -1500).rstrip("\n") + "\r\n"
                          + "999".ljust(80) + "\r\n"),
    "outline_modal_continued": ("389BOARD_EDGE          X1000Y2000 X5000\n089 Y4000 * X1000\n"
                                "389PANEL_EDGE          X-9000Y-9000\n" + rec("327", "A", "U1", "1", 1, 2000, 3000)),
    "outline_one_point": "389BOARD_EDGE          X0Y0\n" + rec("327", "A", "U1", "1", 1, 0, 0),
    "outline_flat": "389BOARD_EDGE          X0Y0 X5000 X0\n" + rec("327", "A", "U1", "1", 1, 0, 0),
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

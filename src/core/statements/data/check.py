#!/usr/bin/env python3
"""Checks the statement tables against the statement computation rules.

Loads balans/opr/opp(.csv) and their *_data.csv include rows, evaluates them the way
the program computes a statement, on hand-made balanced books, and asserts:
  * the tables are well formed (kinds, groups, order, include rows on data lines only);
  * every include-row account is in the national chart seeded by RegistrySeed.cpp;
  * the balance sheet balances (kind 44 == kind 54) for any balanced books: proved per
    account (each account's closing balance reaches assets minus liabilities exactly once)
    and shown on three sets of books (year open, year closed with profit, closed with loss);
  * the income statement's two "ВСИЧКО" lines agree once the year is closed to 123, and its
    result equals the balance sheet's current result;
  * the cash flow ends at the cash accounts' closing balance;
  * the page-break and emphasis line numbers fall on sensible lines (printed).

    python3 check.py [--seed PATH/RegistrySeed.cpp] [--dir CSV_DIR] [--full]
"""
import argparse
import csv
import os
import re
import sys
from collections import defaultdict
from decimal import ROUND_HALF_UP, Decimal

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_SEED = "src/core/registry/RegistrySeed.cpp"
CASH = list(range(501, 510))

FAILS = []


def check(cond, msg):
    if not cond:
        FAILS.append(msg)
        print("  FAIL:", msg)
    return cond


def r2(x):
    """Amount rounding of the Overview: 15 significant digits, then 2 decimals, halves away."""
    return float(Decimal("%.15g" % x).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP))


# ======================================================================================
# Loading

def load_chart(path):
    text = open(path, encoding="utf-8").read()
    rows = re.findall(r'ChartAccount\{(\d+),\s*(k\w+),\s*(k\w+),\s*(?:true|false),\s*"([^"]*)"\}', text)
    kind = {"kAct": 1, "kPas": 2, "kActPas": 3}
    return {int(no): (kind[k], name) for no, k, _m, name in rows}


def load_statement(d, name):
    with open(os.path.join(d, name + ".csv"), encoding="utf-8") as f:
        lines = [dict(r) for r in csv.DictReader(f, delimiter=";")]
    for l in lines:
        for k in ("OPR_ID", "OPR_Pok_No", "OPR_Value", "OPR_Grup"):
            l[k] = int(l[k])
    lines.sort(key=lambda l: l["OPR_ID"])
    with open(os.path.join(d, name + "_data.csv"), encoding="utf-8") as f:
        rows = [dict(r) for r in csv.DictReader(f, delimiter=";")]
    for r in rows:
        for k in list(r):
            r[k] = float(r[k]) if k == "OPR_ConstValue" else int(r[k])
    by_line = defaultdict(list)
    for r in rows:
        by_line[r["OPR_Pok_No"]].append(r)
    return lines, rows, by_line


# ======================================================================================
# Books: opening balances + postings -> per-account totals  and correspondence.

class Books:
    def __init__(self, chart, opening, postings):
        self.chart = chart
        self.opening = opening            # acc -> (debit, credit)
        self.postings = postings          # (debit acc, credit acc, amount)
        for a in list(opening) + [p[0] for p in postings] + [p[1] for p in postings]:
            assert a in chart, f"books use account {a} outside the chart"
        self.corr = defaultdict(float)
        self.dt = defaultdict(float)
        self.ct = defaultdict(float)
        for d, c, amt in postings:
            self.corr[(d, c)] += amt
            self.dt[d] += amt
            self.ct[c] += amt

    def value(self, acc):
        """GetAccountValue: (opening Dt, opening Kt, turnover Dt, turnover Kt, closing Dt, closing Kt)."""
        if acc not in self.chart:
            raise KeyError("Сметката липсва е сметкоплана!")
        odv, okv = (r2(v) for v in self.opening.get(acc, (0.0, 0.0)))
        dtv, ktv = r2(self.dt[acc]), r2(self.ct[acc])
        dv, kv = odv + dtv, okv + ktv
        typ = self.chart[acc][0]
        if typ == 3:
            typ = 1 if kv < dv else 2 if kv > dv else 0
        cd = r2(dv - kv) if typ == 1 else 0.0
        cc = r2(kv - dv) if typ == 2 else 0.0
        return odv, okv, dtv, ktv, cd, cc

    def net_debit(self, acc):
        v = self.value(acc)
        return r2(v[4] - v[5])

    def check_balanced(self):
        o = sum(d - c for d, c in self.opening.values())
        return abs(o) < 0.005


# ======================================================================================
# Statement computation

class RangeError(Exception):
    pass


def line_amount(rows, books, balance):
    """Sums of one data line: (C, P) or, for the balance sheet, (G, K, P)."""
    c = k = p = 0.0
    for r in rows:
        t = r["OPR_Account_Type"]
        amt = None
        try:
            if 1 <= t <= 6:
                amt = books.value(r["OPR_Account_No"])[t - 1]
            elif t == 7:
                books.value(r["OPR_Account_No"]), books.value(r["OPR_AccCor_No"])
                amt = books.corr[(r["OPR_Account_No"], r["OPR_AccCor_No"])]
            elif t == 8:
                amt = r["OPR_ConstValue"]
            elif t == 9:
                p += r["OPR_ConstValue"]
        except KeyError:
            amt = None                       # step 7: a failing row adds nothing
        if amt is None:
            continue
        if balance and r.get("OPR_Kor", 0) == 1:
            k += amt
        else:
            c += amt
    return (r2(c), r2(k), r2(p)) if balance else (r2(c), r2(p))


def compute_opr(lines, by_line, books):
    g = {i: [0.0, 0.0] for i in range(1, 15)}
    out = {}
    for l in lines:
        v, grp = l["OPR_Value"], l["OPR_Grup"]
        if v == 0:
            val = (None, None)
        elif v == 1:
            val = line_amount(by_line.get(l["OPR_Pok_No"], []), books, False)
            if grp > 14:
                raise RangeError(l)
            if grp >= 1:
                g[grp] = [r2(g[grp][0] + val[0]), r2(g[grp][1] + val[1])]
        elif v == 6:
            g[6] = [r2(sum(g[i][j] for i in (2, 3, 4, 5))) for j in (0, 1)]
            val = tuple(g[6])
        elif v == 8:
            val = tuple(r2(g[6][j] + g[7][j]) for j in (0, 1))
        elif v == 12:
            g[12] = [r2(sum(g[i][j] for i in (9, 10, 11))) for j in (0, 1)]
            val = tuple(g[12])
        elif v == 14:
            val = tuple(r2(g[12][j] + g[13][j]) for j in (0, 1))
        elif v in (2, 3, 4, 5, 7, 9, 10, 11, 13):
            val = tuple(g[v])
        else:
            raise RangeError(l)
        out[l["OPR_Pok_No"]] = {"This": val[0], "Prev": val[1]}
    return out


def compute_opp(lines, by_line, books):
    g = {i: [0.0, 0.0] for i in range(1, 8)}
    out = {}

    def diff(a, b):
        return tuple(r2(g[a][j] - g[b][j]) for j in (0, 1))

    def total():
        return tuple(r2(g[2][j] - g[3][j] + g[4][j] - g[5][j] + g[6][j] - g[7][j] + g[1][j]) for j in (0, 1))

    for l in lines:
        v, grp = l["OPR_Value"], l["OPR_Grup"]
        if v == 0 or v > 12:
            val = (None, None)
        elif v == 1:
            val = line_amount(by_line.get(l["OPR_Pok_No"], []), books, False)
            if grp == 1:
                g[1] = list(val)
            elif 2 <= grp <= 7:
                g[grp] = [r2(g[grp][0] + val[0]), r2(g[grp][1] + val[1])]
        elif v in (2, 3):
            val = tuple(g[v])
        elif v == 4:
            val = diff(2, 3)
        elif v in (5, 6):
            val = tuple(g[v - 1])
        elif v == 7:
            val = diff(4, 5)
        elif v in (8, 9):
            val = tuple(g[v - 2])
        elif v == 10:
            val = diff(6, 7)
        elif v == 11:
            val = total()
        elif v == 12:
            t = total()
            val = tuple(r2(t[j] - g[1][j]) for j in (0, 1))
        else:
            raise RangeError(l)
        out[l["OPR_Pok_No"]] = {"This": val[0], "Prev": val[1]}
    return out


BAL_SHOW = {2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 21, 22, 24, 25, 27, 28}
BAL_SUMS = {7: (2, 3, 4, 5, 6), 13: (8, 9, 10, 11, 12), 20: (14, 15, 16, 17, 18, 19), 23: (21, 22), 26: (24, 25)}
BAL_TOTALS = {44: (1, 7, 13), 54: (20, 23, 26, 27)}


def compute_balans(lines, by_line, books):
    g = {i: [0.0, 0.0, 0.0, 0.0] for i in range(1, 29)}   # gross, correction, net, previous
    out = {}
    for l in lines:
        v, grp, no = l["OPR_Value"], l["OPR_Grup"], l["OPR_Pok_No"]
        if v == 0:
            prev = out.get(no, {})
            out[no] = {"OS": prev.get("OS"), "Kor": prev.get("Kor"), "This": None, "Prev": None}
            continue
        if v == 1:
            G, K, P = line_amount(by_line.get(no, []), books, True)
            vals = [G, K, r2(G - K), P]
            if grp > 28:
                raise RangeError(l)
            if grp >= 1:
                g[grp] = [r2(a + b) for a, b in zip(g[grp], vals)]
        elif v in BAL_SUMS:
            g[v] = [r2(sum(g[i][j] for i in BAL_SUMS[v])) for j in range(4)]
            vals = g[v]
        elif v in BAL_TOTALS:
            vals = [r2(sum(g[i][j] for i in BAL_TOTALS[v])) for j in range(4)]
        elif v in BAL_SHOW:
            vals = g[v]
        else:
            raise RangeError(l)
        out[no] = dict(zip(("OS", "Kor", "This", "Prev"), vals))
    return out


# ======================================================================================
# Structure checks

VALID_KINDS = {
    "balans": {0, 1} | BAL_SHOW | set(BAL_SUMS) | set(BAL_TOTALS),
    "opr": set(range(0, 15)),
    "opp": set(range(0, 13)),
}
MAX_GROUP = {"balans": 28, "opr": 14, "opp": 7}
# For each total/show kind: the groups whose data lines it needs to follow.
NEEDS = {
    "balans": {**{k: (k,) for k in BAL_SHOW}, **BAL_SUMS, 44: (1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12),
               54: (14, 15, 16, 17, 18, 19, 21, 22, 24, 25, 27)},
    "opr": {2: (2,), 3: (3,), 4: (4,), 5: (5,), 7: (7,), 9: (9,), 10: (10,), 11: (11,), 13: (13,),
            6: (2, 3, 4, 5), 8: (2, 3, 4, 5, 7), 12: (9, 10, 11), 14: (9, 10, 11, 13)},
    "opp": {2: (2,), 3: (3,), 4: (2, 3), 5: (4,), 6: (5,), 7: (4, 5), 8: (6,), 9: (7,), 10: (6, 7),
            11: (1, 2, 3, 4, 5, 6, 7), 12: (2, 3, 4, 5, 6, 7)},
}


def check_structure(name, lines, rows, chart):
    print(f"[{name}] {len(lines)} lines, {len(rows)} include rows")
    ids = [l["OPR_ID"] for l in lines]
    nos = [l["OPR_Pok_No"] for l in lines]
    check(ids == list(range(1, len(lines) + 1)), f"{name}: OPR_ID is not 1..N")
    check(nos == sorted(set(nos)), f"{name}: OPR_Pok_No not unique and ascending in table order")
    by_no = {l["OPR_Pok_No"]: l for l in lines}
    last_data = defaultdict(int)
    for l in lines:
        v, grp, no = l["OPR_Value"], l["OPR_Grup"], l["OPR_Pok_No"]
        check(v in VALID_KINDS[name], f"{name} line {no}: kind {v} stops the computation")
        check(grp <= MAX_GROUP[name], f"{name} line {no}: group {grp} out of range")
        if v != 1:
            check(grp == 0, f"{name} line {no}: group {grp} on a non-data line")
        elif grp > 0:
            last_data[grp] = no
    # every final total follows all data lines it sums
    last_show = {}
    for l in lines:
        if l["OPR_Value"] in NEEDS[name]:
            last_show[l["OPR_Value"]] = l["OPR_Pok_No"]
    for kind, no in last_show.items():
        for grp in NEEDS[name][kind]:
            check(last_data.get(grp, 0) < no,
                  f"{name} line {no} (kind {kind}) precedes data line {last_data.get(grp)} of group {grp}")
    # include rows
    bad_acc = set()
    for r in rows:
        no, t = r["OPR_Pok_No"], r["OPR_Account_Type"]
        line = by_no.get(no)
        check(line is not None and line["OPR_Value"] == 1, f"{name}: include row on line {no}, not a data line")
        check(1 <= t <= 9, f"{name} line {no}: include kind {t}")
        if 1 <= t <= 6:
            check(r["OPR_Account_No"] > 0 and r["OPR_AccCor_No"] == 0, f"{name} line {no}: kind {t} row accounts")
        if t == 7:
            check(r["OPR_Account_No"] > 0 and r["OPR_AccCor_No"] > 0, f"{name} line {no}: kind 7 needs two accounts")
        if t in (8, 9):
            check(round(r["OPR_ConstValue"]) != 0, f"{name} line {no}: constant rounds to 0")
        for a in (r["OPR_Account_No"], r["OPR_AccCor_No"]):
            if a and a not in chart:
                bad_acc.add(a)
        check(all(r[f"OPR_Account_An{i}"] == 0 and r[f"OPR_AccCor_An{i}"] == 0 for i in range(1, 6)),
              f"{name} line {no}: default rows must not name lots")
        if name == "balans":
            check(r["OPR_Kor"] in (0, 1), f"{name} line {no}: OPR_Kor {r['OPR_Kor']}")
        else:
            check("OPR_Kor" not in r, f"{name}: OPR_Kor column outside balans_data")
    check(not bad_acc, f"{name}: accounts missing from the seeded chart: {sorted(bad_acc)}")
    return by_no


# Which account classes (first two digits of the account, synthetic or analytical) may feed
# each group: catches a line filed under the wrong section even when the totals still agree.
CLASSES = {
    "balans": {1: {"42"}, 2: {"21", "23", "24"}, 3: {"20", "24", "61"}, 4: {"22", "24"}, 5: {"27", "24"},
               6: {"49"}, 8: {"30", "31", "40", "61"}, 9: {"40", "41", "42", "43", "44", "45", "46", "47",
               "48", "49"}, 10: {"51"}, 11: {"50"}, 14: {"10"}, 15: {"10", "11"}, 16: {"11"}, 17: {"11"},
               18: {"12"}, 19: {"12"} | {str(i) for i in range(60, 80)}, 21: {"15"},
               22: {"15", "40", "41", "42", "43", "45", "46", "47", "48", "49"}, 27: {"49"}},
    "opr": {2: {"60", "70", "30", "61"}, 3: {"62"}, 4: {"69"}, 5: {"12"}, 7: {"12"},
            9: {"70", "72", "30", "61"}, 10: {"72"}, 11: {"79"}, 13: {"12"}},
}


def check_classes(name, lines, by_line):
    for l in lines:
        allowed = CLASSES.get(name, {}).get(l["OPR_Grup"])
        if l["OPR_Value"] != 1 or allowed is None:
            continue
        for r in by_line.get(l["OPR_Pok_No"], []):
            cls = str(r["OPR_Account_No"])[:2]
            check(cls in allowed, f"{name} line {l['OPR_Pok_No']} (group {l['OPR_Grup']}): account "
                                  f"{r['OPR_Account_No']} does not belong to this section")
    if name == "opp":   # receipts debit a cash account, payments credit one, the base is opening cash
        for l in lines:
            grp = l["OPR_Grup"]
            for r in by_line.get(l["OPR_Pok_No"], []) if l["OPR_Value"] == 1 else []:
                if grp == 1:
                    ok = r["OPR_Account_Type"] == 1 and r["OPR_Account_No"] in CASH
                elif grp in (2, 4, 6):
                    ok = r["OPR_Account_Type"] == 7 and r["OPR_Account_No"] in CASH
                else:
                    ok = r["OPR_Account_Type"] == 7 and r["OPR_AccCor_No"] in CASH
                check(ok, f"opp line {l['OPR_Pok_No']} (group {grp}): row {r['OPR_Account_No']}/"
                          f"{r['OPR_AccCor_No']} kind {r['OPR_Account_Type']} has the wrong direction")


def balance_sheet_coverage(lines, by_line, chart):
    """Proves kind 44 == kind 54 for every balanced set of books.

    For balanced books the sum over all accounts of (closing debit - closing credit) is 0.
    So it suffices that every account's closing debit enters (assets - liabilities) with
    coefficient +1 and its closing credit with -1 (only the side the account can carry
    matters), and that no opening/turnover/correspondence/constant row reaches the totals.
    """
    counted = set(range(1, 7)) | set(range(8, 13)) | {14, 15, 16, 17, 18, 19, 21, 22, 24, 25, 27}
    assets = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}
    coef = defaultdict(float)
    for l in lines:
        if l["OPR_Value"] != 1 or l["OPR_Grup"] not in counted:
            continue
        side = 1 if l["OPR_Grup"] in assets else -1
        for r in by_line.get(l["OPR_Pok_No"], []):
            sign = side * (-1 if r["OPR_Kor"] == 1 else 1)
            t = r["OPR_Account_Type"]
            check(t in (5, 6), f"balans line {l['OPR_Pok_No']}: row kind {t} reaches the totals")
            coef[(r["OPR_Account_No"], t)] += sign
    problems = []
    for acc, (typ, name) in sorted(chart.items()):
        need = {1: {5: 1}, 2: {6: -1}, 3: {5: 1, 6: -1}}[typ]
        for t, want in need.items():
            if coef[(acc, t)] != want:
                problems.append(f"{acc} {name}: closing {'debit' if t == 5 else 'credit'} "
                                f"enters A-L x{coef[(acc, t)]:g}, needs x{want}")
    for p in problems:
        check(False, "balans coverage: " + p)
    print(f"  coverage: every one of the {len(chart)} chart accounts reaches assets-liabilities "
          f"exactly once" if not problems else f"  coverage: {len(problems)} problems")


def cash_flow_pairs(lines, by_line):
    """Each (cash, counter) pair is a receipt in at most one line, each (counter, cash) a payment."""
    seen = {}
    for l in lines:
        if l["OPR_Value"] != 1:
            continue
        for r in by_line.get(l["OPR_Pok_No"], []):
            if r["OPR_Account_Type"] != 7:
                continue
            pair = (r["OPR_Account_No"], r["OPR_AccCor_No"])
            check(not (pair[0] in CASH and pair[1] in CASH), f"opp: cash-to-cash pair {pair} counted as a flow")
            check(pair[0] in CASH or pair[1] in CASH, f"opp: pair {pair} does not touch a cash account")
            check(pair not in seen, f"opp: pair {pair} in lines {seen.get(pair)} and {l['OPR_Pok_No']}")
            seen[pair] = l["OPR_Pok_No"]
    return seen


# ======================================================================================
# Emphasis and page breaks (print layouts)

EMPH = {
    "balans": {"light": [8, 15, 22, 27, 29, 30, 39, 49, 54, 59, 68, 74, 78, 82, 83, 91, 95, 109, 111, 115],
               "dark": [62, 116], "break": 63},
    "opr": {"light": [14, 22, 26, 30, 32, 47, 54, 58, 60], "dark": [31, 33, 59, 61], "break": 33},
    "opp": {"light": [12, 21, 30, 36, 43, 49], "dark": [22, 37, 50, 51, 54], "break": None},
}


def check_emphasis(name, lines, by_no):
    e = EMPH[name]
    print(f"  {name}: page break after line {e['break']}" if e["break"] else f"  {name}: no forced page break")
    for style in ("dark", "light"):
        for no in e[style]:
            l = by_no.get(no)
            if not check(l is not None, f"{name}: emphasised line {no} missing"):
                continue
            print(f"    {style:5} {no:3}  kind {l['OPR_Value']:2} grp {l['OPR_Grup']:2}  {l['OPR_Pok_Name']}")
            v, grp = l["OPR_Value"], l["OPR_Grup"]
            if name == "balans":
                ok = v in (44, 54) if style == "dark" else v in BAL_SHOW or v in BAL_SUMS
            elif name == "opr":
                ok = v in (6, 8, 12, 14) if style == "dark" else (v in (2, 3, 4, 5, 9, 10, 11)
                                                                   or (v == 1 and grp in (7, 13)))
            else:
                ok = v in (4, 7, 10, 11, 12) if style == "dark" else v in (2, 3, 5, 6, 8, 9)
            check(ok, f"{name}: {style} line {no} is kind {v} group {grp}, not a total")
    if name == "balans":
        check(by_no[62]["OPR_Value"] == 44 and by_no[116]["OPR_Value"] == 54, "balans: 62/116 are not the totals")
        asset_groups = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}
        for l in by_no.values():
            if l["OPR_Value"] == 1 and l["OPR_Grup"]:
                on_assets = l["OPR_Pok_No"] <= 63
                check(on_assets == (l["OPR_Grup"] in asset_groups),
                      f"balans line {l['OPR_Pok_No']} (group {l['OPR_Grup']}) on the wrong side of the break")
        print(f"    break 63  kind {by_no[63]['OPR_Value']:2} grp {by_no[63]['OPR_Grup']:2}  {by_no[63]['OPR_Pok_Name']}"
              f"  (last line of the assets page; side heading: lines <63 АКТИВ, >=63 ПАСИВ)")
    if name == "opr":
        for l in by_no.values():
            if l["OPR_Value"] == 1 and l["OPR_Grup"]:
                check((l["OPR_Pok_No"] <= 33) == (l["OPR_Grup"] <= 7),
                      f"opr line {l['OPR_Pok_No']} (group {l['OPR_Grup']}) on the wrong page")
        print(f"    break 33  {by_no[33]['OPR_Pok_Name']} (closes the expenses page)")


# ======================================================================================
# Hand-made books

def sample_books(chart):
    opening = {
        101: (0, 5000), 152: (0, 15000), 203: (20000, 0), 2413: (0, 4000), 207: (3000, 0),
        2417: (0, 1000), 213: (1200, 0), 2423: (0, 400), 304: (6000, 0), 302: (300, 0),
        411: (2500, 0), 401: (0, 3300), 4539: (0, 500), 421: (0, 1500), 461: (0, 400),
        501: (800, 0), 502: (1000, 0), 503: (9400, 0),
    }
    plug = sum(d - c for d, c in opening.values())
    opening[122] = (0, plug)                                   # retained profit balances the opening
    postings = [
        (304, 401, 10000), (4531, 401, 2000),                  # goods bought on credit
        (411, 702, 25000), (411, 4532, 5000), (702, 304, 9000),  # goods sold, cost to 702
        (501, 702, 1000), (501, 4532, 200), (702, 304, 600),   # cash sale
        (503, 411, 16000), (401, 503, 11000),                  # collections, payments
        (501, 503, 8000),                                      # cash withdrawn (no flow)
        (602, 501, 700),                                       # services paid in cash
        (604, 421, 6000), (605, 461, 1100), (421, 501, 5500), (461, 503, 1000),
        (603, 2413, 800), (603, 2417, 500), (6032, 2423, 200),  # depreciation
        (621, 503, 900), (152, 503, 3000),                     # interest, loan repaid
        (4532, 4531, 2000), (4532, 4539, 3000), (4539, 503, 1500),  # VAT settled and paid
        (2041, 503, 2400),                                     # computer bought
        (503, 151, 2000), (629, 503, 60),                      # short loan, bank fee
        (503, 705, 500), (2417, 207, 300), (705, 207, 400),    # furniture sold
        (503, 721, 40), (402, 503, 300), (503, 493, 1000),     # interest in, advance, owner loan
        (302, 401, 500), (601, 302, 350),                      # materials bought and used
        (611, 601, 200), (303, 611, 150),                      # production cost, finished goods
        (411, 701, 300), (411, 4532, 60), (701, 303, 100),     # product sold
        (613, 602, 120),                                       # own work capitalised
        (691, 304, 250),                                       # goods destroyed
        (502, 724, 35), (624, 502, 15),                        # FX revaluation
        (422, 501, 200), (6093, 422, 180), (501, 422, 20),     # travel advance
        (606, 503, 90),                                        # local tax
        (511, 503, 700), (503, 511, 700), (503, 723, 50),      # short investment in and out
    ]
    return opening, postings


def closing_entries(books, tax_rate=0.10):
    """Year-end closing of groups 6 and 7 to 123, then profit tax Dt 123 Kt 452."""
    out = []
    for acc in sorted(books.chart):
        grp = acc if acc < 1000 else acc // 10
        if 700 <= grp <= 799:
            n = -books.net_debit(acc)
            if n:
                out.append((acc, 123, n) if n > 0 else (123, acc, -n))
        elif 600 <= grp <= 699 and acc not in (611, 612, 613):
            n = books.net_debit(acc)
            if n:
                out.append((123, acc, n) if n > 0 else (acc, 123, -n))
    result = sum(a if d != 123 else -a for d, c, a in out if 123 in (d, c))
    if result > 0 and tax_rate:
        out.append((123, 452, r2(result * tax_rate)))
    return out


# ======================================================================================

def show(name, lines, res, full):
    if not full:
        return
    print(f"  --- {name} ---")
    for l in lines:
        v = res[l["OPR_Pok_No"]]
        amt = "" if v.get("This") is None else f"{v['This']:14.2f}"
        extra = ""
        if "OS" in v and v.get("OS") is not None and l["OPR_Value"] != 0:
            extra = f"  (OS {v['OS']:.2f} Kor {v['Kor']:.2f})"
        print(f"  {l['OPR_Pok_No']:3} {l['OPR_Pok_Name'][:70]:70} {amt}{extra}")


def engine_self_test(chart):
    """Known cases, to make sure the evaluator above follows the computation rules."""
    books = Books(chart, {501: (100, 0), 101: (0, 100)}, [(503, 501, 30)])
    mk = lambda no, v, g: {"OPR_ID": no, "OPR_Pok_No": no, "OPR_Pok_Name": "", "OPR_Value": v, "OPR_Grup": g}
    row = lambda no, t, a, c=0, k=0, const=0.0: {"OPR_Pok_No": no, "OPR_Account_Type": t, "OPR_Account_No": a,
                                                 "OPR_AccCor_No": c, "OPR_ConstValue": const, "OPR_Kor": k}
    bal = compute_balans([mk(1, 1, 2), mk(2, 1, 2), mk(3, 2, 0)],
                         {2: [row(2, 5, 501, k=1), row(2, 9, 0, const=7)]}, books)
    check(bal[1]["This"] == 0 and bal[1]["Prev"] == 0, "self-test: a line without rows is not 0")
    check(bal[2]["OS"] == 0 and bal[2]["This"] == -70 and bal[2]["Prev"] == 7, "self-test: Kor-only line / kind 9")
    opp = compute_opp([mk(1, 1, 1), mk(2, 1, 1), mk(3, 11, 0), mk(4, 12, 0)],
                      {1: [row(1, 1, 501)], 2: [row(2, 8, 0, const=5)]}, books)
    check(opp[3]["This"] == 5 and opp[4]["This"] == 0, "self-test: the later group-1 line is not the base")
    check(books.value(501)[4] == 70 and books.corr[(503, 501)] == 30, "self-test: account totals")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--seed", default=DEFAULT_SEED)
    ap.add_argument("--dir", default=HERE)
    ap.add_argument("--full", action="store_true", help="print every line of every statement")
    args = ap.parse_args()

    chart = load_chart(args.seed)
    check(len(chart) > 100, f"only {len(chart)} accounts extracted from {args.seed}")
    print(f"chart: {len(chart)} accounts extracted from {args.seed}")
    engine_self_test(chart)

    st = {n: load_statement(args.dir, n) for n in ("balans", "opr", "opp")}
    by_no = {}
    print("\n== structure ==")
    for n, (lines, rows, by_line) in st.items():
        by_no[n] = check_structure(n, lines, rows, chart)
        check_classes(n, lines, by_line)
    balance_sheet_coverage(st["balans"][0], st["balans"][2], chart)
    pairs = cash_flow_pairs(st["opp"][0], st["opp"][2])
    print(f"  opp: {len(pairs)} distinct cash correspondences, none counted twice")

    print("\n== page breaks and emphasis ==")
    for n in st:
        check_emphasis(n, st[n][0], by_no[n])

    print("\n== hand-made books ==")
    opening, postings = sample_books(chart)
    base = Books(chart, opening, postings)
    check(base.check_balanced(), "sample opening balances do not balance")
    closed = Books(chart, opening, postings + closing_entries(base))
    loss_post = postings + [(691, 304, 6100), (609, 411, 2000)]
    loss_base = Books(chart, opening, loss_post)
    loss_closed = Books(chart, opening, loss_post + closing_entries(loss_base))
    print("  trial balance of the open-year books (non-zero accounts):")
    print("      acc   open Dt   open Kt   turn Dt   turn Kt  close Dt  close Kt")
    for acc in sorted(chart):
        v = base.value(acc)
        if any(v):
            print(f"    {acc:5}" + "".join(f"{x:10.2f}" for x in v))

    for label, books in (("year open (result in groups 6/7)", base), ("year closed to 123, profit", closed),
                         ("year closed to 123, loss", loss_closed), ("loss, year open", loss_base)):
        print(f"\n  -- {label} --")
        bal = compute_balans(st["balans"][0], st["balans"][2], books)
        opr = compute_opr(st["opr"][0], st["opr"][2], books)
        opp = compute_opp(st["opp"][0], st["opp"][2], books)
        a, l = bal[62]["This"], bal[116]["This"]
        print(f"  balance sheet: assets (62) {a:.2f}  liabilities (116) {l:.2f}  current result (82) {bal[82]['This']:.2f}")
        check(a == l, f"{label}: assets {a} != liabilities {l}")
        result = r2(opr[59]["This"] - opr[31]["This"])
        print(f"  income statement: expenses (31) {opr[31]['This']:.2f}  income (59) {opr[59]['This']:.2f}"
              f"  result {result:.2f}  ВСИЧКО {opr[33]['This']:.2f} / {opr[61]['This']:.2f}")
        check(result == bal[82]["This"], f"{label}: income statement result {result} != balance sheet {bal[82]['This']}")
        if books is not base and books is not loss_base:
            check(opr[33]["This"] == opr[61]["This"], f"{label}: ВСИЧКО {opr[33]['This']} != {opr[61]['This']}")
            check(opr[32]["This"] == max(bal[82]["This"], 0) and opr[60]["This"] == max(-bal[82]["This"], 0),
                  f"{label}: profit/loss lines do not match 123")
        open_cash = r2(sum(books.value(c)[0] for c in CASH))
        close_cash = r2(sum(books.value(c)[4] for c in CASH))
        print(f"  cash flow: opening (52) {opp[52]['This']:.2f}  change (51) {opp[51]['This']:.2f}"
              f"  closing (54) {opp[54]['This']:.2f}  cash accounts close at {close_cash:.2f}")
        check(opp[52]["This"] == open_cash and opp[54]["This"] == close_cash
              and opp[51]["This"] == r2(close_cash - open_cash), f"{label}: cash flow does not reconcile")
        check(bal[59]["This"] == close_cash, f"{label}: balance-sheet cash {bal[59]['This']} != {close_cash}")
        unclassified = [(d, c) for d, c, _ in books.postings
                        if (d in CASH) != (c in CASH) and (d, c) not in pairs]
        check(not unclassified, f"{label}: cash postings not classified: {unclassified}")
        show("balans", st["balans"][0], bal, args.full)
        show("opr", st["opr"][0], opr, args.full)
        show("opp", st["opp"][0], opp, args.full)

    print("\nRESULT:", "PASS" if not FAILS else f"FAIL ({len(FAILS)} problems)")
    return 0 if not FAILS else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Reference values for the blood-alcohol window test, computed apart from the program.

Widmark: each drink of alcohol mass A (g) is taken up with first order, k(res) per hour, into
r * m litres of body water; a resorption deficit RD % is lost; the body eliminates beta60 g/L per
hour from minute 0. Where the curve falls below 0 a later drink starts from 0 again: the curve is
lifted at its start by the missing amount, the negative stretch before it reads 0, and negative
values left at the end read 0. A drink after the last minute shown plays no part.
"""
import math

DENSITY_ETHANOL = 0.789  # g/ml
DENSITY_BLOOD = 1.055    # kg/L


def curve(drinks, r, m, rd, beta60, tmax):
    """drinks: (volume ml, content vol-%, k(res) 1/h, start min); BAK in g/L for minutes 0..tmax."""
    raw = []
    for t in range(tmax + 1):
        s = 0.0
        for vol, pct, kres, start in drinks:
            a = vol * pct * DENSITY_ETHANOL / 100
            if start <= tmax and t > start:
                s += a / (r * m) * (1 - math.exp(-kres * (t - start) / 60))
        raw.append(s * (100 - rd) / 100 - t * beta60 / 60)
    bak = raw[:]
    starts = [d[3] for d in drinks if d[3] <= tmax]
    for i, s in enumerate(starts[1:], start=1):
        if bak[s] < 0:
            lift = -bak[s]
            for t in range(s, tmax + 1):
                bak[t] += lift
            for t in range(starts[i - 1], s + 1):
                bak[t] = max(bak[t], 0.0)
    return [max(v, 0.0) for v in bak]


if __name__ == "__main__":
    evening = [(330, 4.8, 5, 0), (200, 11.5, 2, 40), (20, 40, 20, 95)]
    y = curve(evening, r=0.6, m=58, rd=15, beta60=0.13, tmax=420)
    peak = max(range(len(y)), key=lambda t: y[t])
    print(f"peak {y[peak]:.6f} g/L at minute {peak}")
    for t in (60, 120, 240, 400):
        print(f"minute {t}: {y[t]:.6f} g/L, {y[t] / DENSITY_BLOOD:.6f} g/kg")
    first_zero = next(t for t in range(peak, len(y)) if y[t] == 0)
    print(f"0 from minute {first_zero}; all zero after: {all(v == 0 for v in y[first_zero:])}")
    late = curve(evening + [(500, 5, 5, 1440)], r=0.6, m=58, rd=15, beta60=0.13, tmax=420)
    print("unchanged by a drink at minute 1440:", late == y)

#!/usr/bin/env python3
"""Model 7 (A + B => C, A + C => P) fixture data and the scipy comparison of the automatic fit.

  python3 fit_model7_scipy.py --write   writes data/model7_200.csv and data/model7_1000.csv
  python3 fit_model7_scipy.py           times scipy least_squares (LSODA) on both sets

The data: c(A,0) = c(B,0) = 1 mol/L, k1 = 0.45, k2 = 0.08 L/(mol s), t = 0..20 s, c(A) with a fixed
saw-tooth of +-0.003 mol/L. The fit starts, as the benchmark does, at k1 = 0.3, k2 = 0.02 and minimises
the squared deviations of c(A); needs scipy (measurement only, nothing in the build uses it).
"""
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SETS = (200, 1000)
T_END = 20.0
K_TRUE = (0.45, 0.08)
K_START = (0.3, 0.02)


def rates(y, k1, k2):
    a, b, c, p = y
    r1, r2 = k1 * a * b, k2 * a * c
    return (-r1 - r2, -r1, r1 - r2, r2)


def reference_course(times, k1, k2, steps_per_unit=2000):
    """c(A) at the given ascending times by classical Runge-Kutta with a fine fixed step."""
    y, t, out = (1.0, 1.0, 0.0, 0.0), 0.0, []
    for target in times:
        n = max(1, int(round((target - t) * steps_per_unit)))
        h = (target - t) / n
        for _ in range(n):
            d1 = rates(y, k1, k2)
            d2 = rates([y[i] + h / 2 * d1[i] for i in range(4)], k1, k2)
            d3 = rates([y[i] + h / 2 * d2[i] for i in range(4)], k1, k2)
            d4 = rates([y[i] + h * d3[i] for i in range(4)], k1, k2)
            y = tuple(y[i] + h / 6 * (d1[i] + 2 * d2[i] + 2 * d3[i] + d4[i]) for i in range(4))
        t = target
        out.append(y[0])
    return out


def path(m):
    return os.path.join(HERE, "data", "model7_%d.csv" % m)


def write_sets():
    for m in SETS:
        times = [T_END * i / (m - 1) for i in range(m)]
        ca = reference_course(times, *K_TRUE)
        with open(path(m), "w", newline="\r\n") as f:
            for i, (t, c) in enumerate(zip(times, ca)):
                f.write("%.10g;%.6f\n" % (t, c + 0.003 * ((i % 3) - 1)))


def read_set(m):
    t, c = [], []
    with open(path(m)) as f:
        for line in f:
            a, b = line.split(";")
            t.append(float(a))
            c.append(float(b))
    return t, c


def time_scipy():
    import numpy as np
    from scipy.integrate import solve_ivp
    from scipy.optimize import least_squares

    for m in SETS:
        t, c = (np.array(v) for v in read_set(m))

        def residuals(k):
            sol = solve_ivp(lambda _, y: rates(y, k[0], k[1]), (0, T_END), [1, 1, 0, 0], method="LSODA",
                            t_eval=t, rtol=1e-6, atol=1e-9)
            return sol.y[0] - c

        runs = []
        for _ in range(5):
            start = time.perf_counter()
            fit = least_squares(residuals, K_START, method="lm")
            runs.append(time.perf_counter() - start)
        runs.sort()
        print("%4d rows: k1 %.7g k2 %.7g, median %.1f ms, best %.1f ms" %
              (m, fit.x[0], fit.x[1], runs[len(runs) // 2] * 1e3, runs[0] * 1e3))


if __name__ == "__main__":
    if "--write" in sys.argv:
        write_sets()
    else:
        time_scipy()

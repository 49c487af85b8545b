#!/usr/bin/env python3
"""Fits the equivalent circuits of the sample catalogue's induction motors.

Prints the INSERT statement of the table "Двигатели_АД" in data/catalogue.sql, and with
--report the fit's relative deviations per record. Standard library only:

    python3 data/fit_induction_circuits.py [--report]

The circuit is the one the program simulates: per phase, at 50 Hz, rotor referred to the stator,
m1 = 3 phases (the record transfer writes m1 = 3). The program takes the magnetising inductance
as 0.5 * m1 * X12 / omega, so the circuit's magnetising reactance is 1.5 * X12. In steady state
the simulated motor gives the T-circuit's torque 3 * I2^2 * R2 / (s * w0) and a stator current
vector whose length is sqrt(2) times the circuit's rms current I1.

Each record is fitted to five points of its catalogue data:
  - at the rated speed w: the rated torque 1000 * P / w and the rated current I1;
  - at standstill: the starting torque, Mst times the rated torque;
  - at standstill: the starting current, within the series' range of Ist (times I1);
  - at the breakdown slip: the maximum torque, within the series' range of Mmax (times rated).
The stator resistance stays near its estimate from the losses (R1 of the rated data below), the
leakage reactance splits 40 : 60 between stator and rotor and is at least 0.1 per unit, as in
motors of these series. A single-cage circuit with constant parameters has no deep-bar rotor, so
a catalogue's maximum torque and starting current cannot both be matched exactly at its rated
slip: the fit holds the rated point and the starting torque and keeps the other two in the
series' published ranges as far as the circuit allows.
The stored ratios are the catalogue's starting torque and the circuit's maximum torque and
starting current rounded to 0.1, as catalogues print them.
"""

import math
import sys

PHASES = 3
FREQUENCY = 50.0
STATOR_SHARE = 0.4  # of the leakage reactance X1 + X2
MIN_LEAKAGE = 0.1  # X1 + X2 in per unit of the rated impedance U / I1, at least

# Rated data of the 4A and AIR catalogues, rounded: designation, P kW, U phase V, I1 A, w rad/s,
# rotor inertia kg m2, the stator resistance estimated from the losses (ohm), the catalogue's
# starting-torque ratio, and the series' ranges of the maximum-torque and starting-current ratios.
SMALL = (2.2, 3.0), (4.5, 6.0)  # frames 71 and 80
LARGE = (2.2, 3.0), (5.0, 7.5)  # frames 90 to 250
MOTORS = [
    ("4А71А4", 0.55, 220, 1.69, 146, 0.0013, 13.0, 2.0, *SMALL),
    ("4А71В4", 0.75, 220, 2.17, 146, 0.0014, 10.1, 2.0, *SMALL),
    ("4А80А4", 1.1, 220, 2.75, 149, 0.0032, 8.0, 2.0, *SMALL),
    ("4А80В4", 1.5, 220, 3.57, 148, 0.0033, 6.17, 2.0, *SMALL),
    ("4А90L4", 2.2, 220, 5.03, 149, 0.0056, 2.62, 2.1, *LARGE),
    ("4А100S4", 3, 220, 6.7, 150, 0.0087, 1.97, 2.0, *LARGE),
    ("4А100L4", 4, 220, 8.61, 150, 0.011, 1.53, 2.0, *LARGE),
    ("4А112М4", 5.5, 220, 11.5, 151, 0.017, 1.15, 2.0, *LARGE),
    ("4А132S4", 7.5, 220, 15.1, 152, 0.028, 0.581, 2.2, *LARGE),
    ("4А132М4", 11, 220, 22, 153, 0.04, 0.401, 2.2, *LARGE),
    ("4А160S4", 15, 220, 29.3, 153, 0.1, 0.301, 1.4, *LARGE),
    ("4А160М4", 18.5, 220, 35.7, 153, 0.13, 0.173, 1.4, *LARGE),
    ("4А180S4", 22, 220, 41.3, 154, 0.19, 0.149, 1.4, *LARGE),
    ("4А180М4", 30, 220, 56.3, 154, 0.23, 0.109, 1.4, *LARGE),
    ("4А200М4", 37, 220, 68.6, 154, 0.37, 0.0897, 1.4, *LARGE),
    ("4А200L4", 45, 220, 82.6, 154, 0.45, 0.0746, 1.4, *LARGE),
    ("4А80А2", 1.5, 220, 3.31, 298, 0.0018, 6.65, 2.1, *SMALL),
    ("4А100S2", 4, 220, 7.89, 302, 0.0059, 1.67, 2.0, *LARGE),
    ("4А132М2", 11, 220, 21.1, 304, 0.023, 0.417, 1.6, *LARGE),
    ("4А112МА6", 3, 220, 7.4, 100, 0.017, 2.05, 2.0, *LARGE),
    ("4А132М6", 7.5, 220, 16.5, 102, 0.058, 0.615, 2.0, *LARGE),
    ("4А160S6", 11, 220, 22.6, 102, 0.137, 0.448, 1.2, *LARGE),
    ("4А132М8", 5.5, 220, 13.6, 75, 0.057, 1.12, 1.9, *LARGE),
    ("4А160S8", 7.5, 220, 17.7, 76, 0.137, 0.573, 1.4, *LARGE),
    ("4А250S10", 30, 220, 63.9, 62, 1.6, 0.111, 1.2, *LARGE),
    ("АИР100L4", 4, 220, 8.51, 148, 0.0111, 1.55, 2.0, *LARGE),
    ("АИР112М4", 5.5, 220, 11.4, 150, 0.0125, 1.16, 2.0, *LARGE),
    ("АИР132М4", 11, 220, 22.6, 152, 0.036, 0.389, 2.2, *LARGE),
]


def pole_pairs(w):
    """The program's pole pairs for a rated speed in rad/s."""
    for low, high, pairs in ((126, 250, 2), (91, 125, 3), (66, 90, 4), (41, 65, 5), (30, 40, 6)):
        if low <= w <= high:
            return pairs
    return 1


class Circuit:
    def __init__(self, R1, X1, R2, X2, Xm, U, sync_speed):
        self.R1, self.X1, self.R2, self.X2, self.Xm = R1, X1, R2, X2, Xm
        self.U, self.sync_speed = U, sync_speed

    def at_slip(self, s):
        """Torque (N m) and rms stator current (A) at slip s."""
        rotor = complex(self.R2 / s, self.X2)
        magnetising = 1j * self.Xm
        I1 = self.U / (complex(self.R1, self.X1) + rotor * magnetising / (rotor + magnetising))
        I2 = I1 * magnetising / (rotor + magnetising)
        return PHASES * abs(I2) ** 2 * self.R2 / s / self.sync_speed, abs(I1)

    def breakdown(self):
        """Breakdown slip and maximum torque, from the Thevenin equivalent of stator side."""
        stator = complex(self.R1, self.X1 + self.Xm)
        source = abs(self.U * 1j * self.Xm / stator)
        impedance = complex(self.R1, self.X1) * 1j * self.Xm / stator
        loop = abs(impedance + 1j * self.X2)
        torque = PHASES * source**2 / (2 * self.sync_speed * (impedance.real + loop))
        return self.R2 / loop, torque


class Record:
    def __init__(self, name, P, U, I1, w, J, R1, start, max_range, current_range):
        self.name, self.P, self.U, self.I1, self.w, self.J = name, P, U, I1, w, J
        self.R1_estimate, self.start = R1, start
        self.max_range, self.current_range = max_range, current_range
        self.sync_speed = 2 * math.pi * FREQUENCY / pole_pairs(w)
        self.slip = 1 - w / self.sync_speed
        self.torque = 1000 * P / w

    def circuit(self, x):
        R1, R2, Xk, Xm = (math.exp(v) for v in x)
        return Circuit(R1, STATOR_SHARE * Xk, R2, (1 - STATOR_SHARE) * Xk, Xm, self.U,
                       self.sync_speed)

    def ratios(self, circuit):
        rated_torque, rated_current = circuit.at_slip(self.slip)
        start_torque, start_current = circuit.at_slip(1.0)
        return (rated_torque / self.torque, rated_current / self.I1, start_torque / self.torque,
                start_current / self.I1, circuit.breakdown()[1] / self.torque)

    def residuals(self, x):
        rated_torque, rated_current, start_torque, start_current, maximum = self.ratios(
            self.circuit(x))
        return [
            3 * math.log(rated_torque),
            3 * math.log(rated_current),
            3 * math.log(start_torque / self.start),
            2 * outside(start_current, self.current_range),
            2 * outside(maximum, self.max_range),
            0.2 * (x[0] - math.log(self.R1_estimate)),
            2 * min(0.0, x[2] - math.log(MIN_LEAKAGE * self.U / self.I1)),
        ]


def outside(value, bounds):
    """Log distance of value from the range [low, high], 0 inside it."""
    low, high = bounds
    return math.log(value / low) if value < low else math.log(value / high) if value > high else 0.0


def solve(matrix, vector):
    """Gaussian elimination with partial pivoting."""
    n = len(vector)
    rows = [row[:] + [vector[i]] for i, row in enumerate(matrix)]
    for col in range(n):
        pivot = max(range(col, n), key=lambda r: abs(rows[r][col]))
        rows[col], rows[pivot] = rows[pivot], rows[col]
        for r in range(col + 1, n):
            factor = rows[r][col] / rows[col][col]
            for k in range(col, n + 1):
                rows[r][k] -= factor * rows[col][k]
    x = [0.0] * n
    for i in reversed(range(n)):
        x[i] = (rows[i][n] - sum(rows[i][k] * x[k] for k in range(i + 1, n))) / rows[i][i]
    return x


def least_squares(residuals, x):
    """Levenberg-Marquardt with a forward-difference Jacobian."""
    damping = 1e-3
    cost = sum(r * r for r in residuals(x))
    for _ in range(500):
        r = residuals(x)
        jacobian = []
        for j in range(len(x)):
            shifted = x[:]
            shifted[j] += 1e-7
            jacobian.append([(a - b) / 1e-7 for a, b in zip(residuals(shifted), r)])
        normal = [[sum(a * b for a, b in zip(jacobian[i], jacobian[j])) +
                   (damping if i == j else 0.0) for j in range(len(x))] for i in range(len(x))]
        gradient = [-sum(a * b for a, b in zip(jacobian[i], r)) for i in range(len(x))]
        # Steps are limited to a factor e per parameter, and a step into a circuit without a
        # value (an overflow) counts as a failed one.
        trial = [a + max(-1.0, min(1.0, b)) for a, b in zip(x, solve(normal, gradient))]
        try:
            trial_cost = sum(v * v for v in residuals(trial))
        except (OverflowError, ZeroDivisionError, ValueError):
            trial_cost = math.inf
        if trial_cost < cost:
            x, cost, damping = trial, trial_cost, damping / 3
        else:
            damping *= 4
        if damping > 1e6:
            break
    return x


def fit(record):
    # Start from typical per-unit values: leakage 0.2, magnetising 2.5 of the rated impedance.
    base = record.U / record.I1
    start = [math.log(v) for v in (record.R1_estimate, record.R1_estimate * 0.9, 0.2 * base,
                                   2.5 * base)]
    return record.circuit(least_squares(record.residuals, start))


def number(value):
    return "%.4g" % value


def main():
    report = "--report" in sys.argv[1:]
    lines = []
    for row in MOTORS:
        record = Record(*row)
        circuit = fit(record)
        ratios = record.ratios(circuit)
        maximum = round(ratios[4], 1)
        current = round(ratios[3], 1)
        values = [record.P, record.U, record.I1, record.w, circuit.R1, circuit.X1, circuit.R2,
                  circuit.X2, circuit.Xm / 1.5, record.J, record.start, maximum, current]
        lines.append("('%s', %s)" % (record.name, ", ".join(number(v) for v in values)))
        if report:
            deviations = (ratios[0] - 1, ratios[1] - 1, ratios[2] / record.start - 1,
                          ratios[3] / current - 1, ratios[4] / maximum - 1)
            print("%-9s slip %.4f R1/estimate %.2f  sk %.3f  deviations %s" % (
                record.name, record.slip, circuit.R1 / record.R1_estimate,
                circuit.breakdown()[0], " ".join("%+.3f" % d for d in deviations)),
                file=sys.stderr)
    print('INSERT INTO "Двигатели_АД" ("Motor", "P", "U", "I1", "w", "R1", "X1", "R2", "X2", '
          '"X12", "J", "Mst", "Mmax", "Ist")')
    print("VALUES")
    print(",\n".join(lines) + ";")


if __name__ == "__main__":
    main()

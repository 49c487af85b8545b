"""How stiff may the thyristor drive's speed loop be? A sweep of its gain Kpw, from Python.

    PYTHONPATH=build/python python3 examples/sweep_plot.py [PICTURE.png]

Prints the step-response figures of every gain, as kinetra-sim --set prints them. With Matplotlib
installed it also plots them beside the speed curves of three gains and saves the picture (by
default kpw-sweep.png in the working folder); without it the table is all.
"""

import pathlib
import sys

import numpy as np

import kinetra

here = pathlib.Path(__file__).resolve().parent
model = kinetra.load(here / "dc-thyristor-speed-current.kmf", decimal_separator=",")
gains = [20, 40, 60, 80, 160, 320, 640]
table = kinetra.sweep(model, {"Kpw": gains})

figures = ["riseTime", "overshoot", "settlingTime2", "settlingTime5", "steadyStateError"]
print("Kpw " + " ".join(f"{name:>16}" for name in figures))
for row, gain in enumerate(table["Kpw"]):
    # NaN stands where kinetra-sim's table reads never: the speed never settled so closely.
    print(f"{gain:3.0f} " + " ".join(f"{table[name][row]:16.3f}" for name in figures))

try:
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    sys.exit(0)

figure, (curves, steady) = plt.subplots(1, 2, figsize=(11, 4.5))
for gain in (40, 160, 640):
    model["Kpw"] = gain
    run = kinetra.simulate(model)
    curves.plot(run.time, run.mech_speed, label=f"Kpw = {gain}")
curves.set_xlabel("t, s")
curves.set_ylabel("mechanism speed, rad/s")
curves.legend()
steady.semilogx(table["Kpw"], table["steadyStateError"], "o-", label="steady-state error, rad/s")
steady.semilogx(table["Kpw"], np.nan_to_num(table["overshoot"]), "s-", label="overshoot, %")
steady.set_xlabel("Kpw")
steady.legend()
figure.tight_layout()
picture = sys.argv[1] if len(sys.argv) > 1 else "kpw-sweep.png"
figure.savefig(picture)
print(f"Plotted into {picture}")

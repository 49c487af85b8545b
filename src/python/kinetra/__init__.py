"""Kinetra for scripts: simulate electric drives, sweep and study them, with NumPy arrays.

The module runs the very code of the program and of kinetra-sim, so a script gets what the
results window shows and what kinetra-sim prints:

    import kinetra

    model = kinetra.load("examples/dc-thyristor-speed-current.kmf")
    model["Mc"] = 50                      # a key of the model file, as the editor stores it
    run = kinetra.simulate(model)         # run.time, run.mech_speed, ... are NumPy arrays
    print(run.metrics["riseTime"], run.metrics["warning"])

    table = kinetra.sweep(model, {"Kpw": [40, 80, 160]}, jobs=2)
    spread = kinetra.study(model, vary={"J": "0.35±20%", "Kpw": "60~3"},
                           samples=2000, seed=2026)
    print(spread["sample"][:3], spread["riseTime"].mean())

load(path) reads a model file, simulate(model) runs it, sweep() and study() run many variants
on threads with the interpreter free for other threads, and give one array per column of
kinetra-sim's table, named as its header names them. A run that gives no result raises
SimulationError with the program's own message; a file that does not load or save raises
OSError, a key or a spread the program refuses ValueError, with its own message too.
"""

from ._kinetra import Model, Run, SimulationError, load, simulate, study, sweep

__all__ = ["Model", "Run", "SimulationError", "load", "simulate", "study", "sweep"]

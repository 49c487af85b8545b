"""The Python module against kinetra-sim: the same runs, tables and messages, as arrays.

Run by CTest with PYTHONPATH on the build folder's package, KINETRA_SIM naming the program and
KINETRA_EXAMPLES the example models.
"""

import csv
import io
import math
import os
import pathlib
import subprocess

import numpy as np
import pytest

import kinetra

SIM = os.environ["KINETRA_SIM"]
EXAMPLES = pathlib.Path(os.environ["KINETRA_EXAMPLES"])
THYRISTOR = EXAMPLES / "dc-thyristor-speed-current.kmf"


def sim(*arguments, cwd=None):
    """kinetra-sim under the examples' decimal comma."""
    return subprocess.run([SIM, "--decimal-separator", ",", *map(str, arguments)],
                          capture_output=True, text=True, cwd=cwd)


def table(text):
    rows = list(csv.reader(io.StringIO(text)))
    return rows[0], rows[1:]


def load(path=THYRISTOR):
    return kinetra.load(path, decimal_separator=",")


@pytest.mark.parametrize("example", sorted(p.name for p in EXAMPLES.glob("*.kmf")))
def test_run_arrays_are_the_samples_kinetra_sim_writes(example, tmp_path):
    written = tmp_path / "samples.csv"
    assert sim("--samples", written, EXAMPLES / example).returncode == 0
    header, rows = table(written.read_text())
    run = kinetra.simulate(load(EXAMPLES / example))
    arrays = {"time": run.time, "torque": run.torque, "mechSpeed": run.mech_speed,
              "current": run.current, "motorSpeed": run.motor_speed, "position": run.position}
    assert (run.position is not None) == ("position" in header)
    for column, name in enumerate(header):
        expected = np.array([float(row[column]) for row in rows])
        assert np.array_equal(arrays[name], expected), name


def test_metrics_are_keyed_and_valued_as_kinetra_sim_prints_them():
    """The loops' margins are kinetra-sim's alone: the module's metrics are the run's."""
    printed = sim("--metrics", THYRISTOR).stdout.splitlines()
    metrics = kinetra.simulate(load()).metrics
    warnings = [line.split("=", 1)[1] for line in printed if line.startswith("warning=")]
    assert metrics["warning"] == warnings
    margins = ("warning=", "phaseMargin", "crossover")
    fields = [line.split("=", 1) for line in printed if not line.startswith(margins)]
    assert list(metrics) == [key for key, _ in fields] + ["warning"]
    for key, text in fields:
        value = metrics[key]
        if isinstance(value, str):
            assert value == text, key
        else:
            assert float(f"{value:.10g}") == float(text), key


def cell_equals(cell, value, digits):
    """A cell of kinetra-sim's table against the module's value: a word as it is, a number to the
    digits the table prints, NaN where the table has a word or nothing for a figure."""
    if isinstance(value, str):
        return cell == value
    if cell in ("", "never", "none", "outOfRange"):
        return math.isnan(value)
    return float(cell) == float(f"{value:.{digits}g}")


@pytest.mark.parametrize("arguments, request_", [
    (["--set", "I=58;1047.6190476190476", "--set", "Kpw=40;160"],
     lambda model: kinetra.sweep(model, {"I": [58, 1047.6190476190476], "Kpw": [40, 160]})),
    (["--vary", "J=0.35±20%", "--vary", "Kpw=60~3", "--samples", "12", "--seed", "2026"],
     lambda model: kinetra.study(model, vary={"J": "0.35±20%", "Kpw": "60~3"}, samples=12,
                                 seed=2026)),
])
def test_sweeps_and_studies_equal_kinetra_sims_table(arguments, request_):
    header, rows = table(sim(*arguments, THYRISTOR).stdout)
    columns = request_(load())
    assert list(columns) == header
    drawn = header[0] == "sample"
    keys = header[1 if drawn else 0:header.index("status")]
    for number, row in enumerate(rows):
        for name, cell in zip(header, row):
            digits = (17 if drawn else 15) if name in keys else 10
            assert cell_equals(cell, columns[name][number], digits), (number, name, cell)


def test_a_study_on_two_threads_equals_one_on_one():
    model = load()
    request = dict(vary={"Kpw": "80±20%", "J": "0.35~0.02"}, samples=16, seed=9)
    one = kinetra.study(model, jobs=1, **request)
    two = kinetra.study(model, jobs=2, **request)
    assert list(one) == list(two)
    for name in one:
        same = (np.array_equal(one[name], two[name]) if one[name].dtype.kind in "UO"
                else np.array_equal(one[name], two[name], equal_nan=True))
        assert same, name


def test_a_key_set_and_saved_is_the_model_kinetra_sim_runs(tmp_path):
    model = load()
    model["Mc"] = 50
    assert model["mc"] == 50.0 and isinstance(model["Motor"], str)
    saved = tmp_path / "heavier.kmf"
    model.save(saved)
    written = tmp_path / "samples.csv"
    assert sim("--samples", written, saved).returncode == 0
    _, rows = table(written.read_text())
    assert np.array_equal(kinetra.simulate(model).mech_speed,
                          np.array([float(row[2]) for row in rows]))


def runaway(folder):
    """The transistor drive with an armature of 20 ohm: its cascade winds away."""
    model = load(EXAMPLES / "dc-transistor-speed.kmf")
    model["R2"] = 20
    path = folder / "runaway.kmf"
    model.save(path)
    return model, path


def bad_entry(folder):
    """A load torque that does not read as a number."""
    path = folder / "bad.kmf"
    path.write_bytes(THYRISTOR.read_bytes().replace(b"\r\nMc=", b"\r\nMc=x"))
    return load(path), path


@pytest.mark.parametrize("make, outcome", [(runaway, "diverged"), (bad_entry, "collectionFailed")])
def test_a_failed_run_raises_the_programs_message(make, outcome, tmp_path):
    model, path = make(tmp_path)
    printed = sim(path)
    assert printed.returncode == 1
    with pytest.raises(kinetra.SimulationError) as raised:
        kinetra.simulate(model)
    assert str(raised.value) == printed.stderr.removesuffix("\n")
    assert raised.value.outcome == outcome
    assert (raised.value.run is not None) == (outcome == "diverged")


@pytest.mark.parametrize("call, error, message", [
    (lambda: kinetra.load(EXAMPLES / "none.kmf"), OSError, "Не открыть файл none.kmf\n"),
    (lambda: load()["Colour"], KeyError, "Colour"),
    (lambda: kinetra.sweep(load(), {"Colour": [1]}), ValueError,
     "\"Colour\" is no numeric model key."),
    (lambda: kinetra.sweep(load(), {"p1": [1.5]}), ValueError,
     "p1 takes whole numbers, as in a model file, not 1.5."),
    (lambda: kinetra.study(load(), vary={"J": "-0.35±10%"}, samples=3), ValueError,
     "J is a magnitude: its nominal value cannot be below zero."),
    (lambda: kinetra.study(load(), vary={"J": "0.35"}, samples=3), ValueError,
     "--vary takes KEY=NOMINAL±PERCENT% or KEY=NOMINAL~SIGMA, not \"J=0.35\"."),
])
def test_refusals_carry_the_programs_texts(call, error, message):
    with pytest.raises(error) as raised:
        call()
    assert message in str(raised.value)

#!/usr/bin/python3
"""Reads Spectrion's windows through the accessibility bus as a screen reader
does and checks what it finds: every control has a role and a name, the
sliders report their values in the user's units, the read-outs read as one
text, and the chart's description follows the picture.

Usage: accessibility_tree.py <en|de> <program> <tree file>
Runs inside a session bus (dbus-run-session); exits 77 when the
accessibility bus cannot be reached, 1 on a failed check."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

LANG, PROGRAM, TREE_FILE = sys.argv[1], sys.argv[2], sys.argv[3]

# What each language calls things (the language files' texts).
TEXTS = {
    "en": {
        "about": "About", "ok": "OK", "exit": "Exit",
        "window": "Spectrion - black-body radiation",
        "temperature": "Temperature", "axis top": "Top of the energy axis",
        "explanation": "Explanation", "chart": "Chart of the spectral energy density",
        "visible": "Visible light", "add": "Add",
        "readout T": "Temperature 898 K", "readout peak": "Peak at 3207 nm",
        "readout T2": "Temperature 5800 K",
        "curve": "Curve at 898 K, peak at 3207 nm.",
        "curve2": "Curve at 5800 K, peak at 497 nm.",
        "x axis": "Wavelength [nm] axis: 0 to 10000, linear.",
        "y axis": "Energy density [J/m⁴] axis: 9E-11 to 158.489, linear.",
        "no snapshots": "Snapshots: 0.", "one snapshot": "Snapshots: 1 (5800 K).",
        "band": "The band of visible light is shaded.",
        "memo": "The black curve",
    },
    "de": {
        "about": "Info", "ok": "OK", "exit": "Beenden",
        "window": "Spectrion - Schwarzkörperstrahlung",
        "temperature": "Temperatur", "axis top": "Obergrenze der Energieachse",
        "explanation": "Erläuterung", "chart": "Diagramm der spektralen Energiedichte",
        "visible": "Sichtb. Licht", "add": "Hinzufügen",
        "readout T": "Temperatur 898 K", "readout peak": "Maximum bei 3207 nm",
        "readout T2": "Temperatur 5800 K",
        "curve": "Kurve bei 898 K, Maximum bei 3207 nm.",
        "curve2": "Kurve bei 5800 K, Maximum bei 497 nm.",
        "x axis": "Achse Wellenlänge [nm]: 0 bis 10000, linear.",
        "y axis": "Achse Energiedichte [J/m⁴]: 9E-11 bis 158.489, linear.",
        "no snapshots": "Momentaufnahmen: 0.", "one snapshot": "Momentaufnahmen: 1 (5800 K).",
        "band": "Der Bereich des sichtbaren Lichts ist hervorgehoben.",
        "memo": "Die schwarze Kurve",
    },
}[LANG]

errors = []


def check(condition, message):
    if not condition:
        errors.append(message)
    return condition


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(predicate, seconds=30.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        try:
            found = predicate()
        except Exception:  # the tree changes while it is read
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def walk(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from walk(child)


def find(root, role, name=None):
    for obj in walk(root):
        if obj.getRoleName() == role and (name is None or obj.name == name) and showing(obj):
            return obj
    return None


def value_of(obj):
    try:
        v = obj.queryValue()
    except NotImplementedError:
        return None
    return (v.currentValue, v.minimumValue, v.maximumValue)


def describe(obj, depth=0):
    """One line per object: role, name, value, description, state."""
    line = "  " * depth + obj.getRoleName()
    line += " %r" % obj.name
    value = value_of(obj)
    if value is not None:
        line += " value=%g (%g ... %g)" % value
    if obj.getRoleName() == "text":
        line += " text=%r" % (obj.queryText().getText(0, 60) + "...")
    if obj.description:
        line += " description=%r" % obj.description
    if not showing(obj):
        line += " [not showing]"
    lines = [line]
    for child in obj:
        if child is not None:
            lines.extend(describe(child, depth + 1))
    return lines


def controls(obj):
    """The objects a screen reader reads: everything showing, but not the
    parts inside a text box (its viewport and scroll bars)."""
    if not showing(obj):
        return
    yield obj
    if obj.getRoleName() == "text":
        return
    for child in obj:
        if child is not None:
            yield from controls(child)


def check_names(window):
    """No control without a role and a name. Fillers only arrange others."""
    for obj in controls(window):
        role = obj.getRoleName()
        where = "%s %r in %r" % (role, obj.name, window.name)
        check(role not in ("unknown", "invalid", ""), "no role: " + where)
        if role == "filler":
            check(obj.childCount > 0, "a filler with nothing inside: " + where)
            continue
        check(obj.name.strip() != "", "no name: " + where)


def press(obj):
    action = obj.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("press", "Press", "click"):
        if wanted in names:
            return action.doAction(names.index(wanted))
    return action.doAction(0)


def main():
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.childCount
    except Exception as e:
        print("accessibility bus unavailable: %s" % e, file=sys.stderr)
        return 77
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([PROGRAM], env=env)
    tree = []
    try:
        def application():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.get_process_id() == proc.pid and app.childCount:
                    return app
            return None

        app = wait_for(application, 60)
        if not app:
            errors.append("the program did not appear on the accessibility bus")
            return 1

        # The About box comes first.
        about = wait_for(lambda: find(app, "dialog", TEXTS["about"]))
        if check(about, "no About dialog named %r" % TEXTS["about"]):
            tree += ["== About box"] + describe(about)
            check_names(about)
            check(find(about, "link") is not None, "no link in the About box")
            ok = find(about, "push button", TEXTS["ok"])
            if check(ok, "no OK button"):
                press(ok)

        window = wait_for(lambda: find(app, "frame", TEXTS["window"]))
        if not check(window, "no main window named %r" % TEXTS["window"]):
            return 1
        time.sleep(0.5)
        tree += ["== Main window"] + describe(window)
        check_names(window)

        temperature = find(window, "slider", TEXTS["temperature"])
        if check(temperature, "no temperature slider"):
            check(value_of(temperature) == (898, 80, 10000),
                  "temperature slider reads %r" % (value_of(temperature),))
        axis_top = find(window, "slider", TEXTS["axis top"])
        if check(axis_top, "no slider for the top of the energy axis"):
            current, low, high = value_of(axis_top)
            check(abs(current - 158.489) < 1e-3 and abs(low - 1e-4) < 1e-12
                  and abs(high - 1e8) < 1e-3,
                  "energy axis slider reads %r" % (value_of(axis_top),))
        check(find(window, "label", TEXTS["readout T"]), "no read-out %r" % TEXTS["readout T"])
        check(find(window, "label", TEXTS["readout peak"]),
              "no read-out %r" % TEXTS["readout peak"])
        memo = find(window, "text", TEXTS["explanation"])
        if check(memo, "no explanation text"):
            check(memo.queryText().getText(0, -1).startswith(TEXTS["memo"]),
                  "the explanation's text is not readable")
        chart = find(window, "chart", TEXTS["chart"])
        if not check(chart, "no chart named %r" % TEXTS["chart"]):
            return 1
        description = chart.description
        for key in ("curve", "x axis", "y axis", "no snapshots"):
            check(TEXTS[key] in description,
                  "chart description lacks %r: %r" % (TEXTS[key], description))
        check(TEXTS["band"] not in description, "band told while it is hidden")

        # A second temperature, set as a screen reader sets a slider; while
        # it moves, the chart tells of its changes at most about once a second.
        changes = []
        listener = lambda event: changes.append(time.monotonic()) \
            if event.source is not None and event.source.name == TEXTS["chart"] else None
        pyatspi.Registry.registerEventListener(
            listener, "object:property-change:accessible-description")
        started = time.monotonic()
        if temperature:
            value = temperature.queryValue()
            for t in range(5000, 5800 + 1, 40):
                value.currentValue = t
                pump()
            wait_for(lambda: value.currentValue == 5800, 10)
        wait_for(lambda: TEXTS["curve2"] in chart.description, 10)
        time.sleep(1.5)
        pump()
        elapsed = time.monotonic() - started
        pyatspi.Registry.deregisterEventListener(
            listener, "object:property-change:accessible-description")
        description = chart.description
        check(TEXTS["curve2"] in description,
              "chart description at 5800 K lacks %r: %r" % (TEXTS["curve2"], description))
        check(find(window, "label", TEXTS["readout T2"]), "no read-out %r" % TEXTS["readout T2"])
        check(1 <= len(changes) <= elapsed + 2,
              "%d description changes told in %.1f s" % (len(changes), elapsed))
        tree.append("== %d description changes told in %.1f s of 21 temperature steps"
                    % (len(changes), elapsed))

        band = find(window, "check box", TEXTS["visible"])
        add = find(window, "push button", TEXTS["add"])
        if check(band and add, "no band check box or Add button"):
            press(band)
            press(add)
            wait_for(lambda: TEXTS["one snapshot"] in chart.description, 10)
            description = chart.description
            check(TEXTS["band"] in description and TEXTS["one snapshot"] in description,
                  "chart description after band and Add: %r" % description)
            tree.append("== Chart after the band and one snapshot: " + description)

        exit_button = find(window, "push button", TEXTS["exit"])
        if check(exit_button, "no Exit button"):
            press(exit_button)
            try:
                check(proc.wait(20) == 0, "the program did not end cleanly")
            except subprocess.TimeoutExpired:
                errors.append("the program did not end on Exit")
    finally:
        with open(TREE_FILE, "w", encoding="utf-8") as f:
            f.write("\n".join(tree) + "\n")
        if proc.poll() is None:
            proc.kill()
            proc.wait()
        for e in errors:
            print("FAILED:", e, file=sys.stderr)
        if errors:
            print("\n".join(tree), file=sys.stderr)
    return 1 if errors else 0


sys.exit(main())

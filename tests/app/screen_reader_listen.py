"""Reads the running program's window through AT-SPI, presses keys on it and
checks what a screen reader learns: the roles and names of the controls,
and the description change of the focused button that announces the
results after Enter."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

TITLE = os.environ["ZELMAR_TITLE"]  # from the window's facts, which the build writes
RESULTS = "Numero totale altoparlanti: 6; Imp. Tot.: 5.33 ohm; Liv. Tot.: 99.54 dB SPL"
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def find_frame(seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            for j in range(app.get_child_count() if app else 0):
                frame = app.get_child_at_index(j)
                if frame is not None and frame.get_name() == TITLE:
                    return frame
        time.sleep(0.1)
    return None


def children(frame):
    return [frame.get_child_at_index(i) for i in range(frame.get_child_count())]


# Roles by AT-SPI's numbers, which screen readers go by: their names are
# words that change between releases ("push button" became "button").
TEXT, BUTTON, LABEL = Atspi.Role.TEXT, Atspi.Role.PUSH_BUTTON, Atspi.Role.LABEL


def by_role_and_name(frame):
    return {(c.get_role(), c.get_name()): c for c in children(frame)}


def pump(seconds, until=lambda: False):
    end = time.monotonic() + seconds
    context = __import__("gi.repository.GLib", fromlist=["GLib"]).MainContext.default()
    while time.monotonic() < end and not until():
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def main():
    frame = find_frame(20)
    if frame is None:
        print(f"FAIL: no window '{TITLE}' on the accessibility bus", file=sys.stderr)
        return 1
    check("the window's role", frame.get_role(), Atspi.Role.FRAME)
    controls = by_role_and_name(frame)
    for role, name in [(TEXT, "Num.Gruppi"), (TEXT, "Altop/gruppo"), (TEXT, "Imp.1ap"),
                       (TEXT, "dB SPL1Ap"), (BUTTON, "Calcola Ztot e dBtot"),
                       (LABEL, "Numero totale altoparlanti"), (LABEL, "Imp. Tot."),
                       (LABEL, "Liv. Tot.")]:
        control = controls.get((role, name))
        if control is None:
            seen = sorted(f"{c.get_role().value_nick} {c.get_name()!r}" for c in children(frame))
            failures.append(f"no {role.value_nick} named {name!r} among: {', '.join(seen)}")
            continue
        relations = sorted(r.get_relation_type().value_nick for r in control.get_relation_set())
        check(f"relations of {name}", relations, ["labelled-by"] if role == TEXT else [])

    # Orca speaks a notification as it starts showing; record what it would say.
    announced = []

    def on_showing(event):
        if event.detail1 == 1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
            announced.append(event.source.get_name())

    listener = Atspi.EventListener.new(on_showing)
    listener.register("object:state-changed:showing")
    pump(0.5)

    # Tab three times from the button reaches Gruppi; type 3 and press Enter.
    # Each step waits for its effect, so that a loaded machine only slows it.
    window = subprocess.run(["xdotool", "search", "--name", TITLE], capture_output=True, text=True,
                            check=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    button = by_role_and_name(frame).get((BUTTON, "Calcola Ztot e dBtot"))
    gruppi = by_role_and_name(frame).get((TEXT, "Num.Gruppi"))
    if button is None or gruppi is None:
        failures.append("no button or no Gruppi box")
        return report()

    def focused(control):
        return control.get_state_set().contains(Atspi.StateType.FOCUSED)

    pump(10, lambda: focused(button))
    subprocess.run(["xdotool", "key", "--delay", "50", "Tab", "Tab", "Tab"], check=True)
    pump(10, lambda: focused(gruppi))
    check("Tab three times reaches Gruppi", focused(gruppi), True)
    subprocess.run(["xdotool", "key", "ctrl+a", "3"], check=True)
    pump(10, lambda: Atspi.Text.get_text(gruppi, 0, -1) == "3")
    subprocess.run(["xdotool", "key", "Return"], check=True)
    pump(10, lambda: announced)
    check("announced after Enter", announced, [RESULTS])
    check("the button has the focus", focused(button), True)
    names = [c.get_name() for c in children(frame) if c.get_role() == LABEL][:3]
    check("the results read by themselves", names,
          ["Numero totale altoparlanti: 6", "Imp. Tot.: 5.33 ohm", "Liv. Tot.: 99.54 dB SPL"])

    # The same results again are announced again.
    subprocess.run(["xdotool", "key", "space"], check=True)
    pump(10, lambda: len(announced) >= 2)
    check("announced after Space", announced, [RESULTS, RESULTS])

    return report()


def report():
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if not failures:
        print("screen reader: window, names and announcement as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

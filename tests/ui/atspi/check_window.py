"""Starts kestrola with no card and checks, through the accessibility bus, that the control
bar's buttons and sliders reach the desktop's assistive tools with their names, roles and
values. Started by run_check.sh, which gives it a private session bus."""

import os
import signal
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

APP_NAME = "kestrola"
APPEAR_TIMEOUT_S = 20.0
POLL_INTERVAL_S = 0.2
EXIT_TIMEOUT_S = 5.0

EXPECTED_BUTTONS = ["Play/Pause video", "Files", "Stop", "Close AP"]
VOLUME_NAME = "Volume"
INITIAL_VOLUME = 50.0
POSITION_NAME = "Position"
START_POSITION = 0.0


def find_application():
    desktop = Atspi.get_desktop(0)
    desktop.clear_cache()
    for index in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(index)
        if app is not None and app.get_name() == APP_NAME:
            return app
    return None


def controls_of(app):
    """The push buttons and sliders under the application, as (role, name, value) tuples."""
    found = []
    pending = [app]
    while pending:
        node = pending.pop()
        role = node.get_role()
        if role in (Atspi.Role.PUSH_BUTTON, Atspi.Role.SLIDER):
            value = node.get_current_value() if role == Atspi.Role.SLIDER else None
            found.append((role, node.get_name(), value))
        for index in range(node.get_child_count()):
            child = node.get_child_at_index(index)
            if child is not None:
                pending.append(child)
    return found


def wait_for(probe, program, timeout_s):
    """Polls probe until it holds, the time is up or the program has ended."""
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline and not ended_unreaped(program):
        result = probe()
        if result:
            return result
        time.sleep(POLL_INTERVAL_S)
    return None


def check(controls):
    """The faults found, empty when the bus shows what the window shows."""
    faults = []
    buttons = {name for role, name, _ in controls if role == Atspi.Role.PUSH_BUTTON}
    for name in EXPECTED_BUTTONS:
        if name not in buttons:
            faults.append(f'no push button named "{name}"')
    sliders = [(name, value) for role, name, value in controls if role == Atspi.Role.SLIDER]
    if (VOLUME_NAME, INITIAL_VOLUME) not in sliders:
        faults.append(f'no slider "{VOLUME_NAME}" at {INITIAL_VOLUME}')
    if (POSITION_NAME, START_POSITION) not in sliders:
        faults.append(f'no slider "{POSITION_NAME}" at {START_POSITION}')
    return faults


def signal_group(program, number):
    try:
        os.killpg(program.pid, number)
    except ProcessLookupError:
        pass


def ended_unreaped(program):
    # Leaves the program a zombie, so its group id cannot go to another process meanwhile.
    status = os.waitid(os.P_PID, program.pid, os.WEXITED | os.WNOHANG | os.WNOWAIT)
    return status is not None


def stop(program):
    """Ends the program and every helper it started, even after the program itself died."""
    signal_group(program, signal.SIGTERM)
    deadline = time.monotonic() + EXIT_TIMEOUT_S
    while time.monotonic() < deadline and not ended_unreaped(program):
        time.sleep(POLL_INTERVAL_S)
    signal_group(program, signal.SIGKILL)
    program.wait()


def look(program):
    """The faults seen on the bus while the program runs, and the controls last seen."""
    app = wait_for(find_application, program, APPEAR_TIMEOUT_S)
    if app is None:
        return [f"{APP_NAME} did not appear on the accessibility bus"], []
    # The window may still be filling in when the application registers.
    seen = {"faults": [f"{APP_NAME} ended before its controls were seen"], "controls": []}

    def settled():
        seen["controls"] = controls_of(app)
        seen["faults"] = check(seen["controls"])
        return not seen["faults"]

    wait_for(settled, program, APPEAR_TIMEOUT_S)
    return seen["faults"], seen["controls"]


def main():
    binary = os.path.abspath(sys.argv[1])
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       DISPLAY=os.environ["KESTROLA_DISPLAY"])
    with tempfile.TemporaryDirectory() as workdir:
        # Run from an empty folder: the settings file is made there, in the default language.
        program = subprocess.Popen([binary], cwd=workdir, env=environment,
                                   start_new_session=True)
        try:
            faults, controls = look(program)
        finally:
            stop(program)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"seen: {controls}; exit status {program.returncode}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

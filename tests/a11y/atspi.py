# Plexaro on the accessibility bus, for a11y_test.sh: `atspi.py
# role|description|states|press|where NAME...` prints each named object's role,
# description or states, presses it, or prints its centre on the screen.
import sys, time
import pyatspi

for _ in range(100):  # the program's objects, once it is on the bus
    app = next((a for a in pyatspi.Registry.getDesktop(0) if a.name == "Plexaro"), None)
    if app or time.sleep(0.1):
        break
for name in sys.argv[2:]:
    o = pyatspi.findDescendant(app, lambda o: o.name.startswith(name))
    x, y, w, h = o.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    said = {"role": lambda: o.getRoleName(), "description": lambda: o.description,
            "states": lambda: " ".join(map(pyatspi.stateToString, o.getState().getStates())),
            "press": lambda: o.queryAction().doAction(0) and None,
            "where": lambda: f"{x + w // 2} {y + h // 2}"}[sys.argv[1]]()
    if said is not None:
        print(said)

# Over the accessibility bus, as a screen reader reads them: the "All" list's rows of a
# Japanese station worked on 20 m only (14 MHz "worked", 21 MHz "new band") and of an
# entity not in the log ("new one", one notification); then the "Band map" sheet's list of
# 20 m, in frequency order. Run by atspi_needs.sh.
import os
import subprocess
import sys
import time

import pyatspi

desktop = pyatspi.Registry.getDesktop(0)


def find_all(node, wanted, found=None):
    found = [] if found is None else found
    try:
        if wanted(node):
            found.append(node)
        for i in range(node.childCount):
            find_all(node.getChildAtIndex(i), wanted, found)
    except Exception:
        pass
    return found


def wait_for(what, condition, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.25)
    if app:
        for found in find_all(app, lambda a: a.getRoleName() in ('list', 'page tab', 'status bar')):
            print(found.getRoleName(), repr(found.name), found.childCount)
    sys.exit(f"FAIL: {what} within {seconds} s")


def program():
    for i in range(desktop.childCount):
        candidate = desktop.getChildAtIndex(i)
        if candidate and candidate.name and candidate.name.lower().startswith('kestrel'):
            return candidate
    return None


app = None
app = wait_for("the program on the accessibility bus", program)
window = app.getChildAtIndex(0)
subprocess.run(['bash', '-c', "xdotool windowfocus --sync $(xdotool search --name '^KESTREL' | head -1)"],
               check=True)
subprocess.run(['xdotool', 'key', 'F1'], check=True)  # script 1: connect and log in

scope_tab = wait_for("the Scope tab", lambda: next(iter(find_all(
    window, lambda a: a.getRoleName() == 'page tab' and a.name == 'Scope')), None))
scope_tab.queryAction().doAction(0)


def rows():
    lists = find_all(window, lambda a: a.getRoleName() == 'list' and a.name == 'All spots')
    if not lists:
        return None
    items = find_all(lists[0], lambda a: a.getRoleName() == 'list item')
    return items if len(items) == 3 else None


items = wait_for("three spots in the All list", rows)
spoken = {item.name.split()[3] + ' ' + item.name.split()[0]: item.description for item in items}
print(spoken)
expected = {'JA2ABC 14025.0': 'worked', 'JA3ABC 21025.0': 'new band', 'VK2XYZ 14030.0': 'new one'}
for row, description in expected.items():
    if spoken.get(row) != description:
        sys.exit(f"FAIL: {row} reads {spoken.get(row)!r}, not {description!r}")
for item in items:
    if 'Japan, AS, CQ 25, ' not in item.name and 'Australia, OC, CQ 30, ' not in item.name:
        sys.exit(f"FAIL: no station in {item.name!r}")

# The band map of 20 m: the same spots as a list of its own, in frequency order.
band_map_tab = next(iter(find_all(window, lambda a: a.getRoleName() == 'page tab' and a.name == 'Band map')))
band_map_tab.queryAction().doAction(0)


def band_map_items():
    lists = find_all(window, lambda a: a.getRoleName() == 'list' and a.name == 'Band map')
    items = [lists[0].getChildAtIndex(i) for i in range(lists[0].childCount)] if lists else []
    return [(item.name.split()[3], item.description) for item in items] or None


read = wait_for("the band map's spots", band_map_items)
print(read)
if read != [('JA2ABC', 'worked'), ('VK2XYZ', 'new one')]:
    sys.exit(f"FAIL: the band map reads {read!r}")

time.sleep(2)  # a second alert would have come by now
with open(os.environ['NOTIFIED']) as notified:
    notes = notified.read().splitlines()
if len(notes) != 1 or 'VK2XYZ' not in notes[0]:
    sys.exit(f"FAIL: notifications {notes!r}, not one for VK2XYZ")
print("PASS")

# What a screen reader finds in Ramulo's window, read through AT-SPI
# (python3-pyatspi). Started by scripts/screen-reader-walk.
import subprocess
import sys
import time

import pyatspi


def program():
    for _ in range(50):
        for a in pyatspi.Registry.getDesktop(0):
            if a and a.name == "Ramulo":
                return a
        time.sleep(0.2)
    sys.exit("Ramulo is not on the accessibility bus")


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    out.append((depth, node))
    for child in node:
        if child is not None:
            walk(child, depth + 1, out)
    return out


def focused(a):
    # List rows keep the focused state while their list is not focused.
    for _, n in walk(a):
        if not n.getState().contains(pyatspi.STATE_FOCUSED):
            continue
        if n.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_PAGE_TAB) and \
                not n.parent.getState().contains(pyatspi.STATE_FOCUSED):
            continue
        return n
    return None


def said(n):
    text = f"{n.getRoleName()}: «{n.name}»"
    labels = [r.getTarget(0).name for r in n.getRelationSet()
              if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
    if labels:
        text += f" [labelled by «{labels[0]}»]"
    return text + (f" — {n.description}" if n.description else "")


def click(n):
    e = n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(e.x + e.width // 2),
                    str(e.y + e.height // 2), "click", "1"])


a = program()
print("windows:", [said(w) for w in a])

print("\n# controls that take focus, in the tree")
for depth, n in walk(a):
    s = n.getState()
    if s.contains(pyatspi.STATE_FOCUSABLE) and s.contains(pyatspi.STATE_SHOWING):
        print("  " * depth + said(n))

print("\n# status bar")
for _, n in walk(a):
    if n.getRole() == pyatspi.ROLE_STATUS_BAR:
        print(said(n), "panels:", [c.name for c in n])

print("\n# Tab, from the quit button round to it")
quit_button = [n for _, n in walk(a) if n.name == "Quitter"][0]
quit_button.queryComponent().grabFocus()
time.sleep(0.3)
first = said(focused(a))
for step in range(60):
    now = focused(a)
    print(f"{step:2} {said(now) if now else 'nothing'}")
    subprocess.run(["xdotool", "key", "Tab"])
    time.sleep(0.25)
    if focused(a) and said(focused(a)) == first:
        break

print("\n# the generator page")
click([n for _, n in walk(a) if n.name == "Générateur" and n.getRole() == pyatspi.ROLE_PAGE_TAB][0])
time.sleep(0.5)
for depth, n in walk(a):
    s = n.getState()
    if s.contains(pyatspi.STATE_FOCUSABLE) and s.contains(pyatspi.STATE_SHOWING) and \
            n.parent.name != "Editeur" and n.parent.getRole() == pyatspi.ROLE_FILLER:
        print("  " * depth + said(n))

print("\n# a message box, read out")
editor = [n for _, n in walk(a) if n.name == "Éditeur de noms"][0]
click(editor)
subprocess.run(["xclip", "-selection", "clipboard"], input=b"un\tnom\nun\tnom", timeout=5)
subprocess.run(["xdotool", "key", "ctrl+a", "ctrl+v"])
time.sleep(0.5)
click([n for _, n in walk(a) if n.name == "Aperçu" and n.getRole() == pyatspi.ROLE_PUSH_BUTTON][0])
time.sleep(2)
for window in program():
    if window.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT):
        print(said(window))
        for depth, n in walk(window):
            if n.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON) and n.name:
                stray = [hex(ord(c)) for c in n.name if ord(c) < 32 and c != "\n"]
                print("  " * depth + said(n), "| control characters:", stray)

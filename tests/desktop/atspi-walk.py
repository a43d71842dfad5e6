#!/usr/bin/python3
"""What a screen reader finds in each window: starts the presenter, and for every window it shows
walks that window's accessibility tree over AT-SPI. A focusable control on screen without a name
is a fault (listed with its role and path). Where the window shows a selected block or object, the
tree must say which; that check only reports unless --selection=require.

Usage: atspi-walk.py [--selection=report|require] PRESENTER [WINDOW...]
Exit: 0 all named, 1 faults found, 2 the tree or the presenter could not be read.
"""
import os
import select
import signal
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
import pyatspi  # noqa: E402

# Rows, cells and entries hold the user's data, not controls: an empty cell is no missing name.
ITEM_ROLES = {
    pyatspi.ROLE_TABLE_CELL,
    pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TREE_ITEM,
    pyatspi.ROLE_TABLE_ROW,
}
# Containers whose selected children are list entries, not the plan's blocks or objects.
LIST_ROLES = {
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_PAGE_TAB_LIST,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_MENU,
    pyatspi.ROLE_MENU_BAR,
}
TOP_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW, pyatspi.ROLE_ALERT}

MAX_DEPTH = 40
MAX_CHILDREN = 400
MAX_NODES = 6000
LINE_TIMEOUT = 90  # seconds the presenter may take to show a window
FIND_TIMEOUT = 20  # seconds for the window to appear on the bus


class Trouble(Exception):
    """The tree or the presenter could not be read: no verdict on the window."""


def has(node, state):
    try:
        return node.getState().contains(state)
    except Exception:
        return False


def label(node):
    try:
        name = node.name or ""
    except Exception:
        name = "?"
    try:
        role = node.getRoleName()
    except Exception:
        role = "?"
    return "%s '%s'" % (role, name) if name else role


def children(node):
    try:
        count = node.childCount
    except Exception:
        return []
    found = []
    for i in range(min(count, MAX_CHILDREN)):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            found.append((i, child))
    return found


def walk(window):
    """Every showing node under the window, as (node, path, parent role)."""
    nodes = []
    stack = [(window, label(window), None, 0)]
    while stack and len(nodes) < MAX_NODES:
        node, path, parent_role, depth = stack.pop()
        nodes.append((node, path, parent_role))
        if depth >= MAX_DEPTH:
            continue
        role = node.getRole()
        for index, child in reversed(children(node)):
            if not has(child, pyatspi.STATE_SHOWING):
                continue
            try:
                child_role = child.getRole()
            except Exception:
                continue
            # Entries are kept for the selection check, but their insides are not walked.
            entry_depth = MAX_DEPTH if child_role in ITEM_ROLES else depth + 1
            stack.append((child, "%s / %s[%d]" % (path, label(child), index), role, entry_depth))
    return nodes


def where(node):
    """Where the node shows in its window, to tell it from its like-named neighbours."""
    try:
        box = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        return " (at %d,%d, %dx%d)" % (box.x, box.y, box.width, box.height)
    except Exception:
        return ""


def unnamed_controls(nodes):
    faults = []
    for node, path, _ in nodes:
        if not has(node, pyatspi.STATE_FOCUSABLE):
            continue
        try:
            if node.getRole() in ITEM_ROLES:
                continue
        except Exception:
            pass
        try:
            name = (node.name or "").strip()
        except Exception:
            name = ""
        if not name:
            faults.append(path + where(node))
    return faults


def shows_selected(nodes, text):
    """How the tree tells that `text` is selected, or None."""
    wanted = text.casefold()
    for node, path, parent_role in nodes:
        try:
            role = node.getRole()
            name = (node.name or "").casefold()
            description = (node.description or "").casefold()
        except Exception:
            continue
        # A list's own entries say what the list has selected, not the plan or the preview.
        if role in LIST_ROLES or parent_role in LIST_ROLES:
            continue
        if has(node, pyatspi.STATE_SELECTED) and wanted in name:
            return "selected %s" % path
        try:
            selection = node.querySelection()
            for i in range(selection.nSelectedChildren):
                child = selection.getSelectedChild(i)
                if child is not None and wanted in (child.name or "").casefold():
                    return "selection of %s: %s" % (path, label(child))
        except (NotImplementedError, Exception):
            pass
        if role != pyatspi.ROLE_LABEL and wanted in description:
            return "description of %s" % path
    return None


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    try:
        desktop.clear_cache()
    except Exception:
        pass
    for _, app in children(desktop):
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def find_window(presenter, title):
    """The presenter's showing top-level window, by its title."""
    wanted = title.replace("[*]", "").strip()
    deadline = time.monotonic() + FIND_TIMEOUT
    shown = []
    while time.monotonic() < deadline:
        if presenter.poll() is not None:
            raise Trouble("the presenter ended (%d) while showing '%s'"
                          % (presenter.returncode, title))
        app = application(presenter.pid)
        if app is not None:
            # The list of windows is read afresh: the one cached may predate the window.
            try:
                app.clear_cache()
            except Exception:
                pass
            shown = [c for _, c in children(app)
                     if has(c, pyatspi.STATE_SHOWING) and c.getRole() in TOP_ROLES]
            named = [c for c in shown if (c.name or "").strip() == wanted]
            if len(named) == 1:
                return named[0]
            if len(shown) == 1 and not named:
                return shown[0]
        time.sleep(0.2)
    raise Trouble("window '%s' never showed on the accessibility bus (showing: %s)"
                  % (title, ", ".join(label(c) for c in shown) or "none"))


def read_line(stream, seconds):
    ready, _, _ = select.select([stream], [], [], seconds)
    if not ready:
        raise Trouble("the presenter said nothing for %d s" % seconds)
    line = stream.readline()
    if not line:
        raise Trouble("the presenter ended early")
    return line.rstrip("\n")


def main(argv):
    require_selection = False
    while argv and argv[0].startswith("--selection="):
        require_selection = argv.pop(0).split("=", 1)[1] == "require"
    if not argv:
        print(__doc__, file=sys.stderr)
        return 2
    # No call into the bus may hang the walk.
    Atspi.set_timeout(5000, 15000)
    presenter = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                 bufsize=1)
    faults = 0
    trouble = None
    try:
        while True:
            line = read_line(presenter.stdout, LINE_TIMEOUT)
            if line == "done":
                break
            fields = line.split("\t")
            if fields[0] != "shown" or len(fields) != 4:
                continue  # anything else the presenter prints is not for us
            _, name, title, selected = fields
            nodes = walk(find_window(presenter, title))
            missing = unnamed_controls(nodes)
            focusable = sum(1 for n, _, _ in nodes if has(n, pyatspi.STATE_FOCUSABLE))
            for path in missing:
                print("FAIL %s: focusable control without a name: %s" % (name, path))
            faults += len(missing)
            if not missing:
                print("ok   %s: %d nodes, %d focusable, all named" % (name, len(nodes), focusable))
            if selected:
                how = shows_selected(nodes, selected)
                if how:
                    print("ok   %s: tells '%s' is selected (%s)" % (name, selected, how))
                elif require_selection:
                    print("FAIL %s: does not tell that '%s' is selected" % (name, selected))
                    faults += 1
                else:
                    print("note %s: does not yet tell that '%s' is selected" % (name, selected))
            sys.stdout.flush()
            presenter.stdin.write("\n")
            presenter.stdin.flush()
    except (Trouble, BrokenPipeError) as error:
        trouble = str(error)
    finally:
        try:
            presenter.stdin.close()
        except BrokenPipeError:
            pass
        try:
            presenter.wait(timeout=10)
        except subprocess.TimeoutExpired:
            presenter.kill()
            presenter.wait()
    if trouble:
        print("TROUBLE: %s" % trouble, file=sys.stderr)
        return 2
    if presenter.returncode != 0:
        print("TROUBLE: the presenter ended with %d" % presenter.returncode, file=sys.stderr)
        return 2
    print("%d fault(s)" % faults)
    return 1 if faults else 0


def run(argv):
    try:
        return main(argv)
    except Exception as error:  # a fault of the walk itself is no verdict on the windows
        print("TROUBLE: %r" % error, file=sys.stderr)
        return 2


if __name__ == "__main__":
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    sys.exit(run(sys.argv[1:]))

#!/usr/bin/python3
"""The walker's verdicts on made-up trees: which controls lack a name, and which trees tell what
the plan or the preview has selected. Skipped (77) without python3-pyatspi."""
import os
import sys
import types
import unittest

try:
    import pyatspi
except ImportError:
    print("SKIP: python3-pyatspi is not installed")
    sys.exit(77)

# The walker's file name has a dash, so it is loaded by hand rather than imported.
WALKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi-walk.py")
walk = types.ModuleType("walk")
walk.__file__ = WALKER
with open(WALKER, encoding="utf-8") as source:
    exec(compile(source.read(), WALKER, "exec"), walk.__dict__)

SHOWN = (pyatspi.STATE_SHOWING,)
CONTROL = (pyatspi.STATE_SHOWING, pyatspi.STATE_FOCUSABLE)


class State:
    def __init__(self, states):
        self.states = set(states)

    def contains(self, state):
        return state in self.states


class Node:
    def __init__(self, role, name="", states=SHOWN, children=(), description="", selected=None):
        self.role, self.name, self.description = role, name, description
        self.states, self.children, self.selected = states, list(children), selected

    def getRole(self):
        return self.role

    def getRoleName(self):
        return str(self.role).split("_", 1)[-1].lower().replace("_", " ")

    def getState(self):
        return State(self.states)

    @property
    def childCount(self):
        return len(self.children)

    def getChildAtIndex(self, i):
        return self.children[i]

    def querySelection(self):
        if self.selected is None:
            raise NotImplementedError
        node = self

        class Selection:
            nSelectedChildren = len(node.selected)

            def getSelectedChild(self, i):
                return node.selected[i]

        return Selection()


def dialog(*children):
    return Node(pyatspi.ROLE_DIALOG, "Move object", children=children)


class UnnamedControls(unittest.TestCase):
    def test_only_showing_focusable_controls_without_a_name_are_faults(self):
        tree = dialog(
            Node(pyatspi.ROLE_PUSH_BUTTON, "OK", CONTROL),
            Node(pyatspi.ROLE_PUSH_BUTTON, "  ", CONTROL),
            Node(pyatspi.ROLE_LABEL, ""),
            Node(pyatspi.ROLE_PANEL, "Source", children=[
                Node(pyatspi.ROLE_TREE, "", CONTROL, children=[
                    Node(pyatspi.ROLE_TREE_ITEM, "", CONTROL)])]),
            Node(pyatspi.ROLE_PANEL, "", (), children=[Node(pyatspi.ROLE_TEXT, "", CONTROL)]))
        faults = walk.unnamed_controls(walk.walk(tree))
        self.assertEqual(faults, ["dialog 'Move object' / push button '  '[1]",
                                  "dialog 'Move object' / panel 'Source'[3] / tree[0]"])

    def test_the_walk_ends_on_a_tree_without_end(self):
        node = Node(pyatspi.ROLE_FILLER, "x", CONTROL)
        node.children = [node]  # a cycle, as a broken bridge could report
        self.assertLessEqual(len(walk.walk(node)), walk.MAX_DEPTH + 1)


class SelectionTold(unittest.TestCase):
    def test_a_lists_own_selected_entry_does_not_count(self):
        tree = dialog(Node(pyatspi.ROLE_TREE, "Objects", children=[
            Node(pyatspi.ROLE_TREE_ITEM, "Sofa", SHOWN + (pyatspi.STATE_SELECTED,))]),
            Node(pyatspi.ROLE_LABEL, "", description="Sofa"))
        self.assertIsNone(walk.shows_selected(walk.walk(tree), "Sofa"))

    def test_a_selected_part_of_a_drawn_view_counts(self):
        tree = dialog(Node(pyatspi.ROLE_CANVAS, "Location", CONTROL, children=[
            Node(pyatspi.ROLE_LIST_ITEM, "Sofa", SHOWN + (pyatspi.STATE_SELECTED,)),
            Node(pyatspi.ROLE_LIST_ITEM, "Armchair")]))
        self.assertIn("Sofa", walk.shows_selected(walk.walk(tree), "sofa"))

    def test_the_selection_interface_or_a_description_counts(self):
        sofa = Node(pyatspi.ROLE_LIST_ITEM, "Sofa")
        by_interface = dialog(Node(pyatspi.ROLE_CANVAS, "Plan", CONTROL, selected=[sofa]))
        self.assertIn("selection of", walk.shows_selected(walk.walk(by_interface), "Sofa"))
        described = dialog(Node(pyatspi.ROLE_CANVAS, "Plan", CONTROL,
                                description="Living room selected"))
        self.assertIn("description", walk.shows_selected(walk.walk(described), "Living room"))
        self.assertIsNone(walk.shows_selected(walk.walk(described), "Kitchen"))


if __name__ == "__main__":
    unittest.main()

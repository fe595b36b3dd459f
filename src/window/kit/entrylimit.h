#pragma once
// The length limit of a one-line edit as its user meets it. What the user enters (typed
// keys whatever their modifiers, an input method's text, and text brought in by Ctrl+V,
// Shift+Insert, the edit's own context menu, a middle click or a drop) never makes the
// text longer than the limit, and a pasted or dropped text stops at its first line break.
// A drag over the edit is answered as its drop will go: taken whole as the source
// proposes, a copy of the part that fits, or refused, so that its source never loses text
// the edit did not take. Texts that code sets are shown whole (a stored 3600 in a field of
// three characters, a project name longer than its field). A paste is one undo step, as in
// a plain edit.

class QLineEdit;

// Gives the edit that limit: `limit` characters, or its length in the layout when -1.
// Edits without a length (32767) are left alone, and so is an edit given a limit before.
// Masked edits keep their mask's rules and read-only edits take nothing; an empty
// clipboard changes nothing.
void limitEntry(QLineEdit *edit, int limit = -1);

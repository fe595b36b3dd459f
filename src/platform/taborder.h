#pragma once
// Tab order in reading order, worked out once from how a window is laid out.

class QWidget;

// Chains the widgets under `root` that Tab reaches in reading order: the cells of each
// layout row by row and left to right, a group's widgets together in the place of the
// group, a notebook's tab bar before its pages; widgets outside layouts by their
// position, top to bottom and left to right. Call it once the window is built.
void setReadingTabOrder(QWidget *root);

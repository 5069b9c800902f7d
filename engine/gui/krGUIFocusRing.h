// krGUIFocusRing: the ring drawn around the control that has the keyboard focus. Drawing only;
// which control has the focus, and when the ring shows, is the GUI manager's business.
#pragma once

class krGUIObject;

// Draws a ring a few GUI units outside `control`'s rectangle in the current projection; leaves
// the OpenGL enables, line width and colour as it found them.
void krDrawFocusRing(const krGUIObject& control);

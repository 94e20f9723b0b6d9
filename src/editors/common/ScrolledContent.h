#pragma once

class QWidget;

// Puts a scroll area inside a page (filling it) and returns the widget that takes the page's
// layout: a page whose content needs more room than a small screen gives scrolls inside
// itself, so the main window never grows past the screen and no control is out of reach.
QWidget* ScrolledContent(QWidget* page);

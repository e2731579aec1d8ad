// Main window, controls and menu.

// Main window tests.

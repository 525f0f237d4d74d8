#pragma once

// Starts the editor: settings, the document, the main window, a file named on the command line, and
// the message loop. "--screenshot PATH" renders the window to a PNG file instead of running.
int RunQuillmark(int argc, char** argv);

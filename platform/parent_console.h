#pragma once
// Windows only. A window program gets no console of its own, and started
// from a console without redirection its output would go nowhere.

// Points the standard output and error that have no handle at the console
// the program was started from, if there is one. Redirected handles (pipes,
// files) stay as they are.
void use_parent_console();

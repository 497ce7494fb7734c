// The demo's sign-in form (File > Sign in...): a dialog from demo_form.rc
// with two edit fields, a list box filled when the dialog starts, a check
// box and a radio group.
#pragma once

#include <string>

// Runs the form over the screen; returns what was entered as one line for
// the message panel, the password as its length only, or "" when the form
// was cancelled. The screen under the form is given back.
std::string DemoSignIn();

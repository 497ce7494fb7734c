// The demo's mail (Mail menu): the mailbox as a list of messages read through
// the TuiMAPI calls, a message shown whole, deleting with a question first,
// and a new message sent from a form. The dialogs are in demo_mail.rc.
#pragma once

#include <string>

// Runs the mailbox dialog; returns a line for the message panel saying what
// was done, "" when the mailbox could not be opened (a message box said why).
std::string DemoMailbox();
// Runs the new-message form; returns a line for the panel, "" when nothing
// was sent.
std::string DemoCompose();

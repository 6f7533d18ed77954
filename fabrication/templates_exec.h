#pragma once
// Hands the "templates" command of expansion-chamber-calc over to its own program,
// expansion-chamber-templates, which lies in the same folder. The calculator itself thus
// never loads the drawing libraries.

// The name the templates program gives itself in its messages when started this way.
inline constexpr const char* Templates_Command_Name = "expansion-chamber-calc templates";

// Replaces the process by expansion-chamber-templates with argv[2..] (argv[1] being
// "templates"). Returns only when that fails, with exit status 1 after a message.
int Exec_Templates(int argc, char** argv);

#pragma once

class clsHashFile;

// Makes sure that every action the program cannot be used without has an
// input: for each default binding (Up, Right, Down, Left, Enter, Alt+Enter)
// whose action has lost every input, binds the default input again, replacing
// whatever that input was bound to, and logs "<input> now triggers <action>".
// The keys of the film choices (S subtitles, A audio track, Page Up and Page
// Down chapters, R restart) are bound the same way, but only to a free key.
void CheckDefaultKeys(clsHashFile& keyMap);

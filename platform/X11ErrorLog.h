#pragma once

// Makes a failed X request a log line instead of the end of the program: the
// usual cause is a message to a window that was destroyed a moment before,
// nothing that should stop a film. A lost connection to the X server still
// ends the program. Call once SDL's video has started, since SDL installs its
// own handler then; does nothing where SDL does not draw through X.
void LogX11ErrorsInsteadOfEnding();

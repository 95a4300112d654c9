#pragma once

// What opening a medium came to.

enum class OpenOutcome {
  Opened,  // the medium plays
  Failed,  // nothing is open and the failure is shown
  // While the old medium closed, pending events ran and one of them opened
  // another file, which now plays with its texts; the interrupted open did
  // nothing further, and its caller must leave the playing list alone.
  Overtaken,
};

#pragma once
// How a command that writes a file after asking for its name ended. A question that offers to
// save before something is replaced goes on after Saved and Cancelled, but not after Failed:
// the unsaved data would then be lost.

enum class SaveResult { Saved, Cancelled, Failed };

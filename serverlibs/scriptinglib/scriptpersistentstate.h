#pragma once

// State that a server keeps for a script between the runs of a persistent element. A test run
// starts fresh every time, so this program always passes null; the entry operations take it to
// keep the server's shape.
class ScriptPersistentState;

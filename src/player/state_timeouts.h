// How long the player (and the editor's preview graph) waits for the graph to report the state
// it reached, in IMediaControl::GetState. The waits block the host's user-interface thread.
#pragma once

#include <windows.h>

// Stop, pause, the graph's events and the preview.
const LONG StateTimeoutMs = 500;
// Play: shorter, so a clip that is slow to start does not hold up the frame.
const LONG PlayStateTimeoutMs = 250;
// The frame grab's look at whether the graph runs.
const LONG GrabStateTimeoutMs = 80;

#pragma once
// Registers the detail views and the per-security settings dialogs under their class ids, and makes the
// settings dialogs the ones securities open (ShowSelectDlog). Called once at start-up, before any window
// is built.

void RegisterSecurityDialogs();

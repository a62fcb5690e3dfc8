#pragma once
// Registers the toolkit's pane classes with the registrar under their class ids, so that window layouts
// can name them. The application calls it once at start-up, before building any window.

void RegisterToolkitClasses();

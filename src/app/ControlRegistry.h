#pragma once

// Registers the program's own control classes with the toolkit, so skins create them by tag.
void RegisterProgramControls();

#pragma once

// Connects the screens of the different subsystems to the hubs and menus of the main window:
// which screen each entry opens, and what a screen's outward actions lead to. Called once the
// main window exists.
void RegistrarPantallas();

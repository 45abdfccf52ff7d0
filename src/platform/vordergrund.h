#pragma once

namespace platform {

// Lets the program that is already running take the foreground when this one, just started by the user and
// so the one Windows lets do it, asks it to come to the front. Without it Windows only flashes the running
// program's taskbar button. Nothing to do on other systems.
void vordergrundFreigeben();

} // namespace platform

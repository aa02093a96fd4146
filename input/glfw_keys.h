// Translation of GLFW 3 key codes into the input device's key codes, and the
// character codes that some keys type.
#pragma once

// The key code of a GLFW key, or 0 when the game ignores the key.
int TransKey(int glfwKey);

// The character a key types through the key callback (control and navigation
// keys), or 0; printable characters come from the character callback instead.
int KeyToChar(int key);

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
  char text[64];
  LoadStringA(instance, 117, text, sizeof text);
  return 0;
}

#include "platform/SdlMessageBox.h"

#include <SDL.h>

#include <string>

#include "app/Log.h"

void SdlMessageBox::ShowError(const std::string& title, const std::string& text) {
  // The box lays out lines split at line feeds; a carriage return would show.
  std::string lines;
  for (char c : text) {
    if (c != '\r') lines += c;
  }
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), lines.c_str(), nullptr) != 0) {
    WriteLog(std::string("message box could not be shown: ") + SDL_GetError());
  }
}

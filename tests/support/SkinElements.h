#pragma once

// Skins built in code by the tests: elements appended one by one.

#include <string>

#include "skin/SkinModel.h"

// Appends the element "window.name" at the given position and size (percent
// of its window) and counts it among the skin's elements.
inline SkinElement& AppendElement(SkinModel& skin, const std::string& fullName, double x = 0,
                                  double y = 0, double w = 0, double h = 0) {
  SkinElement element;
  element.Index = static_cast<int32_t>(skin.SkinElements.size());
  element.FullName = fullName;
  element.Window = fullName.substr(0, fullName.find('.'));
  element.Name = fullName.substr(element.Window.size() + 1);
  element.PosX = x;
  element.PosY = y;
  element.SizeW = w;
  element.SizeH = h;
  skin.SkinElements.push_back(element);
  skin.SkinElements[0].Index = element.Index;
  return skin.SkinElements.back();
}

#pragma once

// What element drawing reads and writes beside the skin and the back buffer:
// the settings, the focus, the play list, the overlays, the media session, the
// text renderer and the list geometry for pointer handling. Owned by the main
// window; the renderer only keeps references.

#include <functional>
#include <string>

class MediaDisplay;
class SkinModel;
class TextRenderer;
struct BrowseState;
struct FocusState;
struct ListGeometry;
struct OverlayState;
struct Settings;

struct RenderContext {
  SkinModel& skin;
  const Settings& settings;
  const FocusState& focus;
  const BrowseState& browse;
  OverlayState& overlay;
  MediaDisplay& media;
  TextRenderer& text;
  ListGeometry& list;
  // Sets the main window's caption; may be empty.
  std::function<void(const std::string&)> setCaption;
};

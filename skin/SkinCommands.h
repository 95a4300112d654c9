#pragma once

// The commands that a "*." entry of a skin, a key binding or the desktop's
// media controls can name: the one list that the action dispatcher, the skin
// checker and the program's wiring all read. A command's place in the list is
// the key the dispatcher keeps its operation under. Adding a command is one
// line here plus its operation in the program's wiring.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

inline constexpr auto kCommandNames = std::to_array<std::string_view>({
    "cmdFormMove",
    "cmdFormMinMax",
    "cmdFormHide",
    "cmdPlaylistBack",
    "lstPlaylist",
    "cmdStop",
    "cmdPause",
    "cmdPlay",
    "cmdForward",
    "cmdRewind",
    "cmdNext",
    "cmdPrevious",
    "cmdFullsize",
    "cmdARMode",
    "cmdPlayMode",
    "cmdMute",
    "cmdVolUp",
    "cmdVolDown",
    "cmdChangeOutputAR",
    "cmdChangeAlwaysOnTop",
    "cmdChangeOSDTime",
    "cmdForceVideoForeground",
    "cmdQuitTavizo",
    "cmdShutdownComputer",
    "cmdSetCursorKeys",
    "cmdSetActionKey",
    "cmdSetConfigInputKey",
    "cmdForceEnd",
    "cmdRestart",
    "cmdSubtitle",
    "cmdAudioTrack",
    "cmdChapterNext",
    "cmdChapterPrevious",
});

// The place of name in kCommandNames, compared ignoring letter case; nothing
// when name is no command.
std::optional<size_t> FindCommand(std::string_view name);

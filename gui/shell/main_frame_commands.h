// The main window's commands: their ids (shared by the ribbon, the status bar
// panes, the menus and the tests) and the table of their texts and icons.
#pragma once

#include <vector>

#include "common/command_table.h"

namespace lx::gui {

// Command ids of the frame and its status bar.
enum CommandId : int {
  kCmdExit = 32778,
  kCmdClose = 32792,
  kCmdAbout = 32777,
  kCmdWebPage = 32791,
  kCmdStatusBarToggle = 32840,
  kCmdStatusBarShow = 59393,
  kCmdStatusBarHide = 32804,
  kCmdOutputPaneToggle = 32841,
  kCmdOutputPaneShow = 32805,
  kCmdOutputPaneHide = 32807,
  kCmdToolTipsToggle = 32845,
  kCmdToolTipsShow = 32848,
  kCmdToolTipsHide = 32849,
  kCmdResetLog = 32901,
  kCmdImagePreview = 32808,
  kCmdRotateImageView = 32843,
  kCmdAutoRotate = 32811,
  kCmdKeepOrientation = 32812,
  kCmdStyleBlue = 215,
  kCmdStyleBlack = 216,
  kCmdStyleSilver = 217,
  kCmdStyleAqua = 218,
  kCmdStyleDesktop = 219,
  kStatusLink = 120,
  kStatusAbout = 121,
  kStatusDatabase = 122,
  kStatusMessages = 125,
};

// Texts, icons and check boxes of the frame's commands, the visual styles last.
const std::vector<CommandSpec>& MainFrameCommands();

}  // namespace lx::gui

// One function per command; each lives in its own cmd_*.cpp file.
// args are the words after the command name.
#pragma once

#include <string>
#include <vector>

#include "cli_context.h"

namespace lx::cli {

using Args = std::vector<std::string>;

int RunSettingsCommand(CliContext& ctx, const Args& args);      // cmd_settings.cpp
int RunMaskCommand(CliContext& ctx, const Args& args);          // cmd_mask.cpp
int RunCatalogueCommand(CliContext& ctx, const Args& args);     // cmd_mask.cpp
int RunListCommand(CliContext& ctx, const Args& args);          // cmd_list.cpp
int RunRenameCommand(CliContext& ctx, const Args& args);        // cmd_rename.cpp
int RunDeleteCommand(CliContext& ctx, const Args& args);        // cmd_rename.cpp
int RunDetailsCommand(CliContext& ctx, const Args& args);       // cmd_details.cpp
int RunAttributesCommand(CliContext& ctx, const Args& args);    // cmd_details.cpp
int RunDbCommand(CliContext& ctx, const Args& args);            // cmd_db.cpp
int RunKeywordsCommand(CliContext& ctx, const Args& args);      // cmd_db.cpp
int RunTextsCommand(CliContext& ctx, const Args& args);         // cmd_db.cpp
int RunMasksCommand(CliContext& ctx, const Args& args);         // cmd_db.cpp
int RunCounterCommand(CliContext& ctx, const Args& args);       // cmd_db.cpp
int RunWatchCommand(CliContext& ctx, const Args& args);         // cmd_watch.cpp
int RunDevicesCommand(CliContext& ctx, const Args& args);       // cmd_devices.cpp
int RunUpdateCheckCommand(CliContext& ctx, const Args& args);   // cmd_online.cpp
int RunSendFeedbackCommand(CliContext& ctx, const Args& args);  // cmd_online.cpp

int RunHistoryCommand(CliContext& ctx, const Args& args);  // cmd_journal.cpp
int RunUndoCommand(CliContext& ctx, const Args& args);     // cmd_journal.cpp
int RunRecoverCommand(CliContext& ctx, const Args& args);  // cmd_journal.cpp

// Logs one line for each interrupted run found in the journal; commands that
// touch files call it first.
void LogUnfinishedRuns();  // cmd_journal.cpp

// For commands not in this build yet.
int NotAvailable(CliContext& ctx, const std::string& command);

}  // namespace lx::cli

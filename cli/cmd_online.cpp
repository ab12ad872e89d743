// update-check [--force]
// send-feedback --mode 1|2|3 --name NAME --email ADDRESS --message TEXT [--video NAME --verdict 0|1]
#include "arguments.h"
#include "commands.h"
#include "online/feedback_mail.h"
#include "online/update_check.h"
#include "platform/text.h"

namespace lx::cli {

int RunUpdateCheckCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({}, {"force"}, error)) return ctx.Usage(error);
  if (!list.Positionals().empty()) return ctx.Usage("update-check takes no arguments");
  CUpdateCheck check(ctx.Settings(), &ctx.Prompts());
  check.Check(kUpdateUrlResource, list.Flag("force"));
  if (check.notConfigured) return ctx.Refuse(check.notConfiguredMessage);
  if (check.localHigh == 0 && check.localLow == 0) {
    // Skipped (switched off or checked recently): still show this program's version.
    check.localHigh = ProgramVersionHigh();
    check.localLow = ProgramVersionLow();
  }
  ctx.PrintRow(
      {std::to_string(check.status), check.LocalVersionText(), check.RemoteVersionText(), check.MessageLine()});
  return kExitOk;
}

int RunSendFeedbackCommand(CliContext& ctx, const Args& args) {
  ArgList list(args);
  std::string error;
  if (!list.Parse({"mode", "name", "email", "message", "video", "verdict"}, {}, error)) return ctx.Usage(error);
  if (!list.Positionals().empty()) return ctx.Usage("send-feedback takes no positional arguments");
  long long mode = 0;
  if (!list.Value("mode") || !ParseInt(*list.Value("mode"), 1, 3, mode))
    return ctx.Usage("send-feedback needs --mode 1, 2 or 3");
  FeedbackRequest request;
  request.mode = static_cast<int>(mode);
  request.userName = list.Value("name").value_or("");
  request.email = Trim(list.Value("email").value_or(""));
  request.message = list.Value("message").value_or("");
  if (request.mode == 3) {
    long long verdict = 0;
    if (!list.Value("video") || list.Value("video")->empty())
      return ctx.Usage("send-feedback --mode 3 needs --video NAME");
    if (!list.Value("verdict") || !ParseInt(*list.Value("verdict"), 0, 1, verdict))
      return ctx.Usage("send-feedback --mode 3 needs --verdict 0 or 1");
    request.videoName = *list.Value("video");
    request.verdict = static_cast<int>(verdict);
  }
  if (request.email.empty()) return ctx.Refuse(kNoEmailMessage);

  MailAccount account;
  std::string message;
  if (!LoadMailAccount(ctx.Settings(), account, message)) return ctx.Refuse(message);
  MailOutcome outcome = SendFeedback(account, request, NowSeconds());
  if (!outcome.ok) return ctx.Refuse(outcome.text);
  ctx.Out() << outcome.text << "\n";
  return kExitOk;
}

}  // namespace lx::cli

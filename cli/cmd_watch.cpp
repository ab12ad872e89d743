// watch DIR: lists the folder with the stored settings, then follows it: after
// every change of a listed file the change's log line and the fresh list are
// printed, until SIGINT or SIGTERM ends the command (exit 0). The watch thread
// only wakes this loop; the list is read and printed here.
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "arguments.h"
#include "base/log.h"
#include "cli_database.h"
#include "commands.h"
#include "list_options.h"
#include "platform/paths.h"
#include "rename/folder_watch.h"
#include "rename/rename_list.h"

namespace lx::cli {

namespace {

void PrintList(CliContext& ctx, RenameListModel& list, bool header) {
  if (header) ctx.PrintRow({kListColumnHeadings, kListColumnHeadings + kListColumnCount});
  if (!list.PlaceholderLine().empty()) {
    ctx.Out() << list.PlaceholderLine() << '\n';
  } else {
    for (int i = 0; i < list.RowCount(); ++i) {
      std::vector<std::string> fields;
      for (int c = 0; c < kListColumnCount; ++c) fields.push_back(list.ColumnText(i, c));
      ctx.PrintRow(fields);
    }
  }
  ctx.Out().flush();
}

struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

int RunWatchCommand(CliContext& ctx, const Args& args) {
  ArgList parsed(args);
  std::string error;
  if (!parsed.Parse({}, {"header"}, error)) return ctx.Usage(error);
  if (parsed.Positionals().size() != 1) return ctx.Usage("watch needs one folder: watch DIR");
  const std::string folder = WithTrailingSlash(parsed.Positionals()[0]);
  if (!FolderExists(folder)) return ctx.Refuse("Directory '" + parsed.Positionals()[0] + "' Not Found !!!");

  // SIGINT and SIGTERM are taken through a signalfd, so they are blocked
  // before the watch thread starts (threads inherit the mask).
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &signals, &previous);
  struct MaskRestorer {
    sigset_t mask;
    ~MaskRestorer() { pthread_sigmask(SIG_SETMASK, &mask, nullptr); }
  } restorer{previous};
  FdCloser signalFd{signalfd(-1, &signals, SFD_CLOEXEC)};
  FdCloser changeFd{eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)};
  if (signalFd.fd < 0 || changeFd.fd < 0) return ctx.Refuse("Unable to Start Directory Watch" + std::string(" ..."));

  // Watching a folder from a terminal leaves the desktop program's source folder alone.
  ctx.Settings().KeepInMemory(RunOptionSettings());
  CLorvexandrinEngine& engine = ctx.Engine(true);
  engine.sourceKind = SourceKind::Folder;
  engine.sourcePath = folder;
  if (engine.renamePath.empty()) engine.renamePath = folder;

  CliDatabase database(ctx);
  RenameListModel list(engine, ctx.Prompts(), database.Keywords());
  list.LoadViewSettings();
  list.SetMaskText(ctx.Settings().GetText(setting::kRenamingMask));

  FolderWatch watch;
  std::atomic<int> lastAction{0};
  const int wakeFd = changeFd.fd;
  auto onChange = [&lastAction, wakeFd](int action) {
    lastAction = action;
    std::uint64_t one = 1;
    ssize_t written = write(wakeFd, &one, sizeof one);
    (void)written;
  };
  list.stopWatch = [&] { watch.StopFolderWatch(); };
  list.startWatch = [&] { watch.StartFolderWatch(engine, ctx.Prompts(), onChange); };

  const bool header = parsed.Flag("header");
  list.ReReadFolder = true;
  if (!list.RefreshList(RunList)) {
    if (ctx.Prompts().Refused()) return ctx.Refuse(ctx.Prompts().Refusal());
    return ctx.Refuse(list.MaskMessage().empty() ? "Unable to List Directory '" + folder + "' ..."
                                                 : list.MaskMessage());
  }
  PrintList(ctx, list, header);

  for (;;) {
    pollfd fds[2] = {{signalFd.fd, POLLIN, 0}, {changeFd.fd, POLLIN, 0}};
    // The timeout only serves to notice a watch that ended without a report
    // (the folder was removed or became unreadable).
    int ready = poll(fds, 2, 500);
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0 && fds[0].revents) {
      // Taken here, or it would strike once the mask is restored.
      signalfd_siginfo info;
      ssize_t got = read(signalFd.fd, &info, sizeof info);
      (void)got;
      break;
    }
    if (ready > 0 && fds[1].revents) {
      std::uint64_t count = 0;
      ssize_t got = read(changeFd.fd, &count, sizeof count);
      (void)got;
      watch.StopFolderWatch();
      OnFolderChanged(lastAction.load());
      list.ReReadFolder = true;
      list.RefreshList(RunList);
      PrintList(ctx, list, header);
      continue;
    }
    if (!watch.Watching()) {
      // Drain a report that raced with the check before giving up.
      pollfd last = {changeFd.fd, POLLIN, 0};
      if (poll(&last, 1, 0) > 0) continue;
      watch.StopFolderWatch();
      return ctx.Refuse("Directory '" + folder + "' Can No Longer Be Watched !!! Watch Ended ...");
    }
  }
  watch.StopFolderWatch();
  return kExitOk;
}

}  // namespace lx::cli

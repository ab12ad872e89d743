// The mails the program sends to its maker: feedback, support requests,
// verdicts on help videos and requests for missing help videos. The server
// and mailbox are settings; the account comes from the environment
// (LX_SMTP_LOGIN, LX_SMTP_PASSWORD) or the build, never from the settings file.
#pragma once

#include <string>

#include "online/video_help.h"
#include "platform/times.h"

namespace lx {

class SettingsStore;

struct FeedbackRequest {
  int mode = 1;          // 1 feedback, 2 support request, 3 feedback on a help video
  std::string userName;  // "first last"
  std::string email;
  std::string message;
  std::string videoName;  // mode 3
  int verdict = 0;        // mode 3: 1 helpful, 0 not
};

extern const char* const kNoEmailMessage;  // asked for when the user gave no e-mail address

// The mail of a request; the user name splits at its first blank.
MailText ComposeFeedbackMail(const FeedbackRequest& request, TimeT now);
// The log line after a successful send.
std::string FeedbackSentText(int mode, long long elapsedMs);
std::string VideoRequestSentText(long long elapsedMs);
std::string MailErrorText(const std::string& reason);  // "Error Occured while Sending Mail !!! Reason: %s "

struct MailAccount {
  std::string server;
  unsigned short port = 465;
  int security = 2;
  bool verifyPeer = true;
  std::string login;
  std::string password;
  std::string mailbox;  // the recipient
  std::string caFile;   // extra trusted certificates (tests); empty for the system's store alone
  int maxWaitMs = 0;    // caps every wait on the server; 0 for the command table's time-outs
};

// The account from the settings and the environment; false with a message
// when the server or the mailbox is not configured.
bool LoadMailAccount(const SettingsStore& settings, MailAccount& account, std::string& message);

struct MailOutcome {
  bool ok = false;
  int errorCode = 0;
  std::string text;  // the log line on success, the error message otherwise
  long long elapsedMs = 0;
};

// Sends one mail through a new client configured for the maker's account.
MailOutcome SendProgramMail(const MailAccount& account, const MailText& mail);

// Compose, send, and log the success line.
MailOutcome SendFeedback(const MailAccount& account, const FeedbackRequest& request, TimeT now);
MailOutcome SendVideoRequest(const MailAccount& account, const std::string& firstName, const std::string& lastName,
                             const std::string& email, const std::string& videoName, TimeT now);

}  // namespace lx

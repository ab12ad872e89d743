#include "online/feedback_mail.h"

#include <cstdlib>

#include "base/log.h"
#include "base/version.h"
#include "online/smtp.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "storage/settings_store.h"

namespace lx {

const char* const kNoEmailMessage =
    "Please Enter a Valid Email Adress to Send Feedback/Request !!!\nWithout a valid adress, Quorin would no be able "
    "to contact you for further information exchange ...";

namespace {

std::string ProductTitle() { return std::string("Quorin ") + kAppTitle; }

void SplitName(const std::string& name, std::string& first, std::string& last) {
  size_t blank = name.find(' ');
  first = name.substr(0, blank);
  last = blank == std::string::npos ? std::string() : name.substr(blank + 1);
}

std::string EnvText(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

MailText ComposeFeedbackMail(const FeedbackRequest& request, TimeT now) {
  const std::string product = ProductTitle();
  MailText mail;
  if (request.mode == 2)
    mail.subject = StrFormat("Support Request for %s VHF", product.c_str());
  else if (request.mode == 3)
    mail.subject = StrFormat("Feedback on %s VHF", product.c_str());
  else
    mail.subject = StrFormat("Feedback on %s", product.c_str());

  auto local = ToLocal(now).value_or(LocalFields{});
  std::string date = StrFormat("%04d-%02d-%02d", local.year, local.month, local.day);
  std::string time = StrFormat("%02d:%02d:%02d", local.hour, local.minute, local.second);
  std::string first, last;
  SplitName(request.userName, first, last);
  const char* sep = "\r\n";
  if (request.mode == 3) {
    const char* verdict = request.verdict == 1 ? "Positive Feedback" : "Negative Feedback";
    mail.body = StrFormat(
        "Quorin VHF Feedback%sDate of Mail: %s %s%sFrom: %s %s%sMail: %s%sVisual Help File: %s%sFeedback Type: "
        "%s%sMessage: %s%s%s",
        sep, date.c_str(), time.c_str(), sep, first.c_str(), last.c_str(), sep, request.email.c_str(), sep,
        request.videoName.c_str(), sep, verdict, sep, sep, request.message.c_str(), sep);
  } else {
    mail.body =
        StrFormat("Quorin Feedback%sDate of Mail: %s %s%sFrom: %s %s%sMail: %s%sApplication: %s%sMessage: %s%s%s", sep,
                  date.c_str(), time.c_str(), sep, first.c_str(), last.c_str(), sep, request.email.c_str(), sep,
                  kAppTitle, sep, sep, request.message.c_str(), sep);
  }
  return mail;
}

std::string FeedbackSentText(int mode, long long elapsedMs) {
  int ms = static_cast<int>(elapsedMs);
  if (mode == 2)
    return StrFormat("Mail of Support Request Sent in %d msec. to Quorin. Thank you for your using %s", ms,
                     ProductTitle().c_str());
  if (mode == 3)
    return StrFormat("Mail of Visual Help Feedback Sent in %d msec. to Quorin. Thank you for your feedback", ms);
  return StrFormat("Mail of Feedback Sent in %d msec. to Quorin. Thank you for your feedback", ms);
}

std::string VideoRequestSentText(long long elapsedMs) {
  return StrFormat("Mail of Request Sent in %d msec. to Quorin. Thank you for your Request",
                   static_cast<int>(elapsedMs));
}

std::string MailErrorText(const std::string& reason) {
  return StrFormat("Error Occured while Sending Mail !!! Reason: %s ", reason.c_str());
}

bool LoadMailAccount(const SettingsStore& settings, MailAccount& account, std::string& message) {
  account = MailAccount{};
  account.server = Trim(settings.GetText(setting::kSmtpServer));
  account.mailbox = Trim(settings.GetText(setting::kFeedbackMailbox));
  account.port = static_cast<unsigned short>(settings.GetNumber(setting::kSmtpPort) & 0xFFFF);
  account.security = static_cast<int>(settings.GetNumber(setting::kSmtpSecurity));
  account.verifyPeer = settings.GetNumber(setting::kSmtpVerifyPeer) != 0;
  account.login = EnvText("LX_SMTP_LOGIN");
  account.password = EnvText("LX_SMTP_PASSWORD");
#ifdef LX_SMTP_BUILD_LOGIN
  if (account.login.empty()) account.login = LX_SMTP_BUILD_LOGIN;
#endif
#ifdef LX_SMTP_BUILD_PASSWORD
  if (account.password.empty()) account.password = LX_SMTP_BUILD_PASSWORD;
#endif
  if (account.server.empty()) {
    message = "Mail Not Available: the SMTP Server is Not Configured (Setting \"SmtpServer\") ...";
    return false;
  }
  if (account.mailbox.empty()) {
    message = "Mail Not Available: the Receiving Mailbox is Not Configured (Setting \"FeedbackMailbox\") ...";
    return false;
  }
  if (account.security < 0 || account.security > 2) {
    message = StrFormat("Mail Not Available: Invalid SMTP Security %d (Setting \"SmtpSecurity\": 0, 1 or 2) ...",
                        account.security);
    return false;
  }
  message.clear();
  return true;
}

MailOutcome SendProgramMail(const MailAccount& account, const MailText& mail) {
  MailOutcome outcome;
  std::uint64_t start = TickCountMs();
  try {
    CSmtp smtp;
    smtp.SetSMTPServer(account.server, account.port);
    smtp.SetSecurityType(account.security);
    smtp.SetVerifyPeer(account.verifyPeer);
    smtp.SetCaFile(account.caFile);
    smtp.SetMaxWaitMs(account.maxWaitMs);
    smtp.SetAuthenticate(true);
    smtp.SetLogin(account.login);
    smtp.SetPassword(account.password);
    // Mail goes out in the account's name; without an account, in the mailbox's.
    std::string sender = account.login.find('@') != std::string::npos ? account.login : account.mailbox;
    smtp.SetSenderMail(sender);
    smtp.SetSenderName(sender);
    smtp.SetReplyTo(sender);
    smtp.SetXMailer(account.server);
    smtp.SetXPriority(3);
    smtp.SetSubject(mail.subject);
    smtp.AddRecipient(account.mailbox.c_str());
    smtp.AddBodyLine(mail.body);
    smtp.Send();
    outcome.elapsedMs = static_cast<long long>(TickCountMs() - start);
    outcome.ok = true;
  } catch (const ECSmtp& e) {
    outcome.errorCode = e.GetErrorNum();
    outcome.text = MailErrorText(e.GetErrorText());
  }
  // The client is gone by now: QUIT was sent on its way out.
  if (!outcome.ok) outcome.elapsedMs = static_cast<long long>(TickCountMs() - start);
  return outcome;
}

MailOutcome SendFeedback(const MailAccount& account, const FeedbackRequest& request, TimeT now) {
  MailOutcome outcome = SendProgramMail(account, ComposeFeedbackMail(request, now));
  if (outcome.ok) {
    outcome.text = FeedbackSentText(request.mode, outcome.elapsedMs);
    LogMessage(outcome.text);
  }
  return outcome;
}

MailOutcome SendVideoRequest(const MailAccount& account, const std::string& firstName, const std::string& lastName,
                             const std::string& email, const std::string& videoName, TimeT now) {
  MailOutcome outcome = SendProgramMail(account, ComposeVideoRequestMail(firstName, lastName, email, videoName, now));
  outcome.text = outcome.ok ? VideoRequestSentText(outcome.elapsedMs) : outcome.text;
  LogMessage(outcome.text);
  return outcome;
}

}  // namespace lx

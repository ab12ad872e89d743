#include "online/update_check.h"

#include <climits>

#include "base/prompts.h"
#include "base/version.h"
#include "platform/text.h"
#include "storage/settings_store.h"

namespace lx {

namespace {

// atoi: leading blanks, an optional sign, the digits that follow; anything else is 0.
// Saturates instead of overflowing.
long long AtoiValue(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;
      break;
    }
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return value;
}

}  // namespace

VersionFileData ParseVersionFile(const std::string& content) {
  std::string text = content.substr(0, std::min(content.size(), kVersionFileMaxBytes));
  text = text.substr(0, text.find('\0'));
  std::string fields[4];
  size_t start = 0;
  for (int i = 0; i < 4 && start <= text.size(); ++i) {
    size_t bar = text.find('|', start);
    if (bar == std::string::npos) {
      fields[i] = text.substr(start);
      start = text.size() + 1;
    } else {
      fields[i] = text.substr(start, bar - start);
      start = bar + 1;
    }
  }
  // The link text ends at the line's end.
  size_t lineEnd = fields[3].find_first_of("\r\n");
  if (lineEnd != std::string::npos) fields[3].resize(lineEnd);

  auto field = [&](int i) { return static_cast<std::uint32_t>(static_cast<int>(AtoiValue(fields[i]))); };
  VersionFileData data;
  data.high = (field(0) << 16) | (field(1) & 0xFFFF);
  data.low = field(2) << 16;
  data.text = fields[3];
  return data;
}

std::string FormatVersionText(std::uint32_t high, std::uint32_t low) {
  std::string text = StrFormat("%u.%u", high >> 16, high & 0xFFFF);
  std::uint32_t build = low >> 16;
  if (build != 0) text += static_cast<char>(96 + build);
  return text;
}

std::uint32_t ProgramVersionHigh() { return (ProgramVersionMajor() << 16) | (ProgramVersionMinor() & 0xFFFF); }

std::uint32_t ProgramVersionLow() {
  std::string letter = ProgramBuildLetter();
  std::uint32_t build = 0;
  if (!letter.empty() && letter[0] >= 'a' && letter[0] <= 'z') build = static_cast<std::uint32_t>(letter[0] - 96);
  return build << 16;
}

CUpdateCheck::CUpdateCheck(SettingsStore& settings, Prompts* prompts)
    : settings_(settings),
      prompts_(prompts),
      now_([] { return NowSeconds(); }),
      programHigh_(ProgramVersionHigh()),
      programLow_(ProgramVersionLow()) {
  http_.connectTimeoutMs = 15000;
  http_.totalTimeoutMs = 30000;
  http_.stallTimeoutMs = 15000;
}

std::string CUpdateCheck::RemoteVersionText() const {
  if (remoteHigh == 0 && remoteLow == 0) return "Unknown";
  return FormatVersionText(remoteHigh, remoteLow);
}

std::string CUpdateCheck::MessageLine() const {
  if (remoteHigh == 0 && remoteLow == 0) return " ";
  if (status == 2) return "You are using the latest version of Lorvexandrin";
  return "A new Version is Available from Internet. Please Click on the Link to Get More Informations and "
         "Download the Latest release of Lorvexandrin";
}

void CUpdateCheck::Check(int urlResourceId, bool force) {
  (void)urlResourceId;  // the version file's address is the "UpdateCheckUrl" setting
  status = 0;
  notConfigured = false;
  notConfiguredMessage.clear();

  std::uint32_t noUpdateCheck = settings_.FindNumber(setting::kNoUpdateCheck).value_or(0);
  auto currentVersion = settings_.FindNumber(setting::kCurrentVersion);
  if (!currentVersion || *currentVersion < kCurrentVersionMarker) {
    // A new release turns the automatic check on again once.
    settings_.SetNumber(setting::kNoUpdateCheck, 0);
    settings_.SetNumber(setting::kCurrentVersion, kCurrentVersionMarker);
    noUpdateCheck = 0;
  }
  if (!force && noUpdateCheck != 0) return;

  TimeT now = now_();
  std::uint32_t lastCheck = settings_.FindNumber(setting::kLastCheckTime).value_or(0);
  if (!force && now - static_cast<TimeT>(lastCheck) < kUpdateCheckInterval) return;

  std::string url = Trim(settings_.GetText(setting::kUpdateCheckUrl));
  if (url.empty()) {
    notConfigured = true;
    notConfiguredMessage =
        "Update Check Not Available: the Address of the Version File is Not Configured (Setting \"UpdateCheckUrl\") "
        "...";
    return;
  }

  localHigh = programHigh_;
  localLow = programLow_;
  remoteHigh = 0;
  remoteLow = 0;
  remoteText.clear();

  HttpOptions options = http_;
  options.maxBytes = kVersionFileMaxBytes;
  std::string body;
  HttpResult result = HttpFetchText(url, options, body);
  if (result.initFailed) {
    // Not written: the next start tries again.
    if (prompts_)
      prompts_->ShowMessage("Internal error in CUpdateCheck::Check !!! Please Contact Quorin for Bug Report",
                            kAppTitle);
    return;
  }
  // Only a real answer counts: an error page of the server is not a version file.
  if (result.opened && result.status == 200 && result.error == 0 && !body.empty()) {
    VersionFileData data = ParseVersionFile(body);
    remoteHigh = data.high;
    remoteLow = data.low;
    remoteText = data.text;
    bool newer = remoteHigh > localHigh || (remoteHigh == localHigh && remoteLow > localLow);
    status = newer ? 1 : 2;
  }
  settings_.SetNumber(setting::kLastCheckTime, static_cast<std::uint32_t>(now));
}

}  // namespace lx

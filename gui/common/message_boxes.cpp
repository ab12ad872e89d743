#include "common/message_boxes.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <cctype>

#include "base/rich_text.h"
#include "base/version.h"
#include "common/colours.h"
#include "engine/engine.h"
#include "storage/settings_store.h"

namespace lx::gui {

// The message boxes ignore "\cbN": bodies write their headings as
// "\cb5\cf5" (red on red) and rely on the text colour alone, as a rich-edit
// control shows them; painting the background would hide the heading.
std::string WithoutBackgroundColours(const std::string& rtf) {
  std::string out;
  out.reserve(rtf.size());
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\' && i + 1 < rtf.size()) {
      if (rtf.compare(i + 1, 2, "cb") == 0 && i + 3 < rtf.size() &&
          (std::isdigit(static_cast<unsigned char>(rtf[i + 3])) || rtf[i + 3] == '-')) {
        size_t end = i + 4;
        while (end < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[end]))) ++end;
        if (end < rtf.size() && rtf[end] == ' ') ++end;
        i = end - 1;
        continue;
      }
      out += rtf[i];
      out += rtf[++i];  // an escaped character or the first letter of a control word
      continue;
    }
    out += rtf[i];
  }
  return out;
}

namespace {

QTextBrowser* MakeBody(const std::string& rtfBody, QWidget* parent) {
  auto* body = new QTextBrowser(parent);
  body->setObjectName("MessageBody");
  body->setOpenExternalLinks(true);
  body->setLineWrapMode(QTextEdit::WidgetWidth);
  body->setHtml(QString::fromStdString(RtfToHtml(WithoutBackgroundColours(BuildRtfDocument(rtfBody)))));
  body->setMinimumSize(420, 220);
  return body;
}

void PaintBackground(QTextBrowser* body, QPushButton* button, const QColor& colour) {
  QPalette palette = body->palette();
  palette.setColor(QPalette::Base, colour);
  body->setPalette(palette);
  body->viewport()->setAutoFillBackground(true);
  // A swatch icon shows the colour whatever the style does with button backgrounds.
  QPixmap swatch(40, 14);
  swatch.fill(colour);
  {
    QPainter painter(&swatch);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
  }
  button->setIcon(QIcon(swatch));
  button->setIconSize(swatch.size());
  button->setToolTip(colour.name());
}

// "Background Color: " with its colour button, as a row.
QHBoxLayout* ColourRow(QWidget* parent, QPushButton*& button) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Background Color: "), parent));
  button = new QPushButton(parent);
  button->setObjectName("ColourButton");
  button->setAutoDefault(false);
  row->addWidget(button);
  row->addStretch(1);
  return row;
}

}  // namespace

CRichTextMsgDlg::CRichTextMsgDlg(SettingsStore& settings, const RichTextRequest& request, QWidget* parent)
    : CLorvexandrinBaseDlg(parent), settings_(settings) {
  setObjectName("CRichTextMsgDlg");
  setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromUtf8(kAppTitle), QString::fromStdString(request.title)));
  setSizeGripEnabled(true);

  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(this);
  auto* groupLayout = new QVBoxLayout(group);
  body_ = MakeBody(request.body, group);
  groupLayout->addWidget(body_, 1);

  urlCaption_ = new QLabel(QStringLiteral("URL for Additional Informations: "), group);
  urlText_ = new QLabel(group);
  urlText_->setObjectName("UrlText");
  urlText_->setTextFormat(Qt::RichText);
  urlText_->setOpenExternalLinks(true);
  const QString url = QString::fromStdString(request.url);
  urlText_->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()));
  groupLayout->addWidget(urlCaption_);
  groupLayout->addWidget(urlText_);
  if (request.url.empty() && request.urlFlag == 0) {
    urlCaption_->hide();
    urlText_->hide();
  }
  layout->addWidget(group, 1);

  auto* bottom = ColourRow(this, colourButton_);
  first_ = new QPushButton(this);
  second_ = new QPushButton(this);
  first_->setObjectName("FirstButton");
  second_->setObjectName("SecondButton");
  if (request.buttons == kButtonsOkCancel) {
    first_->setText(QStringLiteral("Ok"));
    second_->setText(QStringLiteral("Cancel"));
  } else if (request.buttons == kButtonsYesNo) {
    first_->setText(QStringLiteral("Yes"));
    second_->setText(QStringLiteral("No"));
  } else {
    first_->setText(QStringLiteral("Ok"));
    second_->hide();
  }
  first_->setDefault(true);
  bottom->addWidget(first_);
  bottom->addWidget(second_);
  layout->addLayout(bottom);

  connect(first_, &QPushButton::clicked, this, [this] { done(kIdOk); });
  connect(second_, &QPushButton::clicked, this, [this] { done(kIdCancel); });
  connect(colourButton_, &QPushButton::clicked, this, [this] {
    QColor chosen = QColorDialog::getColor(ColourFromColorRef(settings_.GetNumber(setting::kLXMsgBkgColour)), this);
    if (chosen.isValid()) ChangeBackground(chosen);
  });

  PaintBackground(body_, colourButton_, ColourFromColorRef(settings_.GetNumber(setting::kLXMsgBkgColour)));
  resize(560, 380);
}

void CRichTextMsgDlg::ChangeBackground(const QColor& colour) {
  PaintBackground(body_, colourButton_, colour);
  settings_.SetNumber(setting::kLXMsgBkgColour, ColorRefFromColour(colour));
}

int CRichTextMsgDlg::Run() {
  const int result = exec();
  return result == kIdOk ? kIdOk : kIdCancel;
}

CShowRenameMsgDlg::CShowRenameMsgDlg(SettingsStore& settings, CLorvexandrinEngine* engine, const std::string& rtfBody,
                                     QWidget* parent)
    : CLorvexandrinBaseDlg(parent), settings_(settings), engine_(engine) {
  setObjectName("CShowRenameMsgDlg");
  setWindowTitle(QStringLiteral("Quorin Lorvexandrin Message  "));
  setSizeGripEnabled(true);

  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral(" Quorin Lorvexandrin Message  "), this);
  auto* groupLayout = new QVBoxLayout(group);
  body_ = MakeBody(rtfBody, group);
  groupLayout->addWidget(body_, 1);
  layout->addWidget(group, 1);

  doNotShow_ = new QCheckBox(QStringLiteral("Do Not Show this Message Again"), this);
  layout->addWidget(doNotShow_);

  auto* bottom = ColourRow(this, colourButton_);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  bottom->addWidget(ok_);
  layout->addLayout(bottom);

  connect(ok_, &QPushButton::clicked, this, &CShowRenameMsgDlg::OnOk);
  connect(colourButton_, &QPushButton::clicked, this, [this] {
    QColor chosen = QColorDialog::getColor(ColourFromColorRef(settings_.GetNumber(setting::kMsgBackgroundColor)), this);
    if (chosen.isValid()) ChangeBackground(chosen);
  });
  PaintBackground(body_, colourButton_, ColourFromColorRef(settings_.GetNumber(setting::kMsgBackgroundColor)));
  resize(560, 400);
}

void CShowRenameMsgDlg::ChangeBackground(const QColor& colour) {
  PaintBackground(body_, colourButton_, colour);
  settings_.SetNumber(setting::kMsgBackgroundColor, ColorRefFromColour(colour));
}

void CShowRenameMsgDlg::OnOk() {
  const bool show = !doNotShow_->isChecked();
  settings_.SetNumber(setting::kShowRenameOutline, show ? 1 : 0);
  if (engine_) engine_->showRenameOutline = show;
  done(kIdOk);
}

int CShowRenameMsgDlg::Run() {
  exec();
  return kIdOk;
}

}  // namespace lx::gui

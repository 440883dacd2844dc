#include "simulator/host_panel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/base/observer.h"
#include "platform/framework/localized_strings.h"
#include "platform/widgets/qss_setter.h"

namespace sim {

namespace {

const char* const kKinds[] = {
    "all",      "log",    "report",    "request",    "host_call", "event",      "query",
    "reply",    "prop",   "state",     "controller", "navigate",  "web",        "toast",
    "platform", "string", "extension", "window",     "widget",    "screenshot", "expect"};

QString StepText(const Step& step) {
  QString text = QString("%1  %2").arg(step.index).arg(QString::fromStdString(step.kind));
  if (!step.note.empty()) text += "  — " + QString::fromStdString(step.note);
  return text;
}

}  // namespace

HostPanel::HostPanel(Scenario scenario, PlayerOptions options, std::FILE* trace_file)
    : scenario_(std::move(scenario)), options_(std::move(options)), trace_file_(trace_file) {
  setObjectName("velmo_host_panel");
  setWindowTitle("Velmo host");
  BuildUi();
}

HostPanel::~HostPanel() { StopPlayer(); }

void HostPanel::BuildUi() {
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout();
  scenarios_ = new QComboBox(this);
  scenarios_->setAccessibleName("Bundled scenarios");
  for (const QString& f : QDir(":/scenarios").entryList({"*.json"}, QDir::Files, QDir::Name))
    scenarios_->addItem(f.chopped(5));
  const int current = scenarios_->findText(QString::fromStdString(scenario_.file).section(':', -1));
  if (current >= 0) scenarios_->setCurrentIndex(current);
  connect(scenarios_, &QComboBox::textActivated, this, &HostPanel::LoadBundled);
  theme_ = new QComboBox(this);
  theme_->setAccessibleName("Theme");
  theme_->addItems({"light", "dark"});
  theme_->setCurrentText(QString::fromStdString(QssSetter::CurrentTheme()));
  connect(theme_, &QComboBox::textActivated, this,
          [](const QString& theme) { QssSetter::SetTheme(theme.toStdString()); });
  language_ = new QComboBox(this);
  language_->setAccessibleName("Language");
  for (const std::string& lang : framework::LocalizedStrings::Instance().Languages())
    language_->addItem(QString::fromStdString(lang));
  language_->setCurrentText(
      QString::fromStdString(framework::LocalizedStrings::Instance().language()));
  // Texts are taken when pages publish them: replaying in the new language retranslates the
  // open pages as a person would see them.
  connect(language_, &QComboBox::textActivated, this, [this](const QString& lang) {
    framework::LocalizedStrings::Instance().SetLanguage(lang.toStdString());
    const size_t played = player_ ? player_->next_step() : 0;
    Restart();
    while (player_ && player_->next_step() < played && player_->HasNextStep()) PlayOne();
  });
  top->addWidget(new QLabel("Scenario", this));
  top->addWidget(scenarios_, 1);
  top->addWidget(new QLabel("Theme", this));
  top->addWidget(theme_);
  top->addWidget(new QLabel("Language", this));
  top->addWidget(language_);
  layout->addLayout(top);

  steps_ = new QListWidget(this);
  steps_->setAccessibleName("Steps");
  layout->addWidget(steps_, 1);

  auto* buttons = new QHBoxLayout();
  step_button_ = new QPushButton("Step", this);
  run_button_ = new QPushButton("Run", this);
  restart_button_ = new QPushButton("Restart", this);
  connect(step_button_, &QPushButton::clicked, this, &HostPanel::PlayOne);
  connect(run_button_, &QPushButton::clicked, this, &HostPanel::PlayAll);
  connect(restart_button_, &QPushButton::clicked, this, &HostPanel::Restart);
  buttons->addWidget(step_button_);
  buttons->addWidget(run_button_);
  buttons->addWidget(restart_button_);
  buttons->addStretch();
  buttons->addWidget(new QLabel("Trace", this));
  kind_filter_ = new QComboBox(this);
  kind_filter_->setAccessibleName("Trace kind");
  for (const char* kind : kKinds) kind_filter_->addItem(kind);
  connect(kind_filter_, &QComboBox::currentTextChanged, this, &HostPanel::RefilterTrace);
  buttons->addWidget(kind_filter_);
  layout->addLayout(buttons);

  trace_view_ = new QPlainTextEdit(this);
  trace_view_->setReadOnly(true);
  trace_view_->setAccessibleName("Trace");
  trace_view_->setMaximumBlockCount(5000);
  layout->addWidget(trace_view_, 2);
  status_ = new QLabel(this);
  layout->addWidget(status_);
  resize(640, 720);
}

bool HostPanel::Begin() {
  show();
  Restart();
  return player_ != nullptr;
}

void HostPanel::StopPlayer() {
  if (player_) {
    player_->Finish();
    player_.reset();
  }
  base::observer::SetObserver(nullptr);
  trace_.reset();
}

void HostPanel::Restart() {
  StopPlayer();
  lines_.clear();
  trace_view_->clear();
  ShowSteps();
  trace_ = std::make_unique<TraceWriter>(trace_file_);
  trace_->SetLineListener([this](const Json& line) { AppendTraceLine(line); });
  base::observer::SetObserver(trace_.get());
  player_ = std::make_unique<Player>(scenario_, options_, trace_.get());
  ScenarioError error;
  if (!player_->Start(&error)) {
    Report("cannot start: " + QString::fromStdString(error.ToString()));
    StopPlayer();
    exit_status_ = Player::kBadScenario;
    return;
  }
  Report(QString("ready: %1 steps").arg(scenario_.steps.size()));
}

void HostPanel::ShowSteps() {
  steps_->clear();
  for (const Step& step : scenario_.steps) steps_->addItem(StepText(step));
  if (steps_->count() > 0) steps_->setCurrentRow(0);
}

void HostPanel::PlayOne() {
  if (!player_ || !player_->HasNextStep()) return;
  ScenarioError error;
  const size_t index = player_->next_step();
  const bool ok = player_->PlayNextStep(&error);
  if (!ok) {
    Report("step failed: " + QString::fromStdString(error.ToString()));
    exit_status_ = Player::kBadScenario;
    return;
  }
  if (player_->expects_failed()) exit_status_ = Player::kExpectFailed;
  steps_->setCurrentRow(static_cast<int>(index + 1 < scenario_.steps.size() ? index + 1 : index));
  Report(QString("played step %1%2")
             .arg(index)
             .arg(player_->expects_failed() ? " (an expect failed)" : ""));
}

void HostPanel::PlayAll() {
  if (running_all_) return;
  running_all_ = true;
  // Only the steps that run the loop run it, as in a headless run, so each line belongs to
  // the step a headless run gives it.
  while (player_ && player_->HasNextStep()) PlayOne();
  running_all_ = false;
}

void HostPanel::LoadBundled(const QString& name) {
  QFile file(QString(":/scenarios/%1.json").arg(name));
  if (!file.open(QIODevice::ReadOnly)) return;
  Scenario loaded;
  ScenarioError error;
  if (!ParseScenarioText(file.readAll().toStdString(), &loaded, &error)) {
    Report(name + ": " + QString::fromStdString(error.ToString()));
    return;
  }
  loaded.file = "bundled:" + name.toStdString();
  StopPlayer();
  scenario_ = std::move(loaded);
  Restart();
}

void HostPanel::AppendTraceLine(const Json& line) {
  lines_.push_back(line);
  const QString kind = kind_filter_->currentText();
  if (kind == "all" || kind.toStdString() == line.value("kind", ""))
    trace_view_->appendPlainText(QString::fromStdString(line.dump()));
}

void HostPanel::RefilterTrace() {
  trace_view_->clear();
  const std::string kind = kind_filter_->currentText().toStdString();
  for (const Json& line : lines_)
    if (kind == "all" || kind == line.value("kind", ""))
      trace_view_->appendPlainText(QString::fromStdString(line.dump()));
}

void HostPanel::Report(const QString& text) {
  status_->setText(text);
  std::fprintf(stderr, "velmo_sim: %s\n", qPrintable(text));
}

}  // namespace sim

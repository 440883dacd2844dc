// The simulator's host panel, shown beside the module's window when the simulator runs with a
// display: the scenario's steps with Step, Run and Restart, the live trace filtered by kind, a
// theme and a language switch, and the bundled scenarios to pick from.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include <QWidget>

#include "simulator/player.h"
#include "simulator/scenario.h"
#include "simulator/trace_writer.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace sim {

class HostPanel : public QWidget {
  Q_OBJECT

 public:
  HostPanel(Scenario scenario, PlayerOptions options, std::FILE* trace_file);
  ~HostPanel() override;

  // Sets the module up and shows the panel; false (with the reason shown) when it cannot start.
  bool Begin();
  // Plays the remaining steps one after another, keeping the windows responsive between them.
  void PlayAll();
  int exit_status() const { return exit_status_; }

 private:
  void BuildUi();
  void Restart();
  void PlayOne();
  void LoadBundled(const QString& name);
  void ShowSteps();
  void AppendTraceLine(const Json& line);
  void RefilterTrace();
  void Report(const QString& text);
  void StopPlayer();

  Scenario scenario_;
  PlayerOptions options_;
  std::FILE* trace_file_;
  std::unique_ptr<TraceWriter> trace_;
  std::unique_ptr<Player> player_;
  std::vector<Json> lines_;
  int exit_status_ = Player::kOk;
  bool running_all_ = false;

  QComboBox* scenarios_ = nullptr;
  QListWidget* steps_ = nullptr;
  QPushButton* step_button_ = nullptr;
  QPushButton* run_button_ = nullptr;
  QPushButton* restart_button_ = nullptr;
  QComboBox* kind_filter_ = nullptr;
  QComboBox* theme_ = nullptr;
  QComboBox* language_ = nullptr;
  QPlainTextEdit* trace_view_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace sim
